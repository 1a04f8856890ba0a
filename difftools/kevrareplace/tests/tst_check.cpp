// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "testutil.h"

#include <QtTest>

// kevrareplace-check run as a user runs it: on small rule files, each row naming the findings
// (id and place) that it must report, or the records it must list.
class tst_Check : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void findings_data();
    void findings();
    void rules_data();
    void rules();
    void unwritable_data();
    void unwritable();
    void explain();
    void cases_data();
    void cases();
    void commandLine_data();
    void commandLine();
    void sarifValidates();

private:
    ToolRun check(const QStringList &arguments);
    QTemporaryDir dir;
};

using Files = QList<QByteArray>;

void tst_Check::initTestCase() { QVERIFY(dir.isValid()); }

ToolRun tst_Check::check(const QStringList &arguments)
{
    return runProgram(QStringLiteral(KEVRAREPLACE_CHECK_EXE), arguments, dir.path());
}

// Writes the files as 1.xml, 2.xml... and returns their -config arguments.
static QStringList configArguments(const QString &folder, const Files &files)
{
    QStringList arguments;
    for (int i = 0; i < files.size(); ++i) {
        const QString name = QString::number(i + 1) + QLatin1String(".xml");
        writeFile(folder + QLatin1Char('/') + name, files.at(i));
        arguments << QStringLiteral("-config") << name;
    }
    return arguments;
}

// A rule file of tests/data, shared with the schema's test: the traps it must refuse too.
static QByteArray dataFile(const char *name)
{
    QFile file(QLatin1String(KEVRAREPLACE_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static QByteArray ruleFile(const QByteArray &body)
{
    return "<?xml version=\"1.0\"?>\n<replacement>\n" + body + "</replacement>\n";
}

void tst_Check::findings_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("expected"); // "ID FILE:LINE:COLUMN", in output order

    QFile example(QStringLiteral(KEVRAREPLACE_EXAMPLE));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QTest::newRow("clean: the example") << Files { example.readAll() } << QStringList();
    QTest::newRow("clean: the README's file")
        << Files { dataFile("clean-readme.xml") } << QStringList();

    QTest::newRow("reading-ends-early: description inside replacement")
        << Files { ruleFile(
               "  <description>d</description>\n  <file path=\"a\" replacepath=\"b\"/>\n") }
        << QStringList { "no-rules 1.xml:1:1", "reading-ends-early 1.xml:3:17",
               "rule-not-read 1.xml:4:3" };
    QTest::newRow("reading-ends-early: description before replacement")
        << Files { "<rules>\n <description/>\n <replacement><file path=\"a\" replacepath=\"b\"/>"
                   "</replacement>\n</rules>\n" }
        << QStringList { "no-rules 1.xml:1:1", "reading-ends-early 1.xml:2:2",
               "rule-not-read 1.xml:3:15" };
    QTest::newRow("reading-ends-early: group")
        << Files { ruleFile("  <group>\n    <file path=\"a\" replacepath=\"b\"/>\n  </group>\n"
                            "\t<file path=\"c\" replacepath=\"d\"/>\n") }
        << QStringList { "reading-ends-early 1.xml:5:3", "rule-not-read 1.xml:6:2" };
    QTest::newRow("reading-ends-early: child of file")
        << Files { dataFile("trap-child-of-file.xml") }
        << QStringList { "reading-ends-early 1.xml:3:32", "rule-not-read 1.xml:4:1" };
    QTest::newRow("xml-error") << Files { ruleFile(
        "<file path=\"a\" replacepath=\"b\"/>\n<file path=\"c\" replacepath=\"d\"/ >\n"
        "<file path=\"e\"/>\n") }
                               << QStringList { "rule-not-read 1.xml:4:1", "xml-error 1.xml:4:33",
                                      "rule-not-read 1.xml:5:1" };
    QTest::newRow("second-document")
        << Files { ruleFile("<file path=\"a\" replacepath=\"b\"/>\n"),
               ruleFile("<file path=\"c\" replacepath=\"d\"/>\n") }
        << QStringList { "second-document 2.xml:1:1", "rule-not-read 2.xml:3:1" };
    QTest::newRow("two files joined into one document")
        << Files { "<replacement>\n", "<file path=\"a\" replacepath=\"b\"/>\n</replacement>\n" }
        << QStringList();
    QTest::newRow("invalid-expression")
        << Files { ruleFile("<file path=\"(\" replacepath=\"b\" regexp=\"1\"/>\n"
                            "<file path=\""
               + QByteArray("(").repeated(300) + "a" + QByteArray(")").repeated(300)
               + "\" replacepath=\"b\" regexp=\"1\"/>\n") }
        << QStringList { "invalid-expression 1.xml:3:1", "invalid-expression 1.xml:4:1" };
    QTest::newRow("rule-not-read: outside replacement and nested in file")
        << Files { "<root>\n<replacement>\n<file path=\"a\" replacepath=\"b\"><file path=\"c\"/>"
                   "</file>\n</replacement>\n</root>\n" }
        << QStringList { "rule-not-read 1.xml:3:32" };
    QTest::newRow("no-rules") << Files { "<replacement/>\n" }
                              << QStringList { "no-rules 1.xml:1:1" };
    QTest::newRow("flag-value") << Files { dataFile("trap-flag-value.xml") }
                                << QStringList { "flag-value 1.xml:3:32", "flag-value 1.xml:3:42",
                                       "flag-value 1.xml:4:7", "flag-value 1.xml:5:32" };
    QTest::newRow("unknown-attribute")
        << Files { dataFile("trap-unknown-attribute.xml") }
        << QStringList { "unknown-attribute 1.xml:3:16", "unknown-attribute 1.xml:3:32",
               "unknown-attribute 1.xml:3:42", "unknown-attribute 1.xml:3:49",
               "unknown-attribute 1.xml:3:63" };
    // The schema's own attributes, allowed on any element; a prefix bound elsewhere is not one.
    QTest::newRow("clean: schema location and schema attributes")
        << Files { "<replacement xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
                   "  xsi:noNamespaceSchemaLocation=\"kevrareplace.xsd\">\n<file path=\"a\" "
                   "replacepath=\"b\" xsi:type=\"rule\" xsi:nil=\"false\"/>\n</replacement>\n" }
        << QStringList();
    QTest::newRow("unknown-attribute: xsi prefix of another namespace")
        << Files { "<replacement xmlns:xsi=\"urn:x\">\n<file path=\"a\" replacepath=\"b\" "
                   "xsi:type=\"rule\"/>\n</replacement>\n" }
        << QStringList { "unknown-attribute 1.xml:2:32" };
    QTest::newRow("element-name-case")
        << Files { dataFile("trap-element-name-case.xml") }
        << QStringList { "element-name-case 1.xml:1:1", "no-rules 1.xml:1:1",
               "rule-not-read 1.xml:2:1", "element-name-case 1.xml:3:1" };
    QTest::newRow("empty-pattern and unreachable-rule after it")
        << Files { ruleFile("<file replacepath=\"x\"/>\n<file path=\"a\" replacepath=\"b\"/>\n") }
        << QStringList { "empty-pattern 1.xml:3:1", "unreachable-rule 1.xml:4:1" };
    QTest::newRow("unreachable-rule: a repeat") << Files {
        ruleFile("<file path=\"a\" replacepath=\"b\"/>\n<file path=\"a\" replacepath=\"b\"/>\n")
    } << QStringList { "unreachable-rule 1.xml:4:1" };
    QTest::newRow("no-op-rule") << Files {
        ruleFile("<file path=\"a\" replacepath=\"a\" cs=\"1\"/>\n<file/>\n"
                 "<file path=\"a\" replacepath=\"a\"/>\n")
    } << QStringList { "no-op-rule 1.xml:3:1", "no-op-rule 1.xml:4:1" };
    QTest::newRow("missing-group")
        << Files { ruleFile("<file path=\"(a)\" replacepath=\"\\1\\2\" regexp=\"1\"/>\n"
                            "<file path=\"b\" replacepath=\"\\1\"/>\n<file path=\"(c)\" "
                            "replacepath=\"\\1\" regexp=\"1\"/>\n") }
        << QStringList { "missing-group 1.xml:3:1", "missing-group 1.xml:4:1" };
    QTest::newRow("wildcard-swallows")
        << Files { ruleFile("<file path=\"*.orig\" replacepath=\".bak\" wildcard=\"1\"/>\n"
                            "<file path=\"/tmp/*\" replacepath=\"/t\" wildcard=\"1\"/>\n") }
        << QStringList { "wildcard-swallows 1.xml:3:1", "wildcard-swallows 1.xml:4:1" };
    QTest::newRow("wildcard-escape") << Files {
        ruleFile("<file path=\"C:\\Users\\?\\\" replacepath=\"/u/\" wildcard=\"1\"/>\n")
    } << QStringList { "wildcard-escape 1.xml:3:1" };
    QTest::newRow("wildcard-and-regexp")
        << Files { ruleFile("<file path=\"a?\" replacepath=\"b\" wildcard=\"1\" regexp=\"1\"/>\n") }
        << QStringList { "wildcard-and-regexp 1.xml:3:1" };
    QTest::newRow("fixed-text-wildcard")
        << Files { ruleFile("<file path=\"/home/*/\" replacepath=\"/h/\"/>\n") }
        << QStringList { "fixed-text-wildcard 1.xml:3:1" };
    // Kelvin sign and k are one letter ignoring case; '-' has no other case; a replacement
    // equal to its pattern ignoring case leaves some matches, a case-sensitive 'a' not 'A'.
    QTest::newRow("shadowed-rule") << Files { ruleFile(
        "<file path=\"/opt/old/\" replacepath=\"/opt/new/\"/>\n<file path=\"/OPT/OLD/x\" "
        "replacepath=\"/y\" cs=\"1\"/>\n<file path=\"k\" replacepath=\"q\"/>\n"
        "<file path=\"&#x212A;m\" replacepath=\"n\" cs=\"1\"/>\n<file path=\"-\" "
        "replacepath=\"+\" cs=\"1\"/>\n<file path=\"A-B\" replacepath=\"c\"/>\n"
        "<file path=\"x\" replacepath=\"X\"/>\n<file path=\"xy\" replacepath=\"z\"/>\n"
        "<file path=\"a\" replacepath=\"b\" cs=\"1\"/>\n<file path=\"Az\" replacepath=\"c\"/>\n"
        "<file path=\"^/a(\\w)\" replacepath=\"z\" regexp=\"1\" cs=\"1\"/>\n") }
                                   << QStringList { "shadowed-rule 1.xml:4:1",
                                          "shadowed-rule 1.xml:6:1", "shadowed-rule 1.xml:8:1",
                                          "shadowed-rule 1.xml:13:1" };
}

void tst_Check::findings()
{
    QFETCH(Files, files);
    QFETCH(QStringList, expected);
    const ToolRun result = check(configArguments(dir.path(), files));
    QVERIFY(result.finished);
    const QByteArray out = lfLines(result.out);
    QCOMPARE(result.out, textLines(out));
    QStringList found;
    for (const QByteArray &line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        const int id = line.lastIndexOf(" [");
        const int place = line.indexOf(": ");
        QVERIFY2(id > 0 && place > 0 && line.endsWith(']'), line.constData());
        found << QString::fromUtf8(line.mid(id + 2, line.size() - id - 3) + ' ' + line.left(place));
    }
    QCOMPARE(found, expected);
    // Notes alone leave the exit code at 0.
    bool severe = false;
    for (const QString &finding : qAsConst(found))
        severe = severe
            || (!finding.startsWith(QLatin1String("wildcard-and-regexp"))
                && !finding.startsWith(QLatin1String("fixed-text-wildcard")));
    QCOMPARE(result.exitCode, severe ? 1 : 0);
    QVERIFY2(result.err.contains(" read, "), result.err.constData());
    // A count of one takes the singular, in the findings and in the summary.
    const QRegularExpression plural(QStringLiteral("(^|[^0-9.:])1 [a-z]+s\\b"));
    QVERIFY2(!plural.match(QString::fromUtf8(result.out + result.err)).hasMatch(),
        (result.out + result.err).constData());
}

void tst_Check::rules_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("kinds, case, wildcard wins")
        << Files { ruleFile("<file path=\"a\" replacepath=\"b\" cs=\"1\"/><file path=\"c\" "
                            "wildcard=\"1\" regexp=\"1\"/>"
                            "<file path=\"d\" regexp=\"-1\"/>\n") }
        << QByteArray("1.xml:3:1\tfixed\tcs\ta\tb\n1.xml:3:40\twildcard\tci\tc\t\n"
                      "1.xml:3:80\tregexp\tci\td\t\n");
    QTest::newRow("indentation, tabs, a tag over lines, text and a wide character before it")
        << Files { "<!-- c -->\n<?pi x?>\n<replacement>text\n\t  <file\n "
                   "path=\"a\"/>\xf0\x9f\x98\x80 t<file/>\n</replacement>\n" }
        << QByteArray("1.xml:4:4\tfixed\tci\ta\t\n1.xml:5:15\tfixed\tci\t\t\n");
    QTest::newRow("two files: lines within each")
        << Files { "<replacement>\n  <file path=\"a\"/>", "\n<file path=\"b\"/></replacement>\n" }
        << QByteArray("1.xml:2:3\tfixed\tci\ta\t\n2.xml:2:1\tfixed\tci\tb\t\n");
    QTest::newRow("only the rules the tool reads")
        << Files { ruleFile("<group><file path=\"a\"/></group><file path=\"b\"/>\n") }
        << QByteArray("1.xml:3:8\tfixed\tci\ta\t\n");
}

void tst_Check::rules()
{
    QFETCH(Files, files);
    QFETCH(QByteArray, expected);
    const ToolRun result = check(configArguments(dir.path(), files) << QStringLiteral("--rules"));
    COMPARE_TEXT_RUN(result, 0, expected, "");
    const ToolRun nul = check(
        configArguments(dir.path(), files) << QStringLiteral("--rules") << QStringLiteral("-z"));
    COMPARE_RUN(nul, 0, QByteArray(expected).replace('\t', '\0').replace('\n', '\0'), "");
}

// Output that does not reach standard output is not an answer: the run says so and fails.
void tst_Check::unwritable_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("err");
    const QByteArray full = "Unable to write output: No space left on device\n";
    QTest::newRow("--rules") << QStringList { QStringLiteral("--rules") } << 2 << full;
    QTest::newRow("explain") << QStringList { QStringLiteral("/a") } << 2 << full;
    // Not 1, which would say that the rules have problems; no summary after the failure.
    // The same file again: its rules are a second document, reported in the GNU format.
    QTest::newRow("findings in the GNU format")
        << QStringList { QStringLiteral("-config"), QStringLiteral("1.xml") } << 2 << full;
    QTest::newRow("--format=sarif")
        << QStringList { QStringLiteral("--format=sarif") } << 2 << full;
    QTest::newRow("--test") << QStringList { QStringLiteral("--test"), QStringLiteral("cases.txt") }
                            << 2 << full;
}

void tst_Check::unwritable()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, err);
    writeFile(dir.filePath(QStringLiteral("cases.txt")), "a\tb\n");
    const QStringList rules = configArguments(dir.path(), { ruleFile("<file path=\"a\"/>\n") });
    const ToolRun run = runProgram(QStringLiteral(KEVRAREPLACE_CHECK_EXE), rules + arguments,
        dir.path(), 10000, QStringLiteral("/dev/full"));
    COMPARE_RUN(run, exitCode, "", err);
}

void tst_Check::explain()
{
    const QStringList arguments = configArguments(dir.path(),
        { ruleFile(
            "<file path=\"x\" replacepath=\"y\"/>\n<file path=\"a\" replacepath=\"a\" cs=\"1\"/>\n"
            "<file path=\"(\" regexp=\"1\"/>\n<file path=\"*.orig\" replacepath=\".bak\" "
            "wildcard=\"1\"/>\n"
            "<file path=\"z\"/>\n") });
    const ToolRun result = check(QStringList(arguments) << QStringLiteral("/a/b.orig"));
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, textLines(lfLines(result.out)));
    const QList<QByteArray> lines = lfLines(result.out).split('\n');
    QCOMPARE(lines.size(), 11);
    QVERIFY(lines.at(1).contains("1.xml:3:1") && lines.at(1).endsWith("no match"));
    QVERIFY(lines.at(2).contains("1.xml:4:1") && lines.at(2).endsWith("matches, changes nothing"));
    QVERIFY(lines.at(3).contains("1.xml:5:1") && lines.at(3).contains("invalid expression"));
    QVERIFY(
        lines.at(4).contains("1.xml:6:1") && lines.at(4).endsWith("changes the string: decides"));
    QVERIFY(lines.at(7).endsWith("not tried: rule #5"));
    // The last line is what the tool prints.
    const ToolRun tool = runProgram(QStringLiteral(KEVRAREPLACE_EXE),
        QStringList(arguments) << QStringLiteral("/a/b.orig"), dir.path());
    QCOMPARE(textLines(lines.at(9) + '\n'), tool.out);
    // A string the tool takes as its option is explained as one, with nothing the tool prints.
    const ToolRun option =
        check(QStringList(arguments) << QStringLiteral("--") << QStringLiteral("-version"));
    QCOMPARE(option.out,
        textLines("'-version'\n  kevrareplace takes -version as its option, never as its string: "
                  "it does not apply the rules\n"));
}

void tst_Check::cases_data()
{
    QTest::addColumn<QByteArray>("rules"); // empty: two rules, /x/ and /b/
    QTest::addColumn<QByteArray>("caseFile");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("summary");
    // Bytes that are not UTF-8 and a tab, written in quotes, come out as the tool keeps them.
    QTest::newRow("rule-not-covered: all passed")
        << QByteArray()
        << QByteArray("# a comment\n\n/x/a\t/y/a\n\"\\xff/x/\\t\"\t\"\\xff/y/\\t\"\n") << 0
        << QByteArray("1.xml:4:1: note: no case is decided by this rule [rule-not-covered]\n")
        << QByteArray("2 cases, 2 passed, 0 failed; the cases cover 1 of 2 rules\n");
    QTest::newRow("test-failed, by a rule and by none")
        << QByteArray() << QByteArray("/x/a\t/x/a\nzzz\t\"q\\x01\"\n/b/\t/c/\n") << 1
        << QByteArray("cases.txt:1:1: error: '/x/a' gives '/y/a' by the rule at 1.xml:3:1; "
                      "expected '/x/a' [test-failed]\n"
                      "cases.txt:2:1: error: 'zzz' gives 'zzz': no rule changes it; expected "
                      "\"q\\x01\" [test-failed]\n")
        << QByteArray("3 cases, 1 passed, 2 failed; the cases cover 2 of 2 rules\n");
    QTest::newRow("test-syntax: no tab, a bad escape")
        << QByteArray() << QByteArray("/b/\t/c/\n/x/a\n\"a\\q\"\tb\n") << 1
        << QByteArray("cases.txt:2:5: error: this line is not a case: no tab after the string: a "
                      "case is the string, a tab and the expected result [test-syntax]\n"
                      "cases.txt:3:3: error: this line is not a case: an escape that a case file "
                      "does not take: write \\t, \\n, \\\\, \\\" or \\x and two hex digits "
                      "[test-syntax]\n"
                      "1.xml:3:1: note: no case is decided by this rule [rule-not-covered]\n")
        << QByteArray(
               "1 case, 1 passed, 0 failed, 2 lines not cases; the cases cover 1 of 2 rules\n");
    QTest::newRow("CR LF line ends and a byte-order mark, as an editor writes them")
        << QByteArray() << QByteArray("\xef\xbb\xbf/x/a\t/y/a\r\n\r\n/b/\t/c/\r\n") << 0
        << QByteArray()
        << QByteArray("2 cases, 2 passed, 0 failed; the cases cover 2 of 2 rules\n");
    QTest::newRow("test-syntax: the tool's options, never its string")
        << QByteArray() << QByteArray("-version\t-version\n-Version\t-Version\n") << 1
        << QByteArray("cases.txt:1:1: error: this line is not a case: the string is an option: "
                      "kevrareplace takes '-version' as its option, never as its string "
                      "[test-syntax]\n"
                      "1.xml:3:1: note: no case is decided by this rule [rule-not-covered]\n"
                      "1.xml:4:1: note: no case is decided by this rule [rule-not-covered]\n")
        << QByteArray(
               "1 case, 1 passed, 0 failed, 1 line not a case; the cases cover 0 of 2 rules\n");
    QTest::newRow("test-failed: characters a reader cannot see, escaped")
        << QByteArray() << QByteArray("a\xe2\x80\x8b\ta\n\xef\xbb\xbf\\b\t\\b\n/b/\t/c/\n") << 1
        << QByteArray(
               "cases.txt:1:1: error: \"a\\xe2\\x80\\x8b\" gives \"a\\xe2\\x80\\x8b\": no rule "
               "changes it; expected 'a' [test-failed]\n"
               "cases.txt:2:1: error: \"\\xef\\xbb\\xbf\\\\b\" gives \"\\xef\\xbb\\xbf\\\\b\": no "
               "rule changes it; expected '\\b' [test-failed]\n"
               "1.xml:3:1: note: no case is decided by this rule [rule-not-covered]\n")
        << QByteArray("3 cases, 1 passed, 2 failed; the cases cover 1 of 2 rules\n");
    // No pass over rule files that the tool reads wrong or not at all, located as check mode
    // locates them.
    const QByteArray noRules =
        "1.xml:1:1: warning: the rule files give no rule: every string comes out unchanged "
        "[no-rules]\n";
    QTest::newRow("not a rule file")
        << QByteArray("notes\n") << QByteArray("/x\t/x\n") << 1
        << noRules + "1.xml:1:2: error: Start tag expected; no file element is lost [xml-error]\n"
        << QByteArray("1 case, 1 passed, 0 failed; the cases cover 0 of 0 rules\n");
    QTest::newRow("root element spelt Replacement")
        << QByteArray("<Replacement>\n<file path=\"/x\"/>\n</Replacement>\n")
        << QByteArray("/x\t/x\n") << 1 << noRules
        << QByteArray("1 case, 1 passed, 0 failed; the cases cover 0 of 0 rules\n");
}

void tst_Check::cases()
{
    QFETCH(QByteArray, rules);
    QFETCH(QByteArray, caseFile);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, summary);
    writeFile(dir.filePath(QStringLiteral("cases.txt")), caseFile);
    const QStringList arguments = configArguments(dir.path(),
        { !rules.isEmpty()
                ? rules
                : ruleFile("<file path=\"/x/\" replacepath=\"/y/\"/>\n<file path=\"/b/\" "
                           "replacepath=\"/c/\" cs=\"1\"/>\n") });
    const ToolRun result = check(QStringList(arguments) << "--test"
                                                        << "cases.txt");
    QVERIFY(result.finished);
    QCOMPARE(result.out, textLines(out));
    QCOMPARE(result.err, textLines(summary));
    QCOMPARE(result.exitCode, exitCode);
}

void tst_Check::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("errStart");
    QTest::addColumn<QByteArray>("outHolds");
    QTest::newRow("unknown option") << QStringList { "-config", "1.xml", "-x" } << 2
                                    << QByteArray("kevrareplace-check: unknown option '-x'; put a "
                                                  "string that begins with a dash after '--'\n")
                                    << QByteArray();
    QTest::newRow("unknown option near -config")
        << QStringList { "-conifg", "1.xml" } << 2
        << QByteArray("kevrareplace-check: unknown option '-conifg'; did you mean '-config'?\n")
        << QByteArray();
    QTest::newRow("unknown option near --stdin")
        << QStringList { "-config", "1.xml", "--sdtin" } << 2
        << QByteArray("kevrareplace-check: unknown option '--sdtin'; did you mean '--stdin'?\n")
        << QByteArray();
    QTest::newRow("missing file") << QStringList { "-config", "1.xml", "--config", "missing.xml" }
                                  << 2 << QByteArray("Unable to open config file: missing.xml\n")
                                  << QByteArray();
    QTest::newRow("no file") << QStringList {} << 2
                             << QByteArray("kevrareplace-check: no rule file") << QByteArray();
    QTest::newRow("a dash string after --")
        << QStringList { "-config", "1.xml", "--", "-x" } << 0 << QByteArray() << QByteArray();
    QTest::newRow("missing case file")
        << QStringList { "-config", "1.xml", "--test", "no.txt" } << 2
        << QByteArray("Unable to open case file: no.txt\n") << QByteArray();
    QTest::newRow("--test with strings")
        << QStringList { "-config", "1.xml", "--test", "1.xml", "a" } << 2
        << QByteArray("kevrareplace-check: --test goes") << QByteArray();
    QTest::newRow("missing file to --suggest")
        << QStringList { "--suggest", "no.txt" } << 2
        << QByteArray("Unable to open case file: no.txt\n") << QByteArray();
    QTest::newRow("--suggest with a rule file")
        << QStringList { "--suggest", "1.xml", "-config", "1.xml" } << 2
        << QByteArray("kevrareplace-check: --suggest goes with case files and -v alone")
        << QByteArray();
    QTest::newRow("--suggest on a line that is no case")
        << QStringList { "--suggest", "1.xml" } << 1 << QByteArray("1.xml:1:22: error: ")
        << QByteArray();
    QTest::newRow("summary of one rule")
        << QStringList { "-config", "1.xml" } << 0
        << QByteArray("1 rule read, 0 errors, 0 warnings\n") << QByteArray();
    QTest::newRow("help writes -config as the examples do")
        << QStringList { "-h" } << 0 << QByteArray() << QByteArray("\n  -config <FILE>  ");
    QTest::newRow("version") << QStringList { "--version" } << 0 << QByteArray() << QByteArray();
}

void tst_Check::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, errStart);
    QFETCH(QByteArray, outHolds);
    writeFile(
        dir.filePath(QStringLiteral("1.xml")), ruleFile("<file path=\"a\" replacepath=\"b\"/>\n"));
    const ToolRun result = check(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.startsWith(textLines(errStart)), result.err.constData());
    QCOMPARE(result.err.isEmpty(), errStart.isEmpty());
    QVERIFY2(result.out.contains(textLines(outHolds)), result.out.constData());
}

// The official validator finds no error in a log holding results of every severity.
void tst_Check::sarifValidates()
{
    SKIP_WITHOUT(BuildMachinePrograms);
    const QString tools = QStringLiteral(SARIF_TOOL_DIR);
    if (tools.isEmpty())
        QSKIP("built with KEVRAREPLACE_TEST_DOWNLOADS off: the validator is not downloaded");
    const QString npm = QStandardPaths::findExecutable(QStringLiteral("npm"));
    if (npm.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("npm is needed to validate the SARIF output");
        QSKIP("npm is not installed");
    }
    const QString validator = tools + QLatin1String("/node_modules/.bin/sarif-multitool");
    if (!QFile::exists(validator)) {
        const ToolRun install = runProgram(npm,
            { "install", "--no-audit", "--no-fund", "--prefix", tools,
                "@microsoft/sarif-multitool" },
            dir.path(), 600000);
        QVERIFY2(install.finished && install.exitCode == 0, install.err.constData());
    }
    const QStringList arguments = configArguments(dir.path(),
        { ruleFile("<file path=\"(\" regexp=\"1\"/>\n<file path=\"a \" cs=\"yes\" wildcard=\"1\" "
                   "regexp=\"1\"/>\n") });
    const ToolRun result = check(QStringList(arguments) << QStringLiteral("--format=sarif"));
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, 1);
    writeFile(dir.filePath(QStringLiteral("log.sarif")), result.out);
    const ToolRun validation = runProgram(validator,
        { "validate", "log.sarif", "--output", "validation.sarif", "--log", "ForceOverwrite" },
        dir.path(), 120000);
    QVERIFY2(validation.finished && validation.exitCode == 0,
        (validation.out + validation.err).constData());
    QFile report(dir.filePath(QStringLiteral("validation.sarif")));
    QVERIFY(report.open(QIODevice::ReadOnly));
    QVERIFY2(!report.readAll().contains("\"level\": \"error\""), "the validator reports errors");
}

QTEST_GUILESS_MAIN(tst_Check)
#include "tst_check.moc"
