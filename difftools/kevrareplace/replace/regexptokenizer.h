// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef REGEXPTOKENIZER_H
#define REGEXPTOKENIZER_H

#include <QString>

// Reads a pattern token by token as QRegExp 5.15 reads RegExp2 syntax. What it follows:
// - A syntax error does not stop the reading: it is noted and the rest is read.
// - "{" always starts a repetition. A missing count reads as 0 ("{}", "{,n}"), a missing upper
//   bound as none ("{m,}"), and the character after the counts is taken for the closing brace
//   whatever it is (an error if it is not one). A count reaching 1025 is an error and reads on
//   from 0 as the lower bound, and as no bound as the upper one.
// - "(?" takes the next character too: "(?:" groups without capturing, "(?=" and "(?!" are
//   lookaheads, anything else is an error read as "(?:".
// - A back-reference takes every digit after it, as a 16-bit number.
// - A class takes its first member even when it is "]"; boundaries and back-references in it
//   are errors.

enum class RegExpToken {
    End,
    Dollar,
    Caret,
    Boundary,
    LeftParen,
    NonCapturingParen,
    Lookahead,
    RightParen,
    Bar,
    Quantifier,
    Char,
    Class,
    BackReference
};

/// The library's own limits.
constexpr int regExpNoUpperBound = 1025;
constexpr int regExpMaxBackReferences = 14;

/// Reads tokens with one character of lookahead, noting errors and reading on.
struct RegExpTokenizer
{
    static constexpr int endOfPattern = -1;

    /// Reads \a pattern from \a from; \a inLookahead for the expression the library builds of a
    /// lookahead, which reads some escapes otherwise.
    RegExpTokenizer(const QString &pattern, int from, bool inLookahead)
        : pattern(pattern)
        , inLookahead(inLookahead)
    {
        moveTo(from);
    }

    /// Reads the next token; End, again and again, at the end of the pattern.
    RegExpToken read();

    /// Goes on reading from \a at.
    void moveTo(int at)
    {
        pos = at;
        ch = next();
    }

    const QString &pattern;
    // Expressions built for lookaheads may read "\p{...}" as a class or as text: the library
    // leaves the choice to memory it never sets, so such a pattern's reading cannot be told.
    const bool inLookahead;
    int pos = 0; // of the character after ch
    int ch = endOfPattern;
    int tokenStart = 0;
    bool error = false;
    bool unknowable = false;
    // Of the last token read: the counts of a quantifier, the number of a back-reference, the
    // ranges a class holds (at most), and the character of a Char token when it is the
    // pattern's own or an escaped ASCII punctuation character (else endOfPattern).
    int minimum = 0;
    int maximum = 0;
    int number = 0;
    qint64 ranges = 0;
    int value = endOfPattern;

private:
    int next() { return pos < pattern.size() ? pattern.at(pos++).unicode() : endOfPattern; }
    RegExpToken readEscape();
    RegExpToken readClass();
    int readCount(int missing);
};

#endif // REGEXPTOKENIZER_H
