// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef ASCIIREPLACE_H
#define ASCIIREPLACE_H

#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

/// Rules applied to a string of ASCII bytes as bytes: a fixed text, or a wildcard of plain
/// characters and stars, given as its texts between the stars. Between ASCII texts the library's
/// case folding is that of ASCII letters alone, so a rule that ignores case is given in lower case
/// and searches the string in lower case.

/// Whether \a pattern is a wildcard of ASCII characters other than ? and sets, not empty: each
/// star matches any text, the rest itself.
bool isStarPattern(const QString &pattern);

/// Sets \a result to \a data with every match of \a parts in \a searched (\a data itself, or in
/// lower case) replaced by \a substitute, as QString::replace does with the pattern's text or
/// QRegExp: each match the first start where the parts follow each other, the longest from there,
/// searched from the end of the one before (one on after an empty one). Neither kind looks before
/// a match, so the library's searches in its own result past 2047 matches find what these find.
/// Returns whether the rule changes the string; \a result holds nothing of use when not.
bool replaceAscii(std::string_view searched, const char *data, const std::vector<QByteArray> &parts,
    const QByteArray &substitute, QByteArray &result);

#endif // ASCIIREPLACE_H
