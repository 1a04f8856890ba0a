// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/suggest/prefixplan.h"
#include "check/suggest/pathcomponents.h"

#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Names excluded by one rule at most, and names gone down at most, so that neither an
// expression nor the search grows without bound.
constexpr int mostExclusions = 32;
constexpr int mostDepth = 64;
constexpr int beyondReach = 1 << 30;

// Appends \a member to the group of \a key in \a groups, a new one in the order keys come.
void addToGroup(
    QHash<QString, int> &byKey, QVector<QVector<int>> &groups, const QString &key, int member)
{
    auto found = byKey.find(key);
    if (found == byKey.end()) {
        found = byKey.insert(key, groups.size());
        groups.append(QVector<int>());
    }
    groups[found.value()].append(member);
}

} // namespace

D_PrefixPlan::D_PrefixPlan(const QVector<SuggestionCase> &cases)
    : cases(cases)
    , mark(cases.size(), 0)
{
    // One order serves both: the strings that start with a prefix are among those whose folded
    // strings start with the folded prefix.
    std::vector<std::pair<QStringView, int>> order;
    order.reserve(cases.size());
    for (int i = 0; i < cases.size(); ++i)
        order.emplace_back(cases.at(i).folded, i);
    std::sort(order.begin(), order.end());
    byFolded.reserve(cases.size());
    for (const auto &entry : order)
        byFolded.append(entry.second);
}

D_PrefixPlan::~D_PrefixPlan() = default;

bool D_PrefixPlan::Plan::better(const Plan &other) const
{
    if (cost != other.cost)
        return cost < other.cost;
    if (exclusions != other.exclusions)
        return exclusions < other.exclusions;
    return length < other.length;
}

bool D_PrefixPlan::Plan::add(const Plan &part, int most)
{
    if (part.cost >= beyondReach)
        return false;
    cost += part.cost;
    exclusions += part.exclusions;
    length += part.length;
    candidates += part.candidates;
    return cost <= most;
}

QVector<Candidate> D_PrefixPlan::resolve(const Candidate &candidate)
{
    return plan(candidate.cases, candidate.oldLength, candidate.kind == PrefixAnyCase, 0)
        .candidates;
}

// Calls \a visit with each case whose string starts with \a prefix (in any case when \a anyCase)
// where a name ends, until it returns false.
template <typename Visit>
void D_PrefixPlan::under(const QString &prefix, bool anyCase, Visit visit) const
{
    const QString folded = prefix.toCaseFolded();
    auto at = std::lower_bound(byFolded.begin(), byFolded.end(), folded,
        [this](int i, const QString &value) { return cases.at(i).folded < value; });
    for (; at != byFolded.end() && cases.at(*at).folded.startsWith(folded); ++at) {
        const QString &text = cases.at(*at).string;
        if (endsName(text, prefix.size()) && (anyCase || text.startsWith(prefix)) && !visit(*at))
            return;
    }
}

bool D_PrefixPlan::memberUnder(const QString &prefix, bool anyCase, bool exactly) const
{
    bool found = false;
    under(prefix, anyCase, [&](int i) {
        found = mark.at(i) == stamp && (!exactly || cases.at(i).string.size() == prefix.size());
        return !found;
    });
    return found;
}

D_PrefixPlan::Plan D_PrefixPlan::plan(
    const QVector<int> &members, int length, bool anyCase, int depth)
{
    const SuggestionCase &first = cases.at(members.constFirst());
    const QString old = first.string.left(length);
    bool spellings = false;
    bool continues = false;
    for (int i : members) {
        spellings = spellings || (anyCase && !cases.at(i).string.startsWith(old));
        continues = continues || cases.at(i).string.size() > length;
    }
    anyCase = spellings;
    const QString now = first.expected.left(first.newLength(length));
    ++stamp;
    for (int i : members)
        mark[i] = stamp;
    // The cases this rule would decide wrongly: a case with a longer prefix of its own has a
    // rule before this one.
    QVector<int> contradicting;
    under(old, anyCase, [&](int i) {
        const SuggestionCase &c = cases.at(i);
        if (mark.at(i) == stamp || c.oldLength > length || (!continues && c.string.size() > length))
            return true;
        const bool decidedRight = c.expected.size() - now.size() == c.string.size() - length
            && c.expected.startsWith(now)
            && QStringView(c.expected).mid(now.size()) == QStringView(c.string).mid(length);
        if (!decidedRight)
            contradicting.append(i);
        return true;
    });
    const Candidate whole { members, anyCase ? PrefixAnyCase : Prefix, length, {}, {}, {} };
    Plan best { beyondReach, 0, 0, { whole } };
    if (contradicting.isEmpty())
        return Plan { 1, 0, length, { whole } };
    if (continues) {
        Plan excluding { 1, 0, length, { whole } };
        if (excludeOthers(contradicting, length, anyCase, excluding))
            best = excluding;
        if (depth < mostDepth) {
            Plan longer = byLongerPrefix(members, length, anyCase, depth, best.cost);
            if (longer.better(best))
                best = longer;
        }
    }
    if (anyCase) {
        Plan spelt = bySpelling(members, length, depth, best.cost);
        if (spelt.better(best))
            best = spelt;
    }
    return best;
}

// Adds to the one rule of \a into the names that leave \a contradicting to later rules; false
// when they cannot be named without leaving members out too, or are too many.
bool D_PrefixPlan::excludeOthers(
    const QVector<int> &contradicting, int length, bool anyCase, Plan &into)
{
    QHash<QString, int> byText;
    QVector<Exclusion> &exclusions = into.candidates.first().exclusions;
    for (int i : contradicting) {
        const SuggestionCase &c = cases.at(i);
        const QString &text = anyCase ? c.folded : c.string;
        const auto named =
            std::find_if(exclusions.begin(), exclusions.end(), [&](const Exclusion &e) {
                const int end = length + e.text.size();
                return !e.wholeString && endsName(text, end)
                    && QStringView(text).mid(length, e.text.size())
                    == QStringView(
                        anyCase ? cases.at(e.example).folded : cases.at(e.example).string)
                           .mid(length, e.text.size());
            });
        if (named != exclusions.end()) {
            ++named->cases;
            continue;
        }
        int end = length;
        bool wholeString = false;
        for (;;) {
            if (end > length && !memberUnder(c.string.left(end), anyCase, false))
                break;
            if (end == text.size()) {
                if (memberUnder(c.string, anyCase, true))
                    return false;
                wholeString = true;
                break;
            }
            end = nextNameEnd(text, end);
        }
        const QString key = text.mid(length, end - length) + QLatin1Char(wholeString ? '$' : '/');
        auto found = byText.find(key);
        if (found == byText.end()) {
            if (exclusions.size() == mostExclusions)
                return false;
            found = byText.insert(key, exclusions.size());
            exclusions.append(Exclusion { c.string.mid(length, end - length), wholeString, 0, i });
        }
        ++exclusions[found.value()].cases;
    }
    into.cost += exclusions.size();
    into.exclusions = exclusions.size();
    return true;
}

// A plan for each name after the prefix (and one for the strings that end there), no more than
// \a most in all.
D_PrefixPlan::Plan D_PrefixPlan::byLongerPrefix(
    const QVector<int> &members, int length, bool anyCase, int depth, int most)
{
    QHash<QString, int> byName;
    QVector<QVector<int>> groups;
    QVector<int> ends;
    for (int i : members) {
        const SuggestionCase &c = cases.at(i);
        const QString &text = anyCase ? c.folded : c.string;
        if (text.size() == length) {
            ends.append(i);
            continue;
        }
        addToGroup(byName, groups, text.left(nextNameEnd(text, length)), i);
    }
    Plan sum { 0, 0, 0, {} };
    if (!ends.isEmpty() && !sum.add(plan(ends, length, anyCase, depth + 1), most))
        return Plan { beyondReach, 0, 0, {} };
    for (const QVector<int> &group : qAsConst(groups)) {
        const SuggestionCase &c = cases.at(group.constFirst());
        if (!sum.add(plan(group, nextNameEnd(c.string, length), anyCase, depth + 1), most))
            return Plan { beyondReach, 0, 0, {} };
    }
    return sum;
}

// A plan for each way the members write the old prefix, each in its case.
D_PrefixPlan::Plan D_PrefixPlan::bySpelling(
    const QVector<int> &members, int length, int depth, int most)
{
    QHash<QString, int> bySpelt;
    QVector<QVector<int>> groups;
    for (int i : members)
        addToGroup(bySpelt, groups, cases.at(i).string.left(length), i);
    Plan sum { 0, 0, 0, {} };
    for (const QVector<int> &group : qAsConst(groups)) {
        if (!sum.add(plan(group, length, false, depth + 1), most))
            return Plan { beyondReach, 0, 0, {} };
    }
    return sum;
}
