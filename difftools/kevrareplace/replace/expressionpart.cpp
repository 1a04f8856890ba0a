// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "expressionpart.h"

#include <algorithm>

namespace {

// Conditions joined: every alternative of one with every alternative of the other.
qint64 joinedAnchors(qint64 a, qint64 b) { return a == 0 ? b : b == 0 ? a : cappedProduct(a, b); }

} // namespace

void joinParts(ExpressionPart &left, const ExpressionPart &right, qint64 &work)
{
    const qint64 links = cappedProduct(left.last, right.first);
    const qint64 anchors = joinedAnchors(left.anchors, right.anchors);
    work = cappedSum(work, std::max<qint64>(cappedProduct(links, std::max<qint64>(anchors, 1)), 1));
    ExpressionPart joined;
    joined.first = left.skippable ? cappedSum(left.first, right.first) : left.first;
    joined.last = right.skippable ? cappedSum(left.last, right.last) : right.last;
    joined.skippable = left.skippable && right.skippable;
    joined.anchors =
        left.skippable || right.skippable ? anchors : std::max(left.anchors, right.anchors);
    left = joined;
}

void alternateParts(ExpressionPart &left, const ExpressionPart &right, qint64 &work)
{
    work = cappedSum(work, cappedSum(right.first, right.last));
    left.anchors = left.skippable && right.skippable ? cappedSum(left.anchors, right.anchors)
                                                     : std::max(left.anchors, right.anchors);
    left.first = cappedSum(left.first, right.first);
    left.last = cappedSum(left.last, right.last);
    left.skippable = left.skippable || right.skippable;
}

void loopPart(const ExpressionPart &part, qint64 &work)
{
    const qint64 links = cappedProduct(part.last, part.first);
    const qint64 anchors = std::max<qint64>(joinedAnchors(part.anchors, part.anchors), 1);
    work = cappedSum(work, std::max<qint64>(cappedProduct(links, anchors), 1));
}
