// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/inputfilter.h"
#include "check/writers/outputwriter.h"

#include <cerrno>

bool filterStandardInput(char terminator, const StringRecorder &record, D_OutputWriter &writer)
{
    const FilterEnd end = filterStdin(terminator, record,
        [&writer](const char *data, int size) { return writer.writeBlock(data, size); });
    if (end == FilterEnd::InputFailed)
        writer.writeReadFailure(errno);
    return end == FilterEnd::Complete;
}
