// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "replace/d_replace.h"
#include "replace/expressionlimits.h"

#include <QtTest>

Q_DECLARE_METATYPE(Rule)
Q_DECLARE_METATYPE(QVector<Rule>)

namespace {

enum Kind { Fixed, Expression, Wildcard, Both };

Rule rule(Kind kind, const char *pattern, const char *substitute, bool cs)
{
    return Rule { QString::fromUtf8(pattern), QString::fromUtf8(substitute),
        kind == Expression || kind == Both, cs, kind == Wildcard || kind == Both };
}

} // namespace

class tst_Replace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void apply_data();
    void apply();
    void limits_data();
    void limits();
};

void tst_Replace::apply_data()
{
    QTest::addColumn<QVector<Rule>>("rules");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no rules") << QVector<Rule>() << "abc"
                              << "abc";

    // Order: the first rule that changes the string ends the work; rules never chain.
    QTest::newRow("first change wins")
        << QVector<Rule> { rule(Fixed, "a", "b", true), rule(Fixed, "b", "c", true) } << "abc"
        << "bbc";
    QTest::newRow("non-matching rule passed over")
        << QVector<Rule> { rule(Fixed, "x", "y", true), rule(Fixed, "a", "b", true) } << "abc"
        << "bbc";
    QTest::newRow("later rule sees the original string")
        << QVector<Rule> { rule(Fixed, "q", "a", true), rule(Fixed, "a", "z", true) } << "abc"
        << "zbc";

    // Fixed text: every occurrence, case by cs, no expression syntax.
    QTest::newRow("fixed, every occurrence, ignoring case")
        << QVector<Rule> { rule(Fixed, "a", "b", false) } << "AaA"
        << "bbb";
    QTest::newRow("fixed, every occurrence, case-sensitive")
        << QVector<Rule> { rule(Fixed, "a", "b", true) } << "AaA"
        << "AbA";
    QTest::newRow("fixed, metacharacters are literal")
        << QVector<Rule> { rule(Fixed, "a.c", "X", true) } << "abc a.c"
        << "abc X";
    QTest::newRow("fixed, ignoring case, rewrites to other case")
        << QVector<Rule> { rule(Fixed, "abc", "ABC", false) } << "xabcx"
        << "xABCx";
    QTest::newRow("fixed, ignoring case, same text is no change")
        << QVector<Rule> { rule(Fixed, "abc", "ABC", false), rule(Fixed, "x", "y", true) }
        << "xABCx"
        << "yABCy";
    QTest::newRow("fixed, ignoring case, same pattern other case is a change")
        << QVector<Rule> { rule(Fixed, "abc", "abc", false), rule(Fixed, "x", "y", true) }
        << "xABCx"
        << "xabcx";
    QTest::newRow("fixed, case-sensitive, replacement equal to pattern never ends the work")
        << QVector<Rule> { rule(Fixed, "abc", "abc", true), rule(Fixed, "x", "y", true) } << "xabcx"
        << "yabcy";
    QTest::newRow("fixed, empty pattern applied as it stands")
        << QVector<Rule> { rule(Fixed, "", "X", true), rule(Fixed, "a", "b", true) } << "abc"
        << "XaXbXcX";
    QTest::newRow("fixed, empty pattern and replacement change nothing")
        << QVector<Rule> { rule(Fixed, "", "", false), rule(Fixed, "a", "b", true) } << "abc"
        << "bbc";

    // Expressions: cs applies to them too; not anchored; invalid ones never match.
    QTest::newRow("regexp, ignoring case")
        << QVector<Rule> { rule(Expression, "B", "X", false) } << "abc"
        << "aXc";
    QTest::newRow("regexp, case-sensitive")
        << QVector<Rule> { rule(Expression, "B", "X", true) } << "abc"
        << "abc";
    QTest::newRow("regexp, every match, not anchored")
        << QVector<Rule> { rule(Expression, "b+", "X", true) } << "abbcb"
        << "aXcX";
    QTest::newRow("regexp, capture groups")
        << QVector<Rule> { rule(Expression, "(\\w+)/(\\w+)", "\\2/\\1", true) } << "ab/cd"
        << "cd/ab";
    QTest::newRow("regexp, back-reference beyond the groups stays literal")
        << QVector<Rule> { rule(Expression, "(b)", "\\1\\2", true) } << "abc"
        << "ab\\2c";
    QTest::newRow("regexp, invalid, next rule tried")
        << QVector<Rule> { rule(Expression, "(", "X", true), rule(Fixed, "a", "b", true) } << "a(c"
        << "b(c";
    QTest::newRow("regexp, empty match inserts everywhere")
        << QVector<Rule> { rule(Expression, "x*", "-", true) } << "ab"
        << "-a-b-";
    QTest::newRow("regexp, dot is a metacharacter")
        << QVector<Rule> { rule(Expression, "a.c", "X", true) } << "abc"
        << "X";

    QTest::newRow("wildcard, matches inside the string")
        << QVector<Rule> { rule(Wildcard, "b*", "X", true) } << "abc"
        << "aX";
    QTest::newRow("wildcard, question mark")
        << QVector<Rule> { rule(Wildcard, "b?d", "X", true) } << "abcde"
        << "aXe";
    QTest::newRow("wildcard, ignoring case")
        << QVector<Rule> { rule(Wildcard, "/HOME/*/src", "/srv", false) } << "/home/u/src"
        << "/srv";
    QTest::newRow("wildcard, case-sensitive")
        << QVector<Rule> { rule(Wildcard, "/HOME/*/src", "/srv", true) } << "/home/u/src"
        << "/home/u/src";
    QTest::newRow("wildcard, parentheses are literal")
        << QVector<Rule> { rule(Wildcard, "(b)", "X", true) } << "a(b)c"
        << "aXc";
    QTest::newRow("wildcard wins over regexp")
        << QVector<Rule> { rule(Both, "b*", "X", true) } << "abc"
        << "aX";

    // Expressions the library cannot build safely never match.
    const QByteArray nested =
        QByteArray(maxExpressionNesting, '(') + 'a' + QByteArray(maxExpressionNesting, ')');
    QTest::newRow("regexp, deepest nesting allowed")
        << QVector<Rule> { rule(Expression, nested.constData(), "X", true) } << "ab"
        << "Xb";
    QTest::newRow("regexp, nested too deep, next rule tried")
        << QVector<Rule> { rule(Expression, ("(" + nested + ")").constData(), "X", true),
               rule(Fixed, "b", "B", true) }
        << "ab"
        << "aB";
    QTest::newRow("regexp, repetition too large, next rule tried")
        << QVector<Rule> { rule(Expression, "((a{1000}){1000}){1000}", "X", true),
               rule(Fixed, "b", "B", true) }
        << "ab"
        << "aB";
    QTest::newRow("regexp, unterminated counts, next rule tried")
        << QVector<Rule> { rule(Expression, "((a{}){1022{){44", "X", true),
               rule(Fixed, "b", "B", true) }
        << "ab"
        << "aB";
    QTest::newRow("regexp, lookaheads read again, next rule tried")
        << QVector<Rule> { rule(Expression, (QByteArray("(?=").repeated(30) + ']').constData(), "X",
                               true),
               rule(Fixed, "b", "B", true) }
        << "ab"
        << "aB";
    QTest::newRow("regexp, lookaheads beyond the limit, next rule tried")
        << QVector<Rule> { rule(Expression, (QByteArray("(?=a)").repeated(14) + 'a').constData(),
                               "X", true),
               rule(Fixed, "b", "B", true) }
        << "ab"
        << "aB";
    QTest::newRow("regexp, repeated back-reference beyond the limit, next rule tried")
        << QVector<Rule> { rule(Expression, "a2222\\8887{1000}\\", "X", true),
               rule(Fixed, "b", "B", true) }
        << "a2222b"
        << "a2222B";
    QTest::newRow("regexp, optional items linked, next rule tried")
        << QVector<Rule> { rule(Expression, QByteArray("(?:a?){1000}").repeated(8).constData(), "X",
                               true),
               rule(Fixed, "b", "B", true) }
        << "ab"
        << "aB";
    // A rule is passed over only where its required text cannot occur: never where it matches.
    QTest::newRow("skip, expression ignoring case matches the Kelvin sign")
        << QVector<Rule> { rule(Expression, "k", "X", false) } << "\u212a"
        << "X";
    QTest::newRow("skip, wildcard ignoring case matches the Kelvin sign")
        << QVector<Rule> { rule(Wildcard, "kx", "X", false) } << "a\u212ax"
        << "aX";
    QTest::newRow("skip, fixed text ignoring case matches the long s")
        << QVector<Rule> { rule(Fixed, "s", "X", false) } << "\u017f"
        << "X";
    QTest::newRow("skip, empty expression matches everywhere")
        << QVector<Rule> { rule(Expression, "", "X", true) } << "ab"
        << "XaXbX";
    QTest::newRow("skip, anchors") << QVector<Rule> { rule(Expression, "^ab$", "X", true) } << "ab"
                                   << "X";
    QTest::newRow("skip, alternative at the top level")
        << QVector<Rule> { rule(Expression, "zzz|b", "X", true) } << "abc"
        << "aXc";
    QTest::newRow("skip, optional group")
        << QVector<Rule> { rule(Expression, "a(bc)?d", "X", true) } << "ad"
        << "X";
    QTest::newRow("skip, character repeated no time")
        << QVector<Rule> { rule(Expression, "xy{0}z", "X", true) } << "xz"
        << "X";
    QTest::newRow("skip, escaped punctuation is itself")
        << QVector<Rule> { rule(Expression, "a\\.b", "X", true) } << "a.b"
        << "X";
    QTest::newRow("skip, class") << QVector<Rule> { rule(Expression, "[bc]d", "X", true) } << "cd"
                                 << "X";
    QTest::newRow("skip, negative lookahead")
        << QVector<Rule> { rule(Expression, "a(?!b)c", "X", true) } << "ac"
        << "X";
    QTest::newRow("wildcard, parentheses are not groups")
        << QVector<Rule> { rule(Wildcard, ("(" + nested + ")").constData(), "X", true) } << "ab"
        << "ab";
}

void tst_Replace::limits_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("within");

    const QString deepest = QString(maxExpressionNesting, QLatin1Char('('))
        + QString(maxExpressionNesting, QLatin1Char(')'));
    QTest::newRow("plain") << "^/home/([^/]+)/(src|lib)\\d{2,4}$" << true;
    QTest::newRow("long plain") << QString(100000, QLatin1Char('x')) << true;
    QTest::newRow("deepest nesting") << deepest << true;
    QTest::newRow("one level deeper") << "(" + deepest + ")" << false;
    QTest::newRow("lookaheads nest too")
        << QStringLiteral("(?=").repeated(maxExpressionNesting + 1) << false;
    QTest::newRow("escaped parentheses are not groups")
        << QStringLiteral("\\(").repeated(maxExpressionNesting + 1) << true;
    QTest::newRow("parentheses in a class are not groups")
        << QStringLiteral("[](]").repeated(maxExpressionNesting + 1) << true;
    const QString repeated = QStringLiteral("a{1000}").repeated(250);
    QTest::newRow("largest size") << repeated << true;
    QTest::newRow("one item more") << repeated + QLatin1Char('a') << false;
    QTest::newRow("nested repetition") << "((a{100}){100}){100}" << false;
    QTest::newRow("open-ended repetition") << "(?:a{1000,}){251}" << false;
    QTest::newRow("upper bound counts") << "(?:a{0,1000}){251}" << false;
    QTest::newRow("repeated loop") << "((?:a{1000})*){251}" << false;
    QTest::newRow("a second quantifier repeats nothing") << "(?:a{1000})*{251}" << true;
    const QString groups = QStringLiteral("(x)").repeated(1000);
    QTest::newRow("most groups times items") << groups << true;
    QTest::newRow("one group more") << groups + QLatin1String("(x)") << false;
    QTest::newRow("repeated groups count as copies") << "((x+){1000}){50}" << false;
    QTest::newRow("back-reference counts as groups") << "x{998}\\1000" << true;
    QTest::newRow("back-reference beyond") << "x{998}\\1001" << false;
    QTest::newRow("back-reference beyond the library's limit, repeated") << "\\8887{1000}" << false;
    QTest::newRow("back-reference numbers wrap at 16 bits") << "x\\99999999999999999999" << true;
    QTest::newRow("back-reference wrapping to 0") << "(a)\\65536" << false;
    QTest::newRow("octal escape is no back-reference") << "x{1000}\\0777777" << true;
    QTest::newRow("braces without a count repeat too") << "a{x}{,}{" << true;
    QTest::newRow("unterminated and empty counts") << "((a{}){1022{){44" << false;
    QTest::newRow("counts from 1025 on read on from 0")
        << QStringLiteral("x{1025}").repeated(300) << true;
    QTest::newRow("upper bounds from 1025 on are none") << "(?:x{0,1025}){300}" << true;
    QTest::newRow("lookaheads with an error are read again")
        << QStringLiteral("(?=").repeated(30) + QLatin1Char(']') << false;
    QTest::newRow("optional items link to all after them")
        << QStringLiteral("(?:a?){1000}").repeated(2) << false;
    QTest::newRow("lookahead escapes of unknown reading") << "(?=\\p{Lu})" << false;
    const QString lookaheads = QStringLiteral("(?=a)").repeated(13);
    QTest::newRow("most lookaheads") << lookaheads << true;
    QTest::newRow("one lookahead more") << lookaheads + QLatin1String("(?!b)") << false;
    QTest::newRow("lookaheads in copies count") << "(?:(?=a)b){14}" << false;
    QTest::newRow("classes count their ranges")
        << QStringLiteral("[a-bc-de-fg-hi-j]{1000}").repeated(42) << false;
}

void tst_Replace::limits()
{
    QFETCH(QString, pattern);
    QFETCH(bool, within);
    QCOMPARE(expressionWithinLimits(pattern), within);
}

void tst_Replace::apply()
{
    QFETCH(QVector<Rule>, rules);
    QFETCH(QString, input);
    QFETCH(QString, expected);

    D_Replace replace;
    for (const Rule &r : qAsConst(rules))
        replace.addRule(r.pattern, r.substitute, r.regexp, r.cs, r.wildcard);
    QCOMPARE(replace.apply(input), expected);
    QCOMPARE(replace.apply(input), expected); // apply leaves the engine as it was
}

QTEST_APPLESS_MAIN(tst_Replace)

#include "tst_replace.moc"
