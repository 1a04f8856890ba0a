// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef CONFIGFILE_H
#define CONFIGFILE_H

class QFile;
class QString;

/// Opens \a file read-only on the file named by exactly the bytes that \a name was decoded
/// from (see losslesscodec.h), as QFile opens a file by name: it must exist and must not be a
/// directory. False when it cannot be opened.
bool openConfigFile(QFile &file, const QString &name);

#endif // CONFIGFILE_H
