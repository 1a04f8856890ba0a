// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/writers/gnuformat.h"

QString gnuFormat(const QVector<Finding> &findings)
{
    QString text;
    for (const Finding &finding : findings)
        text += finding.location + QLatin1String(": ") + severityName(finding.severity)
            + QLatin1String(": ") + finding.message + QLatin1String(" [") + finding.id
            + QLatin1String("]\n");
    return text;
}
