// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/rawmarkup.h"

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char(':'); }

bool isNameCharacter(QChar c)
{
    return isNameStart(c) || c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.');
}

bool isHexDigit(QChar c)
{
    const QChar low = c.toLower();
    return c.isDigit() || (low >= QLatin1Char('a') && low <= QLatin1Char('f'));
}

// Whether the '&' at \a at starts a reference as XML writes one: "&name;", "&#digits;" or
// "&#xhex;", declared or not.
bool startsReference(const QString &text, int at)
{
    int i = at + 1;
    const auto character = [&text](int j) { return j < text.size() ? text.at(j) : QChar(); };
    if (character(i) == QLatin1Char('#')) {
        const bool hex = character(++i) == QLatin1Char('x');
        const int digits = hex ? ++i : i;
        while (i < text.size() && (hex ? isHexDigit(text.at(i)) : text.at(i).isDigit()))
            ++i;
        return i > digits && character(i) == QLatin1Char(';');
    }
    if (!isNameStart(character(i)))
        return false;
    while (i < text.size() && isNameCharacter(text.at(i)))
        ++i;
    return character(i) == QLatin1Char(';');
}

} // namespace

RawMarkup rawMarkupIn(const QString &text, int from, int to)
{
    enum { Text, Tag, EndTag, Value } state = Text;
    QChar quote;
    to = qMin(to, int(text.size()));
    for (int i = qMax(from, 0); i < to; ++i) {
        const QChar c = text.at(i);
        switch (state) {
        case Text:
            if (c == QLatin1Char('&') && !startsReference(text, i))
                return { i, c, false };
            if (c == QLatin1Char('<')) {
                const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
                if (next == QLatin1Char('!') || next == QLatin1Char('?'))
                    return { -1, QChar(), false };
                if (next == QLatin1Char('/'))
                    state = EndTag;
                else if (isNameStart(next))
                    state = Tag;
                else if (i + 1 < text.size())
                    return { i, c, false };
            }
            break;
        case Tag:
            if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
                state = Value;
            } else if (c == QLatin1Char('>')) {
                state = Text;
            }
            break;
        case EndTag:
            if (c == QLatin1Char('>'))
                state = Text;
            break;
        case Value:
            if (c == quote)
                state = Tag;
            else if (c == QLatin1Char('<') || (c == QLatin1Char('&') && !startsReference(text, i)))
                return { i, c, true };
            break;
        }
    }
    return { -1, QChar(), false };
}
