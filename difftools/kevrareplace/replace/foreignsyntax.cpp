// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "foreignsyntax.h"
#include "compiledexpression.h"
#include "regexptokenizer.h"

namespace {

bool isFlagLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('-');
}

// The length of \a pattern from \a at through the first \a end, or 0 when none follows.
int through(const QString &pattern, int at, QLatin1Char end)
{
    const int found = pattern.indexOf(end, at);
    return found < 0 ? 0 : found + 1 - at;
}

// What "(?" at \a at opens, other than the library's own groups and lookaheads.
ForeignSyntax groupSyntax(const QString &pattern, int at)
{
    const QString after = pattern.mid(at + 2, 2);
    const QChar first = after.isEmpty() ? QChar() : after.at(0);
    const QChar second = after.size() < 2 ? QChar() : after.at(1);
    if (first == QLatin1Char('<') && (second == QLatin1Char('=') || second == QLatin1Char('!')))
        return { ForeignSyntax::Lookbehind, at, 4 };
    if (first == QLatin1Char('<'))
        return { ForeignSyntax::NamedGroup, at, through(pattern, at, QLatin1Char('>')) };
    if (first == QLatin1Char('\'')) {
        const int name = through(pattern, at + 3, QLatin1Char('\''));
        return { ForeignSyntax::NamedGroup, at, name > 0 ? name + 3 : 0 };
    }
    if (first == QLatin1Char('P')
        && (second == QLatin1Char('<') || second == QLatin1Char('=') || second == QLatin1Char('>')))
        return { ForeignSyntax::NamedGroup, at,
            through(pattern, at, QLatin1Char(second == QLatin1Char('<') ? '>' : ')')) };
    int end = at + 2;
    while (end < pattern.size() && isFlagLetter(pattern.at(end)))
        ++end;
    if (end > at + 2 && end < pattern.size()
        && (pattern.at(end) == QLatin1Char(')') || pattern.at(end) == QLatin1Char(':')))
        return { ForeignSyntax::InlineFlag, at, end + 1 - at };
    return { ForeignSyntax::None, at, 0 };
}

// The construct read where the scan stopped, if the library stops on it as on the construct
// alone: a repetition after an atom, a group construct as it stands.
ForeignSyntax confirmed(
    const ForeignSyntax &found, const QString &pattern, const CompiledExpression &expression)
{
    if (found.kind == ForeignSyntax::None || found.length <= 0)
        return { ForeignSyntax::None, 0, 0 };
    QString alone = pattern.mid(found.at, found.length);
    if (found.kind == ForeignSyntax::LazyQuantifier
        || found.kind == ForeignSyntax::PossessiveQuantifier)
        alone.prepend(QLatin1Char('a'));
    const CompiledExpression sample(alone, true, false);
    if (sample.isValid() || sample.errorText() != expression.errorText())
        return { ForeignSyntax::None, 0, 0 };
    return found;
}

} // namespace

ForeignSyntax foreignSyntax(const QString &pattern, const CompiledExpression &expression)
{
    const ForeignSyntax none { ForeignSyntax::None, 0, 0 };
    if (!expression.isBuilt() || expression.isValid())
        return none;
    RegExpTokenizer tokens(pattern, 0, false);
    int depth = 0;
    bool repeatable = false; // the last token was an atom that a quantifier may follow
    int repetition = -1; // where the quantifier of the last token began
    for (;;) {
        const RegExpToken token = tokens.read();
        const int at = tokens.tokenStart;
        if (token == RegExpToken::NonCapturingParen && tokens.error)
            return confirmed(groupSyntax(pattern, at), pattern, expression);
        if (tokens.error)
            return none;
        if (token == RegExpToken::Quantifier) {
            if (repetition >= 0) {
                const QChar mode = pattern.at(at);
                if (mode != QLatin1Char('?') && mode != QLatin1Char('+'))
                    return none;
                const ForeignSyntax found { mode == QLatin1Char('?')
                        ? ForeignSyntax::LazyQuantifier
                        : ForeignSyntax::PossessiveQuantifier,
                    repetition, at + 1 - repetition };
                return confirmed(found, pattern, expression);
            }
            if (!repeatable)
                return none;
            repetition = at;
            repeatable = false;
            continue;
        }
        repetition = -1;
        switch (token) {
        case RegExpToken::End:
        case RegExpToken::Lookahead: // read by the library as an expression of its own
            return none;
        case RegExpToken::LeftParen:
        case RegExpToken::NonCapturingParen:
            ++depth;
            break;
        case RegExpToken::RightParen:
            if (depth == 0)
                return none;
            --depth;
            break;
        default:
            break;
        }
        repeatable = token == RegExpToken::Char || token == RegExpToken::Class
            || token == RegExpToken::BackReference || token == RegExpToken::RightParen;
    }
}
