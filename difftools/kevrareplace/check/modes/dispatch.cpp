// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/dispatch.h"
#include "batch/d_batchreplace.h"
#include "check/cli/exitcodes.h"
#include "check/findings/lint.h"
#include "check/modes/casetest.h"
#include "check/modes/comparemapper.h"
#include "check/modes/explain.h"
#include "check/modes/inputfiles.h"
#include "check/modes/rulefilecheck.h"
#include "check/modes/stdinmapper.h"
#include "check/modes/suggestmode.h"
#include "check/reading/batchrules.h"
#include "check/reading/rulefilereading.h"
#include "check/writers/findingsformat.h"
#include "check/writers/gnuformat.h"
#include "check/writers/outputwriter.h"
#include "check/writers/rulesformat.h"
#include "config/configfile.h"

namespace {

int writeRules(const D_RuleFileReading &reading, const Request &request, D_OutputWriter &writer)
{
    const QVector<FileEntry> &entries = reading.entries();
    QString records;
    for (int i = 0; i < entries.size(); ++i)
        records += ruleRecord(reading.ruleLocation(i), entries.at(i), request.nulTerminated);
    // Not a record is written when one of them cannot be.
    writer.write(records, TextRole::Data);
    return ExitOk;
}

int explainStrings(const D_RuleFileReading &reading, const Request &request, D_OutputWriter &writer)
{
    const auto location = [&reading](int rule) { return reading.ruleLocation(rule); };
    for (int i = 0; i < request.strings.size(); ++i) {
        const Explanation explanation = explainString(reading.entries(), request.strings.at(i));
        writer.write((i > 0 ? QLatin1String("\n") : QLatin1String(""))
            + explanationText(explanation, reading.entries(), location));
    }
    return ExitOk;
}

int mapStandardInput(QVector<ConfigFile> &files, const Request &request, D_OutputWriter &writer)
{
    D_BatchReplace replace;
    QVector<QByteArray> locations;
    readRules(files, replace, request.verbose ? &locations : nullptr);
    files.clear(); // the rules hold what they need
    D_StdinMapper mapper(replace, locations);
    mapper.setNulTerminated(request.nulTerminated);
    mapper.setVerbose(request.verbose);
    return mapper.run(writer);
}

int compareFiles(const Request &request, D_OutputWriter &writer)
{
    QVector<ConfigFile> oldFiles;
    QVector<ConfigFile> newFiles;
    if (!loadInputFiles({ request.configFiles.at(0) }, oldFiles, writer)
        || !loadInputFiles({ request.configFiles.at(1) }, newFiles, writer))
        return ExitError;
    // Differences counted against a side that the tool reads wrong or not at all would be no
    // answer: its errors are told, for both sides, and no string is read.
    bool sideFailed = false;
    for (const QVector<ConfigFile> *files : { &oldFiles, &newFiles }) {
        D_RuleFileReading reading(*files);
        const QVector<Finding> errors = ruleFileErrors(reading);
        writer.writeMessage(gnuFormat(errors));
        sideFailed = sideFailed || !errors.isEmpty();
    }
    if (sideFailed)
        return ExitError;
    return compareStandardInput(oldFiles, newFiles, request.nulTerminated, request.verbose, writer);
}

int runMode(const Request &request, D_OutputWriter &writer)
{
    switch (request.mode) {
    case Request::Usage:
        writer.writeMessage(QLatin1String("kevrareplace-check: ") + request.text
            + QLatin1String("\nTry 'kevrareplace-check --help' for more information.\n"));
        return ExitError;
    case Request::Help:
    case Request::Version:
        writer.write(request.text);
        return ExitOk;
    case Request::Compare:
        return compareFiles(request, writer);
    case Request::Suggest:
        return suggestRules(request.caseFiles, request.verbose, writer);
    case Request::Check:
    case Request::Rules:
    case Request::Explain:
    case Request::Stdin:
    case Request::Test:
        break;
    }
    QVector<ConfigFile> files;
    if (!loadInputFiles(request.configFiles, files, writer))
        return ExitError;
    if (request.mode == Request::Stdin)
        return mapStandardInput(files, request, writer);
    D_RuleFileReading reading(files);
    files.clear();
    switch (request.mode) {
    case Request::Rules:
        reading.read();
        return writeRules(reading, request, writer);
    case Request::Explain:
        reading.read();
        return explainStrings(reading, request, writer);
    case Request::Test:
        return runCaseTests(reading, request.caseFiles, request.configFiles,
            findingsFormat(request.format, request.toolVersion), writer);
    default:
        return checkRuleFiles(reading, request.configFiles,
            findingsFormat(request.format, request.toolVersion), writer);
    }
}

} // namespace

int runRequest(const Request &request)
{
    D_OutputWriter writer;
    const int status = runMode(request, writer);
    if (!writer.failed())
        return status;
    writer.writeFailure();
    // In every mode: neither success nor findings.
    return ExitError;
}
