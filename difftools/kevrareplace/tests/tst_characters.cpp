// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "testutil.h"
#include "windowsrows.h"

// Characters beyond ASCII crossing the boundary of both programs: arguments, file names and
// output.
class tst_Characters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void tool_data();
    void tool();
    void ruleRecords_data();
    void ruleRecords();

private:
    QTemporaryDir dir;
};

void tst_Characters::initTestCase()
{
    QVERIFY(dir.isValid());
    const QByteArray accents =
        "<replacement><file path=\"\xc3\xa9\" replacepath=\"\xe2\x82\xac\xc3\xbc\"/>"
        "<file path=\"M\xc3\xbcller\" replacepath=\"Mueller\"/></replacement>";
    writeFile(dir.filePath(QStringLiteral("accents.xml")), accents);
    writeFile(dir.filePath(QString::fromUtf8(
                  "\xd0\xbf\xd1\x80\xd0\xb0\xd0\xb2\xd0\xb8\xd0\xbb\xd0\xb0.xml")),
        accents);
}

// Characters beyond ASCII in the arguments, the result and a file name. On Windows the tool
// writes the ANSI code page (1252 under the suite's Wine) and refuses a result it cannot hold;
// elsewhere arguments and output are bytes, UTF-8 as given.
void tst_Characters::tool_data()
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
        << true << QStringList { "-config", rules, shouting } << 0
        << QByteArray("/home/Mueller/Gr\xfc\xdf\x65\r\n") << QByteArray();

    QTest::newRow("elsewhere: a name in the message")
        << false << utf8({ "-config", "fehlt-\xc3\xa4.xml" }) << 22 << usage
        << unreadable("fehlt-\xc3\xa4.xml");
    QTest::newRow("elsewhere: a rule in either case")
        << false << QStringList { "-config", rules, shouting } << 0
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

void tst_Characters::tool()
{
    QFETCH(bool, windows);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    SKIP_ROW_OF_OTHER_PLATFORM(windows);
    COMPARE_RUN(
        runProgram(QStringLiteral(KEVRAREPLACE_EXE), arguments, dir.path()), exitCode, out, err);
}

// Rule records are data: on Windows they are written in the ANSI code page (1252 under the
// suite's Wine) or not at all; elsewhere as UTF-8.
void tst_Characters::ruleRecords_data()
{
    QTest::addColumn<bool>("windows");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    const QString french = QString::fromUtf8("r\xc3\xa8gles.xml");
    const QString russian =
        QString::fromUtf8("\xd0\xbf\xd1\x80\xd0\xb0\xd0\xb2\xd0\xb8\xd0\xbb\xd0\xb0.xml");
    QTest::newRow("Windows: a name and rule in the code page")
        << true << french << 0 << QByteArray("r\xe8gles.xml:1:14\tfixed\tci\t\xe9\t\x80\xfc\r\n")
        << QByteArray();
    QTest::newRow("Windows: a name outside the code page is not written as ???")
        << true << russian << 2 << QByteArray()
        << QByteArray("Unable to write output: characters that the code page 1252 cannot hold\r\n");
    QTest::newRow("elsewhere: a name in another script")
        << false << russian << 0
        << QByteArray(
               "\xd0\xbf\xd1\x80\xd0\xb0\xd0\xb2\xd0\xb8\xd0\xbb\xd0\xb0.xml:1:14\tfixed\tci\t"
               "\xc3\xa9\t\xe2\x82\xac\xc3\xbc\n")
        << QByteArray();
}

void tst_Characters::ruleRecords()
{
    QFETCH(bool, windows);
    QFETCH(QString, name);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    SKIP_ROW_OF_OTHER_PLATFORM(windows);
    writeFile(dir.filePath(name),
        "<replacement><file path=\"\xc3\xa9\" "
        "replacepath=\"\xe2\x82\xac\xc3\xbc\"/></replacement>");
    const QStringList arguments { QStringLiteral("-config"), name, QStringLiteral("--rules") };
    COMPARE_RUN(runProgram(QStringLiteral(KEVRAREPLACE_CHECK_EXE), arguments, dir.path()), exitCode,
        out, err);
}

QTEST_GUILESS_MAIN(tst_Characters)

#include "tst_characters.moc"
