// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef EDITDISTANCE_H
#define EDITDISTANCE_H

#include <QString>

/// The number of edits (a character put in, left out, changed, or two side by side swapped)
/// that make \a from into \a to: how near a mistyped option or attribute is to a known one.
int editDistance(const QString &from, const QString &to);

#endif // EDITDISTANCE_H
