// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef TOOLANSWERS_H
#define TOOLANSWERS_H

#include <QLatin1String>
#include <QString>

// What kevrareplace says and exits with when it refuses its rule files (driver/main.cpp), for
// the library that answers as the tool does; the tests run the tool's rows through both.

enum ToolExitCode { ToolExitOk = 0, ToolExitUsage = 10, ToolExitConfigUnreadable = 22 };

/// The line for a rule file \a fileName that cannot be opened (ToolExitConfigUnreadable).
inline QString configUnreadableMessage(const QString &fileName)
{
    return QLatin1String("Unable to open config file: ") + fileName;
}

/// The line for a run without a rule file (ToolExitUsage).
inline QString configNotSetMessage() { return QStringLiteral("config option not set: "); }

#endif // TOOLANSWERS_H
