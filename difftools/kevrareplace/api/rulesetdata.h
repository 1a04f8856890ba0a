// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RULESETDATA_H
#define RULESETDATA_H

#include "api/kevrareplace/ruleset.h"
#include "batch/d_batchreplace.h"
#include "config/configfile.h"
#include "config/fileentry.h"

#include <QSharedData>
#include <QVector>

#include <array>
#include <atomic>
#include <memory>

/// What a RuleSet shares between its copies: the rules as read, never changed after, and the
/// engines that rewrite by them. An engine keeps matching state from string to string, so each
/// call has one to itself: taken from an idle slot, or made when none holds one; given back to
/// an empty slot, or dropped when all are full. The slots are taken and filled by atomic
/// exchange: no call waits for another.
class D_RuleSetData : public QSharedData
{
public:
    D_RuleSetData();
    ~D_RuleSetData();

    D_RuleSetData(const D_RuleSetData &) = delete;
    D_RuleSetData &operator=(const D_RuleSetData &) = delete;

    /// Reads the rules of the joined \a files as the tool does, with where each was read.
    void read(const QVector<ConfigFile> &files);

    /// Takes the read as one the tool refuses with \a message and \a exitCode.
    void refuse(const QString &message, int exitCode);

    /// Calls \a use with an engine that no other call uses meanwhile; returns what it returns.
    template <typename Use> auto withEngine(Use use) const
    {
        std::unique_ptr<D_BatchReplace> engine = takeEngine();
        auto result = use(*engine);
        giveBack(std::move(engine));
        return result;
    }

    QVector<FileEntry> entries;
    QVector<KevraReplace::RuleLocation> locations;
    QString errorString;
    int exitCode = 0;

private:
    std::unique_ptr<D_BatchReplace> takeEngine() const;
    void giveBack(std::unique_ptr<D_BatchReplace> engine) const;

    // As many engines as threads that commonly rewrite by one rule set at once.
    mutable std::array<std::atomic<D_BatchReplace *>, 64> idle {};
};

#endif // RULESETDATA_H
