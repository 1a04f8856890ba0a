// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "requiredtext.h"
#include "regexptokenizer.h"

#include <algorithm>

namespace {

// Case folding relates ASCII letters to a few other characters, and other letters to their own
// variants, in ways a byte search cannot follow.
bool breaksRun(QChar c, bool cs) { return c.isSurrogate() || (!cs && c.unicode() >= 0x80); }

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
        if (breaksRun(c, cs))
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

    // The longest run, and a fresh start for the next one.
    QString take()
    {
        end();
        QString taken;
        taken.swap(longest);
        return taken;
    }

private:
    const bool cs;
    QString current;
    QString longest;
};

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

QString fixedRuns(const QString &pattern, bool cs)
{
    if (std::none_of(pattern.begin(), pattern.end(), [cs](QChar c) { return breaksRun(c, cs); }))
        return pattern;
    Runs runs(cs);
    for (const QChar c : pattern)
        runs.add(c);
    return runs.take();
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
                return runs.take();
            runs.end();
            i = close - 1;
            break;
        }
        default:
            runs.add(c);
        }
    }
    return runs.take();
}

// Only what the pattern's top level reads as its own characters, one after the other, counts,
// alternative by alternative: groups and classes end a run, an alternative without one or a
// lookahead leaves nothing required, and so does an error anywhere, as the library may read on
// from it otherwise than the tokens tell.
QStringList expressionRuns(const QString &pattern, bool cs)
{
    QStringList alternatives;
    Runs runs(cs);
    // Ends the alternative read so far; false when it requires nothing.
    const auto endAlternative = [&] {
        alternatives.append(runs.take());
        return !alternatives.constLast().isEmpty();
    };
    RegExpTokenizer tokens(pattern, 0, false);
    int depth = 0;
    bool lastIsChar = false; // the last token was a character added to the run
    for (;;) {
        const RegExpToken token = tokens.read();
        if (tokens.error)
            return {};
        bool isChar = false;
        switch (token) {
        case RegExpToken::End:
            return depth == 0 && endAlternative() ? alternatives : QStringList();
        case RegExpToken::Char:
            isChar = depth == 0 && tokens.value != RegExpTokenizer::endOfPattern;
            if (isChar)
                runs.add(QChar(ushort(tokens.value)));
            else
                runs.end();
            break;
        case RegExpToken::Quantifier:
            if (lastIsChar)
                runs.dropLast();
            runs.end();
            break;
        case RegExpToken::LeftParen:
        case RegExpToken::NonCapturingParen:
            ++depth;
            runs.end();
            break;
        case RegExpToken::RightParen:
            // A stray one ends the pattern: the library builds nothing after it.
            if (depth == 0)
                return endAlternative() ? alternatives : QStringList();
            --depth;
            break;
        case RegExpToken::Bar:
            if (depth == 0 && !endAlternative())
                return {};
            break;
        case RegExpToken::Lookahead:
            // Read by the library as an expression of its own, from where it starts on.
            return {};
        default: // anchors, classes and back-references
            runs.end();
        }
        lastIsChar = isChar;
    }
}

// Whether \a text holds the ASCII \a run, ignoring the case of ASCII letters: a character that
// is not ASCII equals none of the run's, and none folds to one of them where the text holds no
// character that foldsToAscii.
bool holdsIgnoringAsciiCase(const QString &text, const QString &run)
{
    const auto lower = [](ushort c) { return c >= 'A' && c <= 'Z' ? ushort(c + 32) : c; };
    const QChar *chars = text.constData();
    const QChar *wanted = run.constData();
    for (int at = 0, last = text.size() - run.size(); at <= last; ++at) {
        int i = 0;
        while (i < run.size() && lower(chars[at + i].unicode()) == lower(wanted[i].unicode()))
            ++i;
        if (i == run.size())
            return true;
    }
    return false;
}

} // namespace

QStringList requiredAlternatives(const QString &pattern, bool regexp, bool cs, bool wildcard)
{
    if (wildcard || !regexp) {
        const QString run = wildcard ? wildcardRuns(pattern, cs) : fixedRuns(pattern, cs);
        return run.isEmpty() ? QStringList() : QStringList(run);
    }
    return expressionRuns(pattern, cs);
}

QString requiredText(const QString &pattern, bool regexp, bool cs, bool wildcard)
{
    const QStringList alternatives = requiredAlternatives(pattern, regexp, cs, wildcard);
    return alternatives.size() == 1 ? alternatives.constFirst() : QString();
}

bool foldsToAscii(uint code)
{
    return code == 0x130 || code == 0x131 || code == 0x17f || code == 0x212a;
}

bool holdsFoldingToAscii(const char *data, int size)
{
    // Those characters take two bytes (a first one from 0xc4 on) or three (from 0xe1 on, where
    // none is an overlong form): only such sequences are decoded.
    const auto *bytes = reinterpret_cast<const uchar *>(data);
    const auto follows = [bytes](int i) { return (bytes[i] & 0xc0) == 0x80; };
    for (int i = 0; i + 1 < size; ++i) {
        const uint first = bytes[i];
        if (first < 0xc4 || first >= 0xf0 || first == 0xe0 || !follows(i + 1))
            continue;
        uint code = ((first & 0x1fu) << 6) | (bytes[i + 1] & 0x3fu);
        if (first >= 0xe0) {
            if (i + 2 == size || !follows(i + 2))
                continue;
            code = ((first & 0x0fu) << 12) | ((bytes[i + 1] & 0x3fu) << 6) | (bytes[i + 2] & 0x3fu);
        }
        if (foldsToAscii(code))
            return true;
    }
    return false;
}

bool mayMatch(const QString &text, const QStringList &required, bool cs, bool textFolds)
{
    if (required.isEmpty() || (!cs && textFolds))
        return true;
    return std::any_of(required.begin(), required.end(), [&](const QString &run) {
        return cs ? text.contains(run, Qt::CaseSensitive) : holdsIgnoringAsciiCase(text, run);
    });
}
