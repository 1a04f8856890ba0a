// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/lintorder.h"
#include "check/findings/shadowing.h"

#include <QHash>

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
                findings.append(findingAt(scan, "shadowed-rule", at,
                    QLatin1String("this rule never decides: the rule at ")
                        + reading.ruleLocation(shadowing.at(i))
                        + QLatin1String(" changes every string that this rule would change")));
            if (earlier == seen.constEnd())
                seen.insert(entry, i);
        }
        if (changesAll < 0 && entry.path.isEmpty() && !entry.replacepath.isEmpty())
            changesAll = i;
    }
}
