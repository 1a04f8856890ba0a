// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef CARRIEDCOMPONENT_H
#define CARRIEDCOMPONENT_H

#include <QString>
#include <QVector>

/// Changes of prefix that are one change but for one name, a path component, which the old
/// prefix holds and the new one holds as it stands: /home/ann/old to /home/ann/new and
/// /home/bob/old to /home/bob/new. Made of an expression with one group for the name.
struct CarriedChange
{
    QVector<int> changes; ///< numbers of the changes it serves
    QString pattern; ///< "^", the old prefix with a group for the name, no end
    QString substitute; ///< the new prefix with \1 for the name
};

/// The carried changes among the changes of \a olds[i] to \a news[i] that serve at least two
/// names, greatest first; a change is served by at most one of them.
QVector<CarriedChange> carriedChanges(const QVector<QString> &olds, const QVector<QString> &news);

#endif // CARRIEDCOMPONENT_H
