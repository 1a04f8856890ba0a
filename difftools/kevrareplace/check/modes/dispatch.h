// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef DISPATCH_H
#define DISPATCH_H

#include "check/cli/request.h"

/// Runs the mode of \a request, everything it writes going through one writer, and returns
/// the exit status. A write to standard output that fails ends the run with "Unable to write
/// output: REASON" on standard error and ExitError, in every mode.
int runRequest(const Request &request);

#endif // DISPATCH_H
