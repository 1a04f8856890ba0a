// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RULEFILEREADING_H
#define RULEFILEREADING_H

#include "check/reading/documentscan.h"
#include "config/d_replacestreamreader.h"

#include <QString>
#include <QVector>

/// The tool's reading of the joined rule files, by its own reader, beside a scan of what the
/// files hold: which element gave each rule, and where each walk of the reader ended.
class D_RuleFileReading
{
public:
    explicit D_RuleFileReading(const QVector<ConfigFile> &files);
    virtual ~D_RuleFileReading();

    D_RuleFileReading(const D_RuleFileReading &) = delete;
    D_RuleFileReading &operator=(const D_RuleFileReading &) = delete;

    /// Reads the files as the tool does and scans them, passing \a visit to the scan.
    void read(const D_DocumentScan::StartTagVisitor &visit = {});

    /// The rules as the tool reads them, in the order it tries them.
    const QVector<FileEntry> &entries() const;
    /// The walks of the reader as they ended, inner walks first.
    const QVector<WalkStep> &walkSteps() const;
    const D_DocumentScan &scan() const;

    /// The scanned element that gave rule \a rule, or -1.
    int ruleElement(int rule) const;
    /// The offset of the < of the start tag that gave rule \a rule; 0 when no element did.
    qint64 ruleOffset(int rule) const;
    /// "FILE:LINE:COLUMN" of the < of the start tag that gave rule \a rule.
    QString ruleLocation(int rule) const;

private:
    QVector<ConfigFile> files;
    D_ReplaceStreamReader reader;
    D_DocumentScan documentScan;
    QVector<WalkStep> steps;
    QVector<int> elementOfRule;
};

#endif // RULEFILEREADING_H
