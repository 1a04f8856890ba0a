// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RAWMARKUP_H
#define RAWMARKUP_H

#include <QChar>
#include <QString>

/// A '&' that starts no reference, or a '<' that starts no markup, written as it stands where
/// XML takes it for the start of one.
struct RawMarkup
{
    qint64 offset; ///< of the character; -1 when there is none
    QChar character;
    bool inAttribute; ///< in an attribute value, else in text
};

/// The first raw '&' or '<' of the text of \a text from \a from to before \a to, which holds
/// what the stream reader read of the token it stopped on: text or a tag from its start.
/// Offset -1 when there is none, or when the token is one whose reading is not followed
/// (comments, processing instructions, sections and declarations).
RawMarkup rawMarkupIn(const QString &text, int from, int to);

#endif // RAWMARKUP_H
