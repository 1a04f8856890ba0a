// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef OPENFAILURE_H
#define OPENFAILURE_H

#include <QString>

/// Why the file that \a name, a word of processArguments, names cannot be opened for reading,
/// asked after openConfigFile failed: "No such file or directory", "Is a directory" and
/// "Permission denied" read the same on every platform, other reasons are the system's.
QString openFailureReason(const QString &name);

#endif // OPENFAILURE_H
