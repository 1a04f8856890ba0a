// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/lint.h"
#include "check/findings/linter.h"

#include <algorithm>
#include <tuple>

Linter::Linter(D_RuleFileReading &reading)
    : reading(reading)
    , scan(reading.scan())
{
}

QVector<Finding> Linter::run()
{
    reading.read([this](int element, const QVector<ScanAttribute> &attributes) {
        visitStartTag(element, attributes);
    });
    lintWalk();
    lintRules();
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
    });
    return findings;
}

void Linter::add(const char *id, qint64 offset, const QString &message)
{
    const SourceLocation at = scan.location(offset);
    findings.append(Finding { QLatin1String(id), diagnostic(QLatin1String(id)).severity,
        scan.locationText(offset), at.file, at.line, at.column, message });
}

QString Linter::where(qint64 offset) const
{
    const SourceLocation at = scan.location(offset);
    return QString::number(at.line) + QLatin1Char(':') + QString::number(at.column);
}

QVector<Finding> lintRuleFiles(D_RuleFileReading &reading) { return Linter(reading).run(); }
