// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "banner.h"
#include "config/configfile.h"
#include "config/d_replacestreamreader.h"
#include "config/entryrules.h"
#include "driver/toolanswers.h"
#include "driver/tooloptions.h"
#include "qtnotice.h"
#include "replace/d_replace.h"
#include "startupgate.h"
#include "text/consoleoutput.h"
#include "text/processarguments.h"
#include "text/standardstreams.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>

// The block file is fixed; only the tests' own build of the program points it elsewhere.
#if defined(KEVRAREPLACE_TEST_BLOCK_FILE)
#define KEVRAREPLACE_BLOCK_FILE KEVRAREPLACE_TEST_BLOCK_FILE
#elif defined(_WIN32)
#define KEVRAREPLACE_BLOCK_FILE "C:\\block"
#else
#define KEVRAREPLACE_BLOCK_FILE "/block"
#endif

namespace {

// False, with errno telling why, when the line did not reach the stream's file whole.
bool printLine(std::FILE *stream, const QString &text, TextRole role = TextRole::Message)
{
    return writeText(stream, text + QLatin1Char('\n'), role);
}

bool printBanner()
{
    return printLine(stdout, QStringLiteral(KEVRAREPLACE_BANNER_NAME))
        && printLine(stdout, QStringLiteral(KEVRAREPLACE_BANNER_COPYRIGHT))
        && (!KEVRAREPLACE_QT_STATIC
            || writeText(stdout, QStringLiteral(KEVRAREPLACE_QT_NOTICE), TextRole::Message));
}

bool printUsage()
{
    return printBanner()
        && printLine(stdout, QStringLiteral("Usage: kevrareplace -config <file> <string>"));
}

// Standard output failed, or the result holds characters that it cannot: a caller that checks
// the exit code must not take a partial or altered answer for the whole one. Called right after
// the failure, while errno still tells its reason.
int writeFailed()
{
    printLine(stderr, QLatin1String("Unable to write output: ") + writeFailureReason(errno));
    return ToolExitWriteFailed;
}

// The error's own code stands even when the usage cannot be written after it.
int fail(const QString &message, ToolExitCode exitCode)
{
    printLine(stderr, message);
    printUsage();
    return exitCode;
}

int run(const QStringList &arguments)
{
    D_ReplaceStreamReader reader;
    QString input;
    bool configRead = false;

    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String(toolVersionOption))
            return printBanner() ? ToolExitOk : writeFailed();
        if (argument == QLatin1String(toolHelpOption))
            return printUsage() ? ToolExitOk : writeFailed();
        if (argument != QLatin1String(toolConfigOption)) {
            input = argument; // anything else is the string; the last one wins
            continue;
        }
        if (i + 1 == arguments.size())
            break; // a trailing -config names no file and is ignored
        const QString &fileName = arguments.at(++i); // taken as a name, whatever it says
        QFile file;
        if (!openConfigFile(file, fileName))
            return fail(configUnreadableMessage(fileName), ToolExitConfigUnreadable);
        configRead = true;
        reader.addData(file.readAll());
        file.close();
    }

    if (!configRead)
        return fail(configNotSetMessage(), ToolExitUsage);
    if (input.isEmpty())
        return fail(QStringLiteral("No string to replace specified"), ToolExitUsage);

    reader.read();
    D_Replace replace;
    addRules(replace, reader.entries());
    return printLine(stdout, replace.apply(input), TextRole::Data) ? ToolExitOk : writeFailed();
}

} // namespace

int main(int argc, char *argv[])
{
    holdClosedStandardStreams();
    reserveMainThreadStack();
    // Held here while the block file can be opened: nothing is printed and no argument or
    // configuration is looked at until it goes away.
    waitAtStartupGate(KEVRAREPLACE_BLOCK_FILE);

    // Taken before the application object takes the words it knows (-qmljsdebugger) out of
    // argv: every argument is the tool's own.
    const QStringList arguments = processArguments(argc, argv);
    QCoreApplication app(argc, argv);

    const int exitCode = run(arguments);
    QCoreApplication::exit(exitCode);
    return exitCode;
}
