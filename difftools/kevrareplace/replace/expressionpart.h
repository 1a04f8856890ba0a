// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef EXPRESSIONPART_H
#define EXPRESSIONPART_H

#include <QtGlobal>

/// Counts saturate here, far past every limit of the expressions, so that no product of two
/// overflows.
constexpr qint64 expressionCountCap = qint64(1) << 31;

inline qint64 cappedSum(qint64 a, qint64 b) { return qMin(a + b, expressionCountCap); }

inline qint64 cappedProduct(qint64 a, qint64 b) { return qMin(a * b, expressionCountCap); }

/// Upper bounds for what the library's parser builds of a part of a pattern: how many items can
/// start and end a match of it, whether it matches the empty string, and how many alternatives
/// the widest anchor condition on its edges holds (0 when there is none).
struct ExpressionPart
{
    qint64 first = 0;
    qint64 last = 0;
    bool skippable = true;
    qint64 anchors = 0;
};

/// Makes \a left the part \a left then \a right, adding to \a work the links between them:
/// every item that can end the left part to every one that can start the right part, each link
/// with the conditions of both edges.
void joinParts(ExpressionPart &left, const ExpressionPart &right, qint64 &work);

/// Makes \a left the part \a left or \a right, adding to \a work what joining them takes.
void alternateParts(ExpressionPart &left, const ExpressionPart &right, qint64 &work);

/// Adds to \a work the links of an open-ended repetition of \a part: its ends back to its
/// starts.
void loopPart(const ExpressionPart &part, qint64 &work);

#endif // EXPRESSIONPART_H
