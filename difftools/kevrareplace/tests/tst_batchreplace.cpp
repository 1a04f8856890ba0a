// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "batch/d_batchreplace.h"
#include "replace/d_replace.h"
#include "replace/expressionlimits.h"
#include "replace/requiredtext.h"
#include "text/losslesscodec.h"

#include <QtTest>

Q_DECLARE_METATYPE(Rule)
Q_DECLARE_METATYPE(QVector<Rule>)

namespace {

enum Kind { Fixed, Expression, Wildcard };

Rule rule(Kind kind, const char *pattern, const char *substitute, bool cs)
{
    return Rule { QString::fromUtf8(pattern), QString::fromUtf8(substitute), kind == Expression, cs,
        kind == Wildcard };
}

} // namespace

class tst_BatchReplace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameAsReplace_data();
    void sameAsReplace();
    void requiredText_data();
    void requiredText();
};

// Each row: rules and a string as bytes. Qt's case folding differs between versions, so the
// rule that decides is what D_Replace makes of each rule alone.
void tst_BatchReplace::sameAsReplace_data()
{
    QTest::addColumn<QVector<Rule>>("rules");
    QTest::addColumn<QByteArray>("input");

    // Case folding relates these four characters to ASCII letters, which no byte search sees.
    QTest::newRow("long s folds to s")
        << QVector<Rule> { rule(Fixed, "/skip/", "/", false) } << QByteArray("/\xc5\xbfkip/x");
    QTest::newRow("Kelvin sign folds to k, expression")
        << QVector<Rule> { rule(Expression, "/kilo(\\d)", "/k\\1", false) }
        << QByteArray("/\xe2\x84\xaailo1");
    QTest::newRow("dotted capital I, wildcard")
        << QVector<Rule> { rule(Wildcard, "/bin*/", "/", false) } << QByteArray("/b\xc4\xb0n/");
    QTest::newRow("dotless small i, fixed")
        << QVector<Rule> { rule(Fixed, "/LINK/", "/", false) } << QByteArray("/l\xc4\xb1nk/");
    QTest::newRow("other letters keep to their own case variants")
        << QVector<Rule> { rule(Fixed, "/caf\xc3\xa9/", "/c/", false) }
        << QByteArray("/CAF\xc3\x89/");

    // Pieces: only what every match contains.
    QTest::newRow("optional character")
        << QVector<Rule> { rule(Expression, "/abx?cd/", "/", true) } << QByteArray("/abcd/");
    QTest::newRow("repetition of none")
        << QVector<Rule> { rule(Expression, "/abx{0}cd/", "/", true) } << QByteArray("/abcd/");
    QTest::newRow("alternatives at the top")
        << QVector<Rule> { rule(Expression, "/abcd/|/xy/", "/", true) } << QByteArray("/xy/");
    QTest::newRow("alternatives in a group")
        << QVector<Rule> { rule(Expression, "/(abcd|xy)/z", "/", true) } << QByteArray("/xy/z");
    QTest::newRow("escape that is a code")
        << QVector<Rule> { rule(Expression, "\\x0041BCDE", "-", true) } << QByteArray("ABCDE");
    QTest::newRow("back-reference")
        << QVector<Rule> { rule(Expression, "(ab)\\1cd", "-", true) } << QByteArray("ababcd");
    QTest::newRow("escaped punctuation is literal")
        << QVector<Rule> { rule(Expression, "^D:\\\\src\\\\(\\w+)\\\\", "/work/\\1/", false) }
        << QByteArray("d:\\SRC\\app\\x");
    QTest::newRow("wildcard backslash before star")
        << QVector<Rule> { rule(Wildcard, "C:\\Users\\*\\", "/", true) }
        << QByteArray("C:\\\\Users\\*\\");
    QTest::newRow("wildcard set opening with a bracket")
        << QVector<Rule> { rule(Wildcard, "[]abcd]efgh", "-", true) } << QByteArray("]efgh");
    QTest::newRow("empty fixed pattern changes every string")
        << QVector<Rule> { rule(Fixed, "", "X", true), rule(Fixed, "abcd", "y", true) }
        << QByteArray("abcd");
    QTest::newRow("empty expression matches everywhere")
        << QVector<Rule> { rule(Expression, "", "X", true) } << QByteArray("ab");
    QTest::newRow("expression that can match nothing")
        << QVector<Rule> { rule(Expression, "(abcd)*", "X", true) } << QByteArray("xy");

    // Bytes that are not UTF-8 are kept as lone surrogates, which only an expression matches.
    QTest::newRow("replacement character is not a byte that is not UTF-8")
        << QVector<Rule> { rule(Fixed, "caf\xef\xbf\xbd/", "cafe/", true) }
        << QByteArray("/caf\xe9/x");
    QTest::newRow("replacement character as it stands")
        << QVector<Rule> { rule(Fixed, "caf\xef\xbf\xbd/", "cafe/", true) }
        << QByteArray("/caf\xef\xbf\xbd/x");
    QTest::newRow("dot matches a byte that is not UTF-8")
        << QVector<Rule> { rule(Expression, "/caf./", "/cafe/", true) } << QByteArray("/caf\xe9/");

    // Order and outcome as D_Replace: matches that change nothing pass the turn on.
    QTest::newRow("indexed rule after one tried everywhere")
        << QVector<Rule> { rule(Expression, "a|b", "a", true), rule(Fixed, "/srv/", "/", true) }
        << QByteArray("/srv/a");
    QTest::newRow("earlier of two indexed rules decides")
        << QVector<Rule> { rule(Fixed, "/srv/", "/a/", true), rule(Fixed, "/srv/", "/b/", true) }
        << QByteArray("/srv/x");
    QTest::newRow("match that changes nothing")
        << QVector<Rule> { rule(Fixed, "abcd", "ABCD", false), rule(Fixed, "x", "y", true) }
        << QByteArray("xABCDx");
    QTest::newRow("invalid expression, next rule")
        << QVector<Rule> { rule(Expression, "(abcd", "X", true), rule(Fixed, "abcd", "y", true) }
        << QByteArray("(abcd");
    QTest::newRow("expression beyond the limits, next rule") << QVector<Rule> {
        rule(Expression, "((abcd{1000}){1000}){1000}", "X", true), rule(Fixed, "abcd", "y", true)
    } << QByteArray("abcd");
    QTest::newRow("ASCII: every occurrence, left to right")
        << QVector<Rule> { rule(Fixed, "aAaA", "b", false) } << QByteArray("xaaaaaAAAAa");
    QTest::newRow("ASCII string, substitute beyond ASCII")
        << QVector<Rule> { rule(Fixed, "/SRV/", "/\xc3\xa9/", false) } << QByteArray("/srv/a/Srv/");
    QTest::newRow("ASCII pattern, string beyond ASCII")
        << QVector<Rule> { rule(Fixed, "/srvx", "/k", false) } << QByteArray("/\xc3\xa9/SRVX\xe9");
    QTest::newRow("expression: empty matches")
        << QVector<Rule> { rule(Expression, "a*", "-", true) } << QByteArray("baac");
    QTest::newRow("expression: caret at zero for every match")
        << QVector<Rule> { rule(Expression, "^a|b", "-", true) } << QByteArray("abab");
    QTest::newRow("expression: boundaries of the string searched, not the result")
        << QVector<Rule> { rule(Expression, "\\bx", "y", true) } << QByteArray("xxx x");
    QTest::newRow("expression: group, substitute without reference")
        << QVector<Rule> { rule(Expression, "(a)", "\\2", true) } << QByteArray("aba");
    QTest::newRow("expression: reference by a digit beyond ASCII")
        << QVector<Rule> { rule(Expression, "(a)", "<\\\xd9\xa1>", true) } << QByteArray("aba");
    QTest::newRow("wildcard of stars: the longest match from the first start")
        << QVector<Rule> { rule(Wildcard, "c:/*/X", "-", false) }
        << QByteArray("C:/a/x/b/x C:/c/x.");
    QTest::newRow("wildcard of stars: leading, doubled and trailing stars")
        << QVector<Rule> { rule(Wildcard, "*.o**r*", "-", true) } << QByteArray("a.or/b.o/r");
    QTest::newRow("wildcard of stars: an empty match after the whole string")
        << QVector<Rule> { rule(Wildcard, "*", "-", true) } << QByteArray("abc");
    QTest::newRow("wildcard of stars: parts out of order")
        << QVector<Rule> { rule(Wildcard, "b*a", "-", true), rule(Fixed, "a", "A", true) }
        << QByteArray("ab");
    // Past its first 2047 matches the library searches its result: the b after the last one
    // follows the substitute, not the b it replaced.
    QTest::newRow("expression: more matches than the library replaces at once")
        << QVector<Rule> { rule(Expression, "\\bb", " ", true) }
        << QByteArray(" b").repeated(2047) + 'b';
    QTest::newRow("embedded NUL") << QVector<Rule> { rule(Fixed, "/tail", "/end", true) }
                                  << QByteArray("a\0b/tail", 8);
}

void tst_BatchReplace::sameAsReplace()
{
    QFETCH(QVector<Rule>, rules);
    QFETCH(QByteArray, input);

    D_Replace replace;
    D_BatchReplace batch;
    for (const Rule &r : qAsConst(rules)) {
        replace.addRule(r.pattern, r.substitute, r.regexp, r.cs, r.wildcard);
        batch.addRule(r.pattern, r.substitute, r.regexp, r.cs, r.wildcard);
    }
    const QString text = decodeLossless(input);
    const QString expected = replace.apply(text);
    int decider = -1;
    for (int i = 0; i < rules.size() && decider < 0; ++i) {
        D_Replace single;
        single.addRule(rules.at(i).pattern, rules.at(i).substitute, rules.at(i).regexp,
            rules.at(i).cs, rules.at(i).wildcard);
        if (single.apply(text) != text)
            decider = i;
    }
    for (int run = 0; run < 2; ++run) { // the second time with what the first one built
        QByteArray result;
        QCOMPARE(batch.map(input.constData(), input.size(), result), decider);
        QCOMPARE(decider < 0 ? input : result, encodeLossless(expected));
        QCOMPARE(batch.apply(text), expected);
    }
}

void tst_BatchReplace::requiredText_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("cs");
    QTest::addColumn<QString>("piece");

    QTest::newRow("fixed") << "/srv/share/" << int(Fixed) << true << "/srv/share/";
    QTest::newRow("fixed, non-ASCII ignoring case") << "/é/abc" << int(Fixed) << false << "/abc";
    QTest::newRow("fixed, non-ASCII by case") << "/é/abc" << int(Fixed) << true << "/é/abc";
    QTest::newRow("fixed, surrogate") << QLatin1String("ab") + QChar(0xdce9) + QLatin1String("cde")
                                      << int(Fixed) << true << "cde";
    QTest::newRow("wildcard") << "/home/*/project?/x" << int(Wildcard) << true << "/project";
    QTest::newRow("wildcard, backslash and what follows")
        << "a\\bcd\\*ef" << int(Wildcard) << true << "cd";
    QTest::newRow("wildcard, set") << "ab[cdefgh]ijk" << int(Wildcard) << true << "ijk";
    QTest::newRow("wildcard, unclosed set") << "ab[cdefgh" << int(Wildcard) << true << "ab";
    QTest::newRow("regexp, anchors and groups")
        << "^/srv/ci/(\\w+)/work/$" << int(Expression) << true << "/srv/ci/";
    QTest::newRow("regexp, quantified character")
        << "abcde+fg" << int(Expression) << true << "abcd";
    QTest::newRow("regexp, braces") << "ab{2}cdefg{1,3}" << int(Expression) << true << "cdef";
    QTest::newRow("regexp, escaped dot") << "x\\.conf" << int(Expression) << true << "x.conf";
    QTest::newRow("regexp, class") << "ab[]c]defg" << int(Expression) << true << "defg";
    // Alternatives' texts are given joined by "|".
    QTest::newRow("regexp, top-level alternatives")
        << "^abc(d)|x+yz|\\w{2}vw" << int(Expression) << true << "abc|yz|vw";
    QTest::newRow("regexp, an alternative without text")
        << "abcdef|.x?" << int(Expression) << true << "";
    QTest::newRow("regexp, alternatives inside a group")
        << "ab(cd|ef)gh" << int(Expression) << true << "ab";
    QTest::newRow("regexp, letter escape and digits")
        << "ab\\x41cd" << int(Expression) << true << "ab";
}

void tst_BatchReplace::requiredText()
{
    QFETCH(QString, pattern);
    QFETCH(int, kind);
    QFETCH(bool, cs);
    QFETCH(QString, piece);
    const QStringList alternatives =
        requiredAlternatives(pattern, kind == Expression, cs, kind == Wildcard);
    QCOMPARE(alternatives.join(QLatin1Char('|')), piece);
    QCOMPARE(::requiredText(pattern, kind == Expression, cs, kind == Wildcard),
        alternatives.size() == 1 ? piece : QString());
}

QTEST_APPLESS_MAIN(tst_BatchReplace)

#include "tst_batchreplace.moc"
