// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RULEFILECHECK_H
#define RULEFILECHECK_H

#include "check/findings/diagnostic.h"
#include "check/writers/findingsformat.h"

#include <QString>
#include <QStringList>
#include <QVector>

class D_OutputWriter;
class D_RuleFileReading;

/// The line on standard error after a check: the rules read and the findings by severity,
/// notes only when there are some.
QString findingsSummary(const QVector<Finding> &findings, int rules);

/// Reports the problems of the rule files of \a reading, which names them \a fileNames: the
/// findings by \a writer in \a format, then the summary. Returns ExitFindings when an error or a
/// warning is found, else ExitOk.
int checkRuleFiles(D_RuleFileReading &reading, const QStringList &fileNames,
    const FindingsFormat &format, D_OutputWriter &writer);

#endif // RULEFILECHECK_H
