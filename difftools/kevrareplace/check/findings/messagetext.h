// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef MESSAGETEXT_H
#define MESSAGETEXT_H

#include <QString>

// Pieces of the companion's messages, written alike everywhere.

/// \a text in single quotes, as it stands.
QString quoted(const QString &text);

/// \a number and a space before \a one when it is 1, before \a many otherwise: "1 rule",
/// "2 rules".
QString counted(qint64 number, const char *one, const char *many);

#endif // MESSAGETEXT_H
