// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/stdinmapper.h"
#include "batch/d_batchreplace.h"
#include "check/cli/exitcodes.h"
#include "check/modes/inputfilter.h"

D_StdinMapper::D_StdinMapper(D_BatchReplace &replace, const QVector<QByteArray> &locations)
    : replace(replace)
    , locations(locations)
{
}

D_StdinMapper::~D_StdinMapper() = default;

void D_StdinMapper::setNulTerminated(bool nulTerminated)
{
    terminator = nulTerminated ? '\0' : '\n';
}

void D_StdinMapper::setVerbose(bool verbose) { this->verbose = verbose; }

int D_StdinMapper::run(D_OutputWriter &writer)
{
    const auto map = [this](const char *data, int size, QByteArray &output) {
        mapString(data, size, output);
    };
    return filterStandardInput(terminator, map, writer) ? ExitOk : ExitError;
}

void D_StdinMapper::mapString(const char *data, int size, QByteArray &output)
{
    // An empty string is not one the tool takes: it gets an empty record, so that the records
    // stay in step with the strings.
    const int rule = size > 0 ? replace.map(data, size, result) : -1;
    if (verbose) {
        const char fieldEnd = terminator == '\0' ? '\0' : '\t';
        if (rule >= 0)
            output += locations.value(rule);
        output += fieldEnd;
        output.append(data, size);
        output += fieldEnd;
    }
    // A string that no rule changes comes back as its very bytes.
    if (rule >= 0)
        output += result;
    else
        output.append(data, size);
    output += terminator;
}
