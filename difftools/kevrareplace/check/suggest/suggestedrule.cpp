// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/suggest/suggestedrule.h"
#include "check/findings/messagetext.h"
#include "replace/groupreference.h"
#include "replace/qtcompat.h"

#include <QHash>

namespace {

// The length of the old prefix of case \a c in \a candidate.
int oldLengthIn(const Candidate &candidate, const SuggestionCase &c)
{
    if (candidate.kind == WholeString)
        return c.string.size();
    return candidate.kind == Carried ? c.oldLength : candidate.oldLength;
}

// The way of writing the old prefix that most cases of \a candidate use, the first on a tie.
QString commonSpelling(const Candidate &candidate, const QVector<SuggestionCase> &cases)
{
    QHash<QString, int> uses;
    QString common;
    int most = 0;
    for (int i : candidate.cases) {
        const QString spelt = cases.at(i).string.left(candidate.oldLength);
        const int used = ++uses[spelt];
        if (used > most) {
            most = used;
            common = spelt;
        }
    }
    return common;
}

// A comment holds no "--".
bool fitsComment(const QString &text) { return !text.contains(QLatin1String("--")); }

} // namespace

FileEntry suggestedEntry(const Candidate &candidate, const QVector<SuggestionCase> &cases)
{
    const SuggestionCase &first = cases.at(candidate.cases.constFirst());
    FileEntry made { QString(), QString(), true, candidate.kind != PrefixAnyCase, false };
    if (candidate.kind == WholeString) {
        made.path = QLatin1Char('^') + QRegExp::escape(first.string) + QLatin1Char('$');
        made.replacepath = first.expected;
        return made;
    }
    // What may follow the prefix: what follows it in the cases.
    bool slash = false;
    bool backslash = false;
    for (int i : candidate.cases) {
        const SuggestionCase &c = cases.at(i);
        const int length = oldLengthIn(candidate, c);
        if (length < c.string.size())
            (c.string.at(length) == QLatin1Char('/') ? slash : backslash) = true;
    }
    const int length = oldLengthIn(candidate, first);
    const QString prefix = first.expected.left(first.newLength(length));
    const QString separators = slash && backslash ? QStringLiteral("[/\\\\]")
        : slash                                   ? QStringLiteral("/")
                                                  : QStringLiteral("\\\\");
    const bool carried = candidate.kind == Carried;
    const QString old = candidate.kind == PrefixAnyCase ? commonSpelling(candidate, cases)
                                                        : first.string.left(length);
    made.path = carried ? candidate.head : QLatin1Char('^') + QRegExp::escape(old);
    made.replacepath = carried ? candidate.headSubstitute : prefix;
    for (const Exclusion &exclusion : candidate.exclusions) {
        made.path += QLatin1String("(?!") + QRegExp::escape(exclusion.text)
            + (exclusion.wholeString ? QStringLiteral("$)")
                                     : QLatin1String("(?:") + separators + QLatin1String("|$))"));
    }
    if (!slash && !backslash) {
        made.path += QLatin1Char('$');
    } else if (carried || !refersToGroups(prefix, 1)) {
        // The separator, or the end, taken as a group and put back: a rule whose pattern
        // starts with fixed text is tried only on strings that hold it.
        made.path += QLatin1Char('(') + separators + QLatin1String("|$)");
        made.replacepath += QLatin1String(carried ? "\\2" : "\\1");
    } else {
        // A \1 of the new text must not stand for a group.
        made.path += QLatin1String("(?=") + separators + QLatin1String("|$)");
    }
    return made;
}

QString suggestedComment(const Candidate &candidate, const QVector<SuggestionCase> &cases)
{
    QString comment = counted(candidate.cases.size(), "case", "cases");
    for (int i : candidate.cases) {
        const SuggestionCase &c = cases.at(i);
        if (fitsComment(c.string) && fitsComment(c.expected)) {
            comment += QLatin1String(candidate.cases.size() == 1 ? ": " : ", e.g. ") + c.string
                + QLatin1String(" -> ") + c.expected;
            break;
        }
    }
    for (const Exclusion &exclusion : candidate.exclusions) {
        const SuggestionCase &c = cases.at(exclusion.example);
        const QString name = c.string.left(candidate.oldLength + exclusion.text.size());
        comment += QLatin1String("; not ")
            + (fitsComment(name) ? name + QLatin1String(exclusion.wholeString ? "" : " or below")
                                 : QStringLiteral("a name"))
            + QLatin1String(" (") + counted(exclusion.cases, "case)", "cases)");
    }
    return comment;
}
