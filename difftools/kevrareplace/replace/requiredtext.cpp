// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "requiredtext.h"

namespace {

// Collects runs of characters that a match must contain in sequence, keeping the longest.
class Runs
{
public:
    explicit Runs(bool cs)
        : cs(cs)
    {
    }

    void add(QChar c)
    {
        // Case folding relates ASCII letters to a few other characters, and other letters to
        // their own variants, in ways a byte search cannot follow.
        if (c.isSurrogate() || (!cs && c.unicode() >= 0x80))
            end();
        else
            current += c;
    }

    // The last character added is optional or repeated after all.
    void dropLast()
    {
        current.chop(1);
        end();
    }

    void end()
    {
        if (current.size() > longest.size())
            longest = current;
        current.clear();
    }

    QString result()
    {
        end();
        return longest;
    }

private:
    const bool cs;
    QString current;
    QString longest;
};

bool isAsciiAlnum(QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); }

// The index just past the class whose '[' is at \a i, or -1 when it does not close or holds a
// bracket that could open something of its own.
int skipClass(const QString &pattern, int i)
{
    ++i;
    if (i < pattern.size() && pattern.at(i) == QLatin1Char('^'))
        ++i;
    if (i < pattern.size() && pattern.at(i) == QLatin1Char(']'))
        ++i; // a bracket right at the start is one of the class
    for (; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char(']'))
            return i + 1;
        if (c == QLatin1Char('['))
            return -1;
        if (c == QLatin1Char('\\'))
            ++i;
    }
    return -1;
}

// The index just past the group whose '(' is at \a i, or -1 when it does not close.
int skipGroup(const QString &pattern, int i)
{
    int depth = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('[')) {
            i = skipClass(pattern, i);
            if (i < 0)
                return -1;
            continue;
        }
        if (c == QLatin1Char('\\'))
            ++i;
        else if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')') && --depth == 0)
            return i + 1;
        ++i;
    }
    return -1;
}

// An alternative at the top level lets a match do without any one piece of the pattern.
bool hasTopLevelAlternative(const QString &pattern)
{
    int i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('|'))
            return true;
        if (c == QLatin1Char('['))
            i = skipClass(pattern, i);
        else if (c == QLatin1Char('('))
            i = skipGroup(pattern, i);
        else
            i += c == QLatin1Char('\\') ? 2 : 1;
        if (i < 0)
            return false; // never valid: it matches nothing
    }
    return false;
}

QString fixedRuns(const QString &pattern, bool cs)
{
    Runs runs(cs);
    for (const QChar c : pattern)
        runs.add(c);
    return runs.result();
}

QString wildcardRuns(const QString &pattern, bool cs)
{
    Runs runs(cs);
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        switch (c.unicode()) {
        case '*':
        case '?':
        case ']':
            runs.end();
            break;
        case '\\':
            // Matches one or two backslashes, depending on what follows.
            runs.end();
            ++i;
            break;
        case '[': {
            // A set that starts with ']' is read differently by the conversion to an
            // expression and by the expression itself: trust nothing after it.
            const int close = skipClass(pattern, i);
            const int first =
                i + 1 + (i + 1 < pattern.size() && pattern.at(i + 1) == QLatin1Char('^'));
            if (close < 0 || (first < pattern.size() && pattern.at(first) == QLatin1Char(']')))
                return runs.result();
            runs.end();
            i = close - 1;
            break;
        }
        default:
            runs.add(c);
        }
    }
    return runs.result();
}

QString expressionRuns(const QString &pattern, bool cs)
{
    if (hasTopLevelAlternative(pattern))
        return QString();
    Runs runs(cs);
    bool lastIsChar = false; // the last token was a character added to the run
    int i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        bool isChar = false;
        switch (c.unicode()) {
        case '\\':
            if (i + 1 == pattern.size())
                return runs.result();
            if (pattern.at(i + 1).unicode() < 0x80 && !pattern.at(i + 1).isLetterOrNumber()) {
                runs.add(pattern.at(i + 1));
                isChar = true;
                i += 2;
            } else {
                // Classes, assertions, back-references and character codes: what follows a
                // letter or digit may belong to it.
                runs.end();
                i += 2;
                while (i < pattern.size() && isAsciiAlnum(pattern.at(i)))
                    ++i;
            }
            break;
        case '[':
            runs.end();
            i = skipClass(pattern, i);
            break;
        case '(':
            runs.end();
            i = skipGroup(pattern, i);
            break;
        case '*':
        case '?':
        case '+':
            if (lastIsChar)
                runs.dropLast();
            runs.end();
            ++i;
            break;
        case '{':
            if (lastIsChar)
                runs.dropLast();
            runs.end();
            i = pattern.indexOf(QLatin1Char('}'), i);
            if (i >= 0)
                ++i;
            break;
        case '.':
        case '^':
        case '$':
        case ')':
        case ']':
        case '}':
            runs.end();
            ++i;
            break;
        default:
            runs.add(c);
            isChar = true;
            ++i;
        }
        if (i < 0)
            return runs.result();
        lastIsChar = isChar;
    }
    return runs.result();
}

} // namespace

QString requiredText(const QString &pattern, bool regexp, bool cs, bool wildcard)
{
    if (wildcard)
        return wildcardRuns(pattern, cs);
    if (regexp)
        return expressionRuns(pattern, cs);
    return fixedRuns(pattern, cs);
}
