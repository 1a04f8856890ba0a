// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "losslesscodec.h"
#include "utf8bytes.h"

namespace {

constexpr ushort escapeBase = 0xdc00; // byte 0x80 becomes U+DC80, 0xff becomes U+DCFF

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
        const int length = utf8SequenceLength(in, end);
        if (length == 0) {
            *out++ = QChar(ushort(escapeBase + *in++));
            continue;
        }
        const uint codePoint = utf8CodePoint(in, length);
        in += length;
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

int losslessByte(const QString &text, int at)
{
    const ushort unit = text.at(at).unicode();
    if (unit < escapeBase + 0x80 || unit > escapeBase + 0xff
        || (at > 0 && text.at(at - 1).isHighSurrogate()))
        return -1;
    return unit - escapeBase;
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
