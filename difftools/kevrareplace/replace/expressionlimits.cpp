#include "expressionlimits.h"

#include <algorithm>
#include <vector>

namespace {

// The size of one group level so far, and of its last item, which a quantifier repeats.
struct Level
{
    qint64 size = 0;
    qint64 last = 0;
};

void addItem(Level &level, qint64 size)
{
    level.size = std::min(level.size + size, maxExpressionSize + 1);
    level.last = size;
}

// Repeats the last item \a count times in all.
void repeatLast(Level &level, qint64 count)
{
    const qint64 copies = std::min(level.last * count, maxExpressionSize + 1);
    level.size = std::min(level.size - level.last + copies, maxExpressionSize + 1);
    level.last = copies;
}

// Reads a number at \a i, leaving \a i behind it; -1 when there are no digits.
qint64 readNumber(const QString &pattern, int &i)
{
    qint64 number = -1;
    for (; i < pattern.size() && pattern.at(i).isDigit(); ++i)
        number = std::min(std::max<qint64>(number, 0) * 10 + pattern.at(i).digitValue(),
                          maxExpressionSize + 1);
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
    std::vector<Level> levels(1);
    for (int i = 0; i < pattern.size(); ++i) {
        switch (pattern.at(i).unicode()) {
        case '\\':
            ++i;
            addItem(levels.back(), 1);
            break;
        case '[':
            skipClass(pattern, i);
            addItem(levels.back(), 1);
            break;
        case '(':
            if (int(levels.size()) > maxExpressionNesting)
                return false;
            levels.emplace_back();
            break;
        case ')':
            if (levels.size() > 1) {
                const qint64 group = std::max<qint64>(levels.back().size, 1);
                levels.pop_back();
                addItem(levels.back(), group);
            } else {
                addItem(levels.back(), 1);
            }
            break;
        case '{':
            if (const qint64 count = readBraces(pattern, i))
                repeatLast(levels.back(), count);
            else
                addItem(levels.back(), 1);
            break;
        case '+':
            repeatLast(levels.back(), 2);
            break;
        case '*':
        case '?':
            break; // loops and options add no copies (and "(?" opens a group of its own)
        default:
            addItem(levels.back(), 1);
            break;
        }
        if (levels.back().size > maxExpressionSize)
            return false;
    }
    return true;
}
