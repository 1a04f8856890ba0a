// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef ARTIFACTURI_H
#define ARTIFACTURI_H

#include <QString>

/// How a log names a file: an absolute path as a file:// URI, a relative one as given,
/// against the folder the run started in.
struct ArtifactUri
{
    QString uri;
    bool relative;
};

/// The URI of the file named \a fileName on the command line; each character outside the
/// unreserved ones and the separators is percent-encoded, as UTF-8.
ArtifactUri artifactUri(const QString &fileName);

/// The file:// URI of the folder \a folder, ending in '/', against which relative names are.
QString folderUri(const QString &folder);

#endif // ARTIFACTURI_H
