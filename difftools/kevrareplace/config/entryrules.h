// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef ENTRYRULES_H
#define ENTRYRULES_H

#include "config/fileentry.h"
#include "replace/d_replace.h"

#include <QVector>

/// The engine's rule for \a entry.
inline Rule ruleOf(const FileEntry &entry)
{
    return Rule { entry.path, entry.replacepath, entry.regexp, entry.cs, entry.wildcard };
}

/// Adds the rules of \a entries to \a engine, a D_Replace or a D_BatchReplace, in their order.
template <typename Engine> void addRules(Engine &engine, const QVector<FileEntry> &entries)
{
    for (const FileEntry &entry : entries)
        engine.addRule(entry.path, entry.replacepath, entry.regexp, entry.cs, entry.wildcard);
}

#endif // ENTRYRULES_H
