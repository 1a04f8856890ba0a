// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT
#pragma once

#include "config/configfile.h"

#include <QByteArray>
#include <QList>
#include <QVector>

// Small rule files for the companion's in-process tests.
using Files = QList<QByteArray>;

// The files as the companion reads them, named 1.xml, 2.xml...
inline QVector<ConfigFile> configFiles(const Files &files)
{
    QVector<ConfigFile> named;
    for (int i = 0; i < files.size(); ++i)
        named << ConfigFile { QString::number(i + 1) + QLatin1String(".xml"), files.at(i) };
    return named;
}

inline QByteArray ruleFile(const QByteArray &body)
{
    return "<?xml version=\"1.0\"?>\n<replacement>\n" + body + "</replacement>\n";
}
