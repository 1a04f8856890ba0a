// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef FINDINGSFORMAT_H
#define FINDINGSFORMAT_H

#include "check/findings/diagnostic.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class D_OutputWriter;

/// Writes the findings of check mode or --test by the writer, in the format that --format
/// chose; each finding is in one of the files named (the rule files, then the case files).
using FindingsFormat = std::function<void(
    const QVector<Finding> &findings, const QStringList &fileNames, D_OutputWriter &writer)>;

/// Whether \a word names a format of --format: "gnu" or "sarif".
bool isFindingsFormat(const QString &word);

/// The format that \a word, one of --format's, names: a SARIF log of one run of \a toolVersion
/// for "sarif", else GNU lines, the default.
FindingsFormat findingsFormat(const QString &word, const QString &toolVersion);

#endif // FINDINGSFORMAT_H
