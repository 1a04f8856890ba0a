// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RULEFILEFORMAT_H
#define RULEFILEFORMAT_H

#include "config/d_replacestreamreader.h"

#include <QByteArray>
#include <QString>
#include <QVector>

/// A rule to write, with the comment written before it.
struct CommentedRule
{
    FileEntry entry;
    QString comment; ///< holds no "--"
};

/// A rule file the tool reads: UTF-8, one replacement element, one file element a rule in the
/// order given, every flag written as 1 or 0, attribute values escaped.
QByteArray ruleFile(const QVector<CommentedRule> &rules);

/// \a text escaped for an attribute value in double quotes.
QString xmlAttributeText(const QString &text);

#endif // RULEFILEFORMAT_H
