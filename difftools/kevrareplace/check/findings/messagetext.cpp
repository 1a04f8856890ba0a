// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/messagetext.h"

QString quoted(const QString &text) { return QLatin1Char('\'') + text + QLatin1Char('\''); }

QString counted(qint64 number, const char *one, const char *many)
{
    return QString::number(number) + QLatin1Char(' ') + QLatin1String(number == 1 ? one : many);
}
