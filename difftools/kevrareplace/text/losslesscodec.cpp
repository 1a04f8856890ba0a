// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "losslesscodec.h"

namespace {

constexpr ushort escapeBase = 0xdc00; // byte 0x80 becomes U+DC80, 0xff becomes U+DCFF

// The length of the well-formed sequence that starts at \a s, or 0 when there is none: the
// second byte's range rules out overlong forms, surrogates and values beyond U+10FFFF.
int sequenceLength(const uchar *s, const uchar *end)
{
    const uchar lead = s[0];
    int length;
    uchar low = 0x80;
    uchar high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0)
            low = 0xa0;
        else if (lead == 0xed)
            high = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0)
            low = 0x90;
        else if (lead == 0xf4)
            high = 0x8f;
    } else {
        return 0;
    }
    if (end - s < length || s[1] < low || s[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if ((s[i] & 0xc0) != 0x80)
            return 0;
    }
    return length;
}

QString decodeByteByByte(const char *data, int size)
{
    QString text(size, Qt::Uninitialized); // never more characters than bytes
    QChar *const begin = text.data();
    QChar *out = begin;
    const uchar *in = reinterpret_cast<const uchar *>(data);
    const uchar *const end = in + size;
    while (in < end) {
        if (*in < 0x80) {
            *out++ = QChar(ushort(*in++));
            continue;
        }
        const int length = sequenceLength(in, end);
        if (length == 0) {
            *out++ = QChar(ushort(escapeBase + *in++));
            continue;
        }
        uint codePoint = *in++ & (0x7fu >> length);
        for (int i = 1; i < length; ++i)
            codePoint = (codePoint << 6) | (*in++ & 0x3fu);
        if (QChar::requiresSurrogates(codePoint)) {
            *out++ = QChar(QChar::highSurrogate(codePoint));
            *out++ = QChar(QChar::lowSurrogate(codePoint));
        } else {
            *out++ = QChar(ushort(codePoint));
        }
    }
    text.truncate(int(out - begin));
    return text;
}

// True when every surrogate in the text is half of a pair, so that any Qt encodes it alike.
bool surrogatesPaired(const ushort *s, int size)
{
    for (int i = 0; i < size; ++i) {
        if (!QChar::isSurrogate(s[i]))
            continue;
        if (!QChar::isHighSurrogate(s[i]) || i + 1 == size || !QChar::isLowSurrogate(s[i + 1]))
            return false;
        ++i;
    }
    return true;
}

QByteArray encodeCharByChar(const ushort *s, int size)
{
    QByteArray bytes(3 * size, Qt::Uninitialized); // a pair takes four bytes, anything else three
    char *const begin = bytes.data();
    char *out = begin;
    for (int i = 0; i < size; ++i) {
        const uint unit = s[i];
        if (unit < 0x80) {
            *out++ = char(unit);
        } else if (unit < 0x800) {
            *out++ = char(0xc0 | (unit >> 6));
            *out++ = char(0x80 | (unit & 0x3f));
        } else if (!QChar::isSurrogate(unit)) {
            *out++ = char(0xe0 | (unit >> 12));
            *out++ = char(0x80 | ((unit >> 6) & 0x3f));
            *out++ = char(0x80 | (unit & 0x3f));
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size
            && QChar::isLowSurrogate(s[i + 1])) {
            const uint codePoint = QChar::surrogateToUcs4(ushort(unit), s[++i]);
            *out++ = char(0xf0 | (codePoint >> 18));
            *out++ = char(0x80 | ((codePoint >> 12) & 0x3f));
            *out++ = char(0x80 | ((codePoint >> 6) & 0x3f));
            *out++ = char(0x80 | (codePoint & 0x3f));
        } else if (unit >= escapeBase + 0x80 && unit <= escapeBase + 0xff) {
            *out++ = char(unit - escapeBase);
        } else if (i + 1 < size) {
            *out++ = '?';
        }
    }
    bytes.truncate(int(out - begin));
    return bytes;
}

} // namespace

QString decodeLossless(const char *data, int size)
{
    // Qt's decoder is the fast one, but it takes a leading byte-order mark away and puts
    // U+FFFD in place of what it cannot decode; only then is the text decoded again here.
    const bool byteOrderMark =
        size >= 3 && data[0] == '\xef' && data[1] == '\xbb' && data[2] == '\xbf';
    if (!byteOrderMark) {
        const QString text = QString::fromUtf8(data, size);
        if (!text.contains(QChar::ReplacementCharacter))
            return text;
    }
    return decodeByteByByte(data, size);
}

QString decodeLossless(const QByteArray &bytes)
{
    return decodeLossless(bytes.constData(), bytes.size());
}

QByteArray encodeLossless(const QString &text)
{
    // Qt's encoder is the fast one, but what it writes for a lone surrogate depends on its
    // version.
    const ushort *const units = text.utf16();
    if (surrogatesPaired(units, text.size()))
        return text.toUtf8();
    return encodeCharByChar(units, text.size());
}
