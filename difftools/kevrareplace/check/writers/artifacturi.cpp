// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/writers/artifacturi.h"

#include <QDir>
#include <QUrl>

namespace {

QString encoded(const QString &path)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(path, QByteArrayLiteral("/:")));
}

// "file://" and the absolute path \a path with forward slashes: a drive's path takes a
// third slash, a share's server stands where a host does.
QString fileUri(const QString &path)
{
    if (path.startsWith(QLatin1String("//")))
        return QLatin1String("file:") + encoded(path);
    return QLatin1String(path.startsWith(QLatin1Char('/')) ? "file://" : "file:///")
        + encoded(path);
}

} // namespace

ArtifactUri artifactUri(const QString &fileName)
{
    const QString path = QDir::fromNativeSeparators(fileName);
    if (QDir::isAbsolutePath(path))
        return ArtifactUri { fileUri(path), false };
    // A colon before the first slash would read as a scheme.
    const int colon = path.indexOf(QLatin1Char(':'));
    const int slash = path.indexOf(QLatin1Char('/'));
    QString uri = encoded(path);
    if (colon >= 0 && (slash < 0 || colon < slash))
        uri = QLatin1String("./") + uri;
    return ArtifactUri { uri, true };
}

QString folderUri(const QString &folder)
{
    QString uri = fileUri(QDir::fromNativeSeparators(folder));
    if (!uri.endsWith(QLatin1Char('/')))
        uri += QLatin1Char('/');
    return uri;
}
