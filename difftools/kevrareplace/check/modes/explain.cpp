// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/explain.h"

#include "check/findings/messagetext.h"
#include "check/writers/rulesformat.h"
#include "config/entryrules.h"
#include "driver/tooloptions.h"
#include "replace/d_replace.h"
#include "replace/ruleexpression.h"

#include <QRegExp>

#include <algorithm>

namespace {

// Whether the rule finds anything in \a input, with the reason when it never can.
bool matches(const Rule &rule, const QString &input, QString &invalidReason)
{
    if (!rule.regexp && !rule.wildcard)
        return rule.pattern.isEmpty()
            || input.contains(rule.pattern, rule.cs ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (!ruleExpressionBuilt(rule.pattern, rule.wildcard)) {
        invalidReason = QStringLiteral("beyond the engine's safety limits");
        return false;
    }
    QRegExp expression = ruleExpression(rule.pattern, rule.cs, rule.wildcard);
    if (!expression.isValid()) {
        invalidReason = expression.errorString();
        return false;
    }
    return expression.indexIn(input) >= 0;
}

// The two strings with the part that differs between them in brackets.
QPair<QString, QString> marked(const QString &before, const QString &after)
{
    int prefix = 0;
    const int shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before.at(prefix) == after.at(prefix))
        ++prefix;
    int suffix = 0;
    while (suffix < shorter - prefix
        && before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    const auto mark = [prefix, suffix](const QString &text) {
        return text.left(prefix) + QLatin1Char('[')
            + text.mid(prefix, text.size() - prefix - suffix) + QLatin1Char(']')
            + text.right(suffix);
    };
    return { mark(before), mark(after) };
}

QString padded(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

} // namespace

Explanation explainString(const QVector<FileEntry> &rules, const QString &input)
{
    Explanation explanation;
    explanation.input = input;
    for (const FileEntry &entry : rules) {
        const Rule rule = ruleOf(entry);
        QString invalidReason;
        const bool found = matches(rule, input, invalidReason);
        const QString result = D_Replace::applyRule(rule, input);
        if (result != input) {
            explanation.tried.append({ RuleOutcome::Changed, QString() });
            explanation.decidingRule = explanation.tried.size() - 1;
            break;
        }
        if (!invalidReason.isEmpty())
            explanation.tried.append({ RuleOutcome::InvalidExpression, invalidReason });
        else
            explanation.tried.append(
                { found ? RuleOutcome::Unchanged : RuleOutcome::NoMatch, QString() });
    }
    // What the tool prints comes from the tool's engine, with every rule in it.
    D_Replace replace;
    addRules(replace, rules);
    explanation.result = replace.apply(input);
    return explanation;
}

QString explanationText(const Explanation &explanation, const QVector<FileEntry> &rules,
    const std::function<QString(int)> &ruleLocation)
{
    QString text = quoted(explanation.input) + QLatin1Char('\n');
    if (explanation.input.isEmpty()) {
        return text
            + QLatin1String("  kevrareplace takes no empty string: it prints \"No string to "
                            "replace specified\" and exits with 10\n");
    }
    if (isToolOption(explanation.input)) {
        return text + QLatin1String("  kevrareplace takes ") + explanation.input
            + QLatin1String(" as its option, never as its string: it does not apply the rules\n");
    }
    const int count = explanation.tried.size();
    QStringList locations;
    QStringList rulesText;
    int locationWidth = 0;
    int ruleWidth = 0;
    const int numberWidth = QString::number(std::max(count, 1)).size() + 1;
    for (int i = 0; i < count; ++i) {
        const FileEntry &entry = rules.at(i);
        locations.append(ruleLocation(i));
        rulesText.append(padded(ruleKind(entry), 8) + QLatin1Char(' ')
            + (entry.cs ? QLatin1String("cs ") : QLatin1String("ci ")) + quoted(entry.path)
            + QLatin1String(" -> ") + quoted(entry.replacepath));
        locationWidth = std::max(locationWidth, int(locations.last().size()));
        ruleWidth = std::min(std::max(ruleWidth, int(rulesText.last().size())), 60);
    }
    for (int i = 0; i < count; ++i) {
        const RuleOutcome &outcome = explanation.tried.at(i);
        QString said;
        switch (outcome.kind) {
        case RuleOutcome::NoMatch:
            said = QStringLiteral("no match");
            break;
        case RuleOutcome::Unchanged:
            said = QStringLiteral("matches, changes nothing");
            break;
        case RuleOutcome::Changed:
            said = QStringLiteral("changes the string: decides");
            break;
        case RuleOutcome::InvalidExpression:
            said = QLatin1String("invalid expression (") + outcome.detail
                + QLatin1String("): never matches");
            break;
        }
        text += QLatin1String("  ") + padded(QLatin1Char('#') + QString::number(i + 1), numberWidth)
            + QLatin1Char(' ') + padded(locations.at(i), locationWidth) + QLatin1String("  ")
            + padded(rulesText.at(i), ruleWidth) + QLatin1String("  ") + said + QLatin1Char('\n');
    }
    if (explanation.decidingRule >= 0) {
        const QPair<QString, QString> change = marked(explanation.input, explanation.result);
        const QString indent(numberWidth + 3, QLatin1Char(' '));
        text += indent + QLatin1String("from ") + change.first + QLatin1Char('\n') + indent
            + QLatin1String("to   ") + change.second + QLatin1Char('\n');
    } else {
        text += QLatin1String(rules.isEmpty() ? "  no rules: the string stays as it is\n"
                                              : "  no rule changes the string\n");
    }
    const int notTried = rules.size() - count;
    if (notTried == 1)
        text +=
            QLatin1String("  not tried: rule #") + QString::number(count + 1) + QLatin1Char('\n');
    else if (notTried > 1)
        text += QLatin1String("  not tried: rules #") + QString::number(count + 1)
            + QLatin1String(" to #") + QString::number(rules.size()) + QLatin1Char('\n');
    return text + QLatin1String("kevrareplace prints:\n") + explanation.result + QLatin1Char('\n');
}
