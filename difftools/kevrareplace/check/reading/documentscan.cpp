// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/documentscan.h"

#include "check/reading/attributenames.h"
#include "check/reading/filetagsearch.h"
#include "check/reading/streamdecoding.h"
#include "config/d_inputbuffer.h"

#include <QXmlStreamReader>

#include <algorithm>

D_DocumentScan::D_DocumentScan(const QVector<ConfigFile> &files)
    : files(files)
{
}

D_DocumentScan::~D_DocumentScan() = default;

// The text as the stream reader reads it, with what each file begins with; the positions
// stay when the text is let go.
void D_DocumentScan::decode(const QByteArray &declaredEncoding)
{
    QVector<qint64> fileStarts;
    text = decodeAsStreamReader(files, declaredEncoding, fileStarts);
    for (int file = 0; file < files.size(); ++file) {
        int i = int(fileStarts.at(file));
        const int end = file + 1 < files.size() ? int(fileStarts.at(file + 1)) : text.size();
        while (i < end && (isXmlBlank(text.at(i)) || text.at(i) == QChar(0xfeff)))
            ++i;
        fileMarkup.append(i < end && text.at(i) == QLatin1Char('<'));
        fileDeclarations.append(text.mid(i, std::min(5, end - i)) == QLatin1String("<?xml"));
    }
    positions.index(text, fileStarts);
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
            const int tagStart =
                std::max(0, int(text.lastIndexOf(QLatin1Char('<'), int(offset) - 1)));
            const QString name = reader.qualifiedName().toString();
            const int index = elementList.size();
            elementList.append(
                ScanElement { name, tagStart, offset, -1, -1, open.isEmpty() ? -1 : open.last() });
            if (visit) {
                const QString tag = text.mid(tagStart, int(offset) - tagStart);
                QVector<QPair<QString, int>> names = attributeNames(tag, name.size());
                QVector<ScanAttribute> attributes;
                const QXmlStreamAttributes given = reader.attributes();
                for (const QXmlStreamAttribute &attribute : given) {
                    const QString attributeName = attribute.qualifiedName().toString();
                    qint64 at = tagStart;
                    int valueStart = -1;
                    for (QPair<QString, int> &written : names) {
                        if (written.second >= 0 && written.first == attributeName) {
                            at = tagStart + written.second;
                            valueStart = attributeValueStart(tag, written.second);
                            written.second = -1;
                            break;
                        }
                    }
                    const QString value = attribute.value().toString();
                    const int valueEnd = valueStart + value.size();
                    const bool verbatim = valueStart > 0 && valueEnd < tag.size()
                        && tag.at(valueEnd) == tag.at(valueStart - 1)
                        && QStringView(tag).mid(valueStart, value.size()) == value;
                    attributes.append(
                        { attributeName, value, at, attribute.namespaceUri().toString(),
                            valueStart > 0 ? tagStart + valueStart : -1, verbatim });
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
        afterError = fileTagsFrom(text, from);
        raw = rawMarkupIn(text, from, int(errorAt));
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

const RawMarkup &D_DocumentScan::rawMarkup() const { return raw; }

const QVector<qint64> &D_DocumentScan::fileTagsAfterError() const { return afterError; }

qint64 D_DocumentScan::documentEnd() const { return rootEnd; }

int D_DocumentScan::fileCount() const { return files.size(); }

const QString &D_DocumentScan::fileName(int file) const { return files.at(file).name; }

qint64 D_DocumentScan::fileStart(int file) const { return positions.fileStart(file); }

bool D_DocumentScan::fileDeclaresDocument(int file) const { return fileDeclarations.value(file); }

SourceLocation D_DocumentScan::location(qint64 offset) const { return positions.location(offset); }

QString D_DocumentScan::locationText(qint64 offset) const
{
    const SourceLocation at = location(offset);
    return fileName(at.file) + QLatin1Char(':') + QString::number(at.line) + QLatin1Char(':')
        + QString::number(at.column);
}

bool D_DocumentScan::fileBeginsWithMarkup(int file) const { return fileMarkup.value(file); }
