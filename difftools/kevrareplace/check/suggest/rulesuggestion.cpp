// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/suggest/rulesuggestion.h"
#include "batch/d_batchreplace.h"
#include "check/findings/messagetext.h"
#include "check/suggest/carriedcomponent.h"
#include "config/entryrules.h"
#include "replace/qtcompat.h"
#include "text/losslesscodec.h"

#include <QSet>

#include <algorithm>

namespace {

bool isSeparator(QChar ch) { return ch == QLatin1Char('/') || ch == QLatin1Char('\\'); }

// Where the part of \a string that a case changes ends: after the text that differs from the
// result, at the next separator, so that whole names change; a prefix is never empty.
int changedLength(const QString &string, const QString &expected)
{
    int same = 0;
    while (same < string.size() && same < expected.size()
        && string.at(string.size() - 1 - same) == expected.at(expected.size() - 1 - same))
        ++same;
    int end = std::max(int(string.size()) - same, 1);
    while (end < string.size() && !isSeparator(string.at(end)))
        ++end;
    return end;
}

} // namespace

D_RuleSuggestion::D_RuleSuggestion() = default;

D_RuleSuggestion::~D_RuleSuggestion() = default;

void D_RuleSuggestion::addCase(const QString &string, const QString &expected)
{
    Case added { string, expected, encodeLossless(string), 0, 0 };
    if (string != expected) {
        added.oldLength = changedLength(string, expected);
        added.newLength = expected.size() - (string.size() - added.oldLength);
    }
    cases.append(added);
}

// One candidate for each change carried over for several names, then one for each change of
// the rest: the same old prefix, in any case, to the same new one.
void D_RuleSuggestion::group()
{
    candidates.clear();
    QVector<int> changing;
    QVector<QString> olds;
    QVector<QString> news;
    for (int i = 0; i < cases.size(); ++i) {
        const Case &c = cases.at(i);
        if (c.string == c.expected)
            continue;
        changing.append(i);
        olds.append(c.string.left(c.oldLength));
        news.append(c.expected.left(c.newLength));
    }
    QVector<bool> carried(cases.size(), false);
    for (const CarriedChange &change : carriedChanges(olds, news)) {
        Candidate candidate { {}, Carried, change.pattern, change.substitute };
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
    groupByPrefix(rest, candidates);
}

void D_RuleSuggestion::groupByPrefix(const QVector<int> &changing, QVector<Candidate> &into) const
{
    QHash<QString, int> byChange;
    const int first = into.size();
    for (int i : changing) {
        const Case &c = cases.at(i);
        const QString key =
            c.string.left(c.oldLength).toCaseFolded() + QChar(0) + c.expected.left(c.newLength);
        auto found = byChange.find(key);
        if (found == byChange.end()) {
            found = byChange.insert(key, into.size());
            into.append(Candidate { {}, Prefix, {}, {} });
        }
        into[found.value()].cases.append(i);
    }
    for (int n = first; n < into.size(); ++n) {
        Candidate &candidate = into[n];
        const Case &c0 = cases.at(candidate.cases.constFirst());
        const QString old = c0.string.left(c0.oldLength);
        for (int i : qAsConst(candidate.cases)) {
            if (cases.at(i).string.left(cases.at(i).oldLength) != old)
                candidate.kind = PrefixAnyCase;
        }
    }
}

D_RuleSuggestion::Suggested D_RuleSuggestion::rule(const Candidate &candidate) const
{
    const Case &first = cases.at(candidate.cases.constFirst());
    Suggested made { FileEntry {
                         QString(), QString(), true, candidate.kind != PrefixAnyCase, false },
        candidate.kind, candidate.cases };
    if (candidate.kind == WholeString) {
        made.entry.path = QLatin1Char('^') + QRegExp::escape(first.string) + QLatin1Char('$');
        made.entry.replacepath = first.expected;
        return made;
    }
    // What may follow the prefix: what follows it in the cases.
    bool slash = false;
    bool backslash = false;
    for (int i : candidate.cases) {
        const Case &c = cases.at(i);
        if (c.oldLength < c.string.size())
            (c.string.at(c.oldLength) == QLatin1Char('/') ? slash : backslash) = true;
    }
    const QString prefix = first.expected.left(first.newLength);
    const QString separators = slash && backslash ? QStringLiteral("[/\\\\]")
        : slash                                   ? QStringLiteral("/")
                                                  : QStringLiteral("\\\\");
    const bool carried = candidate.kind == Carried;
    made.entry.path = carried
        ? candidate.head
        : QLatin1Char('^') + QRegExp::escape(first.string.left(first.oldLength));
    made.entry.replacepath = carried ? candidate.headSubstitute : prefix;
    if (!slash && !backslash) {
        made.entry.path += QLatin1Char('$');
    } else if (carried || !prefix.contains(QLatin1String("\\1"))) {
        // The separator, or the end, taken as a group and put back: a rule whose pattern
        // starts with fixed text is tried only on strings that hold it.
        made.entry.path += QLatin1Char('(') + separators + QLatin1String("|$)");
        made.entry.replacepath += QLatin1String(carried ? "\\2" : "\\1");
    } else {
        // A \1 of the new text must not stand for a group.
        made.entry.path += QLatin1String("(?=") + separators + QLatin1String("|$)");
    }
    return made;
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
        const Case &first = cases.at(candidate.cases.constFirst());
        return std::make_pair(candidate.kind == WholeString ? 0 : 1,
            std::make_pair(-first.oldLength, candidate.cases.constFirst()));
    };
    std::sort(order.begin(), order.end(), [&rank](int a, int b) { return rank(a) < rank(b); });
    QVector<Suggested> rules;
    rules.reserve(order.size());
    for (int index : qAsConst(order))
        rules.append(rule(candidates.at(index)));
    return rules;
}

QByteArray D_RuleSuggestion::ruleFileBytes() const
{
    QVector<CommentedRule> commented;
    commented.reserve(suggested.size());
    for (const Suggested &rule : suggested) {
        commented.append(CommentedRule { rule.entry,
            counted(rule.cases.size(), "case", "cases")
                + QLatin1String(rule.kind == WholeString ? ": this string only"
                        : rule.kind == PrefixAnyCase     ? ": this prefix, in any case"
                        : rule.kind == Carried           ? ": this prefix, a name carried over"
                                                         : ": this prefix") });
    }
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
        const Case &c = cases.at(i);
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
            const QString old = cases.at(i).string.left(cases.at(i).oldLength);
            auto found = byOld.find(old);
            if (found == byOld.end()) {
                found = byOld.insert(old, into.size());
                into.append(Candidate { {}, Prefix, {}, {} });
            }
            into[found.value()].cases.append(i);
        }
        return;
    }
    for (int i : candidate.cases)
        into.append(Candidate { { i }, WholeString, {}, {} });
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
