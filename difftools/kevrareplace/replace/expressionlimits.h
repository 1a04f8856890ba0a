#ifndef EXPRESSIONLIMITS_H
#define EXPRESSIONLIMITS_H

#include <QString>

/// Groups nested deeper than this are parsed and matched by recursion deep enough to overflow
/// the stack.
constexpr int maxExpressionNesting = 200;

/// Repetition counts are expanded into copies of what they repeat; beyond this many copies in
/// all, building the expression takes memory and time without bound.
constexpr qint64 maxExpressionSize = 250000;

/// False when building \a pattern as a regular expression (QRegExp::RegExp2) would nest groups
/// deeper than maxExpressionNesting or expand repetitions past maxExpressionSize. The size is
/// estimated from above: each character, class or escape counts as one, a group as its
/// content, and a repetition multiplies what it repeats by its count.
bool expressionWithinLimits(const QString &pattern);

#endif // EXPRESSIONLIMITS_H
