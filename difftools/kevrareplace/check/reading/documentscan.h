// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef DOCUMENTSCAN_H
#define DOCUMENTSCAN_H

#include "check/reading/positionindex.h"
#include "check/reading/rawmarkup.h"
#include "config/configfile.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>

/// An element of the joined input. Offsets count UTF-16 units of the decoded text, as the
/// stream reader's character offsets do.
struct ScanElement
{
    QString name; ///< as written, prefix included
    qint64 tagStart; ///< the < of its start tag
    qint64 tagEnd; ///< just after its start tag
    qint64 endTagEnd; ///< just after its end tag; -1 when the input ends or breaks first
    qint64 endTagStart; ///< the < of its end tag, or of its start tag when it is empty; -1
    int parent; ///< index of the enclosing element; -1 for a root
};

/// An attribute of a start tag, with the offset of its name and of its value.
struct ScanAttribute
{
    QString name; ///< as written, prefix included
    QString value;
    qint64 offset;
    QString namespaceUri; ///< the namespace its prefix is bound to; empty without a prefix
    qint64 valueOffset; ///< just after the opening quote; -1 when it cannot be told
    /// Whether the value stands in the tag as it is read, with no reference and no blank that
    /// the reader changes: then its character i is at valueOffset + i.
    bool verbatim;
};

/// What the XML of the joined rule files holds, with positions: every element the stream
/// reader delivers, in document order, and where the XML breaks. It knows nothing of rules.
class D_DocumentScan
{
public:
    /// Called for each start tag with the element's index and its attributes, in tag order.
    using StartTagVisitor =
        std::function<void(int element, const QVector<ScanAttribute> &attributes)>;

    explicit D_DocumentScan(const QVector<ConfigFile> &files);
    virtual ~D_DocumentScan();

    D_DocumentScan(const D_DocumentScan &) = delete;
    D_DocumentScan &operator=(const D_DocumentScan &) = delete;

    /// Reads the joined input to its end or first error, calling \a visit for each start tag.
    /// The decoded text is let go afterwards; the positions stay.
    void scan(const StartTagVisitor &visit);

    /// The elements in the order of their start tags.
    const QVector<ScanElement> &elements() const;

    /// The element whose start tag ends at \a offset, or -1.
    int elementStartingAt(qint64 offset) const;

    /// The element whose end tag ends at \a offset, or -1.
    int elementEndingAt(qint64 offset) const;

    bool hasError() const;
    /// The stream reader's message for the first error.
    QString errorMessage() const;
    /// Where the stream reader stood when it met the error.
    qint64 errorOffset() const;
    /// The raw '&' or '<' that the stream reader stopped on, if it did (offset -1 otherwise).
    const RawMarkup &rawMarkup() const;
    /// Starts of what look like file start tags in the text after the error, which the stream
    /// reader never delivers.
    const QVector<qint64> &fileTagsAfterError() const;

    /// Just after the end tag of the first root element; -1 while it is open.
    qint64 documentEnd() const;

    int fileCount() const;
    const QString &fileName(int file) const;
    /// The offset at which \a file begins in the joined text.
    qint64 fileStart(int file) const;
    /// Whether the text of \a file begins, after blanks, with an XML declaration.
    bool fileDeclaresDocument(int file) const;
    /// Whether the text of \a file begins, after blanks, with markup.
    bool fileBeginsWithMarkup(int file) const;

    /// The location of \a offset: a column counts characters, a tab or a character outside
    /// the basic plane as one.
    SourceLocation location(qint64 offset) const;
    /// "FILE:LINE:COLUMN" of \a offset.
    QString locationText(qint64 offset) const;

private:
    void decode(const QByteArray &declaredEncoding);

    QVector<ConfigFile> files;
    QString text;
    D_PositionIndex positions;
    QVector<bool> fileDeclarations;
    QVector<bool> fileMarkup;
    QVector<ScanElement> elementList;
    QVector<int> endOrder; // elements by the position of their end tags
    QVector<qint64> afterError;
    QString error;
    qint64 errorAt = -1;
    RawMarkup raw { -1, QChar(), false };
    qint64 rootEnd = -1;
};

#endif // DOCUMENTSCAN_H
