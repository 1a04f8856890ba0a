// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef EXPRESSIONLIMITS_H
#define EXPRESSIONLIMITS_H

#include <QString>

/// Groups nested deeper than this are parsed and matched by recursion deep enough to overflow
/// the stack.
constexpr int maxExpressionNesting = 200;

/// Repetition counts are expanded into copies of what they repeat; beyond this many items in
/// all, building the expression takes memory and time without bound.
constexpr qint64 maxExpressionSize = 250000;

/// The matcher keeps a record per item for every group, or for every group up to the highest
/// back-reference number when that is higher; beyond this many items times groups its tables
/// outgrow memory, and their sizes overflow.
constexpr qint64 maxExpressionGroupSize = 1000000;

/// False when building \a pattern as a regular expression (QRegExp::RegExp2) would nest groups
/// deeper than maxExpressionNesting or exceed maxExpressionSize or maxExpressionGroupSize.
/// Sizes are estimated from above: a character, class or escape is one item, a group holds
/// its content, and a repetition multiplies the items and groups it repeats by its count.
/// A back-reference counts as many groups as its number.
bool expressionWithinLimits(const QString &pattern);

#endif // EXPRESSIONLIMITS_H
