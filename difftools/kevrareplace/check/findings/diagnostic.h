// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef DIAGNOSTIC_H
#define DIAGNOSTIC_H

#include <QString>
#include <QVector>

enum class Severity { Error, Warning, Note };

/// A kind of finding: its stable id, severity and a one-line description.
struct Diagnostic
{
    const char *id;
    Severity severity;
    const char *description;
};

/// One finding at one place of the rule files.
struct Finding
{
    QString id;
    Severity severity;
    QString location; ///< "FILE:LINE:COLUMN"
    int file;
    int line;
    int column;
    QString message;
};

/// Every kind of finding, in the order the manual page lists them.
const QVector<Diagnostic> &diagnosticCatalogue();

/// The catalogue's entry for \a id; the first entry when it has none.
const Diagnostic &diagnostic(const QString &id);

/// "error", "warning" or "note".
QString severityName(Severity severity);

#endif // DIAGNOSTIC_H
