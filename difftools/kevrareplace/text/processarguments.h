// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef PROCESSARGUMENTS_H
#define PROCESSARGUMENTS_H

#include <QStringList>

/// The words of the process's command line as given, the program's name first, every one
/// kept: also those the application object takes for itself, such as -qmljsdebugger. Call it
/// with main's own argc and argv, before the application object is made. On Windows the
/// words are the wide command line as the C runtime splits it, so every character survives;
/// elsewhere they are argv's bytes, decoded by decodeLossless.
QStringList processArguments(int argc, char *argv[]);

#endif // PROCESSARGUMENTS_H
