// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef STDINMAPPER_H
#define STDINMAPPER_H

#include <QByteArray>
#include <QString>
#include <QVector>

class D_BatchReplace;
class D_OutputWriter;

/// Maps the strings of standard input, one record each on standard output, as a filter and
/// as a co-process: what is mapped is written before the mapper waits for more input.
class D_StdinMapper
{
public:
    /// Maps by the rules of \a replace; \a locations holds the "FILE:LINE:COLUMN" of each rule
    /// for verbose records (it may be empty otherwise).
    D_StdinMapper(D_BatchReplace &replace, const QVector<QByteArray> &locations);
    virtual ~D_StdinMapper();

    D_StdinMapper(const D_StdinMapper &) = delete;
    D_StdinMapper &operator=(const D_StdinMapper &) = delete;

    /// Strings and records end with NUL instead of a newline.
    void setNulTerminated(bool nulTerminated);

    /// Each record is LOCATION, INPUT and RESULT: separated by tabs, or each followed by a NUL
    /// when NUL-terminated. LOCATION is that of the rule that changes the string, or empty.
    void setVerbose(bool verbose);

    /// Reads standard input to its end, writing the result of each string by \a writer, exactly
    /// as the tool prints it, or an empty record for an empty string. Returns ExitOk; or
    /// ExitError when output cannot be written or, after a line on standard error, input
    /// cannot be read.
    int run(D_OutputWriter &writer);

private:
    void mapString(const char *data, int size, QByteArray &output);

    D_BatchReplace &replace;
    const QVector<QByteArray> locations;
    char terminator = '\n';
    bool verbose = false;
    QByteArray result;
};

#endif // STDINMAPPER_H
