// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef LINTORDER_H
#define LINTORDER_H

#include "check/findings/diagnostic.h"
#include "check/reading/rulefilereading.h"

#include <QVector>

/// Appends to \a findings what the order of the rules of \a reading says: rules that never
/// decide for one tried before them, and no rules at all.
void lintRuleOrder(const D_RuleFileReading &reading, QVector<Finding> &findings);

#endif // LINTORDER_H
