// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/cli/options.h"
#include "check/modes/dispatch.h"
#include "qtnotice.h"
#include "text/processarguments.h"
#include "text/standardstreams.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    holdClosedStandardStreams();
    // Taken before the application object takes the words it knows (-qmljsdebugger) out of
    // argv: the command line is the program's own.
    const QStringList arguments = processArguments(argc, argv);
    QCoreApplication app(argc, argv);
    Request request = parseOptions(arguments, QLatin1String(KEVRAREPLACE_VERSION));
    if (KEVRAREPLACE_QT_STATIC && request.mode == Request::Version)
        request.text += QStringLiteral(KEVRAREPLACE_QT_NOTICE);
    return runRequest(request);
}
