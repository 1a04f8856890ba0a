// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef COMPAREMAPPER_H
#define COMPAREMAPPER_H

#include "check/reading/documentscan.h"
#include "config/d_replacestreamreader.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <vector>

class D_BatchReplace;
class D_OutputWriter;

/// The rules of one side of a comparison: the engine that holds them, the rules as read, and
/// the "FILE:LINE:COLUMN" of each.
struct CompareSide
{
    D_BatchReplace &replace;
    QVector<FileEntry> entries;
    QVector<QByteArray> locations;
};

/// Maps each string by an old and a new set of rules, writing a record for each string whose
/// result differs, and counts for each rule the strings it gained and lost. A rule is the same
/// on both sides when all five of its fields are equal (the k-th of equal rules of one side
/// being the k-th of the other); an edited rule is one removed and one added. A string is
/// gained by the rule that decides it in new and lost by the one that decides it in old when
/// these are not the same rule, whether or not the result differs.
class D_CompareMapper
{
public:
    D_CompareMapper(const CompareSide &oldSide, const CompareSide &newSide);
    virtual ~D_CompareMapper();

    D_CompareMapper(const D_CompareMapper &) = delete;
    D_CompareMapper &operator=(const D_CompareMapper &) = delete;

    /// Strings end with NUL instead of a newline, and so does every field of a record.
    void setNulTerminated(bool nulTerminated);

    /// The summary shows every string behind a rule's counts, not the first three.
    void setVerbose(bool verbose);

    /// Maps the \a size bytes at \a data by both sides; when the results differ, appends
    /// STRING, OLD-RESULT, NEW-RESULT, OLD-LOCATION and NEW-LOCATION to \a output.
    void compareString(const char *data, int size, QByteArray &output);

    qint64 stringsRead() const;
    qint64 stringsDiffering() const;
    /// The counts as lines: strings read and differing, then one line per rule whose strings
    /// changed, the old side's rules first, each with the first strings it gained or lost
    /// below it, one a line with its old and new result.
    QString summary() const;

    /// Compares the strings of standard input, writing the records and then the summary by
    /// \a writer. Returns ExitOk when none differs, ExitFindings when one does, ExitError when
    /// input or output failed.
    int run(D_OutputWriter &writer);

private:
    // A string that moved from one rule to another, with its results.
    struct Sample
    {
        QByteArray string;
        QByteArray oldText;
        QByteArray newText;
    };

    void keepSample(
        size_t id, const QByteArray &string, const QByteArray &oldText, const QByteArray &newText);
    QString samplesText(size_t id) const;

    const CompareSide oldSide;
    const CompareSide newSide;
    char terminator = '\n';
    std::vector<int> newRuleOf; // for each old rule, the same rule of new, or -1
    std::vector<int> idOfNew; // for each new rule, an old rule's number or old count + its own
    std::vector<qint64> gained; // by rule: old rules, then rules only in new
    std::vector<qint64> lost;
    std::vector<std::vector<Sample>> samples; // by rule, as gained and lost
    size_t samplesKept = 3;
    qint64 read = 0;
    qint64 differing = 0;
    QByteArray oldResult;
    QByteArray newResult;
};

/// Compares the strings of standard input by the rules of \a oldFiles and \a newFiles; with
/// \a verbose, the summary shows every string behind the counts.
int compareStandardInput(const QVector<ConfigFile> &oldFiles, const QVector<ConfigFile> &newFiles,
    bool nulTerminated, bool verbose, D_OutputWriter &writer);

#endif // COMPAREMAPPER_H
