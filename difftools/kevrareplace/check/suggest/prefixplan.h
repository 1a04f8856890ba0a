// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef PREFIXPLAN_H
#define PREFIXPLAN_H

#include "check/suggest/suggestioncase.h"

#include <QVector>

/// Chooses the prefix rules for cases that make one change of prefix when other cases under
/// that prefix are to come out otherwise (to stay, or to move elsewhere). It weighs, and takes
/// the one with the fewest rules and excluded names: one rule that excludes the names of the
/// others by a lookahead; a rule for each longer prefix, one name further, chosen again in
/// turn; and, for a prefix written in several cases, a rule for each way it is written.
class D_PrefixPlan
{
public:
    explicit D_PrefixPlan(const QVector<SuggestionCase> &cases);
    virtual ~D_PrefixPlan();

    D_PrefixPlan(const D_PrefixPlan &) = delete;
    D_PrefixPlan &operator=(const D_PrefixPlan &) = delete;

    /// The candidates that decide the cases of \a candidate, a Prefix or PrefixAnyCase one.
    QVector<Candidate> resolve(const Candidate &candidate);

private:
    struct Plan
    {
        int cost; ///< rules and excluded names
        int exclusions;
        qint64 length; ///< of the old prefixes, for the shorter on a tie
        QVector<Candidate> candidates;
        bool better(const Plan &other) const;
        /// Adds \a part; false when it is beyond reach or the sum costs more than \a most.
        bool add(const Plan &part, int most);
    };

    Plan plan(const QVector<int> &members, int length, bool anyCase, int depth);
    bool excludeOthers(const QVector<int> &contradicting, int length, bool anyCase, Plan &into);
    Plan byLongerPrefix(const QVector<int> &members, int length, bool anyCase, int depth, int most);
    Plan bySpelling(const QVector<int> &members, int length, int depth, int most);
    template <typename Visit> void under(const QString &prefix, bool anyCase, Visit visit) const;
    bool memberUnder(const QString &prefix, bool anyCase, bool exactly) const;

    const QVector<SuggestionCase> &cases;
    QVector<int> byFolded; ///< the cases in the order of their folded strings
    QVector<int> mark; ///< stamp of the members of the plan being made
    int stamp = 0;
};

#endif // PREFIXPLAN_H
