// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef LINTDOCUMENT_H
#define LINTDOCUMENT_H

#include "check/findings/diagnostic.h"
#include "check/reading/rulefilereading.h"

#include <QVector>

/// Appends to \a findings what the start tag of \a element says, with its \a attributes, as
/// \a scan reaches it: names in the wrong case, attributes the tool does not read, flags that
/// are not plain integers.
void lintStartTag(const D_DocumentScan &scan, int element, const QVector<ScanAttribute> &attributes,
    QVector<Finding> &findings);

/// Appends to \a findings what the walk of the read document says: where the reader stops, and
/// the file elements that give no rule.
void lintWalk(const D_RuleFileReading &reading, QVector<Finding> &findings);

#endif // LINTDOCUMENT_H
