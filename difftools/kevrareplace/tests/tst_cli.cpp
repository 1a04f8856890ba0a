// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "toolrows.h"

#include <cerrno>
#include <cstring>

namespace {

const QByteArray noConfig = "config option not set: \n";
const QByteArray noString = "No string to replace specified\n";

} // namespace

class tst_Cli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void run_data();
    void run();
    void unreadableFile_data();
    void unreadableFile();
    void unwritableOutput_data();
    void unwritableOutput();
    void example_data();
    void example();

private:
    void runTool(
        const QStringList &arguments, int exitCode, const QByteArray &out, const QByteArray &err);

    QTemporaryDir dir;
};

void tst_Cli::initTestCase()
{
    QVERIFY(dir.isValid());
    writeToolRuleFiles(dir.path());
}

void tst_Cli::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    QTest::newRow("no arguments") << QStringList() << 10 << usage << noConfig;
    QTest::newRow("-version") << utf8({ "-version" }) << 0 << banner << QByteArray();
    QTest::newRow("-help") << utf8({ "-help" }) << 0 << usage << QByteArray();
    QTest::newRow("-version ends the walk before a missing file")
        << utf8({ "-version", "-config", "missing.xml" }) << 0 << banner << QByteArray();
    QTest::newRow("-help ends the walk after config and string")
        << utf8({ "-config", "rules.xml", "/old/x", "-help" }) << 0 << usage << QByteArray();
    QTest::newRow("missing file before -version") << utf8({ "-config", "missing.xml", "-version" })
                                                  << 22 << usage << unreadable("missing.xml");
    QTest::newRow("-config takes the next word as its file")
        << utf8({ "-config", "-help" }) << 22 << usage << unreadable("-help");

    QTest::newRow("trailing -config alone is ignored")
        << utf8({ "x", "-config" }) << 10 << usage << noConfig;
    QTest::newRow("trailing -config after a good one is ignored")
        << utf8({ "-config", "rules.xml", "/old/x", "-config" }) << 0 << QByteArray("/new/x\n")
        << QByteArray();
    QTest::newRow("empty string") << utf8({ "-config", "rules.xml", "" }) << 10 << usage
                                  << noString;
    QTest::newRow("empty string is the last string")
        << utf8({ "-config", "rules.xml", "/old/x", "" }) << 10 << usage << noString;
    QTest::newRow("no string") << utf8({ "-config", "rules.xml" }) << 10 << usage << noString;

    QTest::newRow("string before -config") << utf8({ "/old/x", "-config", "rules.xml" }) << 0
                                           << QByteArray("/new/x\n") << QByteArray();
    QTest::newRow("last string wins") << utf8({ "-config", "rules.xml", "/old/a", "/old/b" }) << 0
                                      << QByteArray("/new/b\n") << QByteArray();
    QTest::newRow("option words in other forms are strings")
        << utf8({ "-config", "rules.xml", "-Version" }) << 0 << QByteArray("-Version\n")
        << QByteArray();
    QTest::newRow("doubled dash is a string") << utf8({ "-config", "rules.xml", "--help" }) << 0
                                              << QByteArray("--help\n") << QByteArray();
    QTest::newRow("a word Qt itself knows is a string too")
        << utf8({ "-config", "rules.xml", "-qmljsdebugger=port:1" }) << 0
        << QByteArray("-qmljsdebugger=port:1\n") << QByteArray();
    QTest::newRow("a word Qt takes with the next one leaves both to the program")
        << utf8({ "-config", "rules.xml", "-qmljsdebugger", "/old/x" }) << 0
        << QByteArray("/new/x\n") << QByteArray();
    QTest::newRow("a word Qt knows with a doubled dash is a string too")
        << utf8({ "-config", "rules.xml", "--qmljsdebugger=port:1" }) << 0
        << QByteArray("--qmljsdebugger=port:1\n") << QByteArray();
    for (const ToolRow &row : toolRows()) {
        QStringList arguments;
        for (const QString &file : row.files)
            arguments << QStringLiteral("-config") << file;
        QTest::newRow(row.name) << arguments + QStringList { row.input } << row.exitCode
                                << (row.exitCode ? usage : row.result + '\n')
                                << (row.message.isEmpty() ? QByteArray() : row.message + '\n');
    }
}

void tst_Cli::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    runTool(arguments, exitCode, out, err);
}

// A file that exists but cannot be opened, in each platform's way.
void tst_Cli::unreadableFile_data()
{
    QTest::addColumn<bool>("held");
    QTest::newRow("mode 000") << false;
    QTest::newRow("held by another program with no sharing") << true;
}

void tst_Cli::unreadableFile()
{
    QFETCH(bool, held);
    if (held)
        SKIP_WITHOUT(ExclusiveOpen);
    else
        SKIP_WITHOUT(UnreadableByMode);
    const QString name = dir.path() + QLatin1String("/locked.xml");
    writeFile(name, "<replacement/>");
    ExclusiveOpen hold(held ? name : QString());
    if (held)
        QVERIFY(hold.isOpen());
    else
        QVERIFY(QFile::setPermissions(name, QFileDevice::Permissions()));
    runTool(utf8({ "-config", "locked.xml", "x" }), 22, usage, unreadable("locked.xml"));
}

// Output that cannot be written is an error of its own, unless the run is failing already.
void tst_Cli::unwritableOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("err");

    // The program runs in the same locale as this test, so the system's reason reads alike.
    const QByteArray full = "Unable to write output: " + QByteArray(std::strerror(ENOSPC)) + '\n';
    QTest::newRow("result") << utf8({ "-config", "rules.xml", "/old/x" }) << 1 << full;
    QTest::newRow("-version") << utf8({ "-version" }) << 1 << full;
    QTest::newRow("-help") << utf8({ "-help" }) << 1 << full;
    QTest::newRow("missing file keeps its code")
        << utf8({ "-config", "missing.xml", "x" }) << 22 << unreadable("missing.xml");
    QTest::newRow("no config keeps its code") << QStringList() << 10 << noConfig;
}

void tst_Cli::unwritableOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, err);
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");
    const ToolRun run = runProgram(QStringLiteral(KEVRAREPLACE_EXE), arguments, dir.path(), 10000,
        QStringLiteral("/dev/full"));
    COMPARE_TEXT_RUN(run, exitCode, "", err);
}

// The bundled example configuration does what its comments and the README say.
void tst_Cli::example_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("out");

    QTest::newRow("fixed") << "/mnt/old-share/doc/a.txt" << QByteArray("/srv/share/doc/a.txt\n");
    QTest::newRow("fixed, other case") << "/MNT/old-share/x" << QByteArray("/MNT/old-share/x\n");
    QTest::newRow("wildcard") << "/home/ann/workspace/app/src/main.cpp"
                              << QByteArray("/work/app/src/main.cpp\n");
    QTest::newRow("regexp") << "/var/ci/builds/1234/app/log.txt"
                            << QByteArray("/var/ci/builds/latest/app/log.txt\n");
    QTest::newRow("regexp, group")
        << "C:/Projects/app/main.cpp" << QByteArray("/mnt/C/Projects/app/main.cpp\n");
    QTest::newRow("no rule") << "/usr/include/stdio.h" << QByteArray("/usr/include/stdio.h\n");
}

void tst_Cli::example()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, out);
    runTool({ QStringLiteral("-config"), QStringLiteral(KEVRAREPLACE_EXAMPLE), path }, 0, out,
        QByteArray());
}

void tst_Cli::runTool(
    const QStringList &arguments, int exitCode, const QByteArray &out, const QByteArray &err)
{
    const ToolRun run = runProgram(QStringLiteral(KEVRAREPLACE_EXE), arguments, dir.path());
    COMPARE_TEXT_RUN(run, exitCode, out, err);
}

QTEST_GUILESS_MAIN(tst_Cli)

#include "tst_cli.moc"
