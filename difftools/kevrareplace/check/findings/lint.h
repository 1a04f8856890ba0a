// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef LINT_H
#define LINT_H

#include "check/findings/diagnostic.h"
#include "check/reading/rulefilereading.h"

#include <QVector>

/// Reads the rule files of \a reading and returns what an author should hear about them,
/// in the order of their locations.
QVector<Finding> lintRuleFiles(D_RuleFileReading &reading);

/// Reads the rule files of \a reading and returns the findings of lintRuleFiles that leave no
/// rules to trust: its errors, and no-rules when no rule is read.
QVector<Finding> ruleFileErrors(D_RuleFileReading &reading);

#endif // LINT_H
