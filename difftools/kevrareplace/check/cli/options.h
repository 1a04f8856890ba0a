// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef OPTIONS_H
#define OPTIONS_H

#include "check/cli/request.h"

#include <QStringList>

/// The request that the command line \a arguments (the program's name first) make of the
/// companion of the tool \a toolVersion; a Usage request when they make none or too many.
Request parseOptions(const QStringList &arguments, const QString &toolVersion);

#endif // OPTIONS_H
