// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RULESUGGESTION_H
#define RULESUGGESTION_H

#include "check/writers/rulefileformat.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVector>

/// Works out a rule file from examples: strings and the results expected of them. Cases that
/// make the same change at the start of the string (an old prefix ending before a / or \ or
/// at the end, and a new one in its place) share a rule, an anchored expression that matches
/// the old prefix only at the start and only up to such an end (a group that puts the
/// separator back); it ignores case when the cases show the old prefix in more than one case.
/// Cases whose old prefixes differ only in one name that the new prefix carries over share an
/// expression with a group for the name. A rule that turns out to decide a case wrongly
/// is narrowed, down to one rule per string, until the rules read back from the written file
/// reproduce every case.
class D_RuleSuggestion
{
public:
    enum Kind {
        Prefix, ///< one old prefix, in its case
        PrefixAnyCase, ///< an old prefix in any case
        Carried, ///< old prefixes alike but for one name, which the new prefix carries over
        WholeString ///< exactly one string
    };

    /// A rule of the suggestion and the cases (numbers from 0, in the order added) it decides.
    struct Suggested
    {
        FileEntry entry;
        Kind kind;
        QVector<int> cases;
    };

    D_RuleSuggestion();
    virtual ~D_RuleSuggestion();

    D_RuleSuggestion(const D_RuleSuggestion &) = delete;
    D_RuleSuggestion &operator=(const D_RuleSuggestion &) = delete;

    /// Adds a case. Its string is not empty, and no other case has the same string with
    /// another result.
    void addCase(const QString &string, const QString &expected);

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
    struct Case
    {
        QString string;
        QString expected;
        QByteArray bytes;
        int oldLength; ///< of the prefix the case changes
        int newLength;
    };
    struct Candidate
    {
        QVector<int> cases;
        Kind kind;
        QString head; ///< of a Carried one: its pattern and substitute before the end
        QString headSubstitute;
    };

    void group();
    void groupByPrefix(const QVector<int> &changing, QVector<Candidate> &into) const;
    QVector<Suggested> build() const;
    Suggested rule(const Candidate &candidate) const;
    QVector<int> failures(const QVector<Suggested> &rules, QVector<int> &decidedBy) const;
    void narrow(int candidate, QVector<Candidate> &into) const;

    QVector<Case> cases;
    QVector<Candidate> candidates;
    QVector<Suggested> suggested;
    int rounds = 0;
};

#endif // RULESUGGESTION_H
