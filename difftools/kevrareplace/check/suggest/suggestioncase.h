// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef SUGGESTIONCASE_H
#define SUGGESTIONCASE_H

#include <QByteArray>
#include <QString>
#include <QVector>

/// What a rule of a suggestion matches.
enum SuggestionKind {
    Prefix, ///< one old prefix, in its case
    PrefixAnyCase, ///< an old prefix in any case
    Carried, ///< old prefixes alike but for one name, which the new prefix carries over
    WholeString ///< exactly one string
};

/// A string and the result expected of it.
struct SuggestionCase
{
    QString string;
    QString expected;
    QByteArray bytes; ///< the string as the engine takes it
    QString folded; ///< the string case-folded
    int oldLength; ///< of the shortest prefix the case changes; 0 when it stays

    /// The length of the new prefix when the old one is \a length long.
    int newLength(int length) const { return expected.size() - (string.size() - length); }
};

/// Strings that a prefix rule leaves to later rules, by a lookahead after the prefix.
struct Exclusion
{
    QString text; ///< what follows the prefix in them
    bool wholeString; ///< only the string that ends there, not what lies under it
    int cases;
    int example; ///< one of the cases
};

/// A rule in the making: the cases it is to decide and how it matches them.
struct Candidate
{
    QVector<int> cases;
    SuggestionKind kind;
    int oldLength = 0; ///< of a prefix kind: the old prefix's length in every case
    QString head; ///< of a Carried one: its pattern and substitute before the end
    QString headSubstitute;
    QVector<Exclusion> exclusions;
};

#endif // SUGGESTIONCASE_H
