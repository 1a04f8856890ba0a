// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "patternshape.h"
#include "regexptokenizer.h"

#include <QVector>

#include <algorithm>

namespace {

bool ascii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

HolderShape wildcardShape(const QString &pattern)
{
    int from = 0;
    int to = pattern.size();
    while (from < to && pattern.at(from) == QLatin1Char('*'))
        ++from;
    while (to > from && pattern.at(to - 1) == QLatin1Char('*'))
        --to;
    const QString text = pattern.mid(from, to - from);
    // A backslash matches one or two, depending on what follows.
    const QString special = QStringLiteral("*?[]\\");
    if (std::any_of(text.begin(), text.end(), [&](QChar c) { return special.contains(c); }))
        return {};
    return { text, false };
}

// The tokens of an expression as far as a holder's shape reads them: "^", "." repeated from
// none without bound, a character of its own; any other token makes the pattern another shape.
enum class Piece { Caret, Anything, Char, Other };

HolderShape expressionShape(const QString &pattern, bool *anythingAfter)
{
    RegExpTokenizer tokens(pattern, 0, false);
    QVector<Piece> pieces;
    QString text;
    RegExpToken token = tokens.read();
    while (token != RegExpToken::End) {
        const int value = tokens.value;
        const bool dot =
            token == RegExpToken::Class && pattern.at(tokens.tokenStart) == QLatin1Char('.');
        const RegExpToken next = tokens.read();
        if (tokens.error)
            return {};
        const bool repeated = next == RegExpToken::Quantifier;
        const bool anything =
            dot && repeated && tokens.minimum == 0 && tokens.maximum == regExpNoUpperBound;
        if (anything) {
            pieces.append(Piece::Anything);
            token = tokens.read();
            continue;
        }
        if (token == RegExpToken::Caret && pieces.isEmpty()) {
            pieces.append(Piece::Caret);
        } else if (token == RegExpToken::Char && value != RegExpTokenizer::endOfPattern
            && !repeated) {
            pieces.append(Piece::Char);
            text += QChar(ushort(value));
        } else {
            return {};
        }
        token = next;
    }
    if (tokens.error)
        return {};
    // "^"? "match anything"? characters "match anything"?, and nothing else.
    int at = 0;
    const bool caret = at < pieces.size() && pieces.at(at) == Piece::Caret;
    at += caret;
    const bool anythingBefore = at < pieces.size() && pieces.at(at) == Piece::Anything;
    at += anythingBefore;
    const int chars = int(std::find_if(pieces.begin() + at, pieces.end(), [](Piece piece) {
        return piece != Piece::Char;
    }) - (pieces.begin() + at));
    at += chars;
    *anythingAfter = at < pieces.size() && pieces.at(at) == Piece::Anything;
    at += *anythingAfter;
    if (chars == 0 || at != pieces.size())
        return {};
    // "^.*" reads as ".*", which matches from the start of every string.
    return { text, caret && !anythingBefore };
}

} // namespace

HolderShape holderShape(const QString &pattern, bool regexp, bool cs, bool wildcard)
{
    if (!wildcard && !regexp)
        return {};
    HolderShape shape;
    bool anythingAfter = false;
    const QLatin1String rest("(.*)");
    if (wildcard) {
        shape = wildcardShape(pattern);
    } else if (pattern.endsWith(rest)) {
        // The rest of the string as group 1, after a text that does not end in "match
        // anything" (which would leave the group empty).
        shape = expressionShape(pattern.left(pattern.size() - rest.size()), &anythingAfter);
        if (anythingAfter)
            return {};
        shape.restGroup = true;
    } else {
        shape = expressionShape(pattern, &anythingAfter);
    }
    if (!cs && !ascii(shape.text))
        return {};
    return shape;
}

QString requiredPrefix(const QString &pattern, bool regexp, bool cs, bool wildcard)
{
    if (wildcard || !regexp)
        return {};
    RegExpTokenizer tokens(pattern, 0, false);
    if (tokens.read() != RegExpToken::Caret)
        return {};
    QString prefix;
    bool open = true; // still reading the characters right after "^"
    bool lastIsChar = false;
    int depth = 0;
    for (;;) {
        const RegExpToken token = tokens.read();
        if (tokens.error)
            return {};
        bool isChar = false;
        switch (token) {
        case RegExpToken::End:
            return depth == 0 ? prefix : QString();
        case RegExpToken::Char:
            isChar = open && tokens.value != RegExpTokenizer::endOfPattern
                && (cs || tokens.value < 0x80);
            if (isChar)
                prefix += QChar(ushort(tokens.value));
            open = isChar;
            break;
        case RegExpToken::Quantifier:
            // The last character may be left out or repeated.
            if (lastIsChar)
                prefix.chop(1);
            open = false;
            break;
        case RegExpToken::LeftParen:
        case RegExpToken::NonCapturingParen:
            ++depth;
            open = false;
            break;
        case RegExpToken::RightParen:
            // A stray one ends the pattern: the library builds nothing after it.
            if (depth == 0)
                return {};
            --depth;
            break;
        case RegExpToken::Bar:
            if (depth == 0)
                return {};
            break;
        case RegExpToken::Lookahead:
            // Read by the library as an expression of its own, from where it starts on.
            return {};
        default:
            open = false;
        }
        lastIsChar = isChar;
    }
}
