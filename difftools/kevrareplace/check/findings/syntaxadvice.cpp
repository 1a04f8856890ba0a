// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/syntaxadvice.h"
#include "check/findings/messagetext.h"
#include "replace/regexptokenizer.h"

namespace {

// The fix for an inline flag: case has an attribute of its own, nothing else has any.
QString flagAdvice(const QString &flag)
{
    const int off = flag.indexOf(QLatin1Char('-'));
    const QString on = off < 0 ? flag : flag.left(off);
    if (on.contains(QLatin1Char('i')))
        return QStringLiteral("leave it out and use cs=\"0\"");
    if (off >= 0 && flag.indexOf(QLatin1Char('i'), off) >= 0)
        return QStringLiteral("leave it out and use cs=\"1\"");
    return QStringLiteral("leave it out: an expression holds no flags, and case is set by cs");
}

} // namespace

SyntaxAdvice syntaxAdvice(
    const QString &pattern, const ForeignSyntax &found, const QString &libraryError)
{
    const QString construct = pattern.mid(found.at, found.length);
    const char *id = "named-group";
    const char *what = "named group";
    QString fix;
    switch (found.kind) {
    case ForeignSyntax::LazyQuantifier:
        id = "lazy-quantifier";
        what = "lazy quantifier";
        fix = QLatin1String("quantifiers are greedy; write ") + quoted(construct.chopped(1))
            + QLatin1String(" and repeat only what the match may take, such as '[^/]*' for the "
                            "rest of a name");
        break;
    case ForeignSyntax::PossessiveQuantifier:
        id = "lazy-quantifier";
        what = "possessive quantifier";
        fix = QLatin1String("quantifiers are greedy; write ") + quoted(construct.chopped(1));
        break;
    case ForeignSyntax::InlineFlag:
        id = "inline-flag";
        what = "inline flag";
        fix = flagAdvice(construct.mid(2, construct.size() - 3));
        break;
    case ForeignSyntax::Lookbehind:
        id = "lookbehind";
        what = "lookbehind";
        fix = QStringLiteral("expressions look ahead only; take what comes before into the "
                             "match as a group and write it back with '\\1'");
        break;
    case ForeignSyntax::NamedGroup:
    case ForeignSyntax::None:
        if (construct.startsWith(QLatin1String("(?P=")))
            what = "reference to a named group";
        fix = QStringLiteral("groups have numbers only; write '(' for the group and '\\1', "
                             "'\\2'... by its place to refer to it");
        break;
    }
    return { id,
        QLatin1String("expression ") + quoted(pattern) + QLatin1String(" holds the ")
            + QLatin1String(what) + QLatin1Char(' ') + quoted(construct)
            + QLatin1String(", which the engine does not take: ") + fix
            + QLatin1String("; the rule never matches (") + libraryError + QLatin1Char(')') };
}

QString dollarReference(const QString &substitute, int groups)
{
    for (int i = substitute.indexOf(QLatin1Char('$')); i >= 0 && i + 1 < substitute.size();
         i = substitute.indexOf(QLatin1Char('$'), i + 1)) {
        const int digit = substitute.at(i + 1).unicode() - '0';
        if (digit >= 1 && digit <= 9 && digit <= groups)
            return substitute.mid(i, 2);
    }
    return QString();
}

int groupStart(const QString &pattern, int group)
{
    RegExpTokenizer tokens(pattern, 0, false);
    int opened = 0;
    for (;;) {
        switch (tokens.read()) {
        case RegExpToken::End:
        case RegExpToken::Lookahead:
            return -1;
        case RegExpToken::LeftParen:
            if (++opened == group)
                return tokens.tokenStart;
            break;
        default:
            break;
        }
    }
}
