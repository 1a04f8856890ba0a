// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Findings from one rule alone: its expression, its replacement, its wildcard.

#include "check/findings/lintrule.h"
#include "check/findings/messagetext.h"
#include "check/findings/syntaxadvice.h"
#include "replace/compiledexpression.h"
#include "replace/foreignsyntax.h"
#include "replace/groupreference.h"

#include <algorithm>

namespace {

// The findings of one rule, all at the start tag that gave it.
struct RuleFindings
{
    const D_DocumentScan &scan;
    qint64 at;
    QVector<Finding> &findings;

    void add(const char *id, const QString &message)
    {
        findings.append(findingAt(scan, id, at, message));
    }
};

void lintReplacement(const FileEntry &entry, int groups, RuleFindings &out)
{
    const QString &text = entry.replacepath;
    for (int i = 0; i + 1 < text.size(); ++i) {
        const int number = groupReference(text, i);
        if (number < 1)
            continue;
        if (entry.regexp && !entry.wildcard) {
            if (number > groups) {
                out.add("missing-group",
                    quoted(text.mid(i, 2))
                        + QLatin1String(" in the replacement, but the expression has ")
                        + counted(groups, "group", "groups")
                        + QLatin1String(": it is written as it stands"));
                return;
            }
        } else {
            out.add("missing-group",
                quoted(text.mid(i, 2)) + QLatin1String(" in the replacement of a ")
                    + QLatin1String(entry.wildcard ? "wildcard" : "fixed-text")
                    + QLatin1String(" rule is written as it stands; groups are for regexp "
                                    "rules"));
            return;
        }
    }
}

void lintWildcard(const FileEntry &entry, RuleFindings &out)
{
    const QString &pattern = entry.path;
    if (pattern.startsWith(QLatin1Char('*')) || pattern.endsWith(QLatin1Char('*')))
        out.add("wildcard-swallows",
            QLatin1String("wildcard ") + quoted(pattern)
                + QLatin1String(pattern.startsWith(QLatin1Char('*'))
                        ? " begins with *: the match takes the whole start of "
                          "the string, which the replacement "
                        : " ends with *: the match takes the whole end of the "
                          "string, which the replacement ")
                + quoted(entry.replacepath) + QLatin1String(" cannot bring back"));
    if (pattern.contains(QLatin1Char('\\')))
        out.add("wildcard-escape",
            QLatin1String("wildcard ") + quoted(pattern)
                + QLatin1String(" holds a backslash, which escapes nothing: before * or ? it "
                                "matches a backslash and that character, before any other "
                                "character two backslashes, and only at the end one; use a "
                                "regexp rule or forward slashes"));
}

} // namespace

void lintRule(const D_RuleFileReading &reading, int rule, const ScanAttribute &path,
    QVector<Finding> &findings)
{
    const FileEntry &entry = reading.entries().at(rule);
    RuleFindings out { reading.scan(), reading.ruleOffset(rule), findings };
    int groups = 0;
    if (entry.wildcard && entry.regexp)
        out.add("wildcard-and-regexp",
            QStringLiteral("both wildcard and regexp are set: the pattern is a wildcard"));
    if (entry.regexp || entry.wildcard) {
        const CompiledExpression expression(entry.path, entry.cs, entry.wildcard);
        if (!expression.isBuilt()) {
            // Quoted in part: such an expression may be long.
            out.add("invalid-expression",
                QLatin1String("expression ") + quoted(entry.path.left(80)) + QLatin1String(" is ")
                    + expression.errorText() + QLatin1String(": the rule never matches"));
            return;
        }
        const ForeignSyntax foreign = foreignSyntax(entry.path, expression);
        if (foreign.kind != ForeignSyntax::None) {
            const SyntaxAdvice advice = syntaxAdvice(entry.path, foreign, expression.errorText());
            out.add(advice.id, advice.message);
            return;
        }
        if (!expression.isValid()) {
            out.add("invalid-expression",
                QLatin1String("expression ") + quoted(entry.path) + QLatin1String(" is invalid (")
                    + expression.errorText() + QLatin1String("): the rule never matches"));
            return;
        }
        if (!entry.wildcard)
            groups = expression.groupCount();
    }
    if (entry.path.isEmpty()) {
        if (entry.replacepath.isEmpty())
            out.add("no-op-rule",
                QStringLiteral("pattern and replacement are both empty: the rule never "
                               "changes a string"));
        else
            out.add("empty-pattern",
                QLatin1String("the pattern is empty: the replacement ") + quoted(entry.replacepath)
                    + QLatin1String(" goes in at every position, so this rule changes every "
                                    "string and the rules after it never decide"));
    } else if (!entry.regexp && !entry.wildcard && entry.cs && entry.path == entry.replacepath) {
        out.add("no-op-rule",
            QStringLiteral("the replacement equals the pattern: the rule never changes a "
                           "string"));
    }
    lintReplacement(entry, groups, out);
    const QString dollar =
        entry.regexp && !entry.wildcard ? dollarReference(entry.replacepath, groups) : QString();
    if (!dollar.isEmpty()) {
        const QString reference = QLatin1Char('\\') + dollar.mid(1);
        out.add("dollar-group",
            quoted(dollar) + QLatin1String(" in the replacement: the tool writes ") + quoted(dollar)
                + QLatin1String(" as it stands; a group is ") + quoted(reference));
        // The group itself where the value stands as read, else the value's start.
        const int group = path.verbatim && path.value == entry.path
            ? groupStart(entry.path, dollar.at(1).digitValue())
            : -1;
        if (path.valueOffset >= 0)
            findings.last().related.append(
                relatedAt(reading.scan(), path.valueOffset + std::max(group, 0),
                    QLatin1String(group >= 0 ? "group " : "the expression, whose group ")
                        + dollar.mid(1) + QLatin1String(" is written ") + quoted(reference)
                        + QLatin1String(" in the replacement")));
    }
    if (entry.wildcard)
        lintWildcard(entry, out);
    else if (!entry.regexp
        && (entry.path.contains(QLatin1Char('*')) || entry.path.contains(QLatin1Char('?'))))
        out.add("fixed-text-wildcard",
            QLatin1String("fixed-text pattern ") + quoted(entry.path)
                + QLatin1String(" holds * or ?, which match only themselves; set wildcard=\"1\" "
                                "for a pattern"));
}
