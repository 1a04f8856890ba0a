// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef SUGGESTEDRULE_H
#define SUGGESTEDRULE_H

#include "check/suggest/suggestioncase.h"
#include "config/d_replacestreamreader.h"

#include <QString>
#include <QVector>

/// The rule that \a candidate stands for: an expression anchored at the start, whose prefix
/// ends where the string ends or at a separator, which a group puts back.
FileEntry suggestedEntry(const Candidate &candidate, const QVector<SuggestionCase> &cases);

/// What the rule decides, for a reader: the number of its cases, one of them, and the names it
/// leaves to other rules.
QString suggestedComment(const Candidate &candidate, const QVector<SuggestionCase> &cases);

#endif // SUGGESTEDRULE_H
