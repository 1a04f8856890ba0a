// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef STDINFILTER_H
#define STDINFILTER_H

#include <QByteArray>

#include <functional>

/// Called with each string read (its bytes, without the terminator) and the output that its
/// record is appended to.
using StringRecorder = std::function<void(const char *data, int size, QByteArray &output)>;

/// Writes a block of records whole; false, with errno telling why, when it cannot.
using BlockWriter = std::function<bool(const char *data, int size)>;

/// How a filter of standard input ended.
enum class FilterEnd {
    Complete,
    InputFailed, ///< standard input could not be read; errno tells why
    OutputFailed ///< \a write failed; its owner tells why
};

/// Reads standard input to its end, split at \a terminator, handing each string to \a record
/// and writing what it appends by \a write: before each wait for input, so that a co-process
/// gets its answer, and within a block when it grows large. Where a CR before the newline
/// belongs to the line end (Windows), the string is handed over without it and its record,
/// when one is appended, ends with CRLF.
FilterEnd filterStdin(char terminator, const StringRecorder &record, const BlockWriter &write);

#endif // STDINFILTER_H
