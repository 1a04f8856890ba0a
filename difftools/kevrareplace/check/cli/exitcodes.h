// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef EXITCODES_H
#define EXITCODES_H

/// The companion's exit statuses, the same in every mode. The tool has its own (driver/main.cpp):
/// one set per program is right, since scripts read each program's statuses by what that
/// program does, and neither program ever returns the other's.
enum ExitCode {
    /// Nothing found; every case passed; no string differs.
    ExitOk = 0,
    /// An error or a warning found; with --test a case failed, a line is not one, or the rule
    /// files have an error or give no rule; with --compare a string differs.
    ExitFindings = 1,
    /// A usage error, a file that cannot be opened, output that could not be written or input
    /// that could not be read, in every mode; with --compare also a side with an error in its
    /// rule files.
    ExitError = 2
};

#endif // EXITCODES_H
