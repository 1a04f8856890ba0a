// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "groupreference.h"

int groupReference(const QString &substitute, int at)
{
    if (at + 1 >= substitute.size() || substitute.at(at) != QLatin1Char('\\'))
        return 0;
    const int group = substitute.at(at + 1).digitValue();
    return group > 0 ? group : 0;
}

bool refersToGroups(const QString &substitute, int groups)
{
    for (int i = 0; i + 1 < substitute.size(); ++i) {
        const int group = groupReference(substitute, i);
        if (group > 0 && group <= groups)
            return true;
    }
    return false;
}
