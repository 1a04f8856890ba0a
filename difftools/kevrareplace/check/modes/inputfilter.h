// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef INPUTFILTER_H
#define INPUTFILTER_H

#include "text/stdinfilter.h"

class D_OutputWriter;

/// Filters standard input as --stdin and --compare do: each string, split at \a terminator,
/// handed to \a record, what it appends written in blocks by \a writer, and "Unable to read
/// input: REASON" written by it when standard input cannot be read. True when the input was
/// read to its end and every record got out.
bool filterStandardInput(char terminator, const StringRecorder &record, D_OutputWriter &writer);

#endif // INPUTFILTER_H
