// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef LINTRULE_H
#define LINTRULE_H

#include "check/findings/diagnostic.h"
#include "check/reading/rulefilereading.h"

#include <QVector>

/// Appends to \a findings what rule \a rule of \a reading says alone: its expression, its
/// replacement, its wildcard. \a path is its path attribute as the scan saw it, to point at a
/// group; none when its offsets are -1.
void lintRule(const D_RuleFileReading &reading, int rule, const ScanAttribute &path,
    QVector<Finding> &findings);

#endif // LINTRULE_H
