// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "testutil.h"
#include "windowsrows.h"

#include <QtTest>

// kevrareplace-check --stdin as a filter and as a co-process: one record for each string,
// each record what the tool prints for that string.
class tst_Stdin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void records_data();
    void records();
    void lineEnds_data();
    void lineEnds();
    void sameAsTool();
    void manyLines();
    void coProcess();
    void streamErrors_data();
    void streamErrors();

private:
    ToolRun map(const QStringList &options, const QByteArray &input);
    QTemporaryDir dir;
};

namespace {

const QByteArray rules = "<?xml version=\"1.0\"?>\n<replacement>\n"
                         "  <file path=\"/opt/old/\" replacepath=\"/opt/new/\" cs=\"1\"/>\n"
                         "  <file path=\"^D:\\\\src\\\\(\\w+)\\\\\" replacepath=\"/work/\\1/\""
                         " regexp=\"1\" cs=\"0\"/>\n"
                         "  <file path=\"abc\" replacepath=\"abc\"/>\n"
                         "</replacement>\n";

} // namespace

void tst_Stdin::initTestCase()
{
    QVERIFY(dir.isValid());
    writeFile(dir.filePath(QStringLiteral("rules.xml")), rules);
}

ToolRun tst_Stdin::map(const QStringList &options, const QByteArray &input)
{
    return runWithInput(QStringLiteral(KEVRAREPLACE_CHECK_EXE),
        QStringList {
            QStringLiteral("-config"), QStringLiteral("rules.xml"), QStringLiteral("--stdin") }
            + options,
        dir.path(), input);
}

void tst_Stdin::records_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");

    const QByteArray longLine = QByteArray(128 * 1024, 'x') + "/opt/old/";
    QTest::newRow("a record per line")
        << QStringList() << QByteArray("/opt/old/a\n/x\n") << QByteArray("/opt/new/a\n/x\n");
    QTest::newRow("empty lines give empty records")
        << QStringList() << QByteArray("\n\n/opt/old/\n\n") << QByteArray("\n\n/opt/new/\n\n");
    QTest::newRow("last line without newline")
        << QStringList() << QByteArray("/x\n/opt/old/") << QByteArray("/x\n/opt/new/\n");
    QTest::newRow("no input, no records") << QStringList() << QByteArray() << QByteArray();
    QTest::newRow("a line like an option is a string")
        << QStringList() << QByteArray("-version\n--\n") << QByteArray("-version\n--\n");
    QTest::newRow("carriage return is part of the string")
        << QStringList() << QByteArray("D:\\src\\app\\\r\n") << QByteArray("/work/app/\r\n");
    QTest::newRow("bytes that are not UTF-8 come back as they came")
        << QStringList() << QByteArray("/caf\xe9/opt/old/\n\xff\xfe\n")
        << QByteArray("/caf\xe9/opt/new/\n\xff\xfe\n");
    QTest::newRow("line of 128 KiB") << QStringList() << longLine + "\n/opt/old/\n"
                                     << QByteArray(128 * 1024, 'x') + "/opt/new/\n/opt/new/\n";
    QTest::newRow("-z: strings may hold newlines")
        << QStringList { "-z" } << QByteArray("/opt/old/a\nb\0\0/x", 16)
        << QByteArray("/opt/new/a\nb\0\0/x\0", 17);
    QTest::newRow("-v: location, input, result")
        << QStringList { "-v" } << QByteArray("/opt/old/a\n/x\n\nd:\\SRC\\b\\c\n")
        << QByteArray("rules.xml:3:3\t/opt/old/a\t/opt/new/a\n\t/x\t/x\n\t\t\n"
                      "rules.xml:4:3\td:\\SRC\\b\\c\t/work/b/c\n");
    // A match that gives the same string back changes nothing: no location.
    QTest::newRow("-v: matched but unchanged")
        << QStringList { "-v" } << QByteArray("ABC\nabc\n")
        << QByteArray("rules.xml:5:3\tABC\tabc\n\tabc\tabc\n");
    QTest::newRow("-v -z: every field ends with NUL")
        << QStringList { "-v", "-z" } << QByteArray("/opt/old/\0\0", 11)
        << QByteArray("rules.xml:3:3\0/opt/old/\0/opt/new/\0\0\0\0", 37);
    QTest::newRow("-vz: single-letter flags written together")
        << QStringList { "-vz" } << QByteArray("/opt/old/\0\0", 11)
        << QByteArray("rules.xml:3:3\0/opt/old/\0/opt/new/\0\0\0\0", 37);
}

void tst_Stdin::records()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    COMPARE_RUN(map(options, input), 0, output, "");
}

// A line's CR before its newline: part of the line end on Windows, where lines from a console
// program end with CRLF, and its record ends alike; elsewhere part of the string. The -v
// records show which.
void tst_Stdin::lineEnds_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("Windows: CRLF ends the line, the record ends with it")
        << true << QStringList { "-v" } << QByteArray("/opt/old/\r\n/x\n")
        << QByteArray("rules.xml:3:3\t/opt/old/\t/opt/new/\r\n\t/x\t/x\n");
    QTest::newRow("Windows: a CR elsewhere and a last line's CR")
        << true << QStringList() << QByteArray("a\rb\r\n\r\n/opt/old/\r")
        << QByteArray("a\rb\r\n\r\n/opt/new/\r\n");
    QTest::newRow("Windows: with -z a CR is data")
        << true << QStringList { "-v", "-z" } << QByteArray("/opt/old/\r\0", 11)
        << QByteArray("rules.xml:3:3\0/opt/old/\r\0/opt/new/\r\0", 36);
    QTest::newRow("elsewhere: a CR is part of the string")
        << false << QStringList { "-v" } << QByteArray("/opt/old/\r\n/x\n")
        << QByteArray("rules.xml:3:3\t/opt/old/\r\t/opt/new/\r\n\t/x\t/x\n");
}

void tst_Stdin::lineEnds()
{
    QFETCH(bool, windows);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    SKIP_ROW_OF_OTHER_PLATFORM(windows);
    COMPARE_RUN(map(options, input), 0, output, "");
}

// Strings that the tool takes as arguments give exactly the tool's output.
void tst_Stdin::sameAsTool()
{
    SKIP_WITHOUT(ByteArguments);
    const QByteArrayList strings { "/opt/old/x", "/opt/old/opt/old/", "D:\\SRC\\app\\main.c",
        "D:\\src\\\\", "ABC", "/caf\xc3\xa9/opt/old/", "/caf\xe9/opt/old/", "\xed\xa0\x80/opt/old/",
        "plain" };
    QByteArray expected;
    for (const QByteArray &string : strings) {
        const ToolRun run = runWithBytes(
            QStringLiteral(KEVRAREPLACE_EXE), { "-config", "rules.xml", string }, dir.path());
        QCOMPARE(run.exitCode, 0);
        expected += run.out;
    }
    COMPARE_RUN(map({}, strings.join('\n')), 0, expected, "");
}

void tst_Stdin::manyLines()
{
    QByteArray input;
    QByteArray output;
    for (int i = 0; i < 100000; ++i) {
        const QByteArray number = QByteArray::number(i);
        input += (i % 3 ? "/srv/" : "/opt/old/") + number + '\n';
        output += (i % 3 ? "/srv/" : "/opt/new/") + number + '\n';
    }
    const ToolRun run = map({}, input);
    QCOMPARE(run.out.count('\n'), 100000);
    COMPARE_RUN(run, 0, output, "");
}

// A caller that writes one string and waits gets its record while the program waits for more.
void tst_Stdin::coProcess()
{
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(KEVRAREPLACE_CHECK_EXE),
        { QStringLiteral("-config"), QStringLiteral("rules.xml"), QStringLiteral("--stdin") });
    QVERIFY(process.waitForStarted());
    for (const QByteArray &string : { QByteArray("/opt/old/a"), QByteArray("/x") }) {
        process.write(string + '\n');
        QByteArray record;
        while (
            !record.endsWith('\n') && process.waitForReadyRead(1000 * KEVRAREPLACE_TIMEOUT_SCALE))
            record += process.readAllStandardOutput();
        QCOMPARE(record, string == "/x" ? QByteArray("/x\n") : QByteArray("/opt/new/a\n"));
    }
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);
}

void tst_Stdin::streamErrors_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("err");

    QTest::newRow("write error")
        << "printf '/opt/old/\\n' | \"$0\" -config rules.xml --stdin >/dev/full; echo $?" << 2
        << QByteArray("Unable to write output: No space left on device\n");
    // Not a descriptor that a file opened later takes over (Qt's event descriptor, which took
    // the record as "Invalid argument").
    QTest::newRow("closed output")
        << "printf '/opt/old/\\n' | \"$0\" -config rules.xml --stdin >&-; echo $?" << 2
        << QByteArray("Unable to write output: Bad file descriptor\n");
    // The tool too: its line of 8 bytes went to that descriptor whole, and it exited with 0.
    QTest::newRow("closed output of the tool")
        << QStringLiteral("\"%1\" -config rules.xml /abcdef >&-; echo $?")
               .arg(QStringLiteral(KEVRAREPLACE_EXE))
        << 1 << QByteArray("Unable to write output: Bad file descriptor\n");
    QTest::newRow("read error") << "\"$0\" -config rules.xml --stdin </; echo $?" << 2
                                << QByteArray("Unable to read input: Is a directory\n");
    // As any filter: the status of a process that SIGPIPE ended.
    QTest::newRow("closed pipe")
        << "yes /opt/old/ | \"$0\" -config rules.xml --stdin | head -c 1 >/dev/null;"
           " echo \"${PIPESTATUS[1]}\""
        << 141 << QByteArray();
}

void tst_Stdin::streamErrors()
{
    QFETCH(QString, script);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, err);
    SKIP_WITHOUT(PosixShell);
    const ToolRun run = runProgram(QStringLiteral("/bin/bash"),
        { QStringLiteral("-c"), script, QStringLiteral(KEVRAREPLACE_CHECK_EXE) }, dir.path());
    COMPARE_RUN(run, 0, QByteArray::number(exitCode) + '\n', err);
}

QTEST_GUILESS_MAIN(tst_Stdin)

#include "tst_stdin.moc"
