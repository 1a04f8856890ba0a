// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Applies random rules to random strings with both engines and with a reference that passes
// over no rule, and fails on any difference in the result or in the rule that decides it. The input
// is split at NUL bytes into fields: the first byte of the first field is the number of rules
// (modulo 9), then each rule takes two fields, its pattern (first byte: bits 0-1 the kind, bit 2
// cs) and its replacement; every field after them is a string, taken as bytes. The bytes 0x01 to
// 0x04 stand for the characters that case folding relates to ASCII letters, U+0130, U+0131, U+017F
// and U+212A.

#include "batch/d_batchreplace.h"
#include "check/modes/comparemapper.h"
#include "config/entryrules.h"
#include "folding.h"
#include "referencereplace.h"
#include "replace/d_replace.h"
#include "text/losslesscodec.h"

#include <QList>

#include <cstdint>
#include <cstdlib>

namespace {

QString text(const QByteArray &field)
{
    const QByteArray bytes = withFolding(field);
    return decodeLossless(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> fields =
        QByteArray(reinterpret_cast<const char *>(data), int(size)).split('\0');
    const int count = fields.first().isEmpty() ? 0 : uchar(fields.first().at(0)) % 9;
    if (fields.size() < 1 + 2 * count)
        return 0;

    QVector<Rule> rules;
    D_Replace replace;
    D_BatchReplace batch;
    for (int i = 0; i < count; ++i) {
        const QByteArray &pattern = fields.at(1 + 2 * i);
        const int flags = pattern.isEmpty() ? 0 : uchar(pattern.at(0));
        const Rule rule { text(pattern.mid(1)), text(fields.at(2 + 2 * i)),
            (flags & 3) == 1 || (flags & 3) == 3, (flags & 4) != 0, (flags & 3) >= 2 };
        rules.append(rule);
        replace.addRule(rule.pattern, rule.substitute, rule.regexp, rule.cs, rule.wildcard);
        batch.addRule(rule.pattern, rule.substitute, rule.regexp, rule.cs, rule.wildcard);
    }

    for (int s = 1 + 2 * count; s < fields.size(); ++s) {
        const QByteArray bytes = withFolding(fields.at(s));
        const QString input = decodeLossless(bytes);
        int expectedDecider = -1;
        const QString expected = referenceReplace(rules, input, &expectedDecider);
        QByteArray result;
        const int decider = batch.map(bytes.constData(), bytes.size(), result);
        if ((decider < 0 ? bytes : result) != encodeLossless(expected) || decider != expectedDecider
            || batch.apply(input) != expected || replace.apply(input) != expected)
            std::abort();
    }

    // Compared with themselves, the rules map no string differently and move no decision.
    QVector<FileEntry> entries;
    for (const Rule &rule : qAsConst(rules))
        entries.append({ rule.pattern, rule.substitute, rule.regexp, rule.cs, rule.wildcard });
    D_BatchReplace same;
    addRules(same, entries);
    D_CompareMapper compare(CompareSide { batch, entries, {} }, CompareSide { same, entries, {} });
    QByteArray records;
    for (int s = 1 + 2 * count; s < fields.size(); ++s) {
        const QByteArray bytes = withFolding(fields.at(s));
        compare.compareString(bytes.constData(), bytes.size(), records);
    }
    if (!records.isEmpty() || compare.stringsDiffering() != 0
        || compare.summary().count(QLatin1Char('\n')) != 1)
        std::abort();
    return 0;
}
