// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef INPUTFILES_H
#define INPUTFILES_H

#include "config/configfile.h"

#include <QStringList>
#include <QVector>

class D_OutputWriter;

/// Reads the files \a names, rule files or case files, as the tool opens its rule files (by the
/// bytes of their names), into \a files. The first one that cannot be opened ends the run:
/// "Unable to open NAME: REASON" through \a writer, and false.
bool loadInputFiles(const QStringList &names, QVector<ConfigFile> &files, D_OutputWriter &writer);

#endif // INPUTFILES_H
