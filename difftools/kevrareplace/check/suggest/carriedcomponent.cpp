// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/suggest/carriedcomponent.h"
#include "check/suggest/pathcomponents.h"
#include "replace/groupreference.h"
#include "replace/qtcompat.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

struct Shape
{
    QString oldBefore, oldAfter, newBefore, newAfter;
    QVector<int> changes;
    QVector<QString> names;
};

} // namespace

QVector<CarriedChange> carriedChanges(const QVector<QString> &olds, const QVector<QString> &news)
{
    // Every way each change can be read as a shape with one name carried over.
    QHash<QString, int> byKey;
    QVector<Shape> shapes;
    for (int i = 0; i < olds.size(); ++i) {
        const QString &old = olds.at(i);
        const QString &now = news.at(i);
        for (int start = 0; start < old.size();) {
            int end = start;
            while (end < old.size() && !isSeparator(old.at(end)))
                ++end;
            const QString name = old.mid(start, end - start);
            const int at = name.isEmpty() ? -1 : componentAt(now, name, 0);
            if (at >= 0) {
                Shape shape { old.left(start), old.mid(end), now.left(at),
                    now.mid(at + name.size()), {}, {} };
                // A \N around the group would stand for a group too.
                if (!refersToGroups(shape.newBefore, 9) && !refersToGroups(shape.newAfter, 9)) {
                    const QString key = shape.oldBefore + QChar(0) + shape.oldAfter + QChar(0)
                        + shape.newBefore + QChar(0) + shape.newAfter;
                    auto found = byKey.find(key);
                    if (found == byKey.end()) {
                        found = byKey.insert(key, shapes.size());
                        shapes.append(shape);
                    }
                    shapes[found.value()].changes.append(i);
                    shapes[found.value()].names.append(name);
                }
            }
            start = end + 1;
        }
    }
    // The shapes that serve the most names first; each change goes to the first that takes it.
    QVector<QPair<int, int>> order; // names served, shape
    for (int i = 0; i < shapes.size(); ++i) {
        const Shape &shape = shapes.at(i);
        order.append({ -int(QSet<QString>(shape.names.begin(), shape.names.end()).size()), i });
    }
    std::sort(order.begin(), order.end());
    QVector<bool> taken(olds.size(), false);
    QVector<CarriedChange> carried;
    for (const auto &ranked : qAsConst(order)) {
        const Shape &shape = shapes.at(ranked.second);
        if (-ranked.first < 2)
            break;
        CarriedChange change { {},
            QLatin1Char('^') + QRegExp::escape(shape.oldBefore) + QLatin1String("([^/\\\\]+)")
                + QRegExp::escape(shape.oldAfter),
            shape.newBefore + QLatin1String("\\1") + shape.newAfter };
        QSet<QString> served;
        for (int k = 0; k < shape.changes.size(); ++k) {
            if (taken.at(shape.changes.at(k)))
                continue;
            change.changes.append(shape.changes.at(k));
            served.insert(shape.names.at(k));
        }
        if (served.size() < 2)
            continue;
        for (int i : qAsConst(change.changes))
            taken[i] = true;
        carried.append(change);
    }
    return carried;
}
