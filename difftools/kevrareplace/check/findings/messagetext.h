// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef MESSAGETEXT_H
#define MESSAGETEXT_H

#include <QString>

#include <string_view>

// Pieces of the companion's messages, written alike everywhere.

/// \a text in single quotes, as it stands, when a reader sees every character of it; else in
/// double quotes with the escapes a case file takes: \t, \n, \\, \" and \xHH for each byte of
/// a character that cannot be seen (controls, format characters such as U+200B and U+FEFF,
/// separators other than the space) or of one that is not UTF-8, \uHHHH for a lone surrogate
/// that came from no byte. Two texts that differ never give the same quote.
QString quoted(const QString &text);

/// The bytes of a case's field quoted so: bytes that are not UTF-8 as \xHH.
QString quotedField(std::string_view bytes);

/// \a number and a space before \a one when it is 1, before \a many otherwise: "1 rule",
/// "2 rules".
QString counted(qint64 number, const char *one, const char *many);

#endif // MESSAGETEXT_H
