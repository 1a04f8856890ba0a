// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RULEEXPRESSION_H
#define RULEEXPRESSION_H

#include <QRegExp>
#include <QString>

// How the engine builds the expression of a rule whose pattern is a wildcard or a regular
// expression (wildcard or regexp set); everything that builds one for a rule builds it here.
// The engines and the companion hold it as a CompiledExpression and ask that.

/// False for a regular expression beyond what the library can build without exhausting the stack
/// or memory (expressionWithinLimits): the engine takes it as invalid, builds nothing and never
/// matches. A wildcard is always built.
bool ruleExpressionBuilt(const QString &pattern, bool wildcard);

/// True for a regular expression (\a regexp set, \a wildcard not) in which RegExpTokenizer
/// reads a syntax error, or a group closed but never opened or opened but never closed, before
/// any lookahead (which the library reads otherwise): the library would build an invalid
/// expression, which never matches, so none needs to be built. False where the reading cannot
/// tell.
bool ruleExpressionInvalid(const QString &pattern, bool regexp, bool wildcard);

/// The rule's expression as the engine builds it, afresh for each use: a wildcard when
/// \a wildcard is set, which wins over regexp, a regular expression otherwise; case counts when
/// \a cs is set. Only for a pattern that ruleExpressionBuilt. What a CompiledExpression holds;
/// the fuzz targets' reference engine builds it here itself, apart from the engines it checks.
QRegExp ruleExpression(const QString &pattern, bool cs, bool wildcard);

#endif // RULEEXPRESSION_H
