// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/attributenames.h"

bool isXmlBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r');
}

QVector<QPair<QString, int>> attributeNames(const QString &tag, int nameLength)
{
    QVector<QPair<QString, int>> names;
    int i = 1 + nameLength;
    while (i < tag.size()) {
        while (i < tag.size() && isXmlBlank(tag.at(i)))
            ++i;
        if (i >= tag.size() || tag.at(i) == QLatin1Char('/') || tag.at(i) == QLatin1Char('>'))
            break;
        const int start = i;
        while (i < tag.size() && !isXmlBlank(tag.at(i)) && tag.at(i) != QLatin1Char('='))
            ++i;
        names.append({ tag.mid(start, i - start), start });
        const int value = attributeValueStart(tag, i);
        if (value < 0)
            break;
        const int close = tag.indexOf(tag.at(value - 1), value);
        if (close < 0)
            break;
        i = close + 1;
    }
    return names;
}

int attributeValueStart(const QString &tag, int nameAt)
{
    int i = nameAt;
    while (i < tag.size() && tag.at(i) != QLatin1Char('"') && tag.at(i) != QLatin1Char('\''))
        ++i;
    return i < tag.size() ? i + 1 : -1;
}
