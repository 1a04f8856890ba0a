// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Checks arbitrary rule-file bytes, split into two files at a point the input chooses: the
// rules listed are exactly the reader's entries, in order, and every report is made.

#include "check/findings/lint.h"
#include "check/modes/explain.h"
#include "check/writers/gnuformat.h"
#include "check/writers/sarifformat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const int split = int(data[0] * size_t(bytes.size()) / 255);
    const QVector<ConfigFile> files = { { QStringLiteral("a.xml"), bytes.left(split) },
        { QStringLiteral("b.xml"), bytes.mid(split) } };

    D_ReplaceStreamReader reader;
    for (const ConfigFile &file : files)
        reader.addData(file.bytes);
    reader.read();

    D_RuleFileReading reading(files);
    const QVector<Finding> findings = lintRuleFiles(reading);
    const QVector<FileEntry> &listed = reading.entries();
    if (listed.size() != reader.entries().size())
        std::abort();
    for (int i = 0; i < listed.size(); ++i) {
        const FileEntry &a = listed.at(i);
        const FileEntry &b = reader.entries().at(i);
        if (a != b || reading.ruleElement(i) < 0)
            std::abort();
        reading.ruleLocation(i);
    }
    gnuFormat(findings);
    sarifFormat(findings, { files.at(0).name, files.at(1).name }, QStringLiteral("0"),
        QStringLiteral("/start"));
    const auto location = [&reading](int rule) { return reading.ruleLocation(rule); };
    explanationText(explainString(listed, QStringLiteral("/a/b")), listed, location);
    return 0;
}
