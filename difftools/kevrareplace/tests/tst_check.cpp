// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "banner.h"
#include "testutil.h"

#include <QtTest>

// kevrareplace-check run as a user runs it: its options, exit codes and standard streams. What
// it finds, tests and lists is tested in-process (tst_lint, tst_casetest).
class tst_Check : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void unwritable_data();
    void unwritable();
    void explain();
    void commandLine_data();
    void commandLine();
    void sarifValidates();

private:
    ToolRun check(const QStringList &arguments);
    QTemporaryDir dir;
};

void tst_Check::initTestCase() { QVERIFY(dir.isValid()); }

ToolRun tst_Check::check(const QStringList &arguments)
{
    return runProgram(QStringLiteral(KEVRAREPLACE_CHECK_EXE), arguments, dir.path());
}

// Writes the rule file 1.xml and returns its -config arguments.
static QStringList configArguments(const QString &folder, const QByteArray &file)
{
    writeFile(folder + QLatin1String("/1.xml"), file);
    return { QStringLiteral("-config"), QStringLiteral("1.xml") };
}

static QByteArray ruleFile(const QByteArray &body)
{
    return "<?xml version=\"1.0\"?>\n<replacement>\n" + body + "</replacement>\n";
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
    const QStringList rules = configArguments(dir.path(), ruleFile("<file path=\"a\"/>\n"));
    const ToolRun run = runProgram(QStringLiteral(KEVRAREPLACE_CHECK_EXE), rules + arguments,
        dir.path(), 10000, QStringLiteral("/dev/full"));
    COMPARE_RUN(run, exitCode, "", err);
}

void tst_Check::explain()
{
    const QStringList arguments = configArguments(dir.path(),
        ruleFile(
            "<file path=\"x\" replacepath=\"y\"/>\n<file path=\"a\" replacepath=\"a\" cs=\"1\"/>\n"
            "<file path=\"(\" regexp=\"1\"/>\n<file path=\"*.orig\" replacepath=\".bak\" "
            "wildcard=\"1\"/>\n"
            "<file path=\"z\"/>\n"));
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
                                  << 2
                                  << QByteArray("Unable to open missing.xml: No such file or "
                                                "directory\n")
                                  << QByteArray();
    QTest::newRow("no file") << QStringList {} << 2
                             << QByteArray("kevrareplace-check: no rule file") << QByteArray();
    QTest::newRow("a dash string after --")
        << QStringList { "-config", "1.xml", "--", "-x" } << 0 << QByteArray() << QByteArray();
    QTest::newRow("missing case file")
        << QStringList { "-config", "1.xml", "--test", "no.txt" } << 2
        << QByteArray("Unable to open no.txt: No such file or directory\n") << QByteArray();
    QTest::newRow("--test with strings")
        << QStringList { "-config", "1.xml", "--test", "1.xml", "a" } << 2
        << QByteArray("kevrareplace-check: --test goes") << QByteArray();
    QTest::newRow("missing file to --suggest")
        << QStringList { "--suggest", "no.txt" } << 2
        << QByteArray("Unable to open no.txt: No such file or directory\n") << QByteArray();
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
    // Errors and warnings exit with 1, notes alone with 0: in check mode and by --test, which
    // fails too on a line that is no case and on rule files with an error.
    QTest::newRow("notes alone") << QStringList { "-config", "2.xml" } << 0
                                 << QByteArray("1 rule read") << QByteArray();
    QTest::newRow("findings") << QStringList { "-config", "1.xml", "-config", "1.xml" } << 1
                              << QByteArray("1 rule read") << QByteArray("[second-document]\n");
    QTest::newRow("--test: every case passes, a note")
        << QStringList { "-config", "1.xml", "--test", "pass.txt" } << 0
        << QByteArray("1 case, 1 passed, 0 failed; the cases cover 0 of 1 rule\n")
        << QByteArray("[rule-not-covered]\n");
    QTest::newRow("--test: a case fails")
        << QStringList { "-config", "1.xml", "--test", "fail.txt" } << 1 << QByteArray("1 case")
        << QByteArray("[test-failed]\n");
    QTest::newRow("--test: lines not cases")
        << QStringList { "-config", "1.xml", "--test", "1.xml" } << 1 << QByteArray("0 cases")
        << QByteArray();
    QTest::newRow("--test: rule files with an error")
        << QStringList { "-config", "1.xml", "-config", "1.xml", "--test", "pass.txt" } << 1
        << QByteArray("1 case, 1 passed, 0 failed; the cases cover 0 of 1 rule; 1 problem of the "
                      "rule files fails the run\n")
        << QByteArray("[second-document]\n");
    QTest::newRow("--rules -z") << QStringList { "-config", "1.xml", "--rules", "-z" } << 0
                                << QByteArray() << QByteArray("1.xml:3:1\0fixed\0ci\0a\0b\0", 23);
    QTest::newRow("help writes -config as the examples do")
        << QStringList { "-h" } << 0 << QByteArray() << QByteArray("\n  -config <FILE>  ");
    QTest::newRow("version") << QStringList { "--version" } << 0 << QByteArray()
                             << QByteArray("kevrareplace-check " KEVRAREPLACE_VERSION_WORDS "\n");
    // Why a file does not open, in the same words everywhere; Qt's own usage errors in the style
    // of the others.
    QTest::newRow("a folder as rule file")
        << QStringList { "-config", "folder" } << 2
        << QByteArray("Unable to open folder: Is a directory\n") << QByteArray();
    QTest::newRow("a folder as case file")
        << QStringList { "-config", "1.xml", "--test", "folder" } << 2
        << QByteArray("Unable to open folder: Is a directory\n") << QByteArray();
    QTest::newRow("missing value")
        << QStringList { "-config" } << 2
        << QByteArray("kevrareplace-check: missing value after '-config'\n") << QByteArray();
    QTest::newRow("no --help-all")
        << QStringList { "--help-all" } << 2
        << QByteArray("kevrareplace-check: unknown option '--help-all'") << QByteArray();
}

void tst_Check::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, errStart);
    QFETCH(QByteArray, outHolds);
    writeFile(
        dir.filePath(QStringLiteral("1.xml")), ruleFile("<file path=\"a\" replacepath=\"b\"/>\n"));
    writeFile(dir.filePath(QStringLiteral("2.xml")),
        ruleFile("<file path=\"/home/*/\" replacepath=\"/h/\"/>\n"));
    writeFile(dir.filePath(QStringLiteral("pass.txt")), "x\tx\n");
    writeFile(dir.filePath(QStringLiteral("fail.txt")), "a\ta\n");
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder")));
    const ToolRun result = check(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.startsWith(textLines(errStart)), result.err.constData());
    QCOMPARE(result.err.isEmpty(), errStart.isEmpty());
    QVERIFY2(result.out.contains(textLines(outHolds)), result.out.constData());
}

// The official validator finds no error in a log holding results of every severity, related
// locations, and files named by relative and by absolute paths.
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
    // The validator itself, the program of the build machine's platform (Linux): the package's
    // launcher hands its path to a shell unquoted, which a folder's name with a space breaks.
    const QString validator =
        tools + QLatin1String("/node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool");
    if (!QFile::exists(validator)) {
        const ToolRun install = runProgram(npm,
            { "install", "--no-audit", "--no-fund", "--prefix", tools,
                "@microsoft/sarif-multitool" },
            dir.path(), 600000);
        QVERIFY2(install.finished && install.exitCode == 0, install.err.constData());
    }
    const QString absolute = dir.filePath(QString::fromUtf8("2 \xc3\xa9.xml"));
    writeFile(absolute, ruleFile("<file path=\"b\"/>\n"));
    const QStringList arguments = configArguments(dir.path(),
                                      ruleFile("<file path=\"(\" regexp=\"1\"/>\n<file path=\"a \" "
                                               "cs=\"yes\" wildcard=\"1\" regexp=\"1\"/>\n"
                                               "<file path=\"/d/\" replacepath=\"/e/\"/>\n"
                                               "<file path=\"/d/o/\" replacepath=\"/f/\"/>\n"))
        + QStringList { QStringLiteral("-config"), absolute };
    const ToolRun result = check(QStringList(arguments) << QStringLiteral("--format=sarif"));
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.out.contains("\"relatedLocations\"") && result.out.contains("%C3%A9.xml")
        && result.out.contains("\"uriBaseId\""));
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
