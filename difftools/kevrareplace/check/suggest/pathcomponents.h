// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef PATHCOMPONENTS_H
#define PATHCOMPONENTS_H

#include <QString>

/// A / or a \, either of which ends a name of a path.
bool isSeparator(QChar ch);

/// Whether a prefix of \a text that is \a length long ends a name: at the end or a separator.
bool endsName(const QString &text, int length);

/// The end of the name after the boundary at \a length: the next separator or the end.
int nextNameEnd(const QString &text, int length);

/// Where \a name stands in \a text as a whole component, from \a from on; -1 when nowhere.
int componentAt(const QString &text, const QString &name, int from);

/// Where the part of \a string that a case changes into \a expected ends: after the text that
/// differs from the result, at the next separator, so that whole names change; never at 0.
int changedLength(const QString &string, const QString &expected);

#endif // PATHCOMPONENTS_H
