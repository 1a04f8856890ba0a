// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef FILEENTRY_H
#define FILEENTRY_H

#include "replace/qtcompat.h"

#include <QHashFunctions>
#include <QString>

/// One rule as read from a file element, fields in the order the engine's rules take them.
struct FileEntry
{
    QString path;
    QString replacepath;
    bool regexp;
    bool cs;
    bool wildcard;
};

/// Equal when every field is: the same rule.
inline bool operator==(const FileEntry &a, const FileEntry &b)
{
    return a.path == b.path && a.replacepath == b.replacepath && a.regexp == b.regexp
        && a.cs == b.cs && a.wildcard == b.wildcard;
}

inline bool operator!=(const FileEntry &a, const FileEntry &b) { return !(a == b); }

/// Equal for equal rules, for QHash.
inline QtHashValue qHash(const FileEntry &entry, QtHashValue seed = 0) noexcept
{
    const QtHashValue flags =
        (entry.regexp ? 1 : 0) | (entry.cs ? 2 : 0) | (entry.wildcard ? 4 : 0);
    return (qHash(entry.path, seed) * 31 + qHash(entry.replacepath, seed)) ^ flags;
}

#endif // FILEENTRY_H
