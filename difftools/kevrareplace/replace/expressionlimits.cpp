// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "expressionlimits.h"

#include <QChar>

#include <algorithm>

// The estimate reads a pattern token by token as QRegExp 5.15 reads RegExp2 syntax, and follows
// its parser's steps, counting instead of building. What it follows:
// - A syntax error does not stop the build: it is noted and the rest is read and built.
// - "{" always starts a repetition. A missing count reads as 0 ("{}", "{,n}"), a missing upper
//   bound as none ("{m,}"), and the character after the counts is taken for the closing brace
//   whatever it is (an error if it is not one). A count reaching 1025 is an error and reads on
//   from 0 as the lower bound, and as no bound as the upper one.
// - A repetition of m to n is built from max(m, n) copies of what it repeats (m when open-ended),
//   each read anew, so sizes multiply as repetitions nest. A second quantifier repeats nothing.
// - "(?" takes the next character too: "(?:" groups without capturing, "(?=" and "(?!" are
//   lookaheads, anything else is an error read as "(?:".
// - A back-reference takes every digit after it, as a 16-bit number.
// - A lookahead is built as an expression of its own from there to the end of the pattern, up
//   to the first parenthesis it does not open. When that one has an error, the enclosing
//   expression reads the lookahead's content once more itself.
// - A stray ")" ends the whole pattern: nothing after it is built.
// - Past 13 lookaheads in one expression, each further one is an error, and the library keeps
//   the expression it built for it nowhere, nor frees it: such a pattern is taken as invalid at
//   once, which is what the library makes of it too, without the memory it would lose.

namespace {

// Counts saturate here, far past every limit, so that no product of two overflows.
constexpr qint64 cap = qint64(1) << 31;

qint64 sum(qint64 a, qint64 b) { return std::min(a + b, cap); }

qint64 product(qint64 a, qint64 b) { return std::min(a * b, cap); }

constexpr int endOfPattern = -1;

// The library's own limits.
constexpr int noUpperBound = 1025;
constexpr qint64 maxLookaheads = 13;
constexpr int maxBackReferences = 14;
// An expression of its own, as a lookahead is, takes memory and time for so many items and
// pieces of work before it holds any item.
constexpr qint64 expressionItems = 32;
constexpr qint64 expressionWork = 64;
// \d, \s, \w, their negations and the XML name classes hold at most so many ranges.
constexpr qint64 classEscapeRanges = 8;

enum class Token {
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

bool isDigit(int ch) { return ch >= '0' && ch <= '9'; }

// Reads tokens with one character of lookahead, noting errors and reading on.
struct Reader
{
    Reader(const QString &pattern, int from, bool inLookahead)
        : pattern(pattern)
        , inLookahead(inLookahead)
    {
        moveTo(from);
    }

    int next() { return pos < pattern.size() ? pattern.at(pos++).unicode() : endOfPattern; }

    void moveTo(int at)
    {
        pos = at;
        ch = next();
    }

    Token read();
    Token readEscape();
    Token readClass();
    int readCount(int missing);

    const QString &pattern;
    // Expressions built for lookaheads may read "\p{...}" as a class or as text: the library
    // leaves the choice to memory it never sets, so such a pattern's size cannot be told.
    const bool inLookahead;
    int pos = 0; // of the character after ch
    int ch = endOfPattern;
    int tokenStart = 0;
    bool error = false;
    bool unknowable = false;
    // Of the last token read.
    int minimum = 0;
    int maximum = 0;
    int number = 0;
    qint64 ranges = 0;
};

Token Reader::read()
{
    const int at = ch;
    tokenStart = pos - 1;
    minimum = 0;
    maximum = 0;
    ranges = 0;
    ch = next();
    switch (at) {
    case endOfPattern:
        tokenStart = pos;
        return Token::End;
    case '$':
        return Token::Dollar;
    case '^':
        return Token::Caret;
    case '(': {
        if (ch != '?')
            return Token::LeftParen;
        const int kind = next();
        ch = next();
        if (kind == '=' || kind == '!')
            return Token::Lookahead;
        if (kind != ':')
            error = true;
        return Token::NonCapturingParen;
    }
    case ')':
        return Token::RightParen;
    case '|':
        return Token::Bar;
    case '*':
        maximum = noUpperBound;
        return Token::Quantifier;
    case '+':
        minimum = 1;
        maximum = noUpperBound;
        return Token::Quantifier;
    case '?':
        maximum = 1;
        return Token::Quantifier;
    case '{':
        minimum = readCount(0);
        maximum = minimum;
        if (ch == ',') {
            ch = next();
            maximum = readCount(noUpperBound);
        }
        if (maximum < minimum || ch != '}')
            error = true;
        ch = next();
        return Token::Quantifier;
    case '.':
        return Token::Class;
    case '[':
        return readClass();
    case '\\':
        return readEscape();
    case ']':
    case '}':
        error = true;
        return Token::Char;
    default:
        return Token::Char;
    }
}

// A count of a repetition; \a missing when no digit follows.
int Reader::readCount(int missing)
{
    if (!isDigit(ch))
        return missing;
    int count = 0;
    do {
        count = count * 10 + (ch - '0');
        if (count >= noUpperBound) {
            error = true;
            count = missing;
        }
        ch = next();
    } while (isDigit(ch));
    return count;
}

// The escape whose character after the backslash is ch.
Token Reader::readEscape()
{
    const int at = ch;
    if (at == endOfPattern) {
        error = true;
        return Token::Char;
    }
    ch = next();
    switch (at) {
    case '0': {
        int value = 0;
        for (int digits = 0; digits < 3 && ch >= '0' && ch <= '7'; ++digits) {
            value = value * 8 + (ch - '0');
            ch = next();
        }
        if (value > 0377)
            error = true;
        return Token::Char;
    }
    case 'b':
    case 'B':
        return Token::Boundary;
    case 'd':
    case 'D':
    case 's':
    case 'S':
    case 'w':
    case 'W':
        ranges = classEscapeRanges;
        return Token::Class;
    case 'c':
    case 'C':
    case 'i':
    case 'I':
        if (!inLookahead)
            return Token::Char;
        ranges = classEscapeRanges;
        return Token::Class;
    case 'p':
    case 'P':
        if (inLookahead)
            unknowable = true;
        return Token::Char;
    case 'x':
        for (int digits = 0; digits < 4; ++digits) {
            const ushort low = QChar(ushort(ch)).toLower().unicode();
            if (!isDigit(low) && !(low >= 'a' && low <= 'f'))
                break;
            ch = next();
        }
        return Token::Char;
    default:
        break;
    }
    if (at < '1' || at > '9')
        return Token::Char;
    quint16 value = quint16(at - '0');
    for (; isDigit(ch); ch = next())
        value = quint16(value * 10 + (ch - '0'));
    number = value;
    return Token::BackReference;
}

// The class whose first character after "[" is ch. Its first member is taken even when it is
// "]", and a range or member costs the class one entry each.
Token Reader::readClass()
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
        Token member = Token::Char;
        if (ch == '\\') {
            ch = next();
            member = readEscape();
        } else {
            ch = next();
        }
        if (member == Token::Class) {
            entries = sum(entries, ranges + (rangePending ? 2 : 0));
            memberPending = rangePending = false;
        } else if (member == Token::Char) {
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
    return Token::Class;
}

// Upper bounds for what the parser builds of a part of the pattern: how many items can start
// and end a match of it, whether it matches the empty string, and how many alternatives the
// widest anchor condition on its edges holds (0 when there is none).
struct Part
{
    qint64 first = 0;
    qint64 last = 0;
    bool skippable = true;
    qint64 anchors = 0;
};

// What all the expressions built for one pattern take together.
struct Totals
{
    qint64 items = 0;
    qint64 work = 0;
    qint64 tables = 0;
    int depth = 0;
    bool stop = false;
};

// Conditions joined: every alternative of one with every alternative of the other.
qint64 joinedAnchors(qint64 a, qint64 b) { return a == 0 ? b : b == 0 ? a : product(a, b); }

// One expression as the parser builds it: the whole pattern, or a lookahead.
class Expression
{
public:
    Expression(const QString &pattern, int from, bool inLookahead, Totals &totals)
        : reader(pattern, from, inLookahead)
        , from(from)
        , totals(totals)
    {
    }

    // Where the expression ends, from its start; -1 when it has an error.
    int build();

private:
    void read();
    bool atEndOfTerm() const
    {
        return token == Token::End || token == Token::RightParen || token == Token::Bar;
    }
    void expression(Part &part);
    void term(Part &part);
    void factor(Part &part);
    void atom(Part &part);
    void lookahead(Part &part);
    void addItem(Part &part, qint64 weight);
    void join(Part &left, const Part &right);
    void loop(const Part &part);

    Reader reader;
    const int from;
    Totals &totals;
    Token token = Token::End;
    qint64 items = 0; // of this expression
    qint64 captures = 0;
    qint64 otherCaptures = 0; // kept for repetitions and non-capturing groups
    qint64 backReference = 0; // the highest number
    qint64 lookaheads = 0;
};

int Expression::build()
{
    read();
    Part middle;
    expression(middle);
    // Between a state before and one after.
    Part whole = { 1, 1, false, 0 };
    join(whole, middle);
    join(whole, { 1, 1, false, 0 });
    // Without groups or back-references the matcher keeps no records at all.
    const qint64 records = captures == 0 && backReference == 0
        ? 0
        : sum(std::max(captures, backReference), otherCaptures);
    totals.tables = sum(totals.tables, product(items, records));
    if (totals.tables > maxExpressionGroupSize)
        totals.stop = true;
    return reader.error ? -1 : reader.tokenStart - from;
}

// Past a limit every expression reads to its end at once.
void Expression::read()
{
    totals.work = sum(totals.work, 1);
    if (totals.items > maxExpressionSize || totals.work > maxExpressionWork
        || totals.tables > maxExpressionGroupSize || reader.unknowable)
        totals.stop = true;
    token = totals.stop ? Token::End : reader.read();
}

void Expression::expression(Part &part)
{
    term(part);
    while (token == Token::Bar) {
        Part right;
        read();
        term(right);
        totals.work = sum(totals.work, sum(right.first, right.last));
        part.anchors = part.skippable && right.skippable ? sum(part.anchors, right.anchors)
                                                         : std::max(part.anchors, right.anchors);
        part.first = sum(part.first, right.first);
        part.last = sum(part.last, right.last);
        part.skippable = part.skippable || right.skippable;
    }
}

void Expression::term(Part &part)
{
    if (!atEndOfTerm())
        factor(part);
    while (!atEndOfTerm()) {
        Part right;
        factor(right);
        join(part, right);
    }
}

void Expression::factor(Part &part)
{
    const bool capturing = token == Token::LeftParen;
    const bool nonCapturing = token == Token::NonCapturingParen;
    const Totals before = totals;
    const qint64 itemsBefore = items;
    const qint64 otherCapturesBefore = otherCaptures;
    const qint64 lookaheadsBefore = lookaheads;
    atom(part);
    // The group's own capture, and one for a repetition, belong to the first copy alone.
    captures += capturing ? 1 : 0;
    const qint64 ownCaptures = nonCapturing ? 1 : 0;
    if (token != Token::Quantifier) {
        otherCaptures = sum(otherCaptures, ownCaptures);
        return;
    }
    const int minimum = reader.minimum;
    const int maximum = reader.maximum;
    const Part copy = part;
    if (maximum == noUpperBound)
        loop(part);
    else if (maximum == 0)
        part = Part();
    if (minimum == 0)
        part.skippable = true;

    // The copies after the first are read anew, and each builds what the first one built,
    // but captures nothing of its own.
    const qint64 required = minimum == 0 ? 0 : minimum - 1;
    const qint64 optional =
        maximum == noUpperBound ? 0 : std::max<qint64>(maximum - (required + 1), 0);
    const qint64 more = required + optional;
    const auto grown = [more](
                           qint64 now, qint64 then) { return sum(now, product(now - then, more)); };
    totals.items = grown(totals.items, before.items);
    totals.work = grown(totals.work, before.work);
    totals.tables = grown(totals.tables, before.tables);
    items = grown(items, itemsBefore);
    otherCaptures = grown(otherCaptures, otherCapturesBefore);
    lookaheads = grown(lookaheads, lookaheadsBefore);
    if (lookaheads > maxLookaheads)
        totals.stop = true;
    otherCaptures = sum(otherCaptures, ownCaptures + 1);

    // Optional copies nest, each skippable with all after it; required ones precede them, and
    // the first copy comes last.
    Part chain;
    for (qint64 i = 0; i < optional; ++i) {
        Part left = copy;
        join(left, chain);
        left.skippable = true;
        chain = left;
    }
    for (qint64 i = 0; i < required; ++i) {
        Part left = copy;
        join(left, chain);
        chain = left;
    }
    join(chain, part);
    part = chain;
    read();
}

void Expression::atom(Part &part)
{
    switch (token) {
    case Token::Char:
        addItem(part, 1);
        break;
    case Token::Class:
        addItem(part, sum(1, reader.ranges));
        break;
    case Token::BackReference:
        backReference = std::max<qint64>(backReference, reader.number);
        // Beyond the library's limit a back-reference is an error. The one that first raises
        // the highest number builds no item, but every later one does, the copies of a
        // repetition too, while the matcher's tables grow with that number: counted as an
        // item always. With a number of 0 (a 16-bit overflow) the matcher would read before
        // its tables.
        if (reader.number == 0)
            totals.stop = true;
        if (reader.number > maxBackReferences)
            reader.error = true;
        addItem(part, 1);
        part = { 1, 1, true, reader.number <= maxBackReferences ? 1 : 0 };
        break;
    case Token::Dollar:
    case Token::Caret:
    case Token::Boundary:
        part.anchors = std::max<qint64>(part.anchors, 1);
        break;
    case Token::Lookahead:
        lookahead(part);
        break;
    case Token::LeftParen:
    case Token::NonCapturingParen:
        if (++totals.depth > maxExpressionNesting) {
            totals.stop = true;
            break;
        }
        read();
        expression(part);
        if (token != Token::RightParen)
            reader.error = true;
        --totals.depth;
        break;
    default: // a quantifier with nothing to repeat
        reader.error = true;
        break;
    }
    read();
}

void Expression::lookahead(Part &part)
{
    if (++totals.depth > maxExpressionNesting) {
        totals.stop = true;
        return;
    }
    // It starts at the character looked at, which is the last one at the end of the pattern.
    const int start = reader.pos - 1;
    totals.items = sum(totals.items, expressionItems);
    totals.work = sum(totals.work, expressionWork);
    const int length = Expression(reader.pattern, start, true, totals).build();
    if (length > 0)
        reader.moveTo(start + length);
    else if (length < 0)
        reader.error = true;
    if (++lookaheads > maxLookaheads)
        totals.stop = true;
    part.anchors = std::max<qint64>(part.anchors, 1);
    read();
    if (token != Token::RightParen)
        reader.error = true;
    --totals.depth;
}

void Expression::addItem(Part &part, qint64 weight)
{
    items = sum(items, 1);
    totals.items = sum(totals.items, weight);
    part = { 1, 1, false, 0 };
}

// Every item that can end the left part is linked to every one that can start the right part,
// each link with the conditions of both edges.
void Expression::join(Part &left, const Part &right)
{
    const qint64 links = product(left.last, right.first);
    const qint64 anchors = joinedAnchors(left.anchors, right.anchors);
    totals.work =
        sum(totals.work, std::max<qint64>(product(links, std::max<qint64>(anchors, 1)), 1));
    Part joined;
    joined.first = left.skippable ? sum(left.first, right.first) : left.first;
    joined.last = right.skippable ? sum(left.last, right.last) : right.last;
    joined.skippable = left.skippable && right.skippable;
    joined.anchors =
        left.skippable || right.skippable ? anchors : std::max(left.anchors, right.anchors);
    left = joined;
}

// An open-ended repetition links the part's ends back to its starts.
void Expression::loop(const Part &part)
{
    const qint64 links = product(part.last, part.first);
    const qint64 anchors = std::max<qint64>(joinedAnchors(part.anchors, part.anchors), 1);
    totals.work = sum(totals.work, std::max<qint64>(product(links, anchors), 1));
}

} // namespace

bool expressionWithinLimits(const QString &pattern)
{
    // Without groups, counts or escapes nothing is copied, captured or read twice, and a pattern
    // this short stays within every limit however it reads: at most two items a character, and
    // fewer links than the square of its length (optional items, and alternatives on anchors).
    constexpr int shortPattern = 500;
    const auto growing = [](QChar ch) {
        return ch == QLatin1Char('(') || ch == QLatin1Char('{') || ch == QLatin1Char('\\');
    };
    if (pattern.size() <= shortPattern && std::none_of(pattern.begin(), pattern.end(), growing))
        return true;

    Totals totals;
    Expression(pattern, 0, false, totals).build();
    return !totals.stop && totals.items <= maxExpressionSize && totals.work <= maxExpressionWork
        && totals.tables <= maxExpressionGroupSize;
}
