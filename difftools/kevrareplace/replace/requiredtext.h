// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef REQUIREDTEXT_H
#define REQUIREDTEXT_H

#include <QString>
#include <QStringList>

/// The longest run of characters that every match of the rule's pattern contains, taken so that
/// a plain search of a string's UTF-8 bytes finds its UTF-8 form wherever a match exists:
/// without surrogates (which bytes that are not UTF-8 decode to, and which UTF-8 cannot hold
/// alone), and, unless the rule is case-sensitive, of ASCII characters only. Empty when no such run
/// is known, as for an empty pattern, or an expression with alternatives at its top level, a
/// lookahead or a syntax error (read by RegExpTokenizer). The flags are those of
/// D_Replace::addRule: wildcard wins over regexp.
QString requiredText(const QString &pattern, bool regexp, bool cs, bool wildcard);

/// The same for each alternative at the top level of an expression, in their order: every match
/// holds one of them at least. One for a pattern without alternatives; none when an alternative
/// has no required text, or when requiredText knows none for a pattern without alternatives.
QStringList requiredAlternatives(const QString &pattern, bool regexp, bool cs, bool wildcard);

/// Whether case folding, as either of the library's case-insensitive operations uses it, relates
/// the character \a code to an ASCII letter it is not: true for U+0130, U+0131, U+017F and
/// U+212A. No other character folds to or from ASCII.
bool foldsToAscii(uint code);

/// Whether the \a size UTF-8 bytes at \a data hold a character that foldsToAscii: in such a
/// string a case-insensitive rule may match where none of its required texts occurs.
bool holdsFoldingToAscii(const char *data, int size);

/// False only when no match of a rule whose requiredAlternatives (for its \a cs) are \a required
/// can occur in \a text, that is when \a text holds none of them, ignoring the case of ASCII
/// letters unless \a cs is set. When \a textFolds (holdsFoldingToAscii) a case-insensitive rule
/// may match anywhere: its ASCII letters match characters that are none.
bool mayMatch(const QString &text, const QStringList &required, bool cs, bool textFolds);

#endif // REQUIREDTEXT_H
