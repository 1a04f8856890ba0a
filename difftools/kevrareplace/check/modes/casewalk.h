// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef CASEWALK_H
#define CASEWALK_H

#include "check/findings/diagnostic.h"
#include "check/reading/casefile.h"
#include "config/configfile.h"

#include <QString>
#include <QVector>

#include <functional>

/// Handed each case of a case file: the reader standing on it, the file's name and the number
/// it is located by.
using CaseVisitor = std::function<void(const D_CaseFile &cases, const QString &fileName, int file)>;

/// Reads every line of \a caseFiles in turn, located as file \a firstFile and on: hands each
/// case to \a visit and appends a "test-syntax" finding to \a findings for each line that is
/// not a case, which --test and --suggest both refuse. Returns the number of those lines.
int forEachCase(const QVector<ConfigFile> &caseFiles, int firstFile, QVector<Finding> &findings,
    const CaseVisitor &visit);

#endif // CASEWALK_H
