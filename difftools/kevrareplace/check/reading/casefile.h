// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef CASEFILE_H
#define CASEFILE_H

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

/// Reads a case file line by line: each line a string, a tab and the result expected of it.
/// Blank lines and lines that begin with # are passed over. A field in double quotes takes the
/// escapes \t, \n, \\, \" and \xHH (a byte); any other field is its bytes as they stand. Lines
/// end with LF or CR LF; a byte-order mark that begins the file is passed over. A string that
/// is empty or one of the tool's options is not a case: the tool never takes it as its string.
class D_CaseFile
{
public:
    enum Kind { Case, NotACase };

    /// Reads \a bytes, which must outlive the reader.
    explicit D_CaseFile(const QByteArray &bytes);
    virtual ~D_CaseFile();

    D_CaseFile(const D_CaseFile &) = delete;
    D_CaseFile &operator=(const D_CaseFile &) = delete;

    /// Moves to the next line that is a case or that should have been one; false at the end.
    bool next();

    Kind kind() const { return lineKind; }
    /// The number of the line, from 1.
    int line() const { return lineNumber; }
    /// For a case: its string and what is expected of it, as bytes.
    std::string_view string() const { return fields[0]; }
    std::string_view expected() const { return fields[1]; }
    /// For a line that is not a case: the column, from 1, where it goes wrong, and why.
    int errorColumn() const { return column; }
    QString errorMessage() const { return message; }

private:
    bool readField(int field, std::string_view &rest, bool last);
    void fail(const char *at, const QString &why);

    const char *data;
    const char *end;
    const char *lineStart = nullptr;
    int lineNumber = 0;
    Kind lineKind = Case;
    std::string_view fields[2];
    std::string unquoted[2];
    int column = 0;
    QString message;
};

#endif // CASEFILE_H
