// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef FILETAGSEARCH_H
#define FILETAGSEARCH_H

#include <QString>
#include <QVector>

/// The offsets of what looks like a file start tag ("<file" and then a blank, '/', '>' or the
/// end) in \a text from \a from on: after an error, the stream reader never delivers them.
QVector<qint64> fileTagsFrom(const QString &text, int from);

#endif // FILETAGSEARCH_H
