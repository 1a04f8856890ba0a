// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef UTF8BYTES_H
#define UTF8BYTES_H

#include <QtGlobal>

// Where the characters of UTF-8 bytes begin and end, for code that works on the bytes.

/// Whether every one of the \a size bytes at \a data is ASCII, below 0x80.
bool isAscii(const char *data, int size);

/// The length of the well-formed sequence of two to four bytes that starts at \a s, before
/// \a end, or 0 when there is none (an ASCII byte included): the second byte's range rules out
/// overlong forms, surrogates and values beyond U+10FFFF.
int utf8SequenceLength(const uchar *s, const uchar *end);

/// The code point of the well-formed sequence of \a length bytes at \a s.
inline uint utf8CodePoint(const uchar *s, int length)
{
    uint codePoint = s[0] & (0x7fu >> length);
    for (int i = 1; i < length; ++i)
        codePoint = (codePoint << 6) | (s[i] & 0x3fu);
    return codePoint;
}

#endif // UTF8BYTES_H
