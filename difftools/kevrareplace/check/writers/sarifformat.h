// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef SARIFFORMAT_H
#define SARIFFORMAT_H

#include "check/findings/diagnostic.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

/// The findings as one SARIF 2.1.0 log of one run of \a toolVersion, locating each in the
/// file of \a fileNames that it names: a relative name against %SRCROOT%, the folder
/// \a startFolder the run started in, an absolute one as a file:// URI.
QByteArray sarifFormat(const QVector<Finding> &findings, const QStringList &fileNames,
    const QString &toolVersion, const QString &startFolder);

#endif // SARIFFORMAT_H
