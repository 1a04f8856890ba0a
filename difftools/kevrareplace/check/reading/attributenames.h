// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef ATTRIBUTENAMES_H
#define ATTRIBUTENAMES_H

#include <QPair>
#include <QString>
#include <QVector>

/// Whether \a c is XML white space: space, tab, newline or carriage return.
bool isXmlBlank(QChar c);

/// The attribute names of the start tag \a tag, whose element name is \a nameLength long, in
/// tag order, each with its offset in the tag: the stream reader gives the values but not
/// where they stand.
QVector<QPair<QString, int>> attributeNames(const QString &tag, int nameLength);

/// The offset in the start tag \a tag of the first character of the value of the attribute
/// whose name begins at \a nameAt, just after its opening quote; -1 when it has none.
int attributeValueStart(const QString &tag, int nameAt);

#endif // ATTRIBUTENAMES_H
