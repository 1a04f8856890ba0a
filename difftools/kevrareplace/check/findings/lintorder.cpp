// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Findings from the order of the rules: rules that never decide for one tried before them.

#include "check/findings/linter.h"
#include "check/findings/shadowing.h"

#include <QHash>

namespace {

// A rule's fields in one text, to find exact repeats: XML text holds no NUL.
QString ruleKey(const FileEntry &entry)
{
    return entry.path + QChar(0) + entry.replacepath + QChar(0)
        + QLatin1Char(entry.regexp ? '1' : '0') + QLatin1Char(entry.cs ? '1' : '0')
        + QLatin1Char(entry.wildcard ? '1' : '0');
}

} // namespace

void Linter::lintRules()
{
    const QVector<FileEntry> &entries = reading.entries();
    if (entries.isEmpty()) {
        add("no-rules", 0,
            QStringLiteral("the rule files give no rule: every string comes out unchanged"));
        return;
    }
    QHash<QString, int> seen;
    int changesAll = -1;
    const QVector<int> shadowing = shadowingRules(entries);
    for (int i = 0; i < entries.size(); ++i) {
        const FileEntry &entry = entries.at(i);
        const int element = reading.ruleElement(i);
        const qint64 at = element >= 0 ? scan.elements().at(element).tagStart : 0;
        if (changesAll >= 0) {
            add("unreachable-rule", at,
                QLatin1String("this rule is never tried: the rule at ")
                    + reading.ruleLocation(changesAll) + QLatin1String(" changes every string"));
        } else {
            const QString key = ruleKey(entry);
            const auto earlier = seen.constFind(key);
            if (earlier != seen.constEnd())
                add("unreachable-rule", at,
                    QLatin1String("this rule repeats the rule at ")
                        + reading.ruleLocation(earlier.value())
                        + QLatin1String(" and never decides"));
            else if (shadowing.at(i) >= 0)
                add("shadowed-rule", at,
                    QLatin1String("this rule never decides: the rule at ")
                        + reading.ruleLocation(shadowing.at(i))
                        + QLatin1String(" changes every string that this rule would change"));
            if (earlier == seen.constEnd())
                seen.insert(key, i);
        }
        lintRule(entry, at);
        if (changesAll < 0 && entry.path.isEmpty() && !entry.replacepath.isEmpty())
            changesAll = i;
    }
}
