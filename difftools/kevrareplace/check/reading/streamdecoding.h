// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef STREAMDECODING_H
#define STREAMDECODING_H

#include "config/configfile.h"

#include <QByteArray>
#include <QString>
#include <QVector>

/// The text of \a files joined, decoded as the stream reader decodes it: by a byte order mark
/// or the layout of a first '<', else as UTF-8, and then by \a declaredEncoding, the encoding
/// an XML declaration names, when Qt knows it. One decoder runs over all files, so that a
/// character split between two files decodes as the stream reader decodes it. The offset at
/// which each file begins is appended to \a fileStarts.
QString decodeAsStreamReader(const QVector<ConfigFile> &files, const QByteArray &declaredEncoding,
    QVector<qint64> &fileStarts);

#endif // STREAMDECODING_H
