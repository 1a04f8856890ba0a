// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/shadowing.h"
#include "replace/requiredtext.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr quint64 base = 0x100000001b3ULL;

quint64 spread(quint64 hash) { return hash * 0x9e3779b97f4a7c15ULL; }

bool fixedText(const FileEntry &entry) { return !entry.regexp && !entry.wildcard; }

// Whether the fixed-text rule changes every string that holds its pattern: a match is
// replaced by a text that no match can equal.
bool changesEveryHolder(const FileEntry &entry)
{
    if (!fixedText(entry) || entry.path.isEmpty())
        return false;
    return entry.cs ? entry.replacepath != entry.path
                    : entry.replacepath.compare(entry.path, Qt::CaseInsensitive) != 0;
}

// Text in which no character has another of the same case folding.
bool caselessAscii(const QString &text)
{
    return std::all_of(
        text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x80 && !ch.isLetter(); });
}

// The patterns of earlier rules by the hash of their text (case folded for the rules that
// ignore case), with the lengths they have.
struct PatternIndex
{
    std::vector<std::pair<quint64, int>> rules; // sorted; the first of equal texts only
    std::vector<int> lengths;
    // A bit for each top bits of the hashes, so that most pieces cost one load.
    std::vector<quint64> filter;
    int shift = 64;

    void build(const QVector<FileEntry> &entries, const QVector<QString> &keys, bool cs)
    {
        for (int i = 0; i < entries.size(); ++i) {
            if (entries.at(i).cs == cs && changesEveryHolder(entries.at(i))) {
                quint64 hash = 0;
                for (QChar ch : keys.at(i))
                    hash = hash * base + ch.unicode();
                rules.emplace_back(hash, i);
            }
        }
        std::sort(rules.begin(), rules.end());
        // Of rules with one text, the first decides for all.
        rules.erase(
            std::unique(rules.begin(), rules.end(),
                [&keys](const std::pair<quint64, int> &a, const std::pair<quint64, int> &b) {
                    return a.first == b.first && keys.at(a.second) == keys.at(b.second);
                }),
            rules.end());
        int bits = 6;
        while (bits < 26 && (quint64(1) << bits) < 8 * rules.size())
            ++bits;
        shift = 64 - bits;
        filter.assign(size_t(1) << (bits - 6), 0);
        for (const auto &rule : rules) {
            const quint64 top = spread(rule.first) >> shift;
            filter[size_t(top) >> 6] |= quint64(1) << (top & 63);
        }
        std::set<int> seen;
        for (const auto &rule : rules)
            seen.insert(keys.at(rule.second).size());
        lengths.assign(seen.begin(), seen.end());
    }

    // Calls \a found with every rule whose text's hash that of a piece of \a text equals.
    template <typename Found>
    void collect(const QString &text, const std::vector<quint64> &powers, Found found) const
    {
        if (rules.empty())
            return;
        std::vector<quint64> prefix(size_t(text.size()) + 1, 0);
        for (int i = 0; i < text.size(); ++i)
            prefix[size_t(i) + 1] = prefix[size_t(i)] * base + text.at(i).unicode();
        for (const int length : lengths) {
            for (int at = 0; at + length <= text.size(); ++at) {
                const quint64 hash =
                    prefix[size_t(at + length)] - prefix[size_t(at)] * powers[size_t(length)];
                const quint64 top = spread(hash) >> shift;
                if (!(filter[size_t(top) >> 6] & (quint64(1) << (top & 63))))
                    continue;
                auto it = std::lower_bound(rules.begin(), rules.end(), std::make_pair(hash, -1));
                for (; it != rules.end() && it->first == hash; ++it)
                    found(it->second);
            }
        }
    }
};

} // namespace

QVector<int> shadowingRules(const QVector<FileEntry> &entries)
{
    QVector<int> shadowing(entries.size(), -1);
    QVector<QString> exactKeys(entries.size());
    QVector<QString> foldedKeys(entries.size());
    int longest = 0;
    for (int i = 0; i < entries.size(); ++i) {
        if (changesEveryHolder(entries.at(i))) {
            (entries.at(i).cs ? exactKeys : foldedKeys)[i] =
                entries.at(i).cs ? entries.at(i).path : entries.at(i).path.toCaseFolded();
            longest =
                std::max(longest, int((entries.at(i).cs ? exactKeys : foldedKeys).at(i).size()));
        }
    }
    PatternIndex exact;
    PatternIndex folded;
    exact.build(entries, exactKeys, true);
    folded.build(entries, foldedKeys, false);
    std::vector<quint64> powers(size_t(longest) + 1, 1);
    for (size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * base;

    for (int j = 1; j < entries.size(); ++j) {
        const FileEntry &later = entries.at(j);
        // Text that every string the rule changes holds, in the rule's case mode.
        QString text;
        if (fixedText(later))
            text = later.path;
        else if (later.cs)
            text = requiredText(later.path, later.regexp, later.cs, later.wildcard);
        if (text.isEmpty())
            continue;
        int first = -1;
        const auto consider = [&](int i) {
            if (i >= j || (first >= 0 && i >= first))
                return;
            const FileEntry &earlier = entries.at(i);
            const bool holds = earlier.cs
                // A case-sensitive pattern is in every case variant of the text only when
                // no character of it has another case.
                ? text.contains(earlier.path, Qt::CaseSensitive)
                    && (later.cs || caselessAscii(earlier.path))
                : text.contains(earlier.path, Qt::CaseInsensitive);
            if (holds)
                first = i;
        };
        exact.collect(text, powers, consider);
        if (!folded.rules.empty())
            folded.collect(text.toCaseFolded(), powers, consider);
        shadowing[j] = first;
    }
    return shadowing;
}
