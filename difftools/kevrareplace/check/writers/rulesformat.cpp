// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/writers/rulesformat.h"

QString ruleKind(const FileEntry &entry)
{
    if (entry.wildcard)
        return QStringLiteral("wildcard");
    return entry.regexp ? QStringLiteral("regexp") : QStringLiteral("fixed");
}

QString ruleRecord(const QString &location, const FileEntry &entry, bool nulTerminated)
{
    const QChar separator = nulTerminated ? QChar(0) : QLatin1Char('\t');
    const QChar end = nulTerminated ? QChar(0) : QLatin1Char('\n');
    return location + separator + ruleKind(entry) + separator
        + (entry.cs ? QLatin1String("cs") : QLatin1String("ci")) + separator + entry.path
        + separator + entry.replacepath + end;
}
