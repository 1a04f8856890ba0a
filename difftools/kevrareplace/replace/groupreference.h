// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef GROUPREFERENCE_H
#define GROUPREFERENCE_H

#include <QString>

// Groups in the substitute of an expression, as QString::replace(const QRegExp &, const QString &)
// reads them: \N, one digit or two, any digit that has a value, stands for group N when there is
// one; anything else is put in as it stands.

/// The number of the group that the \ at \a at of \a substitute refers to by the digit after
/// it, 1 to 9; 0 when the character at \a at is no backslash or no such digit follows it.
int groupReference(const QString &substitute, int at);

/// Whether \a substitute refers to one of an expression's \a groups, so that it is not put in as
/// it stands.
bool refersToGroups(const QString &substitute, int groups);

#endif // GROUPREFERENCE_H
