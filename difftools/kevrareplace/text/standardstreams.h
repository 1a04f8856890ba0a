// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef STANDARDSTREAMS_H
#define STANDARDSTREAMS_H

// Standard input and output as bytes, for the companion's filter and output writer: what
// differs by platform, and the whole write of a block.

/// Gives each standard stream the program was started without (a closed descriptor 0, 1 or 2)
/// a stand-in that fails every read or write of it with EBADF, as the closed one does: else
/// the next file or event descriptor opened would take its number and get what is written.
/// Called first in main, before anything opens a file.
void holdClosedStandardStreams();

/// Makes standard input and output pass every byte as it is (no CRLF translation on Windows).
void setBinaryStandardStreams();

/// Reads at most \a size bytes of standard input; 0 at its end, negative with errno on failure.
int readStandardInput(char *data, int size);

/// Writes at most \a size bytes to standard output; the count written, or negative with errno.
int writeStandardOutput(const char *data, int size);

/// Writes the \a size bytes at \a data whole to standard output, unbuffered; false, with errno
/// telling why, when they did not get there.
bool writeStandardOutputBlock(const char *data, int size);

/// True where a carriage return before a line's newline belongs to the line end (Windows):
/// the string goes without it, and its record ends with the same CRLF.
bool carriageReturnEndsLine();

#endif // STANDARDSTREAMS_H
