// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/writers/sarifformat.h"
#include "check/writers/artifacturi.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString sourceRoot = QStringLiteral("%SRCROOT%");

QJsonObject physicalLocation(const QStringList &fileNames, int file, int line, int column)
{
    const ArtifactUri name = artifactUri(fileNames.value(file));
    QJsonObject artifact { { QStringLiteral("uri"), name.uri } };
    if (name.relative)
        artifact.insert(QStringLiteral("uriBaseId"), sourceRoot);
    const QJsonObject region { { QStringLiteral("startLine"), line },
        { QStringLiteral("startColumn"), column } };
    return QJsonObject { { QStringLiteral("artifactLocation"), artifact },
        { QStringLiteral("region"), region } };
}

QJsonObject messageObject(const QString &text)
{
    return QJsonObject { { QStringLiteral("text"), text } };
}

} // namespace

QByteArray sarifFormat(const QVector<Finding> &findings, const QStringList &fileNames,
    const QString &toolVersion, const QString &startFolder)
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
        QJsonObject result {
            { QStringLiteral("ruleId"), finding.id },
            { QStringLiteral("ruleIndex"), used.indexOf(finding.id) },
            { QStringLiteral("level"), severityName(finding.severity) },
            { QStringLiteral("message"), messageObject(finding.message) },
            { QStringLiteral("locations"),
                QJsonArray { QJsonObject { { QStringLiteral("physicalLocation"),
                    physicalLocation(fileNames, finding.file, finding.line, finding.column) } } } }
        };
        QJsonArray related;
        for (const RelatedPlace &place : finding.related)
            related.append(QJsonObject { { QStringLiteral("id"), related.size() },
                { QStringLiteral("physicalLocation"),
                    physicalLocation(fileNames, place.file, place.line, place.column) },
                { QStringLiteral("message"), messageObject(place.message) } });
        if (!related.isEmpty())
            result.insert(QStringLiteral("relatedLocations"), related);
        results.append(result);
    }
    const QJsonObject driver { { QStringLiteral("name"), QStringLiteral("kevrareplace-check") },
        { QStringLiteral("version"), toolVersion }, { QStringLiteral("rules"), rules } };
    const QJsonObject run { { QStringLiteral("tool"),
                                QJsonObject { { QStringLiteral("driver"), driver } } },
        // Columns count characters, as in the GNU lines.
        { QStringLiteral("columnKind"), QStringLiteral("unicodeCodePoints") },
        { QStringLiteral("originalUriBaseIds"),
            QJsonObject { { sourceRoot,
                QJsonObject { { QStringLiteral("uri"), folderUri(startFolder) } } } } },
        { QStringLiteral("results"), results } };
    const QJsonObject log { { QStringLiteral("$schema"),
                                QStringLiteral("https://json.schemastore.org/sarif-2.1.0.json") },
        { QStringLiteral("version"), QStringLiteral("2.1.0") },
        { QStringLiteral("runs"), QJsonArray { run } } };
    return QJsonDocument(log).toJson();
}
