// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef CONSOLEOUTPUT_H
#define CONSOLEOUTPUT_H

#include <QByteArray>
#include <QString>

#include <cstdio>

/// What a text written to a standard stream is to its reader.
enum class TextRole {
    /// A result that a caller takes as it is: it comes out with exactly its characters or not
    /// at all.
    Data,
    /// A diagnostic for a person: a character the stream's encoding cannot hold may come out
    /// as '?'.
    Message
};

/// Writes \a text whole to \a stream and flushes it. On Windows a console is given the
/// characters themselves, anything else the ANSI code page's bytes, without best-fit
/// replacements; Data that the code page cannot hold exactly fails with EILSEQ before a byte
/// is written. Elsewhere the bytes are those of encodeLossless. False, with errno telling
/// why, when the text did not reach the stream whole.
bool writeText(std::FILE *stream, const QString &text, TextRole role);

/// Writes \a bytes whole to \a stream as they are and flushes it; false, with errno telling why,
/// when they did not reach the stream whole.
bool writeBytes(std::FILE *stream, const QByteArray &bytes);

/// The reason, for a message, of a failure of writeText that left \a error in errno.
QString writeFailureReason(int error);

#endif // CONSOLEOUTPUT_H
