// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/editdistance.h"

#include <QVector>

#include <algorithm>

int editDistance(const QString &from, const QString &to)
{
    const int n = to.size();
    QVector<int> before(n + 1), last(n + 1), row(n + 1);
    for (int j = 0; j <= n; ++j)
        last[j] = j;
    for (int i = 1; i <= from.size(); ++i) {
        row[0] = i;
        for (int j = 1; j <= n; ++j) {
            const bool same = from.at(i - 1) == to.at(j - 1);
            row[j] = std::min({ last[j] + 1, row[j - 1] + 1, last[j - 1] + (same ? 0 : 1) });
            if (i > 1 && j > 1 && from.at(i - 1) == to.at(j - 2) && from.at(i - 2) == to.at(j - 1))
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        before.swap(last);
        last.swap(row);
    }
    return last[n];
}
