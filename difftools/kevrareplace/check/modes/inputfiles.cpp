// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/inputfiles.h"
#include "check/reading/openfailure.h"
#include "check/writers/outputwriter.h"

#include <QFile>

bool loadInputFiles(const QStringList &names, QVector<ConfigFile> &files, D_OutputWriter &writer)
{
    for (const QString &name : names) {
        QFile file;
        if (!openConfigFile(file, name)) {
            writer.writeMessage(QLatin1String("Unable to open ") + name + QLatin1String(": ")
                + openFailureReason(name) + QLatin1Char('\n'));
            return false;
        }
        files.append(ConfigFile { name, file.readAll() });
    }
    return true;
}
