// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef BATCHRULES_H
#define BATCHRULES_H

#include "check/reading/documentscan.h"
#include "config/d_replacestreamreader.h"

#include <QByteArray>
#include <QVector>

class D_BatchReplace;

/// Reads the rules of the joined \a files as the tool does and adds them to \a replace; with
/// \a locations, also appends the "FILE:LINE:COLUMN" of each rule's element. Returns the rules.
QVector<FileEntry> readRules(
    const QVector<ConfigFile> &files, D_BatchReplace &replace, QVector<QByteArray> *locations);

#endif // BATCHRULES_H
