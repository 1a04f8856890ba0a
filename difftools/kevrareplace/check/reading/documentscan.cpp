// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/documentscan.h"

#include "config/d_inputbuffer.h"

#include <QXmlStreamReader>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringDecoder>
#else
#include <QTextCodec>
#endif

#include <algorithm>
#include <memory>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r');
}

// The offsets of the attribute names of the start tag \a tag, in tag order, and the names.
QVector<QPair<QString, int>> attributeNames(const QString &tag, int nameLength)
{
    QVector<QPair<QString, int>> names;
    int i = 1 + nameLength;
    while (i < tag.size()) {
        while (i < tag.size() && isBlank(tag.at(i)))
            ++i;
        if (i >= tag.size() || tag.at(i) == QLatin1Char('/') || tag.at(i) == QLatin1Char('>'))
            break;
        const int start = i;
        while (i < tag.size() && !isBlank(tag.at(i)) && tag.at(i) != QLatin1Char('='))
            ++i;
        names.append({ tag.mid(start, i - start), start });
        while (i < tag.size() && tag.at(i) != QLatin1Char('"') && tag.at(i) != QLatin1Char('\''))
            ++i;
        if (i >= tag.size())
            break;
        const int close = tag.indexOf(tag.at(i), i + 1);
        if (close < 0)
            break;
        i = close + 1;
    }
    return names;
}

template <typename T> int indexAtOrBefore(const QVector<T> &sorted, T value)
{
    return int(std::upper_bound(sorted.begin(), sorted.end(), value) - sorted.begin()) - 1;
}

} // namespace

D_DocumentScan::D_DocumentScan(const QVector<ConfigFile> &files)
    : files(files)
{
}

D_DocumentScan::~D_DocumentScan() = default;

// As the stream reader decodes: by a byte order mark or the layout of a first '<', else as
// UTF-8, and then by the encoding an XML declaration names. One decoder runs over all files,
// so that a character split between two files decodes as the stream reader decodes it.
void D_DocumentScan::decode(const QByteArray &declaredEncoding)
{
    QByteArray start;
    for (const ConfigFile &file : qAsConst(files)) {
        start += file.bytes.left(4);
        if (start.size() >= 4)
            break;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QStringDecoder decoder(
        QStringDecoder::encodingForData(start, char16_t('<')).value_or(QStringDecoder::Utf8));
    if (!declaredEncoding.isEmpty()) {
        QStringDecoder declared(declaredEncoding.constData());
        if (declared.isValid())
            decoder = std::move(declared);
    }
    for (const ConfigFile &file : qAsConst(files)) {
        fileStarts.append(text.size());
        text += decoder.decode(file.bytes);
    }
#else
    int mib = 106;
    if (start.size() >= 4) {
        const auto byte = [&start](int i) { return uchar(start.at(i)); };
        if ((byte(0) == 0 && byte(1) == 0 && byte(2) == 0xfe && byte(3) == 0xff)
            || (byte(0) == 0xff && byte(1) == 0xfe && byte(2) == 0 && byte(3) == 0))
            mib = 1017;
        else if (byte(0) == 0x3c && byte(1) == 0 && byte(2) == 0 && byte(3) == 0)
            mib = 1019;
        else if (byte(0) == 0 && byte(1) == 0 && byte(2) == 0 && byte(3) == 0x3c)
            mib = 1018;
        else if ((byte(0) == 0xfe && byte(1) == 0xff) || (byte(0) == 0xff && byte(1) == 0xfe))
            mib = 1015;
        else if (byte(0) == 0x3c && byte(1) == 0)
            mib = 1014;
        else if (byte(0) == 0 && byte(1) == 0x3c)
            mib = 1013;
    }
    QTextCodec *codec = QTextCodec::codecForMib(mib);
    if (!declaredEncoding.isEmpty()) {
        if (QTextCodec *declared = QTextCodec::codecForName(declaredEncoding))
            codec = declared;
    }
    const std::unique_ptr<QTextDecoder> decoder(codec->makeDecoder());
    for (const ConfigFile &file : qAsConst(files)) {
        fileStarts.append(text.size());
        text += decoder->toUnicode(file.bytes);
    }
#endif
    for (int file = 0; file < files.size(); ++file) {
        int i = int(fileStarts.at(file));
        const int end = file + 1 < files.size() ? int(fileStarts.at(file + 1)) : text.size();
        while (i < end && (isBlank(text.at(i)) || text.at(i) == QChar(0xfeff)))
            ++i;
        fileMarkup.append(i < end && text.at(i) == QLatin1Char('<'));
        fileDeclarations.append(text.mid(i, std::min(5, end - i)) == QLatin1String("<?xml"));
    }
    indexPositions();
}

void D_DocumentScan::indexPositions()
{
    lineStarts.append(0);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')
            || (c == QLatin1Char('\r')
                && (i + 1 == text.size() || text.at(i + 1) != QLatin1Char('\n'))))
            lineStarts.append(i + 1);
        else if (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())
            lowSurrogates.append(i);
    }
}

void D_DocumentScan::scan(const StartTagVisitor &visit)
{
    // Fed as the tool's reader is fed, a piece at a time from the same kind of device, so
    // that it meets the same tokens at the same offsets.
    D_InputBuffer input;
    for (const ConfigFile &file : qAsConst(files))
        input.append(file.bytes);
    QXmlStreamReader reader(&input);
    QVector<int> open;
    bool decoded = false;
    qint64 previousEnd = 0;
    bool afterText = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (!decoded) {
            decode(token == QXmlStreamReader::StartDocument
                    ? reader.documentEncoding().toString().toLatin1()
                    : QByteArray());
            decoded = true;
        }
        if (token == QXmlStreamReader::Invalid)
            break;
        const qint64 offset = reader.characterOffset();
        if (token == QXmlStreamReader::StartElement) {
            const int tagStart = std::max(0, int(text.lastIndexOf(QLatin1Char('<'), int(offset) - 1)));
            const QString name = reader.qualifiedName().toString();
            const int index = elementList.size();
            elementList.append(
                ScanElement { name, tagStart, offset, -1, -1, open.isEmpty() ? -1 : open.last() });
            if (visit) {
                QVector<QPair<QString, int>> names =
                    attributeNames(text.mid(tagStart, int(offset) - tagStart), name.size());
                QVector<ScanAttribute> attributes;
                const QXmlStreamAttributes given = reader.attributes();
                for (const QXmlStreamAttribute &attribute : given) {
                    const QString attributeName = attribute.qualifiedName().toString();
                    qint64 at = tagStart;
                    for (QPair<QString, int> &written : names) {
                        if (written.second >= 0 && written.first == attributeName) {
                            at = tagStart + written.second;
                            written.second = -1;
                            break;
                        }
                    }
                    attributes.append({ attributeName, attribute.value().toString(), at,
                        attribute.namespaceUri().toString() });
                }
                visit(index, attributes);
            }
            open.append(index);
        } else if (token == QXmlStreamReader::EndElement && !open.isEmpty()) {
            elementList[open.last()].endTagEnd = offset;
            elementList[open.last()].endTagStart =
                std::max(0, int(text.lastIndexOf(QLatin1Char('<'), int(offset) - 1)));
            endOrder.append(open.takeLast());
            if (open.isEmpty() && rootEnd < 0)
                rootEnd = offset;
        }
        previousEnd = offset;
        afterText = token == QXmlStreamReader::Characters;
    }
    if (!decoded)
        decode(QByteArray());
    if (reader.hasError()) {
        error = reader.errorString();
        errorAt = reader.characterOffset();
        // After text the reader may already stand past the next '<'.
        int from = int(previousEnd);
        if (afterText && from > 0 && text.at(from - 1) == QLatin1Char('<'))
            --from;
        const QLatin1String fileTag("<file");
        for (int at = text.indexOf(fileTag, from); at >= 0; at = text.indexOf(fileTag, at + 1)) {
            const int next = at + fileTag.size();
            if (next == text.size() || isBlank(text.at(next)) || text.at(next) == QLatin1Char('/')
                || text.at(next) == QLatin1Char('>'))
                afterError.append(at);
        }
    }
    text = QString();
    for (ConfigFile &file : files)
        file.bytes = QByteArray();
}

const QVector<ScanElement> &D_DocumentScan::elements() const { return elementList; }

int D_DocumentScan::elementStartingAt(qint64 offset) const
{
    const auto found = std::lower_bound(elementList.begin(), elementList.end(), offset,
        [](const ScanElement &element, qint64 value) { return element.tagEnd < value; });
    return found != elementList.end() && found->tagEnd == offset ? int(found - elementList.begin())
                                                                 : -1;
}

int D_DocumentScan::elementEndingAt(qint64 offset) const
{
    const auto found = std::lower_bound(endOrder.begin(), endOrder.end(), offset,
        [this](int element, qint64 value) { return elementList.at(element).endTagEnd < value; });
    return found != endOrder.end() && elementList.at(*found).endTagEnd == offset ? *found : -1;
}

bool D_DocumentScan::hasError() const { return errorAt >= 0; }

QString D_DocumentScan::errorMessage() const { return error; }

qint64 D_DocumentScan::errorOffset() const { return errorAt; }

const QVector<qint64> &D_DocumentScan::fileTagsAfterError() const { return afterError; }

qint64 D_DocumentScan::documentEnd() const { return rootEnd; }

int D_DocumentScan::fileCount() const { return files.size(); }

const QString &D_DocumentScan::fileName(int file) const { return files.at(file).name; }

qint64 D_DocumentScan::fileStart(int file) const { return fileStarts.value(file); }

bool D_DocumentScan::fileDeclaresDocument(int file) const { return fileDeclarations.value(file); }

SourceLocation D_DocumentScan::location(qint64 offset) const
{
    // The last file starting at the offset: an empty file owns no text.
    const int file = std::max(0, indexAtOrBefore(fileStarts, offset));
    const qint64 fileBegin = fileStarts.value(file);
    const int line = std::max(0, indexAtOrBefore(lineStarts, offset));
    const int firstLine = std::max(0, indexAtOrBefore(lineStarts, fileBegin));
    const qint64 lineBegin = std::max(lineStarts.value(line), fileBegin);
    const int pairs =
        indexAtOrBefore(lowSurrogates, offset - 1) - indexAtOrBefore(lowSurrogates, lineBegin - 1);
    return SourceLocation { file, line - firstLine + 1, int(offset - lineBegin) - pairs + 1 };
}

QString D_DocumentScan::locationText(qint64 offset) const
{
    const SourceLocation at = location(offset);
    return fileName(at.file) + QLatin1Char(':') + QString::number(at.line) + QLatin1Char(':')
        + QString::number(at.column);
}

bool D_DocumentScan::fileBeginsWithMarkup(int file) const { return fileMarkup.value(file); }
