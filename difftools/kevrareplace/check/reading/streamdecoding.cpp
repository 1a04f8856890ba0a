// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/streamdecoding.h"

#include <QtGlobal>

namespace {

// The bytes that tell the encoding: the first four of the joined input.
QByteArray firstBytes(const QVector<ConfigFile> &files)
{
    QByteArray start;
    for (const ConfigFile &file : files) {
        start += file.bytes.left(4);
        if (start.size() >= 4)
            break;
    }
    return start;
}

} // namespace

// Qt 6 decodes with QStringDecoder, Qt 5 with a QTextCodec chosen as its stream reader does.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)

#include <QStringDecoder>

QString decodeAsStreamReader(const QVector<ConfigFile> &files, const QByteArray &declaredEncoding,
    QVector<qint64> &fileStarts)
{
    QStringDecoder decoder(QStringDecoder::encodingForData(firstBytes(files), char16_t('<'))
                               .value_or(QStringDecoder::Utf8));
    if (!declaredEncoding.isEmpty()) {
        QStringDecoder declared(declaredEncoding.constData());
        if (declared.isValid())
            decoder = std::move(declared);
    }
    QString text;
    for (const ConfigFile &file : files) {
        fileStarts.append(text.size());
        text += decoder.decode(file.bytes);
    }
    return text;
}

#else

#include <QTextCodec>

#include <memory>

namespace {

// The MIB of the encoding that the first four bytes show, UTF-8 when they show none.
int mibOfStart(const QByteArray &start)
{
    if (start.size() < 4)
        return 106;
    const auto byte = [&start](int i) { return uchar(start.at(i)); };
    if ((byte(0) == 0 && byte(1) == 0 && byte(2) == 0xfe && byte(3) == 0xff)
        || (byte(0) == 0xff && byte(1) == 0xfe && byte(2) == 0 && byte(3) == 0))
        return 1017;
    if (byte(0) == 0x3c && byte(1) == 0 && byte(2) == 0 && byte(3) == 0)
        return 1019;
    if (byte(0) == 0 && byte(1) == 0 && byte(2) == 0 && byte(3) == 0x3c)
        return 1018;
    if ((byte(0) == 0xfe && byte(1) == 0xff) || (byte(0) == 0xff && byte(1) == 0xfe))
        return 1015;
    if (byte(0) == 0x3c && byte(1) == 0)
        return 1014;
    if (byte(0) == 0 && byte(1) == 0x3c)
        return 1013;
    return 106;
}

} // namespace

QString decodeAsStreamReader(const QVector<ConfigFile> &files, const QByteArray &declaredEncoding,
    QVector<qint64> &fileStarts)
{
    QTextCodec *codec = QTextCodec::codecForMib(mibOfStart(firstBytes(files)));
    if (!declaredEncoding.isEmpty()) {
        if (QTextCodec *declared = QTextCodec::codecForName(declaredEncoding))
            codec = declared;
    }
    const std::unique_ptr<QTextDecoder> decoder(codec->makeDecoder());
    QString text;
    for (const ConfigFile &file : files) {
        fileStarts.append(text.size());
        text += decoder->toUnicode(file.bytes);
    }
    return text;
}

#endif
