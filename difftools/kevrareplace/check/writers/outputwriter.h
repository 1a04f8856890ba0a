// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef OUTPUTWRITER_H
#define OUTPUTWRITER_H

#include "text/consoleoutput.h"

#include <QByteArray>
#include <QString>

/// Everything the companion writes, on standard output and standard error, goes through one
/// writer, the one place that knows whether a write failed. After a write to standard output
/// fails, nothing more is written but the message that says so.
class D_OutputWriter
{
public:
    D_OutputWriter();
    virtual ~D_OutputWriter();

    D_OutputWriter(const D_OutputWriter &) = delete;
    D_OutputWriter &operator=(const D_OutputWriter &) = delete;

    /// Writes \a text whole to standard output: findings, explanations and help are read by
    /// people (Message), rule records are data. False when it did not get there whole.
    bool write(const QString &text, TextRole role = TextRole::Message);

    /// Writes \a bytes to standard output as they are: a SARIF log, UTF-8 on every platform.
    bool writeBytes(const QByteArray &bytes);

    /// Writes the \a size bytes at \a data to standard output unbuffered, as a filter writes
    /// each block of records.
    bool writeBlock(const char *data, int size);

    /// Writes \a text for a person to standard error: a summary, a usage error, a file that
    /// cannot be opened. Nothing once a write to standard output has failed.
    void writeMessage(const QString &text);

    /// Whether a write to standard output failed.
    bool failed() const;

    /// Writes "Unable to write output: REASON" on standard error for the failed write.
    void writeFailure();

    /// Writes "Unable to read input: REASON" on standard error for a read that left \a error
    /// in errno.
    void writeReadFailure(int error);

private:
    bool record(bool written);

    int error = 0; // errno of the failed write; 0 while every write succeeded
};

#endif // OUTPUTWRITER_H
