// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef EXPRESSIONLIMITS_H
#define EXPRESSIONLIMITS_H

#include <QString>

/// Groups and lookaheads nested deeper than this are parsed and matched by recursion deep enough
/// to overflow the stack.
constexpr int maxExpressionNesting = 200;

/// Repetition counts are expanded into copies of what they repeat; beyond this many items in
/// all, building the expression takes memory and time without bound.
constexpr qint64 maxExpressionSize = 250000;

/// The matcher keeps a record per item for every capture, or for every group up to the highest
/// back-reference number when that is higher; beyond this many items times captures its tables
/// outgrow memory, and their sizes overflow.
constexpr qint64 maxExpressionGroupSize = 1000000;

/// Joining two parts links every item that can end the first to every item that can start the
/// second; beyond this many links, and pieces of the expression read, building it takes memory
/// and time without bound.
constexpr qint64 maxExpressionWork = 1000000;

/// False when building \a pattern as a regular expression (QRegExp::RegExp2) would nest groups
/// deeper than maxExpressionNesting or exceed maxExpressionSize, maxExpressionGroupSize or
/// maxExpressionWork, and when what it builds cannot be told in advance.
/// The pattern is read as the library reads it, and sizes are estimated from above: a
/// character or back-reference is one item, a class one item and one per range it holds, and a
/// repetition holds its count of copies of what it repeats.
bool expressionWithinLimits(const QString &pattern);

#endif // EXPRESSIONLIMITS_H
