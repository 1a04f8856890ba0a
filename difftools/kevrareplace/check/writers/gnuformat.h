// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef GNUFORMAT_H
#define GNUFORMAT_H

#include "check/findings/diagnostic.h"

#include <QString>
#include <QVector>

/// The findings as lines that editors and CI read: "FILE:LINE:COLUMN: SEVERITY: MESSAGE [ID]".
QString gnuFormat(const QVector<Finding> &findings);

#endif // GNUFORMAT_H
