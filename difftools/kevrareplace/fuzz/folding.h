// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef FOLDING_H
#define FOLDING_H

#include <QByteArray>

// The bytes 0x01 to 0x04 of a field stand for the characters that case folding relates to ASCII
// letters, U+0130, U+0131, U+017F and U+212A, in UTF-8.
inline QByteArray withFolding(const QByteArray &field)
{
    static const char *const folding[] = { "\xc4\xb0", "\xc4\xb1", "\xc5\xbf", "\xe2\x84\xaa" };
    QByteArray bytes;
    for (const char c : field)
        bytes += c >= 1 && c <= 4 ? QByteArray(folding[c - 1]) : QByteArray(1, c);
    return bytes;
}

#endif // FOLDING_H
