// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RULESFORMAT_H
#define RULESFORMAT_H

#include "config/d_replacestreamreader.h"

#include <QString>

/// "fixed", "wildcard" or "regexp", as the tool decides: wildcard wins over regexp.
QString ruleKind(const FileEntry &entry);

/// The record of one rule: LOCATION, KIND, CASE, PATH and REPLACEPATH, each field followed by
/// a tab and the last by a newline, or with \a nulTerminated each by one NUL.
QString ruleRecord(const QString &location, const FileEntry &entry, bool nulTerminated);

#endif // RULESFORMAT_H
