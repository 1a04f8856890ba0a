// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef STDINFILTER_H
#define STDINFILTER_H

#include <QByteArray>

#include <functional>

/// Called with each string read (its bytes, without the terminator) and the output that its
/// record is appended to.
using StringRecorder = std::function<void(const char *data, int size, QByteArray &output)>;

/// Reads standard input to its end, split at \a terminator, handing each string to \a record
/// and writing what it appends to standard output: before each wait for input, so that a
/// co-process gets its answer, and within a block when it grows large. Returns false after a
/// line on standard error when input cannot be read or output cannot be written. Where a CR
/// before the newline belongs to the line end (Windows), the string is handed over without it
/// and its record, when one is appended, ends with CRLF.
bool filterStdin(char terminator, const StringRecorder &record);

#endif // STDINFILTER_H
