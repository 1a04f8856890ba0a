// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef QTCOMPAT_H
#define QTCOMPAT_H

#include <QRegExp>
#include <QString>
#include <QtGlobal>

// What differs between the Qt versions the tool builds on stays in this header.

/// Replaces every match of \a expression in \a text by \a substitute, in which \1 to \9 stand
/// for the expression's groups.
inline void replaceExpression(QString &text, const QRegExp &expression, const QString &substitute)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    text = expression.replaceIn(text, substitute);
#else
    text.replace(expression, substitute);
#endif
}

#endif // QTCOMPAT_H
