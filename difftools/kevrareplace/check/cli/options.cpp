// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/cli/options.h"
#include "check/findings/editdistance.h"
#include "check/writers/findingsformat.h"

#include "banner.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QVector>

#include <algorithm>

namespace {

const QLatin1String programName("kevrareplace-check");

Request usage(const QString &message)
{
    Request request;
    request.mode = Request::Usage;
    request.text = message;
    return request;
}

// An option as the documentation writes it: -config and single letters with one dash, the
// others with two.
QString written(const QString &name)
{
    return (name.size() == 1 || name == QLatin1String("config") ? QLatin1String("-")
                                                                : QLatin1String("--"))
        + name;
}

// The option nearest to the unknown \a name, as written; empty when none is near.
QString nearestOption(const QString &name, const QList<QCommandLineOption> &options)
{
    QString nearest;
    int best = std::max(1, int(name.size()) / 3) + 1;
    for (const QCommandLineOption &option : options) {
        for (const QString &known : option.names()) {
            const int distance = editDistance(name, known);
            if (known.size() > 1 && distance < best) {
                best = distance;
                nearest = written(known);
            }
        }
    }
    return nearest;
}

// The unknown option \a name as the arguments write it: with its dashes.
QString typedName(const QStringList &arguments, const QString &name)
{
    for (const QString &argument : arguments) {
        const int dashes = argument.startsWith(QLatin1String("--")) ? 2 : 1;
        if (argument.startsWith(QLatin1Char('-')) && argument.mid(dashes).startsWith(name)
            && (argument.size() == dashes + name.size()
                || argument.at(dashes + name.size()) == QLatin1Char('=')))
            return argument.left(dashes + name.size());
    }
    return name;
}

// The arguments with short flags written together apart (-zv: -z -v), and the flags that
// stand between --compare and its first file before it: --compare -z OLD NEW is
// -z --compare OLD NEW.
QStringList typedArguments(const QStringList &arguments, const QList<QCommandLineOption> &options)
{
    QString flags;
    QStringList valued;
    for (const QCommandLineOption &option : options) {
        for (const QString &name : option.names()) {
            if (!option.valueName().isEmpty())
                valued << QLatin1Char('-') + name << QLatin1String("--") + name;
            else if (name.size() == 1)
                flags += name;
        }
    }
    const auto isFlags = [&flags](const QString &argument) {
        if (argument.size() < 2 || argument.at(0) != QLatin1Char('-')
            || argument.at(1) == QLatin1Char('-'))
            return false;
        for (int i = 1; i < argument.size(); ++i) {
            if (!flags.contains(argument.at(i)))
                return false;
        }
        return true;
    };
    QStringList typed = arguments.mid(0, 1);
    int compareAt = -1;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            typed += arguments.mid(i);
            break;
        }
        if (isFlags(argument)) {
            QStringList apart;
            for (int c = 1; c < argument.size(); ++c)
                apart << QLatin1Char('-') + argument.at(c);
            if (compareAt >= 0) {
                for (const QString &flag : apart)
                    typed.insert(compareAt++, flag);
            } else {
                typed += apart;
            }
            continue;
        }
        compareAt = -1;
        typed << argument;
        if (valued.contains(argument) && i + 1 < arguments.size()) {
            if (argument.endsWith(QLatin1String("-compare")))
                compareAt = typed.size() - 1;
            else
                typed << arguments.at(++i); // a value, whatever it says
        }
    }
    return typed;
}

// The parser's own text as the other messages read: "Missing value after '-config'." as
// "missing value after '-config'".
QString inMessageStyle(QString text)
{
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text.at(0).toLower();
    return text;
}

} // namespace

Request parseOptions(const QStringList &arguments, const QString &toolVersion)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Explains how kevrareplace reads a rule file and applies its rules.\n"
                       "Without strings, reports the problems found in the rule files."));
    // Not the parser's own, which adds --help-all for options of Qt's that this program has not.
    const QCommandLineOption helpOption({ QStringLiteral("h"), QStringLiteral("help") },
        QStringLiteral("Print this help and exit."));
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
                       " LOCATION that of the rule that changes it; with --compare, every"
                       " string behind the counts; with --suggest, a line for each rule."));
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
    const QList<QCommandLineOption> options { helpOption, versionOption, configOption, rulesOption,
        nulOption, stdinOption, verboseOption, formatOption, testOption, compareOption,
        suggestOption };
    parser.addOptions(options);
    parser.addPositionalArgument(QStringLiteral("strings"),
        QStringLiteral("Strings to explain, rule by rule."), QStringLiteral("[--] [STRING...]"));

    if (!parser.parse(typedArguments(arguments, options))) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().constFirst();
            const QString nearest = nearestOption(name, options);
            return usage(QLatin1String("unknown option '") + typedName(arguments, name)
                + (nearest.isEmpty()
                        ? QLatin1String("'; put a string that begins with a dash after '--'")
                        : QLatin1String("'; did you mean '") + nearest + QLatin1String("'?")));
        }
        return usage(inMessageStyle(parser.errorText()));
    }
    Request request;
    request.toolVersion = toolVersion;
    if (parser.isSet(helpOption)) {
        // The parser names the program by the path it was started from.
        request.mode = Request::Help;
        request.text = parser.helpText();
        const QString startedAs = QCoreApplication::arguments().value(0);
        const int at = request.text.indexOf(startedAs);
        if (!startedAs.isEmpty() && at >= 0)
            request.text.replace(at, startedAs.size(), programName);
        // Written as every example writes it, in the column it had.
        request.text.replace(
            QLatin1String("  --config <FILE> "), QLatin1String("  -config <FILE>  "));
        return request;
    }
    if (parser.isSet(versionOption)) {
        request.mode = Request::Version;
        request.text = programName + QLatin1String(" " KEVRAREPLACE_VERSION_WORDS "\n");
        return request;
    }

    // --suggest: rules from case files, without a rule file or any other option but -v.
    if (parser.isSet(suggestOption)) {
        for (const QString &name : parser.optionNames()) {
            if (name != suggestOption.names().constFirst()
                && name != verboseOption.names().constFirst())
                return usage(QStringLiteral("--suggest goes with case files and -v alone,"
                                            " without other options"));
        }
        if (!parser.positionalArguments().isEmpty())
            return usage(QStringLiteral("--suggest takes no strings: it reads cases"));
        request.mode = Request::Suggest;
        request.caseFiles = parser.values(suggestOption);
        request.verbose = parser.isSet(verboseOption);
        return request;
    }

    request.configFiles = parser.values(configOption);
    request.strings = parser.positionalArguments();
    request.caseFiles = parser.values(testOption);
    request.nulTerminated = parser.isSet(nulOption);
    request.verbose = parser.isSet(verboseOption);
    if (parser.isSet(stdinOption))
        request.mode = Request::Stdin;
    else if (parser.isSet(rulesOption))
        request.mode = Request::Rules;
    else if (!request.strings.isEmpty())
        request.mode = Request::Explain;
    if (parser.isSet(testOption) && request.mode != Request::Check)
        return usage(QStringLiteral("--test goes with -config alone, without --rules, "
                                    "--stdin or strings"));
    if (parser.isSet(testOption))
        request.mode = Request::Test;
    const QString format = parser.value(formatOption);
    if (!isFindingsFormat(format))
        return usage(
            QLatin1String("unknown format '") + format + QLatin1String("'; use gnu or sarif"));
    request.format = format;

    if (parser.isSet(compareOption)) {
        const QStringList sides = parser.values(compareOption) + request.strings;
        if (sides.size() != 2)
            return usage(QStringLiteral("--compare takes two rule files: OLD NEW"));
        if (!request.configFiles.isEmpty() || request.mode == Request::Stdin
            || parser.isSet(rulesOption) || parser.isSet(testOption) || parser.isSet(formatOption))
            return usage(QStringLiteral(
                "--compare goes with -z and -v only, not with -config, --stdin, --rules, --test"
                " or --format"));
        request.mode = Request::Compare;
        request.configFiles = sides;
        request.strings.clear();
        return request;
    }
    if (request.configFiles.isEmpty())
        return usage(QStringLiteral("no rule file given; use -config FILE"));
    if (request.mode == Request::Stdin && parser.isSet(rulesOption))
        return usage(QStringLiteral("--rules and --stdin exclude each other"));
    if (request.mode == Request::Stdin && !request.strings.isEmpty())
        return usage(QStringLiteral("--stdin takes no strings: it reads them"));
    if (request.mode == Request::Rules && !request.strings.isEmpty())
        return usage(QStringLiteral("--rules takes no strings"));
    if (request.nulTerminated && request.mode != Request::Rules && request.mode != Request::Stdin)
        return usage(QStringLiteral("-z goes with --rules or --stdin"));
    if (request.verbose && request.mode != Request::Stdin)
        return usage(QStringLiteral("-v goes with --stdin"));
    if (parser.isSet(formatOption) && request.mode != Request::Check
        && request.mode != Request::Test)
        return usage(QStringLiteral("--format goes with checking, without --rules or strings"));
    return request;
}
