// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef PATTERNSHAPE_H
#define PATTERNSHAPE_H

#include <QString>

// Patterns whose matches the companion can tell for every string, read as the library reads
// them (a regular expression by RegExpTokenizer). The flags are those of D_Replace::addRule:
// wildcard wins over regexp.

/// What a wildcard or expression without groups matches when it is a text of its own
/// characters with nothing but "match anything" around it (".*" or "*"), or, in a regular
/// expression, "^" before it: it matches in every string that holds \a text (one that begins
/// with it when \a atStart), and every match holds \a text, as the case mode reads it, once:
/// either the match is the text, or it is the only match. \a text is empty for any other
/// pattern, and, unless the rule is case-sensitive, for a text with a character that is not
/// ASCII. An expression may end in "(.*)" instead, when it does not end in "match anything"
/// (\a restGroup): its one group is the rest of the string after the text.
struct HolderShape
{
    QString text;
    bool atStart = false;
    bool restGroup = false;
};

HolderShape holderShape(const QString &pattern, bool regexp, bool cs, bool wildcard);

/// The characters that every string a regular expression (\a regexp set, \a wildcard not)
/// anchored by a leading "^" matches begins with, unless the rule is case-sensitive only its
/// ASCII ones; empty for a pattern that is anchored otherwise or not at all, has alternatives
/// at its top level, a lookahead or a syntax error.
QString requiredPrefix(const QString &pattern, bool regexp, bool cs, bool wildcard);

#endif // PATTERNSHAPE_H
