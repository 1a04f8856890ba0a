// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef SHADOWING_H
#define SHADOWING_H

#include "config/d_replacestreamreader.h"

#include <QVector>

/// For each rule, the first earlier rule that changes every string the rule would change, so
/// that the rule never decides; -1 when none is proven. Only what holds for every string is
/// reported: the earlier rule changes every string that holds a text (or begins with it), as a
/// fixed text does that no match can be replaced by, or a wildcard or expression that matches
/// that text with nothing but "match anything" or "^" around it, or with the rest of the string
/// as a group after it, and whose replacement (before a \1 at its end, for that group) holds no
/// match of it (holderShape); and the text is in every string the later rule changes: in its
/// fixed text, or in what every match of a case-sensitive expression or wildcard holds or
/// begins with (requiredText, requiredPrefix). Earlier rules are found by the pieces of the
/// later rule's text, never by trying every pair.
QVector<int> shadowingRules(const QVector<FileEntry> &entries);

#endif // SHADOWING_H
