// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/lint.h"
#include "check/modes/casetest.h"
#include "check/writers/gnuformat.h"

#include <QtTest>

// The cases of --test run on the rules of small rule files: the findings and the summary.
class tst_CaseTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cases_data();
    void cases();
};

void tst_CaseTest::cases_data()
{
    QTest::addColumn<QByteArray>("rules"); // empty: two rules, /x/ and /b/
    QTest::addColumn<QByteArray>("caseFile");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("summary");
    // Bytes that are not UTF-8 and a tab, written in quotes, come out as the tool keeps them.
    QTest::newRow("rule-not-covered: all passed")
        << QByteArray()
        << QByteArray("# a comment\n\n/x/a\t/y/a\n\"\\xff/x/\\t\"\t\"\\xff/y/\\t\"\n")
        << QByteArray("1.xml:4:1: note: no case is decided by this rule [rule-not-covered]\n")
        << QByteArray("2 cases, 2 passed, 0 failed; the cases cover 1 of 2 rules");
    QTest::newRow("test-failed, by a rule and by none")
        << QByteArray() << QByteArray("/x/a\t/x/a\nzzz\t\"q\\x01\"\n/b/\t/c/\n")
        << QByteArray("cases.txt:1:1: error: '/x/a' gives '/y/a' by the rule at 1.xml:3:1; "
                      "expected '/x/a' [test-failed]\n"
                      "cases.txt:2:1: error: 'zzz' gives 'zzz': no rule changes it; expected "
                      "\"q\\x01\" [test-failed]\n")
        << QByteArray("3 cases, 1 passed, 2 failed; the cases cover 2 of 2 rules");
    QTest::newRow("test-syntax: no tab, a bad escape")
        << QByteArray() << QByteArray("/b/\t/c/\n/x/a\n\"a\\q\"\tb\n")
        << QByteArray("cases.txt:2:5: error: this line is not a case: no tab after the string: a "
                      "case is the string, a tab and the expected result [test-syntax]\n"
                      "cases.txt:3:3: error: this line is not a case: an escape that a case file "
                      "does not take: write \\t, \\n, \\\\, \\\" or \\x and two hex digits "
                      "[test-syntax]\n"
                      "1.xml:3:1: note: no case is decided by this rule [rule-not-covered]\n")
        << QByteArray(
               "1 case, 1 passed, 0 failed, 2 lines not cases; the cases cover 1 of 2 rules");
    QTest::newRow("CR LF line ends and a byte-order mark, as an editor writes them")
        << QByteArray() << QByteArray("\xef\xbb\xbf/x/a\t/y/a\r\n\r\n/b/\t/c/\r\n") << QByteArray()
        << QByteArray("2 cases, 2 passed, 0 failed; the cases cover 2 of 2 rules");
    QTest::newRow("test-syntax: the tool's options, never its string")
        << QByteArray() << QByteArray("-version\t-version\n-Version\t-Version\n")
        << QByteArray("cases.txt:1:1: error: this line is not a case: the string is an option: "
                      "kevrareplace takes '-version' as its option, never as its string "
                      "[test-syntax]\n"
                      "1.xml:3:1: note: no case is decided by this rule [rule-not-covered]\n"
                      "1.xml:4:1: note: no case is decided by this rule [rule-not-covered]\n")
        << QByteArray(
               "1 case, 1 passed, 0 failed, 1 line not a case; the cases cover 0 of 2 rules");
    QTest::newRow("test-failed: characters a reader cannot see, escaped")
        << QByteArray() << QByteArray("a\xe2\x80\x8b\ta\n\xef\xbb\xbf\\b\t\\b\n/b/\t/c/\n")
        << QByteArray(
               "cases.txt:1:1: error: \"a\\xe2\\x80\\x8b\" gives \"a\\xe2\\x80\\x8b\": no rule "
               "changes it; expected 'a' [test-failed]\n"
               "cases.txt:2:1: error: \"\\xef\\xbb\\xbf\\\\b\" gives \"\\xef\\xbb\\xbf\\\\b\": no "
               "rule changes it; expected '\\b' [test-failed]\n"
               "1.xml:3:1: note: no case is decided by this rule [rule-not-covered]\n")
        << QByteArray("3 cases, 1 passed, 2 failed; the cases cover 1 of 2 rules");
    // No pass over rule files that the tool reads wrong or not at all, located as check mode
    // locates them.
    const QByteArray noRules =
        "1.xml:1:1: warning: the rule files give no rule: every string comes out unchanged "
        "[no-rules]\n";
    QTest::newRow("not a rule file")
        << QByteArray("notes\n") << QByteArray("/x\t/x\n")
        << noRules + "1.xml:1:2: error: Start tag expected; no file element is lost [xml-error]\n"
        << QByteArray("1 case, 1 passed, 0 failed; the cases cover 0 of 0 rules");
    QTest::newRow("root element spelt Replacement")
        << QByteArray("<Replacement>\n<file path=\"/x\"/>\n</Replacement>\n")
        << QByteArray("/x\t/x\n") << noRules
        << QByteArray("1 case, 1 passed, 0 failed; the cases cover 0 of 0 rules");
}

void tst_CaseTest::cases()
{
    QFETCH(QByteArray, rules);
    QFETCH(QByteArray, caseFile);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, summary);
    D_RuleFileReading reading({ ConfigFile { QStringLiteral("1.xml"),
        !rules.isEmpty()
            ? rules
            : "<?xml version=\"1.0\"?>\n<replacement>\n<file path=\"/x/\" replacepath=\"/y/\"/>\n"
              "<file path=\"/b/\" replacepath=\"/c/\" cs=\"1\"/>\n</replacement>\n" } });
    const QVector<Finding> errors = ruleFileErrors(reading);
    const CaseTestResult result =
        testCases(reading, { ConfigFile { QStringLiteral("cases.txt"), caseFile } }, 1);
    QCOMPARE(gnuFormat(errors + result.findings), QString::fromUtf8(out));
    QCOMPARE(caseTestSummary(result), QString::fromUtf8(summary));
}

QTEST_APPLESS_MAIN(tst_CaseTest)
#include "tst_casetest.moc"
