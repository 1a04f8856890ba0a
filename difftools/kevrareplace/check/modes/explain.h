// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef EXPLAIN_H
#define EXPLAIN_H

#include "config/d_replacestreamreader.h"

#include <QString>
#include <QVector>

#include <functional>

/// What one rule did to the string it was tried on.
struct RuleOutcome
{
    enum Kind { NoMatch, Unchanged, Changed, InvalidExpression };
    Kind kind;
    QString detail; ///< the library's reason for an invalid expression
};

/// The rules the tool tries on one string, in order, and what it prints.
struct Explanation
{
    QString input;
    QVector<RuleOutcome> tried; ///< rule i of the list is tried[i]; the rest are not tried
    int decidingRule = -1;
    QString result;
};

/// Tries \a rules on \a input as the tool's engine does, one rule at a time.
Explanation explainString(const QVector<FileEntry> &rules, const QString &input);

/// The explanation as text for a person: one aligned line per rule tried, each with the
/// location \a ruleLocation gives, a before/after view of a change, the rules not tried, and
/// last the line the tool prints.
QString explanationText(const Explanation &explanation, const QVector<FileEntry> &rules,
    const std::function<QString(int)> &ruleLocation);

#endif // EXPLAIN_H
