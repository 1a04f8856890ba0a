// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/writers/outputwriter.h"
#include "text/standardstreams.h"

#include <cerrno>
#include <cstdio>

D_OutputWriter::D_OutputWriter() = default;

D_OutputWriter::~D_OutputWriter() = default;

bool D_OutputWriter::write(const QString &text, TextRole role)
{
    return !failed() && record(writeText(stdout, text, role));
}

bool D_OutputWriter::writeBytes(const QByteArray &bytes)
{
    return !failed() && record(::writeBytes(stdout, bytes));
}

bool D_OutputWriter::writeBlock(const char *data, int size)
{
    return !failed() && record(writeStandardOutputBlock(data, size));
}

void D_OutputWriter::writeMessage(const QString &text)
{
    // Standard error is where a failure would be told: its own failures go untold.
    if (!failed())
        writeText(stderr, text, TextRole::Message);
}

bool D_OutputWriter::failed() const { return error != 0; }

void D_OutputWriter::writeFailure()
{
    writeText(stderr,
        QLatin1String("Unable to write output: ") + writeFailureReason(error) + QLatin1Char('\n'),
        TextRole::Message);
}

void D_OutputWriter::writeReadFailure(int error)
{
    writeMessage(
        QLatin1String("Unable to read input: ") + writeFailureReason(error) + QLatin1Char('\n'));
}

bool D_OutputWriter::record(bool written)
{
    if (!written)
        error = errno != 0 ? errno : EIO;
    return written;
}
