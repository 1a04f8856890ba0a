// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef CONSOLETEXT_H
#define CONSOLETEXT_H

#include <QByteArray>
#include <QString>

// The one place where the program's text meets the bytes of its arguments and output.

/// The text of a command-line argument.
inline QString argumentText(const char *argument) { return QString::fromLocal8Bit(argument); }

/// The bytes that show \a text on a console or in a file.
inline QByteArray consoleBytes(const QString &text) { return text.toLocal8Bit(); }

#endif // CONSOLETEXT_H
