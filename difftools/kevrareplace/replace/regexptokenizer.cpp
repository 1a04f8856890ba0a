// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "regexptokenizer.h"

#include <QChar>

#include <algorithm>

namespace {

// \d, \s, \w, their negations and the XML name classes hold at most so many ranges.
constexpr qint64 classEscapeRanges = 8;

qint64 sum(qint64 a, qint64 b) { return std::min(a + b, qint64(1) << 31); }

bool isDigit(int ch) { return ch >= '0' && ch <= '9'; }

} // namespace

RegExpToken RegExpTokenizer::read()
{
    const int at = ch;
    tokenStart = pos - 1;
    minimum = 0;
    maximum = 0;
    ranges = 0;
    value = endOfPattern;
    ch = next();
    switch (at) {
    case endOfPattern:
        tokenStart = pos;
        return RegExpToken::End;
    case '$':
        return RegExpToken::Dollar;
    case '^':
        return RegExpToken::Caret;
    case '(': {
        if (ch != '?')
            return RegExpToken::LeftParen;
        const int kind = next();
        ch = next();
        if (kind == '=' || kind == '!')
            return RegExpToken::Lookahead;
        if (kind != ':')
            error = true;
        return RegExpToken::NonCapturingParen;
    }
    case ')':
        return RegExpToken::RightParen;
    case '|':
        return RegExpToken::Bar;
    case '*':
        maximum = regExpNoUpperBound;
        return RegExpToken::Quantifier;
    case '+':
        minimum = 1;
        maximum = regExpNoUpperBound;
        return RegExpToken::Quantifier;
    case '?':
        maximum = 1;
        return RegExpToken::Quantifier;
    case '{':
        minimum = readCount(0);
        maximum = minimum;
        if (ch == ',') {
            ch = next();
            maximum = readCount(regExpNoUpperBound);
        }
        if (maximum < minimum || ch != '}')
            error = true;
        ch = next();
        return RegExpToken::Quantifier;
    case '.':
        return RegExpToken::Class;
    case '[':
        return readClass();
    case '\\':
        return readEscape();
    case ']':
    case '}':
        error = true;
        return RegExpToken::Char;
    default:
        value = at;
        return RegExpToken::Char;
    }
}

// A count of a repetition; \a missing when no digit follows.
int RegExpTokenizer::readCount(int missing)
{
    if (!isDigit(ch))
        return missing;
    int count = 0;
    do {
        count = count * 10 + (ch - '0');
        if (count >= regExpNoUpperBound) {
            error = true;
            count = missing;
        }
        ch = next();
    } while (isDigit(ch));
    return count;
}

// The escape whose character after the backslash is ch.
RegExpToken RegExpTokenizer::readEscape()
{
    const int at = ch;
    if (at == endOfPattern) {
        error = true;
        return RegExpToken::Char;
    }
    ch = next();
    switch (at) {
    case '0': {
        int code = 0;
        for (int digits = 0; digits < 3 && ch >= '0' && ch <= '7'; ++digits) {
            code = code * 8 + (ch - '0');
            ch = next();
        }
        if (code > 0377)
            error = true;
        return RegExpToken::Char;
    }
    case 'b':
    case 'B':
        return RegExpToken::Boundary;
    case 'd':
    case 'D':
    case 's':
    case 'S':
    case 'w':
    case 'W':
        ranges = classEscapeRanges;
        return RegExpToken::Class;
    case 'c':
    case 'C':
    case 'i':
    case 'I':
        if (!inLookahead)
            return RegExpToken::Char;
        ranges = classEscapeRanges;
        return RegExpToken::Class;
    case 'p':
    case 'P':
        if (inLookahead)
            unknowable = true;
        return RegExpToken::Char;
    case 'x':
        for (int digits = 0; digits < 4; ++digits) {
            const ushort low = QChar(ushort(ch)).toLower().unicode();
            if (!isDigit(low) && !(low >= 'a' && low <= 'f'))
                break;
            ch = next();
        }
        return RegExpToken::Char;
    default:
        break;
    }
    if (at < '1' || at > '9') {
        // The other letters stand for control characters, or for themselves.
        if (at < 0x80 && !QChar(ushort(at)).isLetterOrNumber())
            value = at;
        return RegExpToken::Char;
    }
    quint16 reference = quint16(at - '0');
    for (; isDigit(ch); ch = next())
        reference = quint16(reference * 10 + (ch - '0'));
    number = reference;
    return RegExpToken::BackReference;
}

// The class whose first character after "[" is ch. Its first member is taken even when it is
// "]", and a range or member costs the class one entry each.
RegExpToken RegExpTokenizer::readClass()
{
    if (ch == '^')
        ch = next();
    bool memberPending = false;
    bool rangePending = false;
    qint64 entries = 0;
    do {
        if (ch == '-' && memberPending && !rangePending) {
            rangePending = true;
            ch = next();
            continue;
        }
        if (memberPending && !rangePending) {
            ++entries;
            memberPending = false;
        }
        RegExpToken member = RegExpToken::Char;
        if (ch == '\\') {
            ch = next();
            member = readEscape();
        } else {
            ch = next();
        }
        if (member == RegExpToken::Class) {
            entries = sum(entries, ranges + (rangePending ? 2 : 0));
            memberPending = rangePending = false;
        } else if (member == RegExpToken::Char) {
            if (rangePending) {
                ++entries;
                memberPending = rangePending = false;
            } else {
                memberPending = true;
            }
        } else {
            error = true; // boundaries and back-references have no place in a class
        }
    } while (ch != ']' && ch != endOfPattern);
    entries += (rangePending ? 1 : 0) + (memberPending ? 1 : 0);
    if (ch == endOfPattern)
        error = true;
    else
        ch = next();
    ranges = entries;
    return RegExpToken::Class;
}
