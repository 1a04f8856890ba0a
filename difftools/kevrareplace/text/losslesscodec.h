// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef LOSSLESSCODEC_H
#define LOSSLESSCODEC_H

#include <QByteArray>
#include <QString>

// Text in and out of the programs is UTF-8, but file names and other strings on the command
// line are bytes: these two keep every byte that is not UTF-8, so that what comes out names
// what went in. For any bytes b, encodeLossless(decodeLossless(b)) == b.

/// Decodes UTF-8. Every byte that is not part of a valid sequence (a stray continuation
/// byte, a truncated or overlong sequence, an encoded surrogate, a value beyond U+10FFFF,
/// 0xC0, 0xC1, 0xF5 to 0xFF) becomes the lone low surrogate U+DC80 + (byte - 0x80); XML text
/// cannot hold one, so no text of a rule file equals such a byte, though an expression's "."
/// matches it. NUL bytes and a leading byte-order mark are characters like any other.
QString decodeLossless(const char *data, int size);

/// Decodes all of \a bytes, as decodeLossless(const char *, int) does.
QString decodeLossless(const QByteArray &bytes);

/// The byte that decodeLossless gave as the character at \a at of \a text, a lone U+DC80 to
/// U+DCFF; -1 for any other character.
int losslessByte(const QString &text, int at);

/// Encodes UTF-8. A lone U+DC80 to U+DCFF becomes its byte again; any other lone surrogate
/// is written as '?', except one that ends the text, which is left out (as Qt 5 writes the
/// local 8-bit encoding). The bytes do not depend on the Qt version.
QByteArray encodeLossless(const QString &text);

#endif // LOSSLESSCODEC_H
