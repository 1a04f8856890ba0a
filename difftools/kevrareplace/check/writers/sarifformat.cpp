// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/writers/sarifformat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

QByteArray sarifFormat(
    const QVector<Finding> &findings, const QStringList &fileNames, const QString &toolVersion)
{
    // A rules entry for every id used, in the catalogue's order; results refer to them by index.
    QStringList used;
    for (const Diagnostic &entry : diagnosticCatalogue()) {
        for (const Finding &finding : findings) {
            if (finding.id == QLatin1String(entry.id)) {
                used.append(finding.id);
                break;
            }
        }
    }
    QJsonArray rules;
    for (const QString &id : qAsConst(used)) {
        const Diagnostic &entry = diagnostic(id);
        rules.append(QJsonObject { { QStringLiteral("id"), id },
            { QStringLiteral("shortDescription"),
                QJsonObject { { QStringLiteral("text"), QString::fromUtf8(entry.description) } } },
            { QStringLiteral("defaultConfiguration"),
                QJsonObject { { QStringLiteral("level"), severityName(entry.severity) } } } });
    }
    QJsonArray results;
    for (const Finding &finding : findings) {
        const QString uri = QString::fromLatin1(
            QUrl::toPercentEncoding(fileNames.value(finding.file), QByteArrayLiteral("/")));
        const QJsonObject region { { QStringLiteral("startLine"), finding.line },
            { QStringLiteral("startColumn"), finding.column } };
        const QJsonObject physical { { QStringLiteral("artifactLocation"),
                                         QJsonObject { { QStringLiteral("uri"), uri } } },
            { QStringLiteral("region"), region } };
        results.append(QJsonObject { { QStringLiteral("ruleId"), finding.id },
            { QStringLiteral("ruleIndex"), used.indexOf(finding.id) },
            { QStringLiteral("level"), severityName(finding.severity) },
            { QStringLiteral("message"),
                QJsonObject { { QStringLiteral("text"), finding.message } } },
            { QStringLiteral("locations"),
                QJsonArray {
                    QJsonObject { { QStringLiteral("physicalLocation"), physical } } } } });
    }
    const QJsonObject driver { { QStringLiteral("name"), QStringLiteral("kevrareplace-check") },
        { QStringLiteral("version"), toolVersion }, { QStringLiteral("rules"), rules } };
    const QJsonObject run { { QStringLiteral("tool"),
                                QJsonObject { { QStringLiteral("driver"), driver } } },
        // Columns count characters, as in the GNU lines.
        { QStringLiteral("columnKind"), QStringLiteral("unicodeCodePoints") },
        { QStringLiteral("results"), results } };
    const QJsonObject log { { QStringLiteral("$schema"),
                                QStringLiteral("https://json.schemastore.org/sarif-2.1.0.json") },
        { QStringLiteral("version"), QStringLiteral("2.1.0") },
        { QStringLiteral("runs"), QJsonArray { run } } };
    return QJsonDocument(log).toJson();
}
