// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Findings from one rule alone: its expression, its replacement, its wildcard.

#include "check/findings/linter.h"
#include "replace/expressionlimits.h"

#include <QRegExp>

void Linter::lintRule(const FileEntry &entry, qint64 at)
{
    const Qt::CaseSensitivity cs = entry.cs ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int groups = 0;
    if (entry.wildcard && entry.regexp)
        add("wildcard-and-regexp", at,
            QStringLiteral("both wildcard and regexp are set: the pattern is a wildcard"));
    if (entry.regexp || entry.wildcard) {
        if (!entry.wildcard && !expressionWithinLimits(entry.path)) {
            add("invalid-expression", at,
                QLatin1String("expression ") + quoted(entry.path.left(80))
                    + QLatin1String(" is beyond the engine's safety limits: the rule never "
                                    "matches"));
            return;
        }
        const QRegExp expression(
            entry.path, cs, entry.wildcard ? QRegExp::Wildcard : QRegExp::RegExp2);
        if (!expression.isValid()) {
            add("invalid-expression", at,
                QLatin1String("expression ") + quoted(entry.path) + QLatin1String(" is invalid (")
                    + expression.errorString() + QLatin1String("): the rule never matches"));
            return;
        }
        if (!entry.wildcard)
            groups = expression.captureCount();
    }
    if (entry.path.isEmpty()) {
        if (entry.replacepath.isEmpty())
            add("no-op-rule", at,
                QStringLiteral("pattern and replacement are both empty: the rule never "
                               "changes a string"));
        else
            add("empty-pattern", at,
                QLatin1String("the pattern is empty: the replacement ") + quoted(entry.replacepath)
                    + QLatin1String(" goes in at every position, so this rule changes every "
                                    "string and the rules after it never decide"));
    } else if (!entry.regexp && !entry.wildcard && entry.cs && entry.path == entry.replacepath) {
        add("no-op-rule", at,
            QStringLiteral("the replacement equals the pattern: the rule never changes a "
                           "string"));
    }
    lintReplacement(entry, groups, at);
    if (entry.wildcard)
        lintWildcard(entry, at);
    else if (!entry.regexp
        && (entry.path.contains(QLatin1Char('*')) || entry.path.contains(QLatin1Char('?'))))
        add("fixed-text-wildcard", at,
            QLatin1String("fixed-text pattern ") + quoted(entry.path)
                + QLatin1String(" holds * or ?, which match only themselves; set wildcard=\"1\" "
                                "for a pattern"));
}

void Linter::lintReplacement(const FileEntry &entry, int groups, qint64 at)
{
    const QString &text = entry.replacepath;
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\\'))
            continue;
        const int number = text.at(i + 1).digitValue();
        if (number < 1)
            continue;
        if (entry.regexp && !entry.wildcard) {
            if (number > groups) {
                add("missing-group", at,
                    quoted(text.mid(i, 2))
                        + QLatin1String(" in the replacement, but the "
                                        "expression has ")
                        + QString::number(groups)
                        + QLatin1String(groups == 1 ? " group" : " groups")
                        + QLatin1String(": it is written as it stands"));
                return;
            }
        } else {
            add("missing-group", at,
                quoted(text.mid(i, 2)) + QLatin1String(" in the replacement of a ")
                    + QLatin1String(entry.wildcard ? "wildcard" : "fixed-text")
                    + QLatin1String(" rule is written as it stands; groups are for regexp "
                                    "rules"));
            return;
        }
    }
}

void Linter::lintWildcard(const FileEntry &entry, qint64 at)
{
    const QString &pattern = entry.path;
    if (pattern.startsWith(QLatin1Char('*')) || pattern.endsWith(QLatin1Char('*')))
        add("wildcard-swallows", at,
            QLatin1String("wildcard ") + quoted(pattern)
                + QLatin1String(pattern.startsWith(QLatin1Char('*'))
                        ? " begins with *: the match takes the whole start of "
                          "the string, which the replacement "
                        : " ends with *: the match takes the whole end of the "
                          "string, which the replacement ")
                + quoted(entry.replacepath) + QLatin1String(" cannot bring back"));
    if (pattern.contains(QLatin1Char('\\')))
        add("wildcard-escape", at,
            QLatin1String("wildcard ") + quoted(pattern)
                + QLatin1String(" holds a backslash, which escapes nothing: before * or ? it "
                                "matches a backslash and that character, before any other "
                                "character two backslashes, and only at the end one; use a "
                                "regexp rule or forward slashes"));
}
