// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef TOOLANSWERS_H
#define TOOLANSWERS_H

#include <QLatin1String>
#include <QString>

// What kevrareplace says and exits with when it refuses its rule files: the tool answers so
// (main.cpp), and the library for hosts answers as the tool does.

// The tool's exit statuses; the companion has its own (check/cli/exitcodes.h): one set per
// program is right, since scripts read each program's statuses by what that program does.
enum ToolExitCode {
    ToolExitOk = 0,
    ToolExitWriteFailed = 1,
    ToolExitUsage = 10,
    ToolExitConfigUnreadable = 22
};

/// The line for a rule file \a fileName that cannot be opened (ToolExitConfigUnreadable).
inline QString configUnreadableMessage(const QString &fileName)
{
    return QLatin1String("Unable to open config file: ") + fileName;
}

/// The line for a run without a rule file (ToolExitUsage).
inline QString configNotSetMessage() { return QStringLiteral("config option not set: "); }

#endif // TOOLANSWERS_H
