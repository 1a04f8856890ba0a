// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef D_BATCHREPLACE_H
#define D_BATCHREPLACE_H

#include "d_pieceindex.h"
#include "replace/d_replace.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class CompiledExpression;
class QStringMatcher;

/// Rewrites many strings, each as D_Replace::apply does, trying on each string only the rules
/// that can match it: a rule is tried where a piece of text that all its matches contain
/// occurs in the string's bytes, and applied only where a search finds a match. Expressions
/// are built when a string first needs them, once.
class D_BatchReplace
{
public:
    D_BatchReplace();
    virtual ~D_BatchReplace();

    D_BatchReplace(const D_BatchReplace &) = delete;
    D_BatchReplace &operator=(const D_BatchReplace &) = delete;

    /// Appends a rule; the rules are tried in the order they were added.
    void addRule(
        const QString &pattern, const QString &substitute, bool regexp, bool cs, bool wildcard);

    /// The number (from 0, in the order of addRule) of the first rule that changes the string
    /// decodeLossless makes of the \a size bytes at \a data, setting \a result to the bytes
    /// encodeLossless makes of what the rule makes of it; -1 when no rule changes it (\a result
    /// then holds nothing of use).
    int map(const char *data, int size, QByteArray &result);

    /// The number of the first rule that changes \a input, setting \a result to what it makes of
    /// it; -1 when no rule changes it (\a result then holds nothing of use).
    int map(const QString &input, QString &result);

    /// Returns \a input rewritten as D_Replace::apply rewrites it.
    QString apply(const QString &input);

private:
    struct Entry;

    void prepare();
    int decide(
        const char *data, int size, const QString *given, QString &result, QByteArray *bytes);
    bool canMatch(Entry &entry);
    bool changes(Entry &entry, const QString &text, QString &result);

    std::vector<Entry> rules;
    bool prepared = false;
    D_PieceIndex index; // by their pieces in lower case
    std::vector<int> ciIndexed; // the case-insensitive rules of the index
    std::vector<int> unindexed; // tried on every string
    bool anyCiPiece = false;

    // Kept from string to string to spare allocations.
    std::vector<int> candidates;
    QByteArray lowered;
};

#endif // D_BATCHREPLACE_H
