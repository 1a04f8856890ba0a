// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/casetest.h"
#include "batch/d_batchreplace.h"
#include "check/cli/exitcodes.h"
#include "check/findings/lint.h"
#include "check/findings/messagetext.h"
#include "check/modes/casewalk.h"
#include "check/modes/inputfiles.h"
#include "check/writers/outputwriter.h"
#include "config/configfile.h"
#include "config/entryrules.h"

#include <vector>

CaseTestResult testCases(
    const D_RuleFileReading &reading, const QVector<ConfigFile> &caseFiles, int firstFile)
{
    const QVector<FileEntry> &entries = reading.entries();
    D_BatchReplace replace;
    addRules(replace, entries);
    CaseTestResult result;
    result.rules = entries.size();
    std::vector<bool> covered(size_t(entries.size()), false);
    QByteArray mapped;
    const auto runCase = [&](const D_CaseFile &cases, const QString &name, int file) {
        ++result.cases;
        const std::string_view string = cases.string();
        // As --stdin maps a string: its bytes decoded and the result encoded as the tool
        // keeps them.
        const int rule = replace.map(string.data(), int(string.size()), mapped);
        const std::string_view got =
            rule >= 0 ? std::string_view(mapped.constData(), size_t(mapped.size())) : string;
        if (rule >= 0)
            covered[size_t(rule)] = true;
        if (got == cases.expected()) {
            ++result.passed;
            return;
        }
        result.findings.append(findingAtLine("test-failed", name, file, cases.line(), 1,
            quotedField(string) + QLatin1String(" gives ") + quotedField(got)
                + (rule >= 0 ? QLatin1String(" by the rule at ") + reading.ruleLocation(rule)
                             : QStringLiteral(": no rule changes it"))
                + QLatin1String("; expected ") + quotedField(cases.expected())));
    };
    result.notCases = forEachCase(caseFiles, firstFile, result.findings, runCase);
    for (int i = 0; i < entries.size(); ++i) {
        if (covered[size_t(i)]) {
            ++result.coveredRules;
            continue;
        }
        result.findings.append(findingAt(reading.scan(), "rule-not-covered", reading.ruleOffset(i),
            QStringLiteral("no case is decided by this rule")));
    }
    return result;
}

QString caseTestSummary(const CaseTestResult &result)
{
    const int failed = result.cases - result.passed;
    return counted(result.cases, "case", "cases") + QLatin1String(", ")
        + QString::number(result.passed) + QLatin1String(" passed, ") + QString::number(failed)
        + QLatin1String(" failed")
        + (result.notCases ? QLatin1String(", ")
                    + counted(result.notCases, "line not a case", "lines not cases")
                           : QString())
        + QLatin1String("; the cases cover ") + QString::number(result.coveredRules)
        + QLatin1String(" of ") + counted(result.rules, "rule", "rules");
}

int runCaseTests(D_RuleFileReading &reading, const QStringList &caseFileNames,
    const QStringList &configFileNames, const FindingsFormat &format, D_OutputWriter &writer)
{
    QVector<ConfigFile> caseFiles;
    if (!loadInputFiles(caseFileNames, caseFiles, writer))
        return ExitError;
    // No case passes over rule files that the tool reads wrong or not at all.
    QVector<Finding> findings = ruleFileErrors(reading);
    const int ruleProblems = findings.size();
    const bool rulesFailed = ruleProblems > 0;
    const CaseTestResult result = testCases(reading, caseFiles, configFileNames.size());
    findings += result.findings;
    format(findings, configFileNames + caseFileNames, writer);
    // The counts of cases alone would read as a success above the failing status.
    writer.writeMessage(caseTestSummary(result)
        + (rulesFailed ? QLatin1String("; ")
                    + counted(ruleProblems, "problem of the rule files fails the run",
                        "problems of the rule files fail the run")
                       : QString())
        + QLatin1Char('\n'));
    return rulesFailed || result.passed < result.cases || result.notCases > 0 ? ExitFindings
                                                                              : ExitOk;
}
