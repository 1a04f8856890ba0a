// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef LINTER_H
#define LINTER_H

#include "check/findings/diagnostic.h"
#include "check/reading/rulefilereading.h"

#include <QString>
#include <QVector>

// The findings of one reading, gathered by kind in files of their own: the walk of the
// document (lintdocument.cpp), one rule alone (lintrule.cpp), the order of the rules
// (lintorder.cpp).
class Linter
{
public:
    explicit Linter(D_RuleFileReading &reading);
    QVector<Finding> run();

private:
    void add(const char *id, qint64 offset, const QString &message);
    QString where(qint64 offset) const;

    void visitStartTag(int element, const QVector<ScanAttribute> &attributes);
    bool isFileElement(int element) const;
    bool hasAncestor(int element, const char *name) const;
    void lintWalk();

    void lintRules();

    void lintRule(const FileEntry &entry, qint64 at);
    void lintReplacement(const FileEntry &entry, int groups, qint64 at);
    void lintWildcard(const FileEntry &entry, qint64 at);

    D_RuleFileReading &reading;
    const D_DocumentScan &scan;
    QVector<Finding> findings;
};

inline QString quoted(const QString &text) { return QLatin1Char('\'') + text + QLatin1Char('\''); }

inline QString localName(const QString &name)
{
    return name.mid(name.indexOf(QLatin1Char(':')) + 1);
}

#endif // LINTER_H
