// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/lintorder.h"
#include "check/findings/shadowing.h"

#include <QHash>

namespace {

// The finding that rule \a rule never decides, pointing to the earlier rule \a earlier.
Finding shadowedRule(const D_RuleFileReading &reading, int rule, int earlier)
{
    Finding finding = findingAt(reading.scan(), "shadowed-rule", reading.ruleOffset(rule),
        QLatin1String("this rule never decides: the rule at ") + reading.ruleLocation(earlier)
            + QLatin1String(" changes every string that this rule would change"));
    finding.related.append(relatedAt(reading.scan(), reading.ruleOffset(earlier),
        QStringLiteral("the earlier rule that changes every string that this rule would "
                       "change")));
    return finding;
}

} // namespace

void lintRuleOrder(const D_RuleFileReading &reading, QVector<Finding> &findings)
{
    const D_DocumentScan &scan = reading.scan();
    const QVector<FileEntry> &entries = reading.entries();
    if (entries.isEmpty()) {
        findings.append(findingAt(scan, "no-rules", 0,
            QStringLiteral("the rule files give no rule: every string comes out unchanged")));
        return;
    }
    QHash<FileEntry, int> seen;
    int changesAll = -1;
    const QVector<int> shadowing = shadowingRules(entries);
    for (int i = 0; i < entries.size(); ++i) {
        const FileEntry &entry = entries.at(i);
        const qint64 at = reading.ruleOffset(i);
        if (changesAll >= 0) {
            findings.append(findingAt(scan, "unreachable-rule", at,
                QLatin1String("this rule is never tried: the rule at ")
                    + reading.ruleLocation(changesAll) + QLatin1String(" changes every string")));
        } else {
            const auto earlier = seen.constFind(entry);
            if (earlier != seen.constEnd())
                findings.append(findingAt(scan, "unreachable-rule", at,
                    QLatin1String("this rule repeats the rule at ")
                        + reading.ruleLocation(earlier.value())
                        + QLatin1String(" and never decides")));
            else if (shadowing.at(i) >= 0)
                findings.append(shadowedRule(reading, i, shadowing.at(i)));
            if (earlier == seen.constEnd())
                seen.insert(entry, i);
        }
        if (changesAll < 0 && entry.path.isEmpty() && !entry.replacepath.isEmpty())
            changesAll = i;
    }
}
