// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/shadowing.h"
#include "replace/compiledexpression.h"
#include "replace/groupreference.h"
#include "replace/patternshape.h"
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

// ASCII text none of whose letters folds with a character that is not ASCII: ignoring case,
// the library's expressions and its fixed-text search find the same matches of it.
bool foldsWithinAscii(const QString &text)
{
    return std::none_of(text.begin(), text.end(), [](QChar ch) {
        const ushort lower = ch.toLower().unicode();
        return ch.unicode() >= 0x80 || lower == 'i' || lower == 'k' || lower == 's';
    });
}

// The text that makes the rule change every string holding it (beginning with it, when
// atStart); empty when none is known.
struct Holder
{
    QString text;
    bool atStart = false;
};

Holder holderOf(const FileEntry &entry)
{
    if (fixedText(entry))
        return changesEveryHolder(entry) ? Holder { entry.path, false } : Holder {};
    const HolderShape shape = holderShape(entry.path, entry.regexp, entry.cs, entry.wildcard);
    if (shape.text.isEmpty())
        return {};
    // Every match holds the text, and either is the text or is the only match: a replacement
    // (without groups, put in as it stands) that holds no match of the text equals no match,
    // and changes the string. One that ends in the rest of the string (\1 of a restGroup)
    // changes it where what comes before that is no match of the text.
    QString replaced = entry.replacepath;
    if (shape.restGroup && refersToGroups(replaced, 1)) {
        if (groupReference(replaced, replaced.size() - 2) != 1)
            return {};
        replaced.chop(2);
        if (refersToGroups(replaced, 1))
            return {};
    }
    const bool folds = !entry.cs && std::any_of(replaced.begin(), replaced.end(), [](QChar ch) {
        return foldsToAscii(ch.unicode());
    });
    if (mayMatch(replaced, QStringList(shape.text), entry.cs, folds)
        || !CompiledExpression(entry.path, entry.cs, entry.wildcard).isValid())
        return {};
    return { shape.text, shape.atStart };
}

// Whether every string that holds \a text as the later rule finds it (in its case mode, \a cs)
// holds what the earlier rule \a earlier, whose holder text is \a key, changes.
bool holdsKey(const QString &text, const FileEntry &earlier, const QString &key, bool cs)
{
    if (fixedText(earlier))
        return earlier.cs
            // A case-sensitive pattern is in every case variant of the text only when no
            // character of it has another case.
            ? text.contains(key, Qt::CaseSensitive) && (cs || caselessAscii(key))
            : text.contains(key, Qt::CaseInsensitive);
    // The expression's text is ASCII when case is ignored: a text holds it in its ASCII
    // letters' either case.
    return earlier.cs
        ? text.contains(key, Qt::CaseSensitive) && (cs || caselessAscii(key))
        : mayMatch(text, QStringList(key), false, false) && (cs || foldsWithinAscii(key));
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

    // Of the rules with a key.
    void build(const QVector<QString> &keys)
    {
        for (int i = 0; i < keys.size(); ++i) {
            if (!keys.at(i).isEmpty()) {
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

    // Calls \a found with every rule whose text's hash that of a piece of \a text equals
    // (of its start only, when \a atStart).
    template <typename Found>
    void collect(
        const QString &text, const std::vector<quint64> &powers, bool atStart, Found found) const
    {
        if (rules.empty())
            return;
        std::vector<quint64> prefix(size_t(text.size()) + 1, 0);
        for (int i = 0; i < text.size(); ++i)
            prefix[size_t(i) + 1] = prefix[size_t(i)] * base + text.at(i).unicode();
        for (const int length : lengths) {
            for (int at = 0; at + length <= text.size() && (at == 0 || !atStart); ++at) {
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
    // The holders' texts by case mode (case folded for the rules that ignore case) and by
    // where they must stand, anywhere or at the start.
    QVector<QString> keys[2][2];
    for (auto &byPlace : keys)
        for (auto &vector : byPlace)
            vector.resize(entries.size());
    QVector<QString> texts(entries.size());
    int longest = 0;
    for (int i = 0; i < entries.size(); ++i) {
        const Holder holder = holderOf(entries.at(i));
        if (holder.text.isEmpty())
            continue;
        const bool cs = entries.at(i).cs;
        texts[i] = holder.text;
        keys[cs][holder.atStart][i] = cs ? holder.text : holder.text.toCaseFolded();
        longest = std::max(longest, int(holder.text.size()));
    }
    PatternIndex index[2][2];
    for (int cs = 0; cs < 2; ++cs)
        for (int atStart = 0; atStart < 2; ++atStart)
            index[cs][atStart].build(keys[cs][atStart]);
    std::vector<quint64> powers(size_t(longest) + 1, 1);
    for (size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * base;

    for (int j = 1; j < entries.size(); ++j) {
        const FileEntry &later = entries.at(j);
        // Text that every string the rule changes holds, in the rule's case mode, and text that
        // it begins with.
        QString text;
        if (fixedText(later))
            text = later.path;
        else if (later.cs)
            text = requiredText(later.path, later.regexp, later.cs, later.wildcard);
        const QString prefix = later.cs
            ? requiredPrefix(later.path, later.regexp, later.cs, later.wildcard)
            : QString();
        if (text.isEmpty() && prefix.isEmpty())
            continue;
        int first = -1;
        const auto search = [&](const QString &within, bool atStart) {
            const auto consider = [&](int i) {
                if (i >= j || (first >= 0 && i >= first))
                    return;
                const QString &key = texts.at(i);
                if (holdsKey(
                        atStart ? within.left(key.size()) : within, entries.at(i), key, later.cs))
                    first = i;
            };
            index[1][atStart].collect(within, powers, atStart, consider);
            if (!index[0][atStart].rules.empty())
                index[0][atStart].collect(within.toCaseFolded(), powers, atStart, consider);
        };
        if (!text.isEmpty())
            search(text, false);
        if (!prefix.isEmpty()) {
            search(prefix, false);
            search(prefix, true);
        }
        shadowing[j] = first;
    }
    return shadowing;
}
