// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef D_REPLACESTREAMREADER_H
#define D_REPLACESTREAMREADER_H

#include "d_inputbuffer.h"
#include "fileentry.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QXmlStreamReader>

/// One walk of the reader as it ended, for a program that explains the reading. Offsets are
/// the stream reader's character offsets just after a token.
struct WalkStep
{
    enum Walk { Document, Replacement, File };
    Walk walk;
    /// After the start tag of the walked element; 0 for the document.
    qint64 start;
    /// After the end tag that ended the walk; -1 when the input ended or was malformed first.
    qint64 end;
};

/// Turns the file elements of a rule file's replacement elements into entries, in document
/// order. Malformed XML is not reported: reading stops there and keeps what it has read.
class D_ReplaceStreamReader
{
public:
    D_ReplaceStreamReader();
    /// Walks \a reader, which stays the caller's and is fed by the caller; with none, walks
    /// its own stream reader as the default constructor does.
    explicit D_ReplaceStreamReader(QXmlStreamReader *reader);
    virtual ~D_ReplaceStreamReader();

    D_ReplaceStreamReader(const D_ReplaceStreamReader &) = delete;
    D_ReplaceStreamReader &operator=(const D_ReplaceStreamReader &) = delete;

    /// Appends \a data to the input of the reader's own stream reader; parses nothing. The
    /// input of several calls is read as one, in call order.
    void addData(const QByteArray &data);

    /// Parses the input, appending an entry for every file element it reaches. Returns on the
    /// first end tag it reads itself, whichever element that closes, or at the end of the input.
    void read();

    /// The entries read so far, in document order.
    const QVector<FileEntry> &entries() const;

    /// Makes every walk append its step to \a steps as it returns, inner walks first; none
    /// when null, as at construction.
    void setWalkSteps(QVector<WalkStep> *steps);

    /// Walks the content of the replacement element whose start tag is the current token.
    void readReplacementElement();

    /// Appends the entry of the file element whose start tag is the current token and passes
    /// over its content up to the first end tag.
    void readFileElement();

private:
    void endWalk(WalkStep::Walk walk, qint64 start);

    // The own stream reader's input, declared first to outlive it. Given whole, the stream
    // reader would decode all of it into one string before the first token and keep the bytes
    // to the end; read from a device, it decodes a piece at a time, and the device lets go of
    // the pieces read.
    D_InputBuffer input;
    QVector<FileEntry> entryList;
    QXmlStreamReader ownStreamReader;
    QXmlStreamReader *streamReader;
    QVector<WalkStep> *walkSteps = nullptr;
};

#endif // D_REPLACESTREAMREADER_H
