// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "d_batchreplace.h"
#include "expressionlimits.h"
#include "qtcompat.h"
#include "requiredtext.h"
#include "text/losslesscodec.h"

#include <QRegExp>
#include <QStringMatcher>

#include <algorithm>
#include <string_view>

struct D_BatchReplace::Entry
{
    Rule rule;
    // Bytes that every match contains (in lower case for a case-insensitive rule); empty when
    // none are known.
    QByteArray piece;
    bool neverMatches = false;
    std::unique_ptr<QRegExp> expression;
    std::unique_ptr<QStringMatcher> matcher;
};

namespace {

// Case folding maps U+0130, U+0131, U+017F and U+212A to or from ASCII letters: in a string
// that holds one, a case-insensitive rule may match where its piece's bytes do not occur.
bool foldsToAscii(const char *data, int size)
{
    const auto *bytes = reinterpret_cast<const uchar *>(data);
    for (int i = 0; i + 1 < size; ++i) {
        if (bytes[i] < 0xc4)
            continue;
        if ((bytes[i] == 0xc4 && (bytes[i + 1] == 0xb0 || bytes[i + 1] == 0xb1))
            || (bytes[i] == 0xc5 && bytes[i + 1] == 0xbf)
            || (bytes[i] == 0xe2 && i + 2 < size && bytes[i + 1] == 0x84 && bytes[i + 2] == 0xaa))
            return true;
    }
    return false;
}

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
    rules.push_back(Entry { Rule { pattern, substitute, regexp, cs, wildcard }, QByteArray(), false,
        nullptr, nullptr });
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

int D_BatchReplace::map(const char *data, int size, QString &result)
{
    return decide(data, size, nullptr, result);
}

QString D_BatchReplace::apply(const QString &input)
{
    // The bytes only steer the search: lone surrogates, which UTF-8 cannot hold, are in no piece.
    const QByteArray bytes = input.toUtf8();
    QString result;
    return decide(bytes.constData(), bytes.size(), &input, result) < 0 ? input : result;
}

int D_BatchReplace::decide(const char *data, int size, const QString *given, QString &result)
{
    if (!prepared)
        prepare();
    candidates.clear();
    toAsciiLower(data, size, lowered);
    index.collect(lowered.constData(), size, candidates);
    const bool folds = anyCiPiece && foldsToAscii(data, size);
    if (folds)
        candidates.insert(candidates.end(), ciIndexed.begin(), ciIndexed.end());
    candidates.insert(candidates.end(), unindexed.begin(), unindexed.end());
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    QString decoded;
    const QString *text = given;
    for (const int i : candidates) {
        Entry &entry = rules[size_t(i)];
        if (!entry.piece.isEmpty() && (entry.rule.cs || !folds)
            && !holds(entry.rule.cs ? data : lowered.constData(), size, entry.piece))
            continue;
        if (!canMatch(entry))
            continue;
        if (!text) {
            decoded = decodeLossless(data, size);
            text = &decoded;
        }
        if (changes(entry, *text, result))
            return i;
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
    if (!rule.wildcard && !expressionWithinLimits(rule.pattern)) {
        entry.neverMatches = true;
        return false;
    }
    entry.expression.reset(
        new QRegExp(rule.pattern, rule.cs ? Qt::CaseSensitive : Qt::CaseInsensitive,
            rule.wildcard ? QRegExp::Wildcard : QRegExp::RegExp2));
    if (!entry.expression->isValid()) {
        entry.neverMatches = true;
        entry.expression.reset();
        return false;
    }
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
    if (entry.expression->indexIn(text) < 0)
        return false;
    result = text;
    replaceExpression(result, *entry.expression, rule.substitute);
    return result != text;
}
