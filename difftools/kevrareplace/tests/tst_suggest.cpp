// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/lint.h"
#include "check/modes/casetest.h"
#include "check/modes/suggestmode.h"
#include "check/reading/rulefilereading.h"
#include "check/writers/gnuformat.h"

#include <QtTest>

class tst_Suggest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rules_data();
    void rules();
    void stops_data();
    void stops();
};

// Each row: cases, the file elements of the rule file made of them, and the findings of check
// mode on it; every row's rule file passes its cases by --test.
void tst_Suggest::rules_data()
{
    QTest::addColumn<QByteArray>("cases");
    QTest::addColumn<QByteArray>("rules");
    QTest::addColumn<QByteArray>("findings");
    QTest::newRow("grouping: one rule for one change, unchanged strings kept")
        << QByteArray("/mnt/old/a\t/srv/new/a\n/mnt/old/b/c\t/srv/new/b/c\n/mnt/old\t/srv/new\n"
                      "/opt/x\t/opt/x\n")
        << QByteArray("<file path=\"^/mnt/old(/|$)\" replacepath=\"/srv/new\\1\" regexp=\"1\" "
                      "cs=\"1\" wildcard=\"0\"/>\n")
        << QByteArray();
    QTest::newRow("case: two spellings of the old prefix, any case")
        << QByteArray("/Data/a\t/archive/a\n/data/b\t/archive/b\n")
        << QByteArray("<file path=\"^/Data(/|$)\" replacepath=\"/archive\\1\" regexp=\"1\" "
                      "cs=\"0\" wildcard=\"0\"/>\n")
        << QByteArray();
    QTest::newRow("case: a string in a third case that stays keeps case")
        << QByteArray("/Data/a\t/archive/a\n/data/b\t/archive/b\n/DATA/c\t/DATA/c\n")
        << QByteArray("<file path=\"^/Data(/|$)\" replacepath=\"/archive\\1\" regexp=\"1\" "
                      "cs=\"1\" wildcard=\"0\"/>\n"
                      "<file path=\"^/data(/|$)\" replacepath=\"/archive\\1\" regexp=\"1\" "
                      "cs=\"1\" wildcard=\"0\"/>\n")
        << QByteArray();
    QTest::newRow("anchored: the old prefix later in the string, or longer, stays")
        << QByteArray("/a/x/a/y\t/b/x/a/y\n/x/a/y\t/x/a/y\n/ab/y\t/ab/y\n")
        << QByteArray("<file path=\"^/a(/|$)\" replacepath=\"/b\\1\" regexp=\"1\" cs=\"1\" "
                      "wildcard=\"0\"/>\n")
        << QByteArray();
    QTest::newRow("order: the longer prefix first")
        << QByteArray("/a/c/d\t/z/c/d\n/a/b/x\t/q/x\n")
        << QByteArray("<file path=\"^/a/b(/|$)\" replacepath=\"/q\\1\" regexp=\"1\" cs=\"1\" "
                      "wildcard=\"0\"/>\n"
                      "<file path=\"^/a(/|$)\" replacepath=\"/z\\1\" regexp=\"1\" cs=\"1\" "
                      "wildcard=\"0\"/>\n")
        << QByteArray();
    QTest::newRow("narrowed: a prefix that must not change a string, one rule a string")
        << QByteArray("/a/1\t/b/1\n/a/keep\t/a/keep\n")
        << QByteArray("<file path=\"^/a/1$\" replacepath=\"/b/1\" regexp=\"1\" cs=\"1\" "
                      "wildcard=\"0\"/>\n")
        << QByteArray();
    QTest::newRow("one group: a name carried over, the rest the same change")
        << QByteArray("/home/ann/old/x\t/users/ann/new/x\n/home/bob/old\t/users/bob/new\n"
                      "C:\\Users\\ann\\a\tE:\\ann\\a\nC:\\Users\\bob\\b\tE:\\bob\\b\n")
        << QByteArray(
               "<file path=\"^/home/([^/\\\\]+)/old(/|$)\" replacepath=\"/users/\\1/new\\2\" "
               "regexp=\"1\" cs=\"1\" wildcard=\"0\"/>\n"
               "<file path=\"^C:\\\\Users(\\\\|$)\" replacepath=\"E:\\1\" regexp=\"1\" cs=\"1\" "
               "wildcard=\"0\"/>\n")
        << QByteArray();
    QTest::newRow("escaping: expression and XML characters, Windows paths, non-ASCII")
        << QByteArray("C:\\R&D (a+b)\\<x>.txt\tD:\\\"R&D\"\\<x>.txt\n"
                      "\\\\srv\\Grüße\\f\t\\\\nas\\ü\\f\n")
        << QByteArray("<file path=\"^C:\\\\R&amp;D \\(a\\+b\\)(\\\\|$)\" "
                      "replacepath=\"D:\\&quot;R&amp;D&quot;\\1\" regexp=\"1\" cs=\"1\" "
                      "wildcard=\"0\"/>\n"
                      "<file path=\"^\\\\\\\\srv\\\\Grüße(\\\\|$)\" replacepath=\"\\\\nas\\ü\\1\" "
                      "regexp=\"1\" cs=\"1\" wildcard=\"0\"/>\n")
        << QByteArray();
    // The tool cannot write \1 itself beside a group; check mode warns of a \1 without one.
    QTest::newRow("escaping: a \\1 in the new prefix, a lookahead instead of a group")
        << QByteArray("/a/x\tC:\\1st/x\n")
        << QByteArray("<file path=\"^/a(?=/|$)\" replacepath=\"C:\\1st\" regexp=\"1\" cs=\"1\" "
                      "wildcard=\"0\"/>\n")
        << QByteArray("suggested.xml:4:3: warning: '\\1' in the replacement, but the expression "
                      "has 0 groups: it is written as it stands [missing-group]\n");
}

void tst_Suggest::rules()
{
    QFETCH(QByteArray, cases);
    QFETCH(QByteArray, rules);
    QFETCH(QByteArray, findings);
    const QVector<ConfigFile> caseFiles { ConfigFile { QStringLiteral("cases.txt"), cases } };
    const SuggestionResult result = suggestFromCases(caseFiles);
    QVERIFY(result.findings.isEmpty());
    QByteArray elements;
    for (const QByteArray &line : result.ruleFile.split('\n')) {
        if (line.startsWith("  <file "))
            elements += line.mid(2) + '\n';
    }
    QCOMPARE(QString::fromUtf8(elements), QString::fromUtf8(rules));
    D_RuleFileReading reading({ ConfigFile { QStringLiteral("suggested.xml"), result.ruleFile } });
    QCOMPARE(gnuFormat(lintRuleFiles(reading)), QString::fromUtf8(findings));
    const CaseTestResult tested = testCases(reading, caseFiles, 1);
    QCOMPARE(tested.passed, tested.cases);
    QCOMPARE(tested.coveredRules, tested.rules);
}

// Each row: cases that stop a suggestion, and the findings on them.
void tst_Suggest::stops_data()
{
    QTest::addColumn<QByteArray>("cases");
    QTest::addColumn<QByteArray>("findings");
    QTest::newRow("case-conflict: one string, two results")
        << QByteArray("/a/x\t/b/x\n# a comment\n/a/x\t/c/x\n/a/x\t/b/x\n")
        << QByteArray("cases.txt:3:1: error: '/a/x' is to give '/c/x' here but '/b/x' at "
                      "cases.txt:1 [case-conflict]\n");
    QTest::newRow("case-text: a control character, bytes that are not UTF-8")
        << QByteArray("\"a\\x01\"\tb\n/a\t\"\\xff\"\n/b\t\"x\\ty\"\n")
        << QByteArray("cases.txt:1:1: error: the string holds the control character U+0001 at "
                      "character 2, which a rule file cannot hold [case-text]\n"
                      "cases.txt:2:1: error: the result holds a byte that is not UTF-8 at "
                      "character 1, which a rule file cannot hold [case-text]\n"
                      "cases.txt:3:1: error: the result holds the control character U+0009 at "
                      "character 2, which a rule file cannot hold [case-text]\n");
    QTest::newRow("test-syntax: an empty string")
        << QByteArray("\"\"\tx\n")
        << QByteArray("cases.txt:1:1: error: this line is not a case: the string is empty: "
                      "kevrareplace takes no empty string [test-syntax]\n");
}

void tst_Suggest::stops()
{
    QFETCH(QByteArray, cases);
    QFETCH(QByteArray, findings);
    const SuggestionResult result =
        suggestFromCases({ ConfigFile { QStringLiteral("cases.txt"), cases } });
    QCOMPARE(gnuFormat(result.findings), QString::fromUtf8(findings));
    QVERIFY(result.ruleFile.isEmpty());
}

QTEST_APPLESS_MAIN(tst_Suggest)
#include "tst_suggest.moc"
