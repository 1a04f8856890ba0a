// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef SUGGESTMODE_H
#define SUGGESTMODE_H

#include "check/findings/diagnostic.h"
#include "config/configfile.h"

class D_OutputWriter;

#include <QByteArray>
#include <QStringList>
#include <QVector>

/// What --suggest made of some case files.
struct SuggestionResult
{
    QVector<Finding> findings; ///< the cases that stop it; none when a file was made
    QByteArray ruleFile; ///< empty when a case stops it
    QString summary; ///< lines for standard error
};

/// Works out the rule file that maps the string of every case of \a caseFiles to its result.
SuggestionResult suggestFromCases(const QVector<ConfigFile> &caseFiles);

/// Opens \a caseFileNames and writes through \a writer the rule file their cases ask for on
/// standard output, the summary and the cases that stop it on standard error. Returns ExitOk
/// when the file was written, ExitFindings when a case stops it or no rule file reproduces the
/// cases, ExitError when a case file cannot be opened or the file cannot be written.
int suggestRules(const QStringList &caseFileNames, D_OutputWriter &writer);

#endif // SUGGESTMODE_H
