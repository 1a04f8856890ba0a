// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "expressionlimits.h"

#include <algorithm>
#include <vector>

namespace {

// Counts are capped just past the largest limit, so that they cannot overflow.
constexpr qint64 cap = maxExpressionGroupSize + 1;

qint64 capped(qint64 value)
{
    return std::min(value, cap);
}

// Items and groups: of a whole group level so far, or of its last part, which a following
// quantifier repeats.
struct Count
{
    qint64 items = 0;
    qint64 groups = 0;
};

struct Level
{
    Count all;
    Count last;
};

void add(Level &level, Count part)
{
    level.all = { capped(level.all.items + part.items), capped(level.all.groups + part.groups) };
    level.last = part;
}

// Repeats the last part \a times times in all.
void repeatLast(Level &level, qint64 times)
{
    const Count copies = { capped(level.last.items * times), capped(level.last.groups * times) };
    level.all = { capped(level.all.items - level.last.items + copies.items),
                  capped(level.all.groups - level.last.groups + copies.groups) };
    level.last = copies;
}

// Reads a number at \a i, leaving \a i behind it; -1 when there are no digits.
qint64 readNumber(const QString &pattern, int &i)
{
    qint64 number = -1;
    for (; i < pattern.size() && pattern.at(i).isDigit(); ++i)
        number = capped(std::max<qint64>(number, 0) * 10 + pattern.at(i).digitValue());
    return number;
}

// The largest count of the quantifier "{m}", "{m,}", "{,n}" or "{m,n}" that starts at \a i,
// leaving \a i on its closing brace; 0 when none starts there.
qint64 readBraces(const QString &pattern, int &i)
{
    int at = i + 1;
    const qint64 min = readNumber(pattern, at);
    qint64 max = min;
    if (at < pattern.size() && pattern.at(at) == QLatin1Char(',')) {
        ++at;
        max = readNumber(pattern, at);
        if (max < 0)
            max = min + 1; // open-ended: the minimum, then one more for the loop
    }
    if (at >= pattern.size() || pattern.at(at) != QLatin1Char('}') || max < 0)
        return 0;
    i = at;
    return std::max<qint64>(max, 1);
}

// Leaves \a i on the closing bracket of the class that starts at \a i.
void skipClass(const QString &pattern, int &i)
{
    ++i;
    if (i < pattern.size() && pattern.at(i) == QLatin1Char('^'))
        ++i;
    if (i < pattern.size() && pattern.at(i) == QLatin1Char(']'))
        ++i; // a bracket right at the start is one of the class
    for (; i < pattern.size() && pattern.at(i) != QLatin1Char(']'); ++i) {
        if (pattern.at(i) == QLatin1Char('\\'))
            ++i;
    }
}

} // namespace

bool expressionWithinLimits(const QString &pattern)
{
    const Count item = { 1, 0 };
    std::vector<Level> levels(1);
    qint64 backReference = 0; // the highest group number referred to
    for (int i = 0; i < pattern.size(); ++i) {
        switch (pattern.at(i).unicode()) {
        case '\\':
            ++i;
            if (i < pattern.size() && pattern.at(i) >= QLatin1Char('1')
                && pattern.at(i) <= QLatin1Char('9')) {
                // All its digits make the number, and the matcher's tables have a record for
                // every group up to it, whether the group exists or not.
                backReference = std::max(backReference, readNumber(pattern, i));
                --i;
            }
            add(levels.back(), item);
            break;
        case '[':
            skipClass(pattern, i);
            add(levels.back(), item);
            break;
        case '(':
            if (int(levels.size()) > maxExpressionNesting)
                return false;
            levels.emplace_back();
            break;
        case ')':
            if (levels.size() > 1) {
                const Count content = levels.back().all;
                levels.pop_back();
                add(levels.back(), { std::max<qint64>(content.items, 1), content.groups + 1 });
            } else {
                add(levels.back(), item);
            }
            break;
        case '{':
            if (const qint64 times = readBraces(pattern, i))
                repeatLast(levels.back(), times);
            else
                add(levels.back(), item);
            break;
        case '+':
            repeatLast(levels.back(), 2);
            break;
        case '*':
        case '?':
            break; // loops and options add no copies (and "(?" opens a group of its own)
        default:
            add(levels.back(), item);
            break;
        }
        const Count &all = levels.back().all;
        if (all.items > maxExpressionSize
            || all.items * std::max(all.groups, backReference) > maxExpressionGroupSize)
            return false;
    }
    return true;
}
