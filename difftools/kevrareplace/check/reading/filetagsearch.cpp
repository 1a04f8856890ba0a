// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/filetagsearch.h"
#include "check/reading/attributenames.h"
#include "config/rulefilenames.h"

QVector<qint64> fileTagsFrom(const QString &text, int from)
{
    QVector<qint64> found;
    const QString fileTag = QLatin1Char('<') + RuleFileNames::fileElement;
    for (int at = text.indexOf(fileTag, from); at >= 0; at = text.indexOf(fileTag, at + 1)) {
        const int next = at + fileTag.size();
        if (next == text.size() || isXmlBlank(text.at(next)) || text.at(next) == QLatin1Char('/')
            || text.at(next) == QLatin1Char('>'))
            found.append(at);
    }
    return found;
}
