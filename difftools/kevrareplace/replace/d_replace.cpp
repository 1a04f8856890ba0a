// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "d_replace.h"
#include "compiledexpression.h"
#include "qtcompat.h"
#include "requiredtext.h"
#include "ruleexpression.h"

D_Replace::D_Replace() = default;

D_Replace::~D_Replace() = default;

void D_Replace::addRule(
    const QString &pattern, const QString &substitute, bool regexp, bool cs, bool wildcard)
{
    rules.append(Rule { pattern, substitute, regexp, cs, wildcard });
}

QString D_Replace::apply(const QString &input) const
{
    int folds = -1; // whether the input holds a character that folds to ASCII, once asked
    for (const Rule &rule : rules) {
        // An expression whose matches all hold a text that the input does not (one of its
        // alternatives' texts, where it has some) leaves it as it is: passed over without being
        // built. A fixed text's own replace searches no slower.
        if (rule.regexp || rule.wildcard) {
            const QStringList required =
                requiredAlternatives(rule.pattern, rule.regexp, rule.cs, rule.wildcard);
            if (!required.isEmpty() && !rule.cs && folds < 0) {
                const QByteArray bytes = input.toUtf8();
                folds = holdsFoldingToAscii(bytes.constData(), bytes.size());
            }
            if (!mayMatch(input, required, rule.cs, folds > 0))
                continue;
            // Nor is one that the library would find invalid: it never matches.
            if (ruleExpressionInvalid(rule.pattern, rule.regexp, rule.wildcard))
                continue;
        }
        QString result = applyRule(rule, input);
        // Exact comparison, whatever the rule's case mode: a rule that only rewrites a match
        // with the same characters has changed nothing, and the next rule gets its turn.
        if (result != input)
            return result;
    }
    return input;
}

QString D_Replace::applyRule(const Rule &rule, const QString &input)
{
    QString result = input;
    if (rule.regexp || rule.wildcard) {
        const CompiledExpression expression(rule.pattern, rule.cs, rule.wildcard);
        if (expression.isValid())
            replaceExpression(result, expression.regExp(), rule.substitute);
    } else {
        result.replace(
            rule.pattern, rule.substitute, rule.cs ? Qt::CaseSensitive : Qt::CaseInsensitive);
    }
    return result;
}
