// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef REQUEST_H
#define REQUEST_H

#include <QString>
#include <QStringList>

/// What the command line asks for: one mode and what it reads.
struct Request
{
    enum Mode {
        Usage, ///< a command line that asks for nothing: text says why
        Help, ///< text is the help
        Version, ///< text is the version line
        Check, ///< report the problems of configFiles
        Rules, ///< write a record for each rule of configFiles
        Explain, ///< explain each of strings by configFiles
        Stdin, ///< rewrite each string of standard input by configFiles
        Test, ///< run the cases of caseFiles on configFiles
        Compare, ///< compare the strings of standard input by configFiles OLD and NEW
        Suggest ///< write the rule file that the cases of caseFiles ask for
    };
    Mode mode = Check;
    QString text;
    QStringList configFiles;
    QStringList strings;
    QStringList caseFiles;
    bool nulTerminated = false;
    bool verbose = false;
    QString format; ///< the word of --format; the dispatch chooses the findings' format by it
    QString toolVersion;
};

#endif // REQUEST_H
