// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "batch/d_batchreplace.h"
#include "check/reading/batchrules.h"
#include "check/modes/casetest.h"
#include "check/modes/comparemapper.h"
#include "config/configfile.h"
#include "check/modes/explain.h"
#include "check/writers/gccformat.h"
#include "check/findings/lint.h"
#include "check/reading/rulefilereading.h"
#include "check/writers/rulelistformat.h"
#include "check/writers/sarifformat.h"
#include "check/modes/stdinmapper.h"
#include "check/modes/suggestmode.h"
#include "text/consoleoutput.h"
#include "text/losslesscodec.h"
#include "text/processarguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>

namespace {

enum ExitCode { ExitOk = 0, ExitFindings = 1, ExitUsage = 2 };

const QLatin1String programName("kevrareplace-check");

// Findings, explanations and help are read by people; rule records are data.
bool write(std::FILE *stream, const QString &text, TextRole role = TextRole::Message)
{
    return writeText(stream, text, role);
}

void printLine(std::FILE *stream, const QString &text) { write(stream, text + QLatin1Char('\n')); }

int usageError(const QString &message)
{
    printLine(stderr, programName + QLatin1String(": ") + message);
    printLine(stderr,
        QLatin1String("Try '") + programName + QLatin1String(" --help' for more information."));
    return ExitUsage;
}

// What the command line asks for.
struct Request
{
    enum Mode { Check, List, Explain, Stdin, Test };
    Mode mode = Check;
    QStringList configFiles;
    QStringList strings;
    bool nulTerminated = false;
    bool verbose = false;
    bool sarif = false;
};

// Reads the files as the tool opens them; the first one that cannot be opened ends the run
// with the tool's message.
bool loadFiles(const QStringList &names, QVector<ConfigFile> &files)
{
    for (const QString &name : names) {
        QFile file;
        if (!openConfigFile(file, name)) {
            printLine(stderr, QLatin1String("Unable to open config file: ") + name);
            return false;
        }
        files.append(ConfigFile { name, file.readAll() });
    }
    return true;
}

int listRules(const D_RuleFileReading &reading, const Request &request)
{
    const QVector<FileEntry> &entries = reading.entries();
    QString records;
    for (int i = 0; i < entries.size(); ++i)
        records += ruleRecord(reading.ruleLocation(i), entries.at(i), request.nulTerminated);
    if (write(stdout, records, TextRole::Data))
        return ExitOk;
    // Not a record is written when one of them cannot be.
    printLine(stderr, QLatin1String("Unable to write output: ") + writeFailureReason(errno));
    return ExitFindings;
}

int explainStrings(const D_RuleFileReading &reading, const Request &request)
{
    const auto location = [&reading](int rule) { return reading.ruleLocation(rule); };
    for (int i = 0; i < request.strings.size(); ++i) {
        const Explanation explanation = explainString(reading.entries(), request.strings.at(i));
        write(stdout,
            (i > 0 ? QLatin1String("\n") : QLatin1String(""))
                + explanationText(explanation, reading.entries(), location));
    }
    return ExitOk;
}

int mapStandardInput(QVector<ConfigFile> &files, const Request &request)
{
    D_BatchReplace replace;
    QVector<QByteArray> locations;
    readRules(files, replace, request.verbose ? &locations : nullptr);
    files.clear(); // the rules hold what they need
    D_StdinMapper mapper(replace, locations);
    mapper.setNulTerminated(request.nulTerminated);
    mapper.setVerbose(request.verbose);
    return mapper.run();
}

int checkRuleFiles(D_RuleFileReading &reading, const Request &request)
{
    const QVector<Finding> findings = lintRuleFiles(reading);
    if (request.sarif) {
        const QByteArray log =
            sarifFormat(findings, request.configFiles, QLatin1String(KEVRAREPLACE_VERSION));
        std::fwrite(log.constData(), 1, size_t(log.size()), stdout);
        std::fflush(stdout);
    } else {
        write(stdout, gccFormat(findings));
    }
    int errors = 0;
    int warnings = 0;
    int notes = 0;
    for (const Finding &finding : findings)
        ++(finding.severity == Severity::Error          ? errors
                : finding.severity == Severity::Warning ? warnings
                                                        : notes);
    printLine(stderr,
        QString::number(reading.entries().size()) + QLatin1String(" rules read, ")
            + QString::number(errors) + QLatin1String(" errors, ") + QString::number(warnings)
            + QLatin1String(" warnings")
            + (notes ? QLatin1String(", ") + QString::number(notes) + QLatin1String(" notes")
                     : QString()));
    return errors + warnings > 0 ? ExitFindings : ExitOk;
}

int run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Explains how kevrareplace reads a rule file and applies its rules.\n"
                       "Without strings, reports the problems found in the rule files."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption(
        QStringLiteral("version"), QStringLiteral("Print the version and exit."));
    const QCommandLineOption configOption(QStringLiteral("config"),
        QStringLiteral("Read rules from FILE; repeat to join files as the tool joins them."),
        QStringLiteral("FILE"));
    const QCommandLineOption rulesOption(QStringLiteral("rules"),
        QStringLiteral("List the rules the tool reads, in the order it tries them."));
    const QCommandLineOption nulOption(QStringLiteral("z"),
        QStringLiteral("End every field of a record with a NUL instead of a tab or newline;"
                       " with --stdin or --compare, strings end with a NUL too."));
    const QCommandLineOption stdinOption(QStringLiteral("stdin"),
        QStringLiteral("Rewrite each line of standard input as the tool rewrites its string,"
                       " one record a line."));
    const QCommandLineOption verboseOption(QStringLiteral("v"),
        QStringLiteral("With --stdin, write LOCATION, INPUT and RESULT for each string,"
                       " LOCATION that of the rule that changes it."));
    const QCommandLineOption formatOption(QStringLiteral("format"),
        QStringLiteral("Write the problems as gnu (the default) or sarif."),
        QStringLiteral("FORMAT"), QStringLiteral("gnu"));
    const QCommandLineOption compareOption(QStringLiteral("compare"),
        QStringLiteral("Compare rule file OLD with the file NEW after it: write each line of"
                       " standard input they map differently, both results, both deciding rules."),
        QStringLiteral("OLD"));
    const QCommandLineOption testOption(QStringLiteral("test"),
        QStringLiteral("Run the cases of FILE (a string, a tab, the result expected) on the rules;"
                       " repeat for more files."),
        QStringLiteral("FILE"));
    const QCommandLineOption suggestOption(QStringLiteral("suggest"),
        QStringLiteral("Write on standard output a rule file that maps the string of every case"
                       " of FILE to its result; repeat for more files."),
        QStringLiteral("FILE"));
    parser.addOptions({ versionOption, configOption, rulesOption, nulOption, stdinOption,
        verboseOption, formatOption, testOption, compareOption, suggestOption });
    parser.addPositionalArgument(QStringLiteral("strings"),
        QStringLiteral("Strings to explain, rule by rule."), QStringLiteral("[--] [STRING...]"));

    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty())
            return usageError(QLatin1String("unknown option '")
                + parser.unknownOptionNames().constFirst()
                + QLatin1String("'; put a string that begins with a dash after '--'"));
        return usageError(parser.errorText());
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        // The parser names the program by the path it was started from.
        QString help = parser.helpText();
        const QString startedAs = QCoreApplication::arguments().value(0);
        const int at = help.indexOf(startedAs);
        if (!startedAs.isEmpty() && at >= 0)
            help.replace(at, startedAs.size(), programName);
        write(stdout, help);
        return ExitOk;
    }
    if (parser.isSet(versionOption)) {
        printLine(stdout, programName + QLatin1Char(' ') + QLatin1String(KEVRAREPLACE_VERSION));
        return ExitOk;
    }

    // --suggest: rules from case files, without a rule file or any other option.
    if (parser.isSet(suggestOption)) {
        for (const QString &name : parser.optionNames()) {
            if (name != suggestOption.names().constFirst())
                return usageError(QStringLiteral("--suggest goes with case files alone, without"
                                                 " other options"));
        }
        if (!parser.positionalArguments().isEmpty())
            return usageError(QStringLiteral("--suggest takes no strings: it reads cases"));
        return suggestRules(parser.values(suggestOption));
    }

    Request request;
    request.configFiles = parser.values(configOption);
    request.strings = parser.positionalArguments();
    request.nulTerminated = parser.isSet(nulOption);
    request.verbose = parser.isSet(verboseOption);
    if (parser.isSet(stdinOption))
        request.mode = Request::Stdin;
    else if (parser.isSet(rulesOption))
        request.mode = Request::List;
    else if (!request.strings.isEmpty())
        request.mode = Request::Explain;
    if (parser.isSet(testOption) && request.mode != Request::Check)
        return usageError(QStringLiteral("--test goes with -config alone, without --rules, "
                                         "--stdin or strings"));
    if (parser.isSet(testOption))
        request.mode = Request::Test;
    const QString format = parser.value(formatOption);
    if (format != QLatin1String("gnu") && format != QLatin1String("sarif"))
        return usageError(
            QLatin1String("unknown format '") + format + QLatin1String("'; use gnu or sarif"));
    request.sarif = format == QLatin1String("sarif");

    if (parser.isSet(compareOption)) {
        const QStringList sides = parser.values(compareOption) + request.strings;
        if (sides.size() != 2)
            return usageError(QStringLiteral("--compare takes two rule files: OLD NEW"));
        if (!request.configFiles.isEmpty() || request.mode == Request::Stdin
            || parser.isSet(rulesOption) || parser.isSet(testOption) || request.verbose
            || parser.isSet(formatOption))
            return usageError(QStringLiteral(
                "--compare goes with -z only, not with -config, --stdin, --rules, --test, -v or"
                " --format"));
        QVector<ConfigFile> oldFiles;
        QVector<ConfigFile> newFiles;
        if (!loadFiles({ sides.at(0) }, oldFiles) || !loadFiles({ sides.at(1) }, newFiles))
            return ExitUsage;
        return compareStandardInput(oldFiles, newFiles, request.nulTerminated);
    }
    if (request.configFiles.isEmpty())
        return usageError(QStringLiteral("no rule file given; use -config FILE"));
    if (request.mode == Request::Stdin && parser.isSet(rulesOption))
        return usageError(QStringLiteral("--rules and --stdin exclude each other"));
    if (request.mode == Request::Stdin && !request.strings.isEmpty())
        return usageError(QStringLiteral("--stdin takes no strings: it reads them"));
    if (request.mode == Request::List && !request.strings.isEmpty())
        return usageError(QStringLiteral("--rules takes no strings"));
    if (request.nulTerminated && request.mode != Request::List && request.mode != Request::Stdin)
        return usageError(QStringLiteral("-z goes with --rules or --stdin"));
    if (request.verbose && request.mode != Request::Stdin)
        return usageError(QStringLiteral("-v goes with --stdin"));
    if (parser.isSet(formatOption) && request.mode != Request::Check
        && request.mode != Request::Test)
        return usageError(
            QStringLiteral("--format goes with checking, without --rules or strings"));

    QVector<ConfigFile> files;
    if (!loadFiles(request.configFiles, files))
        return ExitUsage;
    if (request.mode == Request::Stdin)
        return mapStandardInput(files, request);
    D_RuleFileReading reading(files);
    files.clear();
    switch (request.mode) {
    case Request::List:
        reading.read();
        return listRules(reading, request);
    case Request::Explain:
        reading.read();
        return explainStrings(reading, request);
    case Request::Test:
        return runCaseTests(reading, parser.values(testOption), request.configFiles, request.sarif,
            QLatin1String(KEVRAREPLACE_VERSION));
    case Request::Check:
    case Request::Stdin:
        break;
    }
    return checkRuleFiles(reading, request);
}

} // namespace

int main(int argc, char *argv[])
{
    // Taken before the application object takes the words it knows (-qmljsdebugger) out of
    // argv: the command line is the program's own.
    const QStringList arguments = processArguments(argc, argv);
    QCoreApplication app(argc, argv);
    return run(arguments);
}
