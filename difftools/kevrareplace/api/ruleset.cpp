// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "api/kevrareplace/ruleset.h"
#include "api/rulesetdata.h"
#include "driver/toolanswers.h"

#include <QFile>

namespace KevraReplace {

RuleSet::RuleSet()
    : d(new D_RuleSetData)
{
}

RuleSet::RuleSet(D_RuleSetData *data)
    : d(data)
{
}

RuleSet::RuleSet(const RuleSet &other) = default;
RuleSet::RuleSet(RuleSet &&other) noexcept = default;
RuleSet &RuleSet::operator=(const RuleSet &other) = default;
RuleSet &RuleSet::operator=(RuleSet &&other) noexcept = default;
RuleSet::~RuleSet() = default;

RuleSet RuleSet::fromFiles(const QStringList &fileNames)
{
    auto *data = new D_RuleSetData;
    const RuleSet rules(data);
    if (fileNames.isEmpty()) {
        data->refuse(configNotSetMessage(), ToolExitUsage);
        return rules;
    }
    // Opened as the tool opens them, in their order: the first that cannot be ends the read.
    QVector<ConfigFile> files;
    for (const QString &name : fileNames) {
        QFile file;
        if (!openConfigFile(file, name)) {
            data->refuse(configUnreadableMessage(name), ToolExitConfigUnreadable);
            return rules;
        }
        files.append(ConfigFile { name, file.readAll() });
    }
    data->read(files);
    return rules;
}

RuleSet RuleSet::fromData(const QByteArray &data, const QString &fileName)
{
    auto *rulesData = new D_RuleSetData;
    rulesData->read({ ConfigFile { fileName, data } });
    return RuleSet(rulesData);
}

bool RuleSet::isValid() const { return d->exitCode == ToolExitOk; }

int RuleSet::exitCode() const { return d->exitCode; }

QString RuleSet::errorString() const { return d->errorString; }

int RuleSet::ruleCount() const { return d->entries.size(); }

RuleLocation RuleSet::ruleLocation(int rule) const { return d->locations.value(rule); }

QString RuleSet::rewrite(const QString &input, int *rule) const
{
    QString result;
    const int decided = input.isEmpty()
        ? -1
        : d->withEngine([&](D_BatchReplace &engine) { return engine.map(input, result); });
    if (rule)
        *rule = decided;
    return decided < 0 ? input : result;
}

QByteArray RuleSet::rewriteBytes(const QByteArray &input, int *rule) const
{
    QByteArray result;
    const int decided = input.isEmpty() ? -1 : d->withEngine([&](D_BatchReplace &engine) {
        return engine.map(input.constData(), input.size(), result);
    });
    if (rule)
        *rule = decided;
    return decided < 0 ? input : result;
}

} // namespace KevraReplace
