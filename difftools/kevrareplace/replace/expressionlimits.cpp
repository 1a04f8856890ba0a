// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "expressionlimits.h"
#include "expressionpart.h"
#include "regexptokenizer.h"

#include <algorithm>

// The estimate reads a pattern with the tokenizer, and follows the library's parser's steps,
// counting instead of building. What it follows, besides the tokenizer's reading:
// - A syntax error does not stop the build: the rest is read and built.
// - A repetition of m to n is built from max(m, n) copies of what it repeats (m when open-ended),
//   each read anew, so sizes multiply as repetitions nest. A second quantifier repeats nothing.
// - A lookahead is built as an expression of its own from there to the end of the pattern, up
//   to the first parenthesis it does not open. When that one has an error, the enclosing
//   expression reads the lookahead's content once more itself.
// - A stray ")" ends the whole pattern: nothing after it is built.
// - Past 13 lookaheads in one expression, each further one is an error, and the library keeps
//   the expression it built for it nowhere, nor frees it: such a pattern is taken as invalid at
//   once, which is what the library makes of it too, without the memory it would lose.

namespace {

// An expression of its own, as a lookahead is, takes memory and time for so many items and
// pieces of work before it holds any item.
constexpr qint64 expressionItems = 32;
constexpr qint64 expressionWork = 64;
constexpr qint64 maxLookaheads = 13;

using Token = RegExpToken;
constexpr int noUpperBound = regExpNoUpperBound;
using Part = ExpressionPart;

// What all the expressions built for one pattern take together.
struct Totals
{
    qint64 items = 0;
    qint64 work = 0;
    qint64 tables = 0;
    int depth = 0;
    bool stop = false;
};

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
    void join(Part &left, const Part &right) { joinParts(left, right, totals.work); }
    void loop(const Part &part) { loopPart(part, totals.work); }

    RegExpTokenizer reader;
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
        : cappedSum(std::max(captures, backReference), otherCaptures);
    totals.tables = cappedSum(totals.tables, cappedProduct(items, records));
    if (totals.tables > maxExpressionGroupSize)
        totals.stop = true;
    return reader.error ? -1 : reader.tokenStart - from;
}

// Past a limit every expression reads to its end at once.
void Expression::read()
{
    totals.work = cappedSum(totals.work, 1);
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
        alternateParts(part, right, totals.work);
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
        otherCaptures = cappedSum(otherCaptures, ownCaptures);
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
    const auto grown = [more](qint64 now, qint64 then) {
        return cappedSum(now, cappedProduct(now - then, more));
    };
    totals.items = grown(totals.items, before.items);
    totals.work = grown(totals.work, before.work);
    totals.tables = grown(totals.tables, before.tables);
    items = grown(items, itemsBefore);
    otherCaptures = grown(otherCaptures, otherCapturesBefore);
    lookaheads = grown(lookaheads, lookaheadsBefore);
    if (lookaheads > maxLookaheads)
        totals.stop = true;
    otherCaptures = cappedSum(otherCaptures, ownCaptures + 1);

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
        addItem(part, cappedSum(1, reader.ranges));
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
        if (reader.number > regExpMaxBackReferences)
            reader.error = true;
        addItem(part, 1);
        part = { 1, 1, true, reader.number <= regExpMaxBackReferences ? 1 : 0 };
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
    totals.items = cappedSum(totals.items, expressionItems);
    totals.work = cappedSum(totals.work, expressionWork);
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
    items = cappedSum(items, 1);
    totals.items = cappedSum(totals.items, weight);
    part = { 1, 1, false, 0 };
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
