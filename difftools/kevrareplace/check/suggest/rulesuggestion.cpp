// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/suggest/rulesuggestion.h"
#include "batch/d_batchreplace.h"
#include "check/suggest/carriedcomponent.h"
#include "check/suggest/pathcomponents.h"
#include "check/suggest/prefixplan.h"
#include "check/suggest/suggestedrule.h"
#include "config/entryrules.h"
#include "replace/qtcompat.h"
#include "text/losslesscodec.h"

#include <QSet>

#include <algorithm>

D_RuleSuggestion::D_RuleSuggestion() = default;

D_RuleSuggestion::~D_RuleSuggestion() = default;

void D_RuleSuggestion::addCase(const QString &string, const QString &expected)
{
    addCase(string, expected, encodeLossless(string));
}

void D_RuleSuggestion::addCase(
    const QString &string, const QString &expected, const QByteArray &bytes)
{
    SuggestionCase added { string, expected, bytes, string.toCaseFolded(),
        string == expected ? 0 : changedLength(string, expected) };
    // Names are found in the folded string where they stand in the string.
    if (added.folded.size() != string.size())
        added.folded = string;
    cases.append(added);
}

// One candidate for each change carried over for several names, then those for each change of
// the rest: the same old prefix, in any case, to the same new one, as the prefix plan settles
// them where other cases under the prefix are to come out otherwise.
void D_RuleSuggestion::group()
{
    candidates.clear();
    QVector<int> changing;
    QVector<QString> olds;
    QVector<QString> news;
    for (int i = 0; i < cases.size(); ++i) {
        const SuggestionCase &c = cases.at(i);
        if (c.string == c.expected)
            continue;
        changing.append(i);
        olds.append(c.string.left(c.oldLength));
        news.append(c.expected.left(c.newLength(c.oldLength)));
    }
    QVector<bool> carried(cases.size(), false);
    for (const CarriedChange &change : carriedChanges(olds, news)) {
        Candidate candidate { {}, Carried, 0, change.pattern, change.substitute, {} };
        for (int k : change.changes) {
            candidate.cases.append(changing.at(k));
            carried[changing.at(k)] = true;
        }
        candidates.append(candidate);
    }
    QVector<int> rest;
    for (int i : qAsConst(changing)) {
        if (!carried.at(i))
            rest.append(i);
    }
    QVector<Candidate> groups;
    groupByPrefix(rest, groups);
    joinSpellings(groups);
    D_PrefixPlan plan(cases);
    for (const Candidate &candidate : qAsConst(groups))
        candidates += plan.resolve(candidate);
}

void D_RuleSuggestion::groupByPrefix(const QVector<int> &changing, QVector<Candidate> &into) const
{
    QHash<QString, int> byChange;
    const int first = into.size();
    for (int i : changing) {
        const SuggestionCase &c = cases.at(i);
        const QString key =
            c.folded.left(c.oldLength) + QChar(0) + c.expected.left(c.newLength(c.oldLength));
        auto found = byChange.find(key);
        if (found == byChange.end()) {
            found = byChange.insert(key, into.size());
            into.append(Candidate { {}, Prefix, c.oldLength, {}, {}, {} });
        }
        into[found.value()].cases.append(i);
    }
    for (int n = first; n < into.size(); ++n) {
        Candidate &candidate = into[n];
        const QString old = cases.at(candidate.cases.constFirst()).string.left(candidate.oldLength);
        for (int i : qAsConst(candidate.cases)) {
            if (!cases.at(i).string.startsWith(old))
                candidate.kind = PrefixAnyCase;
        }
    }
}

// A case whose change, taken a name or more further, is that of another group, where that
// group's prefix is written in another case, goes to it: \\srv\team\a to \\nas\team\a joins
// \\SRV\Team\b to \\nas\team\b.
void D_RuleSuggestion::joinSpellings(QVector<Candidate> &groups) const
{
    // The groups by their folded old prefix, a view of their first case's folded string.
    QMultiHash<QStringView, int> byOld;
    QVector<int> firstCase;
    int longest = 0; // no group's prefix is longer
    for (int n = 0; n < groups.size(); ++n) {
        longest = std::max(longest, groups.at(n).oldLength);
        firstCase.append(groups.at(n).cases.constFirst());
        byOld.insert(QStringView(cases.at(firstCase.at(n)).folded).left(groups.at(n).oldLength), n);
    }
    QVector<QVector<int>> joining(groups.size());
    for (int n = 0; n < groups.size(); ++n) {
        QVector<int> staying;
        for (int i : qAsConst(groups.at(n).cases)) {
            const SuggestionCase &c = cases.at(i);
            int to = -1;
            const int end = std::min(int(c.string.size()), longest);
            for (int length = groups.at(n).oldLength; to < 0 && length < end;) {
                length = nextNameEnd(c.string, length);
                const QStringView old = QStringView(c.folded).left(length);
                const QStringView now = QStringView(c.expected).left(c.newLength(length));
                for (auto found = byOld.constFind(old);
                     to < 0 && found != byOld.constEnd() && found.key() == old; ++found) {
                    const SuggestionCase &other = cases.at(firstCase.at(found.value()));
                    if (QStringView(other.expected).left(other.newLength(length)) == now)
                        to = found.value();
                }
            }
            (to >= 0 ? joining[to] : staying).append(i);
        }
        groups[n].cases = staying;
    }
    QVector<Candidate> joined;
    for (int n = 0; n < groups.size(); ++n) {
        Candidate group = groups.at(n);
        group.cases += joining.at(n);
        if (group.cases.isEmpty())
            continue;
        std::sort(group.cases.begin(), group.cases.end());
        const QString old = cases.at(group.cases.constFirst()).string.left(group.oldLength);
        for (int i : qAsConst(group.cases)) {
            if (!cases.at(i).string.startsWith(old))
                group.kind = PrefixAnyCase;
        }
        joined.append(group);
    }
    groups = joined;
}

// Rules for single strings first, then the longer prefixes before the shorter, so that the
// first rule that matches is the most specific one.
QVector<D_RuleSuggestion::Suggested> D_RuleSuggestion::build() const
{
    QVector<int> order(candidates.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto rank = [this](int index) {
        const Candidate &candidate = candidates.at(index);
        const SuggestionCase &first = cases.at(candidate.cases.constFirst());
        const int length = candidate.kind == Carried ? first.oldLength : candidate.oldLength;
        return std::make_pair(candidate.kind == WholeString ? 0 : 1,
            std::make_pair(-length, candidate.cases.constFirst()));
    };
    std::sort(order.begin(), order.end(), [&rank](int a, int b) { return rank(a) < rank(b); });
    QVector<Suggested> rules;
    rules.reserve(order.size());
    for (int index : qAsConst(order)) {
        const Candidate &candidate = candidates.at(index);
        rules.append(Suggested { suggestedEntry(candidate, cases), candidate.kind, candidate.cases,
            suggestedComment(candidate, cases) });
    }
    return rules;
}

QByteArray D_RuleSuggestion::ruleFileBytes() const
{
    QVector<CommentedRule> commented;
    commented.reserve(suggested.size());
    for (const Suggested &rule : suggested)
        commented.append(CommentedRule { rule.entry, rule.comment });
    return ruleFile(commented);
}

// The cases that the rules, written and read back as the tool reads them, get wrong; for
// every case the number of the rule that decided it, -1 for none.
QVector<int> D_RuleSuggestion::failures(
    const QVector<Suggested> &rules, QVector<int> &decidedBy) const
{
    D_ReplaceStreamReader reader;
    reader.addData(ruleFile([&rules] {
        QVector<CommentedRule> plain;
        for (const Suggested &rule : rules)
            plain.append(CommentedRule { rule.entry, QString() });
        return plain;
    }()));
    reader.read();
    D_BatchReplace replace;
    addRules(replace, reader.entries());
    QVector<int> failed;
    decidedBy.fill(-1, cases.size());
    const bool complete = reader.entries().size() == rules.size();
    QByteArray mapped;
    for (int i = 0; i < cases.size(); ++i) {
        const SuggestionCase &c = cases.at(i);
        const int decided = replace.map(c.bytes.constData(), c.bytes.size(), mapped);
        decidedBy[i] = decided;
        const QString got = decided >= 0 ? decodeLossless(mapped) : c.string;
        if (!complete || got != c.expected)
            failed.append(i);
    }
    return failed;
}

// Replaces candidate \a index by narrower ones: an old prefix in any case by one for each case
// it was written in, an old prefix by one rule for each string.
void D_RuleSuggestion::narrow(int index, QVector<Candidate> &into) const
{
    const Candidate &candidate = candidates.at(index);
    if (candidate.kind == Carried) {
        groupByPrefix(candidate.cases, into);
        return;
    }
    if (candidate.kind == PrefixAnyCase) {
        QHash<QString, int> byOld;
        for (int i : candidate.cases) {
            const QString old = cases.at(i).string.left(candidate.oldLength);
            auto found = byOld.find(old);
            if (found == byOld.end()) {
                found = byOld.insert(old, into.size());
                into.append(
                    Candidate { {}, Prefix, candidate.oldLength, {}, {}, candidate.exclusions });
            }
            into[found.value()].cases.append(i);
        }
        return;
    }
    for (int i : candidate.cases)
        into.append(Candidate { { i }, WholeString, int(cases.at(i).string.size()), {}, {}, {} });
}

bool D_RuleSuggestion::suggest()
{
    group();
    suggested.clear();
    for (rounds = 0;; ++rounds) {
        const QVector<Suggested> rules = build();
        QVector<int> decidedBy;
        const QVector<int> failed = failures(rules, decidedBy);
        if (failed.isEmpty()) {
            suggested = rules;
            return true;
        }
        // The rule of each case, and the candidate of each rule.
        QVector<int> own(cases.size(), -1);
        for (int i = 0; i < candidates.size(); ++i) {
            for (int c : candidates.at(i).cases)
                own[c] = i;
        }
        QVector<int> ofRule;
        for (const Suggested &rule : rules)
            ofRule.append(own.at(rule.cases.constFirst()));
        QSet<int> narrowed;
        for (int c : failed) {
            const int mine = own.at(c);
            const int decided = decidedBy.at(c) >= 0 ? ofRule.at(decidedBy.at(c)) : -1;
            int wrong = mine;
            // A case is mended by a narrower rule of its own placed first, or by a narrower
            // rule that took it; the smaller of the two costs less.
            if (decided >= 0 && decided != mine
                && (mine < 0 || candidates.at(mine).kind == WholeString
                    || (candidates.at(decided).kind != WholeString
                        && candidates.at(decided).cases.size() < candidates.at(mine).cases.size())))
                wrong = decided;
            if (wrong < 0 || candidates.at(wrong).kind == WholeString)
                return false;
            narrowed.insert(wrong);
        }
        QVector<Candidate> next;
        for (int i = 0; i < candidates.size(); ++i) {
            if (narrowed.contains(i))
                narrow(i, next);
            else
                next.append(candidates.at(i));
        }
        candidates = next;
    }
}
