// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef GCCFORMAT_H
#define GCCFORMAT_H

#include "check/findings/diagnostic.h"

#include <QString>
#include <QVector>

/// The findings as lines that editors and CI read: "FILE:LINE:COLUMN: SEVERITY: MESSAGE [ID]".
QString gccFormat(const QVector<Finding> &findings);

#endif // GCCFORMAT_H
