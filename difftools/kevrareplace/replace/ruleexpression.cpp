// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "ruleexpression.h"
#include "expressionlimits.h"
#include "regexptokenizer.h"

bool ruleExpressionBuilt(const QString &pattern, bool wildcard)
{
    return wildcard || expressionWithinLimits(pattern);
}

bool ruleExpressionInvalid(const QString &pattern, bool regexp, bool wildcard)
{
    if (wildcard || !regexp)
        return false;
    RegExpTokenizer tokens(pattern, 0, false);
    int depth = 0;
    for (;;) {
        const RegExpToken token = tokens.read();
        if (tokens.error)
            return true;
        switch (token) {
        case RegExpToken::End:
            return depth > 0; // a group left open
        case RegExpToken::Lookahead:
            return false;
        case RegExpToken::LeftParen:
        case RegExpToken::NonCapturingParen:
            ++depth;
            break;
        case RegExpToken::RightParen:
            if (depth == 0)
                return true; // a group closed that was never opened
            --depth;
            break;
        default:
            break;
        }
    }
}

QRegExp ruleExpression(const QString &pattern, bool cs, bool wildcard)
{
    return QRegExp(pattern, cs ? Qt::CaseSensitive : Qt::CaseInsensitive,
        wildcard ? QRegExp::Wildcard : QRegExp::RegExp2);
}
