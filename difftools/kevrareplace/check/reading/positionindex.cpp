// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/positionindex.h"

#include <algorithm>

namespace {

template <typename T> int indexAtOrBefore(const QVector<T> &sorted, T value)
{
    return int(std::upper_bound(sorted.begin(), sorted.end(), value) - sorted.begin()) - 1;
}

} // namespace

void D_PositionIndex::index(const QString &text, const QVector<qint64> &fileStarts)
{
    this->fileStarts = fileStarts;
    lineStarts.append(0);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')
            || (c == QLatin1Char('\r')
                && (i + 1 == text.size() || text.at(i + 1) != QLatin1Char('\n'))))
            lineStarts.append(i + 1);
        else if (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())
            lowSurrogates.append(i);
    }
}

SourceLocation D_PositionIndex::location(qint64 offset) const
{
    // The last file starting at the offset: an empty file owns no text.
    const int file = std::max(0, indexAtOrBefore(fileStarts, offset));
    const qint64 fileBegin = fileStarts.value(file);
    const int line = std::max(0, indexAtOrBefore(lineStarts, offset));
    const int firstLine = std::max(0, indexAtOrBefore(lineStarts, fileBegin));
    const qint64 lineBegin = std::max(lineStarts.value(line), fileBegin);
    const int pairs =
        indexAtOrBefore(lowSurrogates, offset - 1) - indexAtOrBefore(lowSurrogates, lineBegin - 1);
    return SourceLocation { file, line - firstLine + 1, int(offset - lineBegin) - pairs + 1 };
}

qint64 D_PositionIndex::fileStart(int file) const { return fileStarts.value(file); }
