// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "testutil.h"

#include <sys/stat.h>

namespace {

// Rule files around a piece of bad content: the rule before it is read, the one after it not.
QByteArray around(const QByteArray &bad, const QByteArray &prolog = QByteArray())
{
    return prolog + "<replacement><file path=\"/old/\" replacepath=\"/new/\"/>" + bad
        + "<file path=\"x\" replacepath=\"y\"/></replacement>";
}

QByteArray fileElement(const QByteArray &attributes)
{
    return "<file " + attributes + "/>";
}

QByteArray ruleFile(const QByteArray &content)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><replacement>" + content + "</replacement>";
}

} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void configFile_data();
    void configFile();
    void rule_data();
    void rule();
    void string_data();
    void string();
    void invalidUtf8Argument();
    void devNull();
    void largeConfig();
    void fifoWithWriter();
    void linkToMissingFile();

private:
    ToolRun run(const QStringList &arguments, int timeout = 10000);
    QTemporaryDir dir;
};

void tst_BadInput::initTestCase()
{
    QVERIFY(dir.isValid());
    writeFile(dir.filePath(QStringLiteral("ab.xml")), ruleFile(fileElement("path=\"a\" replacepath=\"b\"")));
}

ToolRun tst_BadInput::run(const QStringList &arguments, int timeout)
{
    return runProgram(QStringLiteral(KEVRAREPLACE_EXE), arguments, dir.path(), timeout);
}

// Bad configuration files are never reported: reading stops at the fault and keeps the rules
// read before it.
void tst_BadInput::configFile_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("out");

    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919 + 13) % 256);
    QTest::newRow("empty") << QByteArray() << QByteArray("/old/x") << QByteArray("/old/x\n");
    QTest::newRow("binary garbage") << garbage << QByteArray("/old/x") << QByteArray("/old/x\n");
    QTest::newRow("UTF-8 byte-order mark")
        << "\xef\xbb\xbf" + around(QByteArray()) << QByteArray("x") << QByteArray("y\n");
    QByteArray utf16("\xff\xfe");
    for (const char c : around(QByteArray()))
        utf16 += QByteArray(1, c) + '\0';
    QTest::newRow("UTF-16 with byte-order mark") << utf16 << QByteArray("x") << QByteArray("y\n");
    QTest::newRow("invalid UTF-8: nothing is read")
        << around(fileElement("path=\"\xff\""), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
        << QByteArray("/old/x") << QByteArray("/old/x\n");
    QTest::newRow("unknown encoding: nothing is read")
        << around(QByteArray(), "<?xml version=\"1.0\" encoding=\"x-none\"?>")
        << QByteArray("/old/x") << QByteArray("/old/x\n");

    const QByteArray deep = QByteArray("<a>").repeated(100000) + around(QByteArray())
        + QByteArray("</a>").repeated(100000);
    QTest::newRow("100,000 nested elements") << deep << QByteArray("x") << QByteArray("y\n");

    QByteArray bomb = "<!DOCTYPE replacement [<!ENTITY a0 \"aaaaaaaaaa\">";
    for (int i = 1; i < 10; ++i)
        bomb += "<!ENTITY a" + QByteArray::number(i) + " \""
            + ("&a" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
    bomb += "]>";
    QTest::newRow("entity bomb, rule before it")
        << around(fileElement("path=\"&a9;\""), bomb) << QByteArray("/old/x") << QByteArray("/new/x\n");
    QTest::newRow("entity bomb, rule after it")
        << around(fileElement("path=\"&a9;\""), bomb) << QByteArray("x") << QByteArray("x\n");
    QTest::newRow("external entity is not read")
        << around(fileElement("path=\"&e;\" replacepath=\"read\""),
                  "<!DOCTYPE replacement [<!ENTITY e SYSTEM \"ab.xml\">]>")
        << QByteArray("x<replacement>") << QByteArray("x<replacement>\n");
    QTest::newRow("duplicate attribute, rule before it")
        << around(fileElement("path=\"x\" path=\"x\"")) << QByteArray("/old/x") << QByteArray("/new/x\n");
    QTest::newRow("duplicate attribute, rule after it")
        << around(fileElement("path=\"x\" path=\"x\"")) << QByteArray("x") << QByteArray("x\n");
    QTest::newRow("undeclared prefix") << around("<n:file path=\"x\"/>") << QByteArray("x")
                                       << QByteArray("x\n");
    QTest::newRow("NUL character reference") << around(fileElement("path=\"&#0;\"")) << QByteArray("x")
                                             << QByteArray("x\n");
}

void tst_BadInput::configFile()
{
    QFETCH(QByteArray, config);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, out);

    writeFile(dir.filePath(QStringLiteral("case.xml")), config);
    const ToolRun result =
        run({ QStringLiteral("-config"), QStringLiteral("case.xml"), QString::fromUtf8(input) });
    COMPARE_RUN(result, 0, out, "");
}

void tst_BadInput::rule_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("out");

    const QByteArray next = fileElement("path=\"c\" replacepath=\"C\" cs=\"1\"");
    QTest::newRow("invalid regexp") << ruleFile(fileElement("path=\"(\" replacepath=\"X\" regexp=\"1\"") + next)
                                    << QByteArray("a(c") << QByteArray("a(C\n");
    QTest::newRow("invalid wildcard")
        << ruleFile(fileElement("path=\"[\" replacepath=\"X\" wildcard=\"1\"") + next) << QByteArray("a[c")
        << QByteArray("a[C\n");
    QTest::newRow("regexp nested too deep")
        << ruleFile(fileElement("path=\"" + QByteArray(20000, '(') + QByteArray(20000, ')')
                      + "\" replacepath=\"X\" regexp=\"1\"")
                 + next)
        << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp with too many groups")
        << ruleFile(fileElement("path=\"" + QByteArray("(a)").repeated(25000) + "\" regexp=\"1\"") + next)
        << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp referring to group 18030")
        << ruleFile(fileElement("path=\"(l{1000}\\18030)+\" regexp=\"1\"") + next)
        << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp repeating without bound")
        << ruleFile(fileElement("path=\"((a{1000}){1000}){1000}\" regexp=\"1\"") + next) << QByteArray("abc")
        << QByteArray("abC\n");
    QTest::newRow("regexp with unterminated and empty counts")
        << ruleFile(fileElement("path=\"((a{}){1022{){44\" replacepath=\"x\" regexp=\"1\"") + next)
        << QByteArray("aac") << QByteArray("aaC\n");
    QTest::newRow("regexp with lookaheads read again")
        << ruleFile(fileElement("path=\"" + QByteArray("(?=").repeated(30) + "]\" regexp=\"1\"") + next)
        << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp with optional items linked")
        << ruleFile(fileElement("path=\"" + QByteArray("(?:a?){1000}").repeated(8) + "\" regexp=\"1\"") + next)
        << QByteArray("abc") << QByteArray("abC\n");

    const QByteArray longPattern(100000, 'a');
    const QByteArray longInput = longPattern + "b";
    for (const char *kind : { "cs=\"1\"", "wildcard=\"1\"", "regexp=\"1\"" }) {
        QTest::newRow(QByteArray("100,000-character pattern, " + QByteArray(kind)).constData())
            << ruleFile(fileElement("path=\"" + longPattern + "\" replacepath=\"X\" " + kind))
            << longInput << QByteArray("Xb\n");
    }
    QTest::newRow("back-references beyond the groups")
        << ruleFile(fileElement("path=\"(b)\" replacepath=\"[\\1\\2\\9]\" regexp=\"1\"")) << QByteArray("abc")
        << QByteArray("a[b\\2\\9]c\n");
    QTest::newRow("expression matching the empty string")
        << ruleFile(fileElement("path=\"x*\" replacepath=\"-\" regexp=\"1\"")) << QByteArray("ab")
        << QByteArray("-a-b-\n");
}

void tst_BadInput::rule()
{
    configFile();
}

void tst_BadInput::string_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("out");

    // The longest single argument Linux passes: 128 KiB with the terminating NUL.
    QTest::newRow("128 KiB argument") << QString(131071, QLatin1Char('a'))
                                      << QByteArray(131071, 'b') + '\n';
    QTest::newRow("double dash") << "--" << QByteArray("--\n");
    QTest::newRow("single dash") << "-" << QByteArray("-\n");
    QTest::newRow("option in other case") << "-Version" << QByteArray("-Version\n");
    QTest::newRow("control characters") << "\x01\x1b[0m\r" << QByteArray("\x01\x1b[0m\r\n");
}

void tst_BadInput::string()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, out);
    const ToolRun result = run({ QStringLiteral("-config"), QStringLiteral("ab.xml"), input });
    COMPARE_RUN(result, 0, out, "");
}

// Bytes that are not UTF-8 come out as replacement characters.
void tst_BadInput::invalidUtf8Argument()
{
    const ToolRun result =
        runProgram(QStringLiteral("/bin/sh"),
                   { QStringLiteral("-c"),
                     QStringLiteral("exec \"$0\" -config ab.xml \"$(printf 'x\\377a')\""),
                     QStringLiteral(KEVRAREPLACE_EXE) },
                   dir.path());
    COMPARE_RUN(result, 0, "x\xef\xbf\xbd" "b\n", "");
}

void tst_BadInput::devNull()
{
    const ToolRun result =
        run({ QStringLiteral("-config"), QStringLiteral("/dev/null"), QStringLiteral("a") });
    COMPARE_RUN(result, 0, "a\n", "");
}

// 500,000 rules in about 50 MB, of which only the last one matches.
void tst_BadInput::largeConfig()
{
    QByteArray config = "<?xml version=\"1.0\"?>\n<replacement>\n";
    config.reserve(52 * 1000 * 1000);
    const QByteArray padding(56, 'p');
    for (int i = 0; i < 499999; ++i)
        config += "<file path=\"/" + padding + QByteArray::number(i)
            + "/\" replacepath=\"/x/\" cs=\"1\"/>\n";
    config += "<file path=\"/last/\" replacepath=\"/found/\" cs=\"1\"/>\n</replacement>\n";
    QVERIFY(config.size() > 50 * 1000 * 1000);
    writeFile(dir.filePath(QStringLiteral("large.xml")), config);

    const ToolRun result = run(
        { QStringLiteral("-config"), QStringLiteral("large.xml"), QStringLiteral("/last/a") },
        120000);
    COMPARE_RUN(result, 0, "/found/a\n", "");
}

void tst_BadInput::fifoWithWriter()
{
    const QString fifo = dir.filePath(QStringLiteral("fifo.xml"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QProcess writer;
    writer.start(QStringLiteral("/bin/sh"),
                 { QStringLiteral("-c"),
                   QStringLiteral("printf '<replacement><file path=\"a\" replacepath=\"f\"/>"
                                  "</replacement>' > \"$0\""),
                   fifo });
    QVERIFY(writer.waitForStarted(5000));
    const ToolRun result =
        run({ QStringLiteral("-config"), QStringLiteral("fifo.xml"), QStringLiteral("a") });
    QVERIFY(writer.waitForFinished(5000));
    COMPARE_RUN(result, 0, "f\n", "");
}

void tst_BadInput::linkToMissingFile()
{
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("missing.xml")),
                        dir.filePath(QStringLiteral("link.xml"))));
    const ToolRun result =
        run({ QStringLiteral("-config"), QStringLiteral("link.xml"), QStringLiteral("a") });
    COMPARE_RUN(result, 22, usage, "Unable to open config file: link.xml\n");
}

QTEST_GUILESS_MAIN(tst_BadInput)

#include "tst_badinput.moc"
