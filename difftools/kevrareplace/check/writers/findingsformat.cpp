// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/writers/findingsformat.h"
#include "check/writers/gnuformat.h"
#include "check/writers/outputwriter.h"
#include "check/writers/sarifformat.h"

#include <QDir>

namespace {

constexpr char gnuWord[] = "gnu";
constexpr char sarifWord[] = "sarif";

} // namespace

bool isFindingsFormat(const QString &word)
{
    return word == QLatin1String(gnuWord) || word == QLatin1String(sarifWord);
}

FindingsFormat findingsFormat(const QString &word, const QString &toolVersion)
{
    if (word == QLatin1String(sarifWord)) {
        return [toolVersion](const QVector<Finding> &findings, const QStringList &fileNames,
                   D_OutputWriter &writer) {
            writer.writeBytes(sarifFormat(findings, fileNames, toolVersion, QDir::currentPath()));
        };
    }
    return [](const QVector<Finding> &findings, const QStringList &, D_OutputWriter &writer) {
        writer.write(gnuFormat(findings));
    };
}
