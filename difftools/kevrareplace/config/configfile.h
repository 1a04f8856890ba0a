// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef CONFIGFILE_H
#define CONFIGFILE_H

#include <QByteArray>
#include <QString>

class QFile;

/// A rule file as named on the command line, with its bytes.
struct ConfigFile
{
    QString name;
    QByteArray bytes;
};

/// Opens \a file read-only on the file that \a name, a word of processArguments, names: on
/// Windows by its characters, elsewhere by exactly the bytes it was decoded from (see
/// losslesscodec.h). As QFile opens a file by name, it must exist and must not be a directory.
/// False when it cannot be opened.
bool openConfigFile(QFile &file, const QString &name);

#endif // CONFIGFILE_H
