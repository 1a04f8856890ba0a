// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "compiledexpression.h"
#include "ruleexpression.h"

// Built in place, never copied: a copy of the library's expression allocates anew.
CompiledExpression::CompiledExpression(const QString &pattern, bool cs, bool wildcard)
    : built(ruleExpressionBuilt(pattern, wildcard))
    , expression(built ? ruleExpression(pattern, cs, wildcard) : QRegExp())
{
}

bool CompiledExpression::isValid() const { return built && expression.isValid(); }

QString CompiledExpression::errorText() const
{
    if (!built)
        return QStringLiteral("beyond the engine's safety limits");
    return expression.isValid() ? QString() : expression.errorString();
}
