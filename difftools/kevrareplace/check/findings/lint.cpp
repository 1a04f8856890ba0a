// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/lint.h"
#include "check/findings/lintdocument.h"
#include "check/findings/lintorder.h"
#include "check/findings/lintrule.h"
#include "config/rulefilenames.h"

#include <QHash>

#include <algorithm>
#include <tuple>

namespace {

// An attribute with no place: for the findings that need none.
const ScanAttribute unplaced { QString(), QString(), -1, QString(), -1, false };

void sortByLocation(QVector<Finding> &findings)
{
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
    });
}

} // namespace

// Each pass looks at one thing and appends what it finds: the start tags as the scan reaches
// them, the walk of the document, the order of the rules, each rule alone.
QVector<Finding> lintRuleFiles(D_RuleFileReading &reading)
{
    QVector<Finding> findings;
    const D_DocumentScan &scan = reading.scan();
    // The path attribute of each element that has one, by the element's index.
    QHash<int, ScanAttribute> paths;
    reading.read([&scan, &findings, &paths](int element, const QVector<ScanAttribute> &attributes) {
        lintStartTag(scan, element, attributes, findings);
        for (const ScanAttribute &attribute : attributes) {
            if (attribute.name == RuleFileNames::path)
                paths.insert(element, attribute);
        }
    });
    lintWalk(reading, findings);
    lintRuleOrder(reading, findings);
    for (int i = 0; i < reading.entries().size(); ++i)
        lintRule(reading, i, paths.value(reading.ruleElement(i), unplaced), findings);
    sortByLocation(findings);
    return findings;
}

QVector<Finding> ruleFileErrors(D_RuleFileReading &reading)
{
    // The passes that find errors; of the order of the rules, which is about warnings, only
    // no-rules, all it finds when there are none.
    QVector<Finding> findings;
    reading.read();
    lintWalk(reading, findings);
    if (reading.entries().isEmpty())
        lintRuleOrder(reading, findings);
    for (int i = 0; i < reading.entries().size(); ++i)
        lintRule(reading, i, unplaced, findings);
    findings.erase(std::remove_if(findings.begin(), findings.end(),
                       [](const Finding &finding) {
                           return finding.severity != Severity::Error
                               && finding.id != QLatin1String("no-rules");
                       }),
        findings.end());
    sortByLocation(findings);
    return findings;
}
