// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef FOREIGNSYNTAX_H
#define FOREIGNSYNTAX_H

#include <QString>

class CompiledExpression;

/// A construct that other expression engines read and the library refuses, where it stands in
/// the pattern.
struct ForeignSyntax
{
    enum Kind { None, LazyQuantifier, PossessiveQuantifier, InlineFlag, Lookbehind, NamedGroup };
    Kind kind;
    int at; ///< where the construct begins in the pattern
    int length; ///< of its opening part: "*?", "(?i)", "(?<=", "(?P<name>"
};

/// The construct of \a pattern, a regular expression that \a expression (built of it) finds
/// invalid, that the library stops on: the first syntax error that RegExpTokenizer reads before
/// any lookahead, when it is such a construct and the library gives for it the error that it
/// gives for the construct alone. None when the reading cannot tell, so that no pattern invalid
/// for another reason is ever said to hold one.
ForeignSyntax foreignSyntax(const QString &pattern, const CompiledExpression &expression);

#endif // FOREIGNSYNTAX_H
