// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/inputfiles.h"
#include "check/writers/outputwriter.h"

#include <QFile>

bool loadInputFiles(
    const QStringList &names, const char *kind, QVector<ConfigFile> &files, D_OutputWriter &writer)
{
    for (const QString &name : names) {
        QFile file;
        if (!openConfigFile(file, name)) {
            writer.writeMessage(QLatin1String("Unable to open ") + QLatin1String(kind)
                + QLatin1String(" file: ") + name + QLatin1Char('\n'));
            return false;
        }
        files.append(ConfigFile { name, file.readAll() });
    }
    return true;
}
