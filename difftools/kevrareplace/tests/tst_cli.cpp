// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "testutil.h"
#include "windowsrows.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

const QByteArray noConfig = "config option not set: \n";
const QByteArray noString = "No string to replace specified\n";

QByteArray unreadable(const char *name)
{
    return "Unable to open config file: " + QByteArray(name) + '\n';
}

QStringList utf8(std::initializer_list<const char *> words)
{
    QStringList list;
    for (const char *word : words)
        list << QString::fromUtf8(word);
    return list;
}

} // namespace

class tst_Cli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void run_data();
    void run();
    void unreadableFile();
    void unwritableOutput_data();
    void unwritableOutput();
    void characters_data();
    void characters();
    void example_data();
    void example();

private:
    void runTool(const QStringList &arguments, int exitCode, const QByteArray &out,
                 const QByteArray &err);

    QTemporaryDir dir;
};

void tst_Cli::initTestCase()
{
    QVERIFY(dir.isValid());
    const QString at = dir.path() + QLatin1Char('/');
    writeFile(at + QLatin1String("rules.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<replacement>\n"
              "  <file path=\"/old/\" replacepath=\"/new/\" cs=\"1\"/>\n"
              "  <file path=\"M\xc3\xbcller\" replacepath=\"Mueller\"/>\n"
              "</replacement>\n");
    // Two halves of one document: the reader joins the files' bytes in argument order.
    writeFile(at + QLatin1String("part1.xml"), "<replacement><file path=\"a\" replacepath=\"b\"/>");
    writeFile(at + QLatin1String("part2.xml"), "<file path=\"c\" replacepath=\"d\"/></replacement>");
    writeFile(at + QLatin1String("malformed.xml"),
              "<replacement><file path=\"x\" replacepath=\"y\"/><file path=\"z\" replacepath=");
    writeFile(at + QLatin1String("empty.xml"), QByteArray());
    const QByteArray accents =
        "<replacement><file path=\"\xc3\xa9\" replacepath=\"\xe2\x82\xac\xc3\xbc\"/>"
        "</replacement>";
    writeFile(at + QLatin1String("accents.xml"), accents);
    writeFile(
        at + QString::fromUtf8("\xd0\xbf\xd1\x80\xd0\xb0\xd0\xb2\xd0\xb8\xd0\xbb\xd0\xb0.xml"),
        accents);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
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
    QTest::newRow("missing file before -version")
        << utf8({ "-config", "missing.xml", "-version" }) << 22 << usage
        << unreadable("missing.xml");
    QTest::newRow("-config takes the next word as its file")
        << utf8({ "-config", "-help" }) << 22 << usage << unreadable("-help");
    QTest::newRow("-config with an empty name") << utf8({ "-config", "", "x" }) << 22 << usage
                                                << unreadable("");
    QTest::newRow("directory as config")
        << utf8({ "-config", "folder", "x" }) << 22 << usage << unreadable("folder");
    QTest::newRow("second config missing after a good one")
        << utf8({ "-config", "rules.xml", "-config", "missing.xml", "/old/x" }) << 22 << usage
        << unreadable("missing.xml");

    QTest::newRow("trailing -config alone is ignored") << utf8({ "x", "-config" }) << 10 << usage
                                                       << noConfig;
    QTest::newRow("trailing -config after a good one is ignored")
        << utf8({ "-config", "rules.xml", "/old/x", "-config" }) << 0 << QByteArray("/new/x\n")
        << QByteArray();
    QTest::newRow("string without config") << utf8({ "/old/x" }) << 10 << usage << noConfig;
    QTest::newRow("empty string") << utf8({ "-config", "rules.xml", "" }) << 10 << usage
                                  << noString;
    QTest::newRow("empty string is the last string")
        << utf8({ "-config", "rules.xml", "/old/x", "" }) << 10 << usage << noString;
    QTest::newRow("no string") << utf8({ "-config", "rules.xml" }) << 10 << usage << noString;

    QTest::newRow("rewritten") << utf8({ "-config", "rules.xml", "/old/x" }) << 0
                               << QByteArray("/new/x\n") << QByteArray();
    QTest::newRow("string before -config")
        << utf8({ "/old/x", "-config", "rules.xml" }) << 0 << QByteArray("/new/x\n")
        << QByteArray();
    QTest::newRow("last string wins")
        << utf8({ "-config", "rules.xml", "/old/a", "/old/b" }) << 0 << QByteArray("/new/b\n")
        << QByteArray();
    QTest::newRow("no rule matches") << utf8({ "-config", "rules.xml", "/OLD/x" }) << 0
                                     << QByteArray("/OLD/x\n") << QByteArray();
    QTest::newRow("option words in other forms are strings")
        << utf8({ "-config", "rules.xml", "-Version" }) << 0 << QByteArray("-Version\n")
        << QByteArray();
    QTest::newRow("doubled dash is a string")
        << utf8({ "-config", "rules.xml", "--help" }) << 0 << QByteArray("--help\n")
        << QByteArray();
    QTest::newRow("a word Qt itself knows is a string too")
        << utf8({ "-config", "rules.xml", "-qmljsdebugger=port:1" }) << 0
        << QByteArray("-qmljsdebugger=port:1\n") << QByteArray();
    QTest::newRow("a word Qt takes with the next one leaves both to the program")
        << utf8({ "-config", "rules.xml", "-qmljsdebugger", "/old/x" }) << 0
        << QByteArray("/new/x\n") << QByteArray();
    QTest::newRow("a word Qt knows with a doubled dash is a string too")
        << utf8({ "-config", "rules.xml", "--qmljsdebugger=port:1" }) << 0
        << QByteArray("--qmljsdebugger=port:1\n") << QByteArray();
    QTest::newRow("newline and tab pass through")
        << utf8({ "-config", "rules.xml", "a\tb\n/old/" }) << 0 << QByteArray("a\tb\n/new/\n")
        << QByteArray();
    QTest::newRow("two files join into one document")
        << utf8({ "-config", "part1.xml", "-config", "part2.xml", "c" }) << 0
        << QByteArray("d\n") << QByteArray();
    QTest::newRow("malformed config keeps the rules before the fault")
        << utf8({ "-config", "malformed.xml", "x" }) << 0 << QByteArray("y\n") << QByteArray();
    QTest::newRow("empty config file") << utf8({ "-config", "empty.xml", "x" }) << 0
                                       << QByteArray("x\n") << QByteArray();
}

void tst_Cli::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    runTool(arguments, exitCode, out, err);
}

void tst_Cli::unreadableFile()
{
    if (::geteuid() == 0)
        QSKIP("root opens a mode-000 file, so the case cannot be made here");
    const QString name = dir.path() + QLatin1String("/locked.xml");
    writeFile(name, "<replacement/>");
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
    COMPARE_RUN(run, exitCode, "", err);
}

// Characters beyond ASCII in the arguments, the result and a file name. On Windows the tool
// writes the ANSI code page (1252 under the suite's Wine) and refuses a result it cannot hold;
// elsewhere arguments and output are bytes, UTF-8 as given.
void tst_Cli::characters_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    const QString rules = QStringLiteral("accents.xml");
    const QString russianRules =
        QString::fromUtf8("\xd0\xbf\xd1\x80\xd0\xb0\xd0\xb2\xd0\xb8\xd0\xbb\xd0\xb0.xml");
    const QString cafe = QString::fromUtf8("caf\xc3\xa9");
    const QString beetle = QString::fromUtf8("\xd0\xb6\xd1\x83\xd0\xba");
    const QString shouting = QString::fromUtf8("/home/M\xc3\x9cLLER/Gr\xc3\xbc\xc3\x9f\x65");
    const QString missing = QString::fromUtf8("\xd0\xbd\xd0\xb5\xd1\x82.xml");
    const QByteArray outside =
        "Unable to write output: characters that the code page 1252 cannot hold\r\n";
    const QByteArray windowsUsage = QByteArray(usage).replace("\n", "\r\n");

    QTest::newRow("Windows: a rule matches a character of the code page")
        << true << QStringList { "-config", rules, cafe } << 0 << QByteArray("caf\x80\xfc\r\n")
        << QByteArray();
    QTest::newRow("Windows: a result outside the code page fails, never as ???")
        << true << QStringList { "-config", rules, beetle } << 1 << QByteArray() << outside;
    // Best fit would write "A" for it: another path.
    QTest::newRow("Windows: no best fit")
        << true << QStringList { "-config", rules, QString::fromUtf8("\xc4\x80") } << 1
        << QByteArray() << outside;
    QTest::newRow("Windows: a lone surrogate fails")
        << true << QStringList { "-config", rules, QString(QChar(0xd800)) + QLatin1Char('x') } << 1
        << QByteArray() << outside;
    QTest::newRow("Windows: a config name outside the code page opens")
        << true << QStringList { "-config", russianRules, cafe } << 0
        << QByteArray("caf\x80\xfc\r\n") << QByteArray();
    // A message is for a person: a character the code page cannot hold shows as '?'.
    QTest::newRow("Windows: a missing name outside the code page in the message")
        << true << QStringList { "-config", missing, cafe } << 22 << windowsUsage
        << QByteArray("Unable to open config file: ???.xml\r\n");

    QTest::newRow("Windows: a name in the code page in the message")
        << true << utf8({ "-config", "fehlt-\xc3\xa4.xml" }) << 22 << windowsUsage
        << QByteArray("Unable to open config file: fehlt-\xe4.xml\r\n");
    QTest::newRow("Windows: a rule in either case")
        << true << QStringList { "-config", "rules.xml", shouting } << 0
        << QByteArray("/home/Mueller/Gr\xfc\xdf\x65\r\n") << QByteArray();

    QTest::newRow("elsewhere: a name in the message")
        << false << utf8({ "-config", "fehlt-\xc3\xa4.xml" }) << 22 << usage
        << unreadable("fehlt-\xc3\xa4.xml");
    QTest::newRow("elsewhere: a rule in either case")
        << false << QStringList { "-config", "rules.xml", shouting } << 0
        << QByteArray("/home/Mueller/Gr\xc3\xbc\xc3\x9f\x65\n") << QByteArray();
    QTest::newRow("elsewhere: a rule matches a character")
        << false << QStringList { "-config", rules, cafe } << 0
        << QByteArray("caf\xe2\x82\xac\xc3\xbc\n") << QByteArray();
    QTest::newRow("elsewhere: every character comes out")
        << false << QStringList { "-config", rules, beetle } << 0
        << QByteArray("\xd0\xb6\xd1\x83\xd0\xba\n") << QByteArray();
    QTest::newRow("elsewhere: a config name in another script opens")
        << false << QStringList { "-config", russianRules, cafe } << 0
        << QByteArray("caf\xe2\x82\xac\xc3\xbc\n") << QByteArray();
    QTest::newRow("elsewhere: a missing name in another script in the message")
        << false << QStringList { "-config", missing, cafe } << 22 << usage
        << QByteArray("Unable to open config file: \xd0\xbd\xd0\xb5\xd1\x82.xml\n");
}

void tst_Cli::characters()
{
    QFETCH(bool, windows);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    SKIP_ROW_OF_OTHER_PLATFORM(windows);
    runTool(arguments, exitCode, out, err);
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
    QTest::newRow("regexp, group") << "C:/Projects/app/main.cpp"
                                   << QByteArray("/mnt/C/Projects/app/main.cpp\n");
    QTest::newRow("no rule") << "/usr/include/stdio.h" << QByteArray("/usr/include/stdio.h\n");
}

void tst_Cli::example()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, out);
    runTool({ QStringLiteral("-config"), QStringLiteral(KEVRAREPLACE_EXAMPLE), path }, 0, out,
            QByteArray());
}

void tst_Cli::runTool(const QStringList &arguments, int exitCode, const QByteArray &out,
                      const QByteArray &err)
{
    const ToolRun run = runProgram(QStringLiteral(KEVRAREPLACE_EXE), arguments, dir.path());
    COMPARE_RUN(run, exitCode, out, err);
}

QTEST_GUILESS_MAIN(tst_Cli)

#include "tst_cli.moc"
