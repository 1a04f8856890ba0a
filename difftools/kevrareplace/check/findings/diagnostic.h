// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef DIAGNOSTIC_H
#define DIAGNOSTIC_H

#include "check/reading/documentscan.h"

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

/// Another place that a finding points to, such as the earlier rule of a shadowed one.
struct RelatedPlace
{
    int file;
    int line;
    int column;
    QString message;
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
    QVector<RelatedPlace> related = {};
};

/// Every kind of finding, in the order the manual page lists them.
const QVector<Diagnostic> &diagnosticCatalogue();

/// The catalogue's entry for \a id; the first entry when it has none.
const Diagnostic &diagnostic(const QString &id);

/// The finding \a id of the catalogue at \a location ("FILE:LINE:COLUMN"), the place \a file,
/// \a line, \a column, saying \a message: the one way to make a finding.
Finding makeFinding(const char *id, const QString &location, int file, int line, int column,
    const QString &message);

/// The finding \a id at line \a line, column \a column of the file named \a fileName, which is
/// file \a file of the findings (a case file, which no scan reads), saying \a message.
Finding findingAtLine(const char *id, const QString &fileName, int file, int line, int column,
    const QString &message);

/// The finding \a id at \a offset of the files \a scan scanned, saying \a message.
Finding findingAt(
    const D_DocumentScan &scan, const char *id, qint64 offset, const QString &message);

/// The place at \a offset of the files \a scan scanned, saying what it is: \a message.
RelatedPlace relatedAt(const D_DocumentScan &scan, qint64 offset, const QString &message);

/// "error", "warning" or "note".
QString severityName(Severity severity);

#endif // DIAGNOSTIC_H
