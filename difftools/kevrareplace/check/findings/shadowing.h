// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef SHADOWING_H
#define SHADOWING_H

#include "config/d_replacestreamreader.h"

#include <QVector>

/// For each rule, the first earlier fixed-text rule that changes every string the rule would
/// change, so that the rule never decides; -1 when none is proven. Only what holds for every
/// string is reported: the earlier rule is a fixed text that changes every string holding its
/// pattern, and the later one a fixed text, or a case-sensitive expression or wildcard, every
/// match of which holds that pattern. Earlier rules are found by the pieces of the later
/// rule's text, never by trying every pair.
QVector<int> shadowingRules(const QVector<FileEntry> &entries);

#endif // SHADOWING_H
