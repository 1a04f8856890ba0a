// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "testutil.h"

#include <QtTest>

// kevrareplace-check --compare OLD NEW: a record for each string of standard input that the
// two rule files map to different results, and on standard error what each rule gained and
// lost.
class tst_Compare : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void records_data();
    void records();
    void errors_data();
    void errors();

private:
    QTemporaryDir dir;
};

namespace {

QByteArray ruleFile(const QByteArray &rules)
{
    return "<replacement>\n" + rules + "</replacement>\n";
}

const QByteArray optOld = "  <file path=\"/opt/old/\" replacepath=\"/opt/new/\" cs=\"1\"/>\n";
const QByteArray srv = "  <file path=\"/srv/\" replacepath=\"/data/\" cs=\"1\"/>\n";
const QByteArray tmp = "  <file path=\"/tmp/\" replacepath=\"/var/tmp/\" cs=\"1\"/>\n";
const QByteArray srvEdited = "  <file path=\"/srv/\" replacepath=\"/srv/data/\" cs=\"1\"/>\n";
// The lines of the edited rule, each with the one string behind its count.
QByteArray editedSummary(const QByteArray &sample)
{
    return "old.xml:3:3: removed rule: 0 gained, 1 lost\n  " + sample
        + "\nnew.xml:3:3: added rule: 1 gained, 0 lost\n  " + sample + '\n';
}

const QByteArray srvA = "'/srv/a': old '/data/a', new '/srv/data/a'";

} // namespace

void tst_Compare::initTestCase()
{
    QVERIFY(dir.isValid());
    writeFile(dir.filePath(QStringLiteral("old.xml")), ruleFile(optOld + srv + tmp));
}

void tst_Compare::records_data()
{
    QTest::addColumn<QByteArray>("newRules");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("summary");

    QTest::newRow("no difference")
        << optOld + srv + tmp << QStringList() << QByteArray("/srv/a\n\n/x\n") << QByteArray()
        << QByteArray("3 strings read, 0 differ\n");
    QTest::newRow("a changed result")
        << optOld + srvEdited + tmp << QStringList() << QByteArray("/srv/a\n/tmp/b\n")
        << QByteArray("/srv/a\t/data/a\t/srv/data/a\told.xml:3:3\tnew.xml:3:3\n")
        << "2 strings read, 1 differs\n" + editedSummary(srvA);
    // The string that both rules change differs; the one only the moved rule changes does not.
    QTest::newRow("a rule moved before another")
        << srv + optOld + tmp << QStringList() << QByteArray("/opt/old/srv/a\n/srv/b\n")
        << QByteArray("/opt/old/srv/a\t/opt/new/srv/a\t/opt/old/data/a\told.xml:2:3\tnew.xml:2:3\n")
        << QByteArray("2 strings read, 1 differs\n"
                      "new.xml:3:3: kept rule (old.xml:2:3): 0 gained, 1 lost\n"
                      "  '/opt/old/srv/a': old '/opt/new/srv/a', new '/opt/old/data/a'\n"
                      "new.xml:2:3: kept rule (old.xml:3:3): 1 gained, 0 lost\n"
                      "  '/opt/old/srv/a': old '/opt/new/srv/a', new '/opt/old/data/a'\n");
    // /srv/x keeps its result by a later rule: no record, but the decision moved.
    QTest::newRow("a rule removed: a later rule or none decides")
        << optOld + tmp + "  <file path=\"/srv/x\" replacepath=\"/data/x\" cs=\"1\"/>\n"
        << QStringList() << QByteArray("/srv/x\n/srv/y\n/tmp/z\n")
        << QByteArray("/srv/y\t/data/y\t/srv/y\told.xml:3:3\t\n")
        << QByteArray("3 strings read, 1 differs\n"
                      "old.xml:3:3: removed rule: 0 gained, 2 lost\n"
                      "  '/srv/x': old '/data/x', new '/data/x'\n"
                      "  '/srv/y': old '/data/y', new '/srv/y'\n"
                      "new.xml:4:3: added rule: 1 gained, 0 lost\n"
                      "  '/srv/x': old '/data/x', new '/data/x'\n");
    // Under each rule, three of the strings behind its counts, or with -v all of them.
    const QByteArray fourStrings = "/srv/a\n/srv/b\n/srv/c\n/srv/d\n";
    const QByteArray fourRecords = "/srv/a\t/data/a\t/srv/data/a\told.xml:3:3\tnew.xml:3:3\n"
                                   "/srv/b\t/data/b\t/srv/data/b\told.xml:3:3\tnew.xml:3:3\n"
                                   "/srv/c\t/data/c\t/srv/data/c\told.xml:3:3\tnew.xml:3:3\n"
                                   "/srv/d\t/data/d\t/srv/data/d\told.xml:3:3\tnew.xml:3:3\n";
    const QByteArray threeSamples = "  '/srv/a': old '/data/a', new '/srv/data/a'\n"
                                    "  '/srv/b': old '/data/b', new '/srv/data/b'\n"
                                    "  '/srv/c': old '/data/c', new '/srv/data/c'\n";
    const QByteArray fourth = "  '/srv/d': old '/data/d', new '/srv/data/d'\n";
    const QByteArray more = "  and 1 more string; -v shows them all\n";
    QTest::newRow("four strings behind a count: three shown")
        << optOld + srvEdited + tmp << QStringList() << fourStrings << fourRecords
        << "4 strings read, 4 differ\nold.xml:3:3: removed rule: 0 gained, 4 lost\n" + threeSamples
            + more + "new.xml:3:3: added rule: 4 gained, 0 lost\n" + threeSamples + more;
    QTest::newRow("-v: every string shown")
        << optOld + srvEdited + tmp << QStringList { "-v" } << fourStrings << fourRecords
        << "4 strings read, 4 differ\nold.xml:3:3: removed rule: 0 gained, 4 lost\n" + threeSamples
            + fourth + "new.xml:3:3: added rule: 4 gained, 0 lost\n" + threeSamples + fourth;
    QTest::newRow("-z: every field ends with NUL")
        << optOld + srvEdited + tmp << QStringList { "-z" }
        << QByteArray("/srv/a\nb\0/opt/old/", 18)
        << QByteArray("/srv/a\nb\0/data/a\nb\0/srv/data/a\nb\0old.xml:3:3\0new.xml:3:3\0", 57)
        << "2 strings read, 1 differs\n"
            + editedSummary("\"/srv/a\\nb\": old \"/data/a\\nb\", new \"/srv/data/a\\nb\"");
    QTest::newRow("bytes that are not UTF-8 come back as they came")
        << optOld + srvEdited + tmp << QStringList() << QByteArray("/srv/\xe9\xff\n")
        << QByteArray(
               "/srv/\xe9\xff\t/data/\xe9\xff\t/srv/data/\xe9\xff\told.xml:3:3\tnew.xml:3:3\n")
        << "1 string read, 1 differs\n"
            + editedSummary("\"/srv/\\xe9\\xff\": old \"/data/\\xe9\\xff\", new "
                            "\"/srv/data/\\xe9\\xff\"");
}

void tst_Compare::records()
{
    QFETCH(QByteArray, newRules);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, summary);
    writeFile(dir.filePath(QStringLiteral("new.xml")), ruleFile(newRules));
    const ToolRun run = runWithInput(QStringLiteral(KEVRAREPLACE_CHECK_EXE),
        QStringList {
            QStringLiteral("--compare"), QStringLiteral("old.xml"), QStringLiteral("new.xml") }
            + options,
        dir.path(), input);
    COMPARE_RUN(run, output.isEmpty() ? 0 : 1, output, textLines(summary)); // records are bytes
}

void tst_Compare::errors_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("err");

    const QByteArray usage = "\nTry 'kevrareplace-check --help' for more information.\n";
    const QByteArray excluded = "kevrareplace-check: --compare goes with -z and -v only, not with"
                                " -config, --stdin, --rules, --test or --format"
        + usage;
    QTest::newRow("one rule file")
        << "\"$0\" --compare old.xml </dev/null; echo $?" << 2
        << "kevrareplace-check: --compare takes two rule files: OLD NEW" + usage;
    QTest::newRow("-z between --compare and its files")
        << "printf '/srv/a\\0' | \"$0\" --compare -z old.xml new.xml >/dev/null; echo $?" << 1
        << "1 string read, 1 differs\n" + editedSummary(srvA);
    QTest::newRow("with -config")
        << "\"$0\" --compare old.xml old.xml -config old.xml </dev/null; echo $?" << 2 << excluded;
    QTest::newRow("with --stdin") << "\"$0\" --compare old.xml old.xml --stdin </dev/null; echo $?"
                                  << 2 << excluded;
    QTest::newRow("a file that cannot be opened")
        << "\"$0\" --compare old.xml missing.xml </dev/null; echo $?" << 2
        << QByteArray("Unable to open missing.xml: No such file or directory\n");
    // Each side's errors, as checking writes them, and no string compared.
    QTest::newRow("a side that is no rule file")
        << "printf 'notes\\n' >notes.txt; printf '/srv/\\n' | \"$0\" --compare notes.txt new.xml;"
           " echo $?"
        << 2
        << QByteArray("notes.txt:1:1: warning: the rule files give no rule: every string comes out "
                      "unchanged [no-rules]\nnotes.txt:1:2: error: Start tag expected; no file "
                      "element is lost [xml-error]\n");
    // Not 1, which would say that strings differ.
    QTest::newRow("write error")
        << "printf '/srv/\\n' | \"$0\" --compare old.xml new.xml >/dev/full; echo $?" << 2
        << QByteArray("Unable to write output: No space left on device\n");
}

void tst_Compare::errors()
{
    QFETCH(QString, script);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, err);
    SKIP_WITHOUT(PosixShell);
    writeFile(dir.filePath(QStringLiteral("new.xml")), ruleFile(optOld + srvEdited + tmp));
    const ToolRun run = runProgram(QStringLiteral("/bin/bash"),
        { QStringLiteral("-c"), script, QStringLiteral(KEVRAREPLACE_CHECK_EXE) }, dir.path());
    COMPARE_RUN(run, 0, QByteArray::number(exitCode) + '\n', err);
}

QTEST_GUILESS_MAIN(tst_Compare)

#include "tst_compare.moc"
