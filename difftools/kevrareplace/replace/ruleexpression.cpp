// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "ruleexpression.h"
#include "expressionlimits.h"

bool ruleExpressionBuilt(const QString &pattern, bool wildcard)
{
    return wildcard || expressionWithinLimits(pattern);
}

QRegExp ruleExpression(const QString &pattern, bool cs, bool wildcard)
{
    return QRegExp(pattern, cs ? Qt::CaseSensitive : Qt::CaseInsensitive,
        wildcard ? QRegExp::Wildcard : QRegExp::RegExp2);
}
