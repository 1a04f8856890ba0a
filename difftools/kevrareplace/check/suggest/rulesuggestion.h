// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RULESUGGESTION_H
#define RULESUGGESTION_H

#include "check/suggest/suggestioncase.h"
#include "check/writers/rulefileformat.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVector>

/// Works out a rule file from examples: strings and the results expected of them. Cases that
/// make the same change at the start of the string (an old prefix ending before a / or \ or
/// at the end, and a new one in its place) share a rule, an anchored expression that matches
/// the old prefix only at the start and only up to such an end (a group that puts the
/// separator back); it ignores case when the cases show the old prefix in more than one case,
/// also where one of them shows more of it. Where other cases under the prefix are to come out
/// otherwise, the rule excludes their names or gives way to rules for longer prefixes, as
/// D_PrefixPlan weighs. Cases whose old prefixes differ only in one name that the new prefix
/// carries over share an expression with a group for the name. A rule that turns out to decide
/// a case wrongly is narrowed, down to one rule per string, until the rules read back from the
/// written file reproduce every case.
class D_RuleSuggestion
{
public:
    using Kind = SuggestionKind;

    /// A rule of the suggestion and the cases (numbers from 0, in the order added) it decides.
    struct Suggested
    {
        FileEntry entry;
        Kind kind;
        QVector<int> cases;
        QString comment; ///< the count of cases, one of them, and what the rule excludes
    };

    D_RuleSuggestion();
    virtual ~D_RuleSuggestion();

    D_RuleSuggestion(const D_RuleSuggestion &) = delete;
    D_RuleSuggestion &operator=(const D_RuleSuggestion &) = delete;

    /// Adds a case. Its string is not empty, and no other case has the same string with
    /// another result.
    void addCase(const QString &string, const QString &expected);

    /// Adds a case whose string the engine takes as \a bytes, its UTF-8.
    void addCase(const QString &string, const QString &expected, const QByteArray &bytes);

    /// Works out the rules; false only when no rule file reproduces every case, which cannot
    /// happen for cases as addCase takes them.
    bool suggest();

    /// The rules, in the order they are tried, once suggest() has returned true.
    const QVector<Suggested> &rules() const { return suggested; }

    /// The rule file of rules(), each rule after a comment saying what it covers.
    QByteArray ruleFileBytes() const;

    /// The number of times the rules were narrowed before every case passed.
    int narrowings() const { return rounds; }

private:
    void group();
    void groupByPrefix(const QVector<int> &changing, QVector<Candidate> &into) const;
    void joinSpellings(QVector<Candidate> &groups) const;
    QVector<Suggested> build() const;
    QVector<int> failures(const QVector<Suggested> &rules, QVector<int> &decidedBy) const;
    void narrow(int candidate, QVector<Candidate> &into) const;

    QVector<SuggestionCase> cases;
    QVector<Candidate> candidates;
    QVector<Suggested> suggested;
    int rounds = 0;
};

#endif // RULESUGGESTION_H
