#include "replace/d_replace.h"

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
};

void tst_Replace::apply_data()
{
    QTest::addColumn<QVector<Rule>>("rules");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no rules") << QVector<Rule>() << "abc" << "abc";

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
        << QVector<Rule> { rule(Fixed, "a", "b", false) } << "AaA" << "bbb";
    QTest::newRow("fixed, every occurrence, case-sensitive")
        << QVector<Rule> { rule(Fixed, "a", "b", true) } << "AaA" << "AbA";
    QTest::newRow("fixed, metacharacters are literal")
        << QVector<Rule> { rule(Fixed, "a.c", "X", true) } << "abc a.c" << "abc X";
    QTest::newRow("fixed, ignoring case, rewrites to other case")
        << QVector<Rule> { rule(Fixed, "abc", "ABC", false) } << "xabcx" << "xABCx";
    QTest::newRow("fixed, ignoring case, same text is no change")
        << QVector<Rule> { rule(Fixed, "abc", "ABC", false), rule(Fixed, "x", "y", true) }
        << "xABCx" << "yABCy";
    QTest::newRow("fixed, ignoring case, same pattern other case is a change")
        << QVector<Rule> { rule(Fixed, "abc", "abc", false), rule(Fixed, "x", "y", true) }
        << "xABCx" << "xabcx";
    QTest::newRow("fixed, case-sensitive, replacement equal to pattern never ends the work")
        << QVector<Rule> { rule(Fixed, "abc", "abc", true), rule(Fixed, "x", "y", true) }
        << "xabcx" << "yabcy";
    QTest::newRow("fixed, empty pattern applied as it stands")
        << QVector<Rule> { rule(Fixed, "", "X", true), rule(Fixed, "a", "b", true) } << "abc"
        << "XaXbXcX";
    QTest::newRow("fixed, empty pattern and replacement change nothing")
        << QVector<Rule> { rule(Fixed, "", "", false), rule(Fixed, "a", "b", true) } << "abc"
        << "bbc";

    // Expressions: cs applies to them too; not anchored; invalid ones never match.
    QTest::newRow("regexp, ignoring case") << QVector<Rule> { rule(Expression, "B", "X", false) }
                                           << "abc" << "aXc";
    QTest::newRow("regexp, case-sensitive") << QVector<Rule> { rule(Expression, "B", "X", true) }
                                            << "abc" << "abc";
    QTest::newRow("regexp, every match, not anchored")
        << QVector<Rule> { rule(Expression, "b+", "X", true) } << "abbcb" << "aXcX";
    QTest::newRow("regexp, capture groups")
        << QVector<Rule> { rule(Expression, "(\\w+)/(\\w+)", "\\2/\\1", true) } << "ab/cd"
        << "cd/ab";
    QTest::newRow("regexp, back-reference beyond the groups stays literal")
        << QVector<Rule> { rule(Expression, "(b)", "\\1\\2", true) } << "abc" << "ab\\2c";
    QTest::newRow("regexp, invalid, next rule tried")
        << QVector<Rule> { rule(Expression, "(", "X", true), rule(Fixed, "a", "b", true) }
        << "a(c" << "b(c";
    QTest::newRow("regexp, empty match inserts everywhere")
        << QVector<Rule> { rule(Expression, "x*", "-", true) } << "ab" << "-a-b-";
    QTest::newRow("regexp, dot is a metacharacter")
        << QVector<Rule> { rule(Expression, "a.c", "X", true) } << "abc" << "X";

    QTest::newRow("wildcard, matches inside the string")
        << QVector<Rule> { rule(Wildcard, "b*", "X", true) } << "abc" << "aX";
    QTest::newRow("wildcard, question mark")
        << QVector<Rule> { rule(Wildcard, "b?d", "X", true) } << "abcde" << "aXe";
    QTest::newRow("wildcard, ignoring case")
        << QVector<Rule> { rule(Wildcard, "/HOME/*/src", "/srv", false) } << "/home/u/src"
        << "/srv";
    QTest::newRow("wildcard, case-sensitive")
        << QVector<Rule> { rule(Wildcard, "/HOME/*/src", "/srv", true) } << "/home/u/src"
        << "/home/u/src";
    QTest::newRow("wildcard, parentheses are literal")
        << QVector<Rule> { rule(Wildcard, "(b)", "X", true) } << "a(b)c" << "aXc";
    QTest::newRow("wildcard wins over regexp")
        << QVector<Rule> { rule(Both, "b*", "X", true) } << "abc" << "aX";
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
