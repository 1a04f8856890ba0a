// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef REFERENCEREPLACE_H
#define REFERENCEREPLACE_H

#include "replace/d_replace.h"
#include "replace/qtcompat.h"
#include "replace/ruleexpression.h"

// The rules applied one after the other with nothing passed over: each one's expression built,
// or its fixed text replaced, and the result compared with the input; the first change wins.
// What the engines under test must agree with.
inline QString referenceReplace(const QVector<Rule> &rules, const QString &input, int *decider)
{
    for (int i = 0; i < rules.size(); ++i) {
        const Rule &rule = rules.at(i);
        QString result = input;
        if (rule.regexp || rule.wildcard) {
            if (!ruleExpressionBuilt(rule.pattern, rule.wildcard))
                continue;
            replaceExpression(
                result, ruleExpression(rule.pattern, rule.cs, rule.wildcard), rule.substitute);
        } else {
            result.replace(
                rule.pattern, rule.substitute, rule.cs ? Qt::CaseSensitive : Qt::CaseInsensitive);
        }
        if (result != input) {
            *decider = i;
            return result;
        }
    }
    *decider = -1;
    return input;
}

#endif // REFERENCEREPLACE_H
