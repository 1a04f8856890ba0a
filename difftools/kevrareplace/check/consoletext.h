// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef CONSOLETEXT_H
#define CONSOLETEXT_H

#include "text/losslesscodec.h"

#include <QByteArray>
#include <QString>

#include <cstring>

// The one place where the program's text meets the bytes of its arguments and output: bytes
// that are not UTF-8 come out as they went in, as in the tool.

/// The text of a command-line argument.
inline QString argumentText(const char *argument)
{
    return decodeLossless(argument, int(std::strlen(argument)));
}

/// The bytes that show \a text on a console or in a file.
inline QByteArray consoleBytes(const QString &text) { return encodeLossless(text); }

#endif // CONSOLETEXT_H
