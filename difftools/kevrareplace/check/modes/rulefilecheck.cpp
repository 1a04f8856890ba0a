// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/rulefilecheck.h"
#include "check/cli/exitcodes.h"
#include "check/findings/lint.h"
#include "check/findings/messagetext.h"
#include "check/reading/rulefilereading.h"
#include "check/writers/outputwriter.h"

#include <algorithm>

namespace {

int countOf(const QVector<Finding> &findings, Severity severity)
{
    return int(std::count_if(findings.begin(), findings.end(),
        [severity](const Finding &finding) { return finding.severity == severity; }));
}

} // namespace

QString findingsSummary(const QVector<Finding> &findings, int rules)
{
    const int notes = countOf(findings, Severity::Note);
    return counted(rules, "rule read", "rules read") + QLatin1String(", ")
        + counted(countOf(findings, Severity::Error), "error", "errors") + QLatin1String(", ")
        + counted(countOf(findings, Severity::Warning), "warning", "warnings")
        + (notes ? QLatin1String(", ") + counted(notes, "note", "notes") : QString());
}

int checkRuleFiles(D_RuleFileReading &reading, const QStringList &fileNames,
    const FindingsFormat &format, D_OutputWriter &writer)
{
    const QVector<Finding> findings = lintRuleFiles(reading);
    format(findings, fileNames, writer);
    writer.writeMessage(findingsSummary(findings, reading.entries().size()) + QLatin1Char('\n'));
    const bool found = std::any_of(findings.begin(), findings.end(),
        [](const Finding &finding) { return finding.severity != Severity::Note; });
    return found ? ExitFindings : ExitOk;
}
