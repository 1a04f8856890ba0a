// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef COMPILEDEXPRESSION_H
#define COMPILEDEXPRESSION_H

#include <QRegExp>
#include <QString>

/// The expression of a rule whose pattern is a wildcard or a regular expression, as the engine
/// builds it (ruleexpression.h), with what the engines and the companion ask of it: whether it
/// can match, why not, and its groups.
class CompiledExpression
{
public:
    /// Builds \a pattern as a wildcard when \a wildcard is set, as a regular expression
    /// otherwise; case counts when \a cs is set. A regular expression beyond the engine's safety
    /// limits is not built at all (ruleExpressionBuilt).
    CompiledExpression(const QString &pattern, bool cs, bool wildcard);

    /// False for an expression beyond the engine's safety limits, which was not built.
    bool isBuilt() const { return built; }

    /// Whether it was built and the library reads it: only a valid expression ever matches.
    bool isValid() const;

    /// Why it is not valid: that it is beyond the engine's safety limits, or the library's
    /// error. Empty for a valid expression.
    QString errorText() const;

    /// The number of its capturing groups; only for a valid expression.
    int groupCount() const { return expression.captureCount(); }

    /// What searches and replaces; only for a valid expression.
    const QRegExp &regExp() const { return expression; }

private:
    bool built;
    QRegExp expression;
};

#endif // COMPILEDEXPRESSION_H
