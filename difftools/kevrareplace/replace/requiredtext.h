// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef REQUIREDTEXT_H
#define REQUIREDTEXT_H

#include <QString>

/// The longest run of characters that every match of the rule's pattern contains, taken so that
/// a plain search of a string's UTF-8 bytes finds its UTF-8 form wherever a match exists:
/// without surrogates (which bytes that are not UTF-8 decode to, and which UTF-8 cannot hold
/// alone), and, unless the rule is case-sensitive, of ASCII characters only. Empty when no such run
/// is known, as for an empty pattern or an expression with alternatives at its top level. The flags
/// are those of D_Replace::addRule: wildcard wins over regexp.
QString requiredText(const QString &pattern, bool regexp, bool cs, bool wildcard);

#endif // REQUIREDTEXT_H
