// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/lint.h"
#include "check/findings/lintdocument.h"
#include "check/findings/lintorder.h"
#include "check/findings/lintrule.h"

#include <algorithm>
#include <tuple>

// Each pass looks at one thing and appends what it finds: the start tags as the scan reaches
// them, the walk of the document, the order of the rules, each rule alone.
QVector<Finding> lintRuleFiles(D_RuleFileReading &reading)
{
    QVector<Finding> findings;
    const D_DocumentScan &scan = reading.scan();
    reading.read([&scan, &findings](int element, const QVector<ScanAttribute> &attributes) {
        lintStartTag(scan, element, attributes, findings);
    });
    lintWalk(reading, findings);
    lintRuleOrder(reading, findings);
    for (int i = 0; i < reading.entries().size(); ++i)
        lintRule(reading, i, findings);
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
    });
    return findings;
}

QVector<Finding> ruleFileErrors(D_RuleFileReading &reading)
{
    QVector<Finding> errors;
    for (const Finding &finding : lintRuleFiles(reading)) {
        if (finding.severity == Severity::Error || finding.id == QLatin1String("no-rules"))
            errors.append(finding);
    }
    return errors;
}
