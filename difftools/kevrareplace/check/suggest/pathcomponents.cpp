// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/suggest/pathcomponents.h"

#include <algorithm>

bool isSeparator(QChar ch) { return ch == QLatin1Char('/') || ch == QLatin1Char('\\'); }

bool endsName(const QString &text, int length)
{
    return length == text.size() || (length < text.size() && isSeparator(text.at(length)));
}

int nextNameEnd(const QString &text, int length)
{
    int end = length + 1;
    while (end < text.size() && !isSeparator(text.at(end)))
        ++end;
    return end;
}

int componentAt(const QString &text, const QString &name, int from)
{
    for (int at = text.indexOf(name, from); at >= 0; at = text.indexOf(name, at + 1)) {
        const int end = at + name.size();
        if ((at == 0 || isSeparator(text.at(at - 1))) && endsName(text, end))
            return at;
    }
    return -1;
}

int changedLength(const QString &string, const QString &expected)
{
    int same = 0;
    while (same < string.size() && same < expected.size()
        && string.at(string.size() - 1 - same) == expected.at(expected.size() - 1 - same))
        ++same;
    int end = std::max(int(string.size()) - same, 1);
    while (end < string.size() && !isSeparator(string.at(end)))
        ++end;
    return end;
}
