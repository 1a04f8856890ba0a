// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "d_batchreplace.h"
#include "asciireplace.h"
#include "replace/compiledexpression.h"
#include "replace/groupreference.h"
#include "replace/qtcompat.h"
#include "replace/requiredtext.h"
#include "text/losslesscodec.h"
#include "text/utf8bytes.h"

#include <QList>
#include <QStringMatcher>

#include <algorithm>
#include <string_view>

struct D_BatchReplace::Entry
{
    Rule rule;
    // Bytes that every match contains (in lower case for a case-insensitive rule); empty when
    // none are known.
    QByteArray piece;
    // For a fixed-text rule, or a wildcard of plain characters and stars, whose pattern is ASCII
    // and whose substitute holds no surrogate: the pattern's texts between the stars (in lower
    // case when case is ignored) and the substitute's bytes, with which the rule is applied to a
    // string of ASCII bytes as bytes, as it would be to its text.
    std::vector<QByteArray> asciiParts;
    QByteArray asciiSubstitute;
    bool neverMatches = false;
    // For an expression: its substitute refers to none of its groups.
    bool plainSubstitute = false;
    std::unique_ptr<CompiledExpression> expression;
    std::unique_ptr<QStringMatcher> matcher;
};

namespace {

// Leaves \a data in \a lowered with ASCII letters in lower case; \a data may be lowered's own.
void toAsciiLower(const char *data, int size, QByteArray &lowered)
{
    lowered.resize(size);
    char *out = lowered.data();
    for (int i = 0; i < size; ++i) {
        const char c = data[i];
        out[i] = c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
    }
}

// What QString::replace(const QRegExp &, const QString &) makes of \a text with a substitute
// that refers to no group, without the copy of the expression it makes: the matches, each
// searched from the end of the one before (one on after an empty one), replaced in turn.
// \a expression has just found the first one at \a first. From 2047 matches on the library
// searches its own result again: false then, and \a result holds nothing of use.
bool replaceMatches(const QRegExp &expression, int first, const QString &text,
    const QString &substitute, QString &result)
{
    constexpr int libraryBatch = 2047;
    result.resize(0);
    int copied = 0;
    int count = 0;
    for (int at = first; at >= 0;) {
        if (++count == libraryBatch)
            return false;
        const int length = expression.matchedLength();
        result.append(text.constData() + copied, at - copied);
        result.append(substitute);
        copied = at + length;
        at = expression.indexIn(text, copied + (length == 0 ? 1 : 0));
    }
    result.append(text.constData() + copied, text.size() - copied);
    return true;
}

bool holds(const char *data, int size, const QByteArray &piece)
{
    return std::string_view(data, size_t(size))
               .find(std::string_view(piece.constData(), size_t(piece.size())))
        != std::string_view::npos;
}

} // namespace

D_BatchReplace::D_BatchReplace() = default;

D_BatchReplace::~D_BatchReplace() = default;

void D_BatchReplace::addRule(
    const QString &pattern, const QString &substitute, bool regexp, bool cs, bool wildcard)
{
    rules.emplace_back();
    rules.back().rule = Rule { pattern, substitute, regexp, cs, wildcard };
    prepared = false;
}

void D_BatchReplace::prepare()
{
    // One index for both case modes, by the pieces in lower case, so that a string is searched
    // once: a case-sensitive rule found that way is checked by its own bytes after.
    std::vector<std::pair<int, QByteArray>> pieces;
    unindexed.clear();
    ciIndexed.clear();
    anyCiPiece = false;
    QByteArray key;
    for (int i = 0; i < int(rules.size()); ++i) {
        Entry &entry = rules[size_t(i)];
        const Rule &rule = entry.rule;
        const QString text = requiredText(rule.pattern, rule.regexp, rule.cs, rule.wildcard);
        entry.piece = text.toUtf8();
        if (!rule.cs)
            toAsciiLower(entry.piece.constData(), entry.piece.size(), entry.piece);
        // A fixed text's piece is all of it unless a character breaks it.
        if (!rule.regexp && !rule.wildcard && !rule.pattern.isEmpty()
            && entry.piece.size() == rule.pattern.size()
            && isAscii(entry.piece.constData(), entry.piece.size())) {
            entry.asciiParts = { entry.piece };
        } else if (rule.wildcard && isStarPattern(rule.pattern)) {
            QByteArray pattern = rule.pattern.toLatin1();
            if (!rule.cs)
                toAsciiLower(pattern.constData(), pattern.size(), pattern);
            const QList<QByteArray> parts = pattern.split('*');
            entry.asciiParts.assign(parts.begin(), parts.end());
        }
        if (std::any_of(rule.substitute.begin(), rule.substitute.end(),
                [](QChar ch) { return ch.isSurrogate(); }))
            entry.asciiParts.clear();
        entry.asciiSubstitute = entry.asciiParts.empty() ? QByteArray() : rule.substitute.toUtf8();
        anyCiPiece = anyCiPiece || (!rule.cs && !entry.piece.isEmpty());
        if (entry.piece.size() < 4) {
            unindexed.push_back(i);
            continue;
        }
        toAsciiLower(entry.piece.constData(), entry.piece.size(), key);
        pieces.emplace_back(i, key);
        if (!rule.cs)
            ciIndexed.push_back(i);
    }
    index.build(pieces);
    prepared = true;
}

int D_BatchReplace::map(const char *data, int size, QByteArray &result)
{
    QString text;
    return decide(data, size, nullptr, text, &result);
}

int D_BatchReplace::map(const QString &input, QString &result)
{
    // The bytes only steer the search: lone surrogates, which UTF-8 cannot hold, are in no piece.
    const QByteArray bytes = input.toUtf8();
    return decide(bytes.constData(), bytes.size(), &input, result, nullptr);
}

QString D_BatchReplace::apply(const QString &input)
{
    QString result;
    return map(input, result) < 0 ? input : result;
}

// With \a bytes, the result is given there, as encodeLossless gives it, and a string of ASCII
// bytes is searched and changed as bytes by the rules that allow it.
int D_BatchReplace::decide(
    const char *data, int size, const QString *given, QString &result, QByteArray *bytes)
{
    if (!prepared)
        prepare();
    candidates.clear();
    toAsciiLower(data, size, lowered);
    index.collect(lowered.constData(), size, candidates);
    const bool folds = anyCiPiece && holdsFoldingToAscii(data, size);
    if (folds)
        candidates.insert(candidates.end(), ciIndexed.begin(), ciIndexed.end());
    candidates.insert(candidates.end(), unindexed.begin(), unindexed.end());
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    QString decoded;
    const QString *text = given;
    int ascii = -1; // whether the string is ASCII, once known
    for (const int i : candidates) {
        Entry &entry = rules[size_t(i)];
        if (!entry.piece.isEmpty() && (entry.rule.cs || !folds)
            && !holds(entry.rule.cs ? data : lowered.constData(), size, entry.piece))
            continue;
        if (bytes && !entry.asciiParts.empty()) {
            if (ascii < 0)
                ascii = isAscii(data, size);
            if (ascii) {
                const std::string_view searched(
                    entry.rule.cs ? data : lowered.constData(), size_t(size));
                if (replaceAscii(searched, data, entry.asciiParts, entry.asciiSubstitute, *bytes))
                    return i;
                continue;
            }
        }
        if (!canMatch(entry))
            continue;
        if (!text) {
            decoded = decodeLossless(data, size);
            text = &decoded;
        }
        if (changes(entry, *text, result)) {
            if (bytes)
                *bytes = encodeLossless(result);
            return i;
        }
    }
    return -1;
}

// Builds the expression of an expression rule the first time a string needs it; false for
// one that never matches, as D_Replace::apply takes it.
bool D_BatchReplace::canMatch(Entry &entry)
{
    const Rule &rule = entry.rule;
    if ((!rule.regexp && !rule.wildcard) || entry.expression)
        return true;
    if (entry.neverMatches)
        return false;
    entry.expression.reset(new CompiledExpression(rule.pattern, rule.cs, rule.wildcard));
    if (!entry.expression->isValid()) {
        entry.neverMatches = true;
        entry.expression.reset();
        return false;
    }
    entry.plainSubstitute = !refersToGroups(rule.substitute, entry.expression->groupCount());
    return true;
}

// What D_Replace::apply does with one rule, once a search has found that the rule matches.
bool D_BatchReplace::changes(Entry &entry, const QString &text, QString &result)
{
    const Rule &rule = entry.rule;
    const Qt::CaseSensitivity cs = rule.cs ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (!rule.regexp && !rule.wildcard) {
        if (!rule.pattern.isEmpty()) {
            if (!entry.matcher)
                entry.matcher.reset(new QStringMatcher(rule.pattern, cs));
            if (entry.matcher->indexIn(text) < 0)
                return false;
        }
        result = text;
        result.replace(rule.pattern, rule.substitute, cs);
        return result != text;
    }
    const QRegExp &expression = entry.expression->regExp();
    const int first = expression.indexIn(text);
    if (first < 0)
        return false;
    if (!entry.plainSubstitute
        || !replaceMatches(expression, first, text, rule.substitute, result)) {
        result = text;
        replaceExpression(result, expression, rule.substitute);
    }
    return result != text;
}
