// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef CASETEST_H
#define CASETEST_H

#include "check/findings/diagnostic.h"
#include "check/reading/documentscan.h"
#include "check/reading/rulefilereading.h"
#include "check/writers/findingsformat.h"

#include <QStringList>
#include <QVector>

class D_OutputWriter;

/// What the cases of some case files found of the rules of one reading.
struct CaseTestResult
{
    QVector<Finding> findings; ///< failures and lines that are not cases, then rules no case covers
    int cases = 0;
    int passed = 0;
    int notCases = 0;
    int coveredRules = 0;
    int rules = 0;
};

/// Runs every case of \a caseFiles on the rules of \a reading, which has been read, as the tool
/// would run on the case's string; a case file is located as file \a firstFile and on.
CaseTestResult testCases(
    const D_RuleFileReading &reading, const QVector<ConfigFile> &caseFiles, int firstFile);

/// The line on standard error after a test: cases, passed, failed, and the rules covered.
QString caseTestSummary(const CaseTestResult &result);

/// Opens \a caseFileNames, reads the rules of \a reading and tests them, writing by \a writer
/// the findings (in \a format, naming \a configFileNames and then the case files)
/// and the summary, after the errors of the rule files (ruleFileErrors), which the summary
/// says failed the run. Returns ExitOk when
/// every case passed, ExitFindings when the rule files have such an error, a case failed or a
/// line is not a case, ExitError when a case file cannot be opened.
int runCaseTests(D_RuleFileReading &reading, const QStringList &caseFileNames,
    const QStringList &configFileNames, const FindingsFormat &format, D_OutputWriter &writer);

#endif // CASETEST_H
