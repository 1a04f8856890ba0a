// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef SYNTAXADVICE_H
#define SYNTAXADVICE_H

#include "replace/foreignsyntax.h"

#include <QString>

/// What to write instead of a construct that the engine does not take: the id of its finding
/// and its message, the library's own error after the advice.
struct SyntaxAdvice
{
    const char *id;
    QString message;
};

/// The advice for \a found, a construct of \a pattern, whose expression the library refuses
/// with \a libraryError; only for a construct found (not ForeignSyntax::None).
SyntaxAdvice syntaxAdvice(
    const QString &pattern, const ForeignSyntax &found, const QString &libraryError);

/// The first "$1" to "$9" of \a substitute that names one of an expression's \a groups, which
/// the tool writes as it stands; empty when it holds none.
QString dollarReference(const QString &substitute, int groups);

/// Where group \a group (from 1) of the valid expression \a pattern opens; -1 when it has no
/// such group or a lookahead comes first, whose groups the library counts apart.
int groupStart(const QString &pattern, int group);

#endif // SYNTAXADVICE_H
