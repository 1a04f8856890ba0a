// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "api/rulesetdata.h"
#include "check/reading/rulefilereading.h"
#include "config/entryrules.h"

D_RuleSetData::D_RuleSetData() = default;

D_RuleSetData::~D_RuleSetData()
{
    for (std::atomic<D_BatchReplace *> &slot : idle)
        delete slot.load();
}

void D_RuleSetData::read(const QVector<ConfigFile> &files)
{
    // The reading of the companion's -v: the tool's own reader, and where each rule's element is.
    D_RuleFileReading reading(files);
    reading.read();
    entries = reading.entries();
    locations.reserve(entries.size());
    const D_DocumentScan &scan = reading.scan();
    for (int i = 0; i < entries.size(); ++i) {
        const SourceLocation at = scan.location(reading.ruleOffset(i));
        locations.append(KevraReplace::RuleLocation { scan.fileName(at.file), at.line, at.column });
    }
}

void D_RuleSetData::refuse(const QString &message, int exitCode)
{
    errorString = message;
    this->exitCode = exitCode;
}

std::unique_ptr<D_BatchReplace> D_RuleSetData::takeEngine() const
{
    for (std::atomic<D_BatchReplace *> &slot : idle) {
        if (D_BatchReplace *engine = slot.exchange(nullptr, std::memory_order_acquire))
            return std::unique_ptr<D_BatchReplace>(engine);
    }
    std::unique_ptr<D_BatchReplace> engine(new D_BatchReplace);
    addRules(*engine, entries);
    return engine;
}

void D_RuleSetData::giveBack(std::unique_ptr<D_BatchReplace> engine) const
{
    for (std::atomic<D_BatchReplace *> &slot : idle) {
        D_BatchReplace *empty = nullptr;
        if (slot.compare_exchange_strong(empty, engine.get(), std::memory_order_release)) {
            engine.release();
            return;
        }
    }
}
