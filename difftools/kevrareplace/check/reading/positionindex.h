// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef POSITIONINDEX_H
#define POSITIONINDEX_H

#include <QString>
#include <QVector>

/// A place in the joined input: the file, and the line and column within it, from 1.
struct SourceLocation
{
    int file;
    int line;
    int column;
};

/// Where the files, lines and characters outside the basic plane of a joined text begin, kept
/// after the text is let go, to turn an offset into a line and a column.
class D_PositionIndex
{
public:
    /// Indexes \a text, whose files begin at \a fileStarts.
    void index(const QString &text, const QVector<qint64> &fileStarts);

    /// The location of \a offset: a column counts characters, a tab or a character outside
    /// the basic plane as one.
    SourceLocation location(qint64 offset) const;

    /// The offset at which \a file begins.
    qint64 fileStart(int file) const;

private:
    QVector<qint64> fileStarts;
    QVector<qint64> lineStarts;
    QVector<qint64> lowSurrogates; // second halves of characters outside the basic plane
};

#endif // POSITIONINDEX_H
