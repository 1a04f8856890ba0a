// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/batchrules.h"
#include "batch/d_batchreplace.h"
#include "check/reading/rulefilereading.h"
#include "config/entryrules.h"
#include "text/losslesscodec.h"

QVector<FileEntry> readRules(
    const QVector<ConfigFile> &files, D_BatchReplace &replace, QVector<QByteArray> *locations)
{
    const auto add = [&replace](const QVector<FileEntry> &entries) {
        addRules(replace, entries);
        return entries;
    };
    if (locations) {
        D_RuleFileReading reading(files);
        reading.read();
        for (int i = 0; i < reading.entries().size(); ++i)
            locations->append(encodeLossless(reading.ruleLocation(i))); // records are UTF-8
        return add(reading.entries());
    }
    // Without locations the document scan is not needed: the reader alone, as in the tool.
    D_ReplaceStreamReader reader;
    for (const ConfigFile &file : files)
        reader.addData(file.bytes);
    reader.read();
    return add(reader.entries());
}
