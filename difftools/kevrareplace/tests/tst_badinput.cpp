// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "testutil.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Byte sequences that are not UTF-8, and a character that is, in strings and file names.
const struct
{
    const char *name;
    QByteArray bytes;
} byteForms[] = {
    { "stray continuation byte", "\x80" },
    { "Latin-1 byte", "\xe9" },
    { "0xff", "\xff" },
    { "truncated sequence", "\xe2\x82" },
    { "overlong form", "\xc0\xaf" },
    { "encoded surrogate", "\xed\xa0\x80" },
    { "valid 4-byte character", "\xf0\x9f\x98\x80" },
};

// Rule files around a piece of bad content: the rule before it is read, the one after it not.
QByteArray around(const QByteArray &bad, const QByteArray &prolog = QByteArray())
{
    return prolog + "<replacement><file path=\"/old/\" replacepath=\"/new/\"/>" + bad
        + "<file path=\"x\" replacepath=\"y\"/></replacement>";
}

QByteArray fileElement(const QByteArray &attributes) { return "<file " + attributes + "/>"; }

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
    void bytesInString_data();
    void bytesInString();
    void bytesInConfigName_data();
    void bytesInConfigName();
    void closedPipe();
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
    writeFile(dir.filePath(QStringLiteral("ab.xml")),
        ruleFile(fileElement("path=\"a\" replacepath=\"b\"")));
    const QByteArray fixed = fileElement("path=\"/old/\" replacepath=\"/new/\" cs=\"1\"");
    const QByteArray wildcard = fileElement("path=\".t?t\" replacepath=\".xml\" wildcard=\"1\"");
    const QByteArray regexp =
        fileElement("path=\"caf(.+)\\.txt\" replacepath=\"\\1-caf.txt\" regexp=\"1\"");
    writeFile(dir.filePath(QStringLiteral("fixed.xml")), ruleFile(fixed));
    writeFile(dir.filePath(QStringLiteral("wildcard.xml")), ruleFile(wildcard));
    writeFile(dir.filePath(QStringLiteral("regexp.xml")), ruleFile(regexp));
    writeFile(dir.filePath(QStringLiteral("all.xml")), ruleFile(fixed + wildcard + regexp));
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
    QTest::newRow("entity bomb, rule before it") << around(fileElement("path=\"&a9;\""), bomb)
                                                 << QByteArray("/old/x") << QByteArray("/new/x\n");
    QTest::newRow("entity bomb, rule after it")
        << around(fileElement("path=\"&a9;\""), bomb) << QByteArray("x") << QByteArray("x\n");
    QTest::newRow("external entity is not read")
        << around(fileElement("path=\"&e;\" replacepath=\"read\""),
               "<!DOCTYPE replacement [<!ENTITY e SYSTEM \"ab.xml\">]>")
        << QByteArray("x<replacement>") << QByteArray("x<replacement>\n");
    QTest::newRow("duplicate attribute, rule before it")
        << around(fileElement("path=\"x\" path=\"x\"")) << QByteArray("/old/x")
        << QByteArray("/new/x\n");
    QTest::newRow("duplicate attribute, rule after it")
        << around(fileElement("path=\"x\" path=\"x\"")) << QByteArray("x") << QByteArray("x\n");
    QTest::newRow("undeclared prefix")
        << around("<n:file path=\"x\"/>") << QByteArray("x") << QByteArray("x\n");
    QTest::newRow("NUL character reference")
        << around(fileElement("path=\"&#0;\"")) << QByteArray("x") << QByteArray("x\n");
}

void tst_BadInput::configFile()
{
    QFETCH(QByteArray, config);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, out);

    writeFile(dir.filePath(QStringLiteral("case.xml")), config);
    const ToolRun result =
        run({ QStringLiteral("-config"), QStringLiteral("case.xml"), QString::fromUtf8(input) });
    COMPARE_TEXT_RUN(result, 0, out, "");
}

void tst_BadInput::rule_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("out");

    const QByteArray next = fileElement("path=\"c\" replacepath=\"C\" cs=\"1\"");
    QTest::newRow("invalid regexp")
        << ruleFile(fileElement("path=\"(\" replacepath=\"X\" regexp=\"1\"") + next)
        << QByteArray("a(c") << QByteArray("a(C\n");
    QTest::newRow("invalid wildcard")
        << ruleFile(fileElement("path=\"[\" replacepath=\"X\" wildcard=\"1\"") + next)
        << QByteArray("a[c") << QByteArray("a[C\n");
    QTest::newRow("regexp nested too deep") << ruleFile(
        fileElement("path=\"" + QByteArray(20000, '(') + QByteArray(20000, ')')
            + "\" replacepath=\"X\" regexp=\"1\"")
        + next) << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp with too many groups") << ruleFile(
        fileElement("path=\"" + QByteArray("(a)").repeated(25000) + "\" regexp=\"1\"") + next)
                                                 << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp referring to group 18030")
        << ruleFile(fileElement("path=\"(l{1000}\\18030)+\" regexp=\"1\"") + next)
        << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp repeating without bound")
        << ruleFile(fileElement("path=\"((a{1000}){1000}){1000}\" regexp=\"1\"") + next)
        << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp with unterminated and empty counts")
        << ruleFile(fileElement("path=\"((a{}){1022{){44\" replacepath=\"x\" regexp=\"1\"") + next)
        << QByteArray("aac") << QByteArray("aaC\n");
    QTest::newRow("regexp with lookaheads read again") << ruleFile(
        fileElement("path=\"" + QByteArray("(?=").repeated(30) + "]\" regexp=\"1\"") + next)
                                                       << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp with lookaheads beyond the limit") << ruleFile(
        fileElement("path=\"" + QByteArray("(?=a)").repeated(14) + "a\" regexp=\"1\"") + next)
                                                             << QByteArray("abc")
                                                             << QByteArray("abC\n");
    QTest::newRow("regexp with a repeated back-reference beyond the limit")
        << ruleFile(fileElement("path=\"a2222\\8887{1000}\\\" regexp=\"1\"") + next)
        << QByteArray("abc") << QByteArray("abC\n");
    QTest::newRow("regexp with optional items linked") << ruleFile(
        fileElement("path=\"" + QByteArray("(?:a?){1000}").repeated(8) + "\" regexp=\"1\"") + next)
                                                       << QByteArray("abc") << QByteArray("abC\n");

    // As long as the string that it must match can be.
    const QByteArray longPattern(qMin(100000, longestArgument() - 1), 'a');
    const QByteArray longInput = longPattern + "b";
    for (const char *kind : { "cs=\"1\"", "wildcard=\"1\"", "regexp=\"1\"" }) {
        QTest::newRow(QByteArray(
            QByteArray::number(longPattern.size()) + "-character pattern, " + QByteArray(kind))
                          .constData())
            << ruleFile(fileElement("path=\"" + longPattern + "\" replacepath=\"X\" " + kind))
            << longInput << QByteArray("Xb\n");
    }
    QTest::newRow("back-references beyond the groups")
        << ruleFile(fileElement("path=\"(b)\" replacepath=\"[\\1\\2\\9]\" regexp=\"1\""))
        << QByteArray("abc") << QByteArray("a[b\\2\\9]c\n");
    QTest::newRow("expression matching the empty string")
        << ruleFile(fileElement("path=\"x*\" replacepath=\"-\" regexp=\"1\"")) << QByteArray("ab")
        << QByteArray("-a-b-\n");
}

void tst_BadInput::rule() { configFile(); }

void tst_BadInput::string_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("out");

    QTest::newRow("longest argument") << QString(longestArgument(), QLatin1Char('a'))
                                      << QByteArray(longestArgument(), 'b') + '\n';
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
    COMPARE_TEXT_RUN(result, 0, out, "");
}

// Bytes that are not UTF-8 come out as they came in.
void tst_BadInput::invalidUtf8Argument()
{
    SKIP_WITHOUT(ByteArguments);
    const ToolRun result = runProgram(QStringLiteral("/bin/sh"),
        { QStringLiteral("-c"),
            QStringLiteral("exec \"$0\" -config ab.xml \"$(printf 'x\\377a')\""),
            QStringLiteral(KEVRAREPLACE_EXE) },
        dir.path());
    COMPARE_RUN(result, 0, "x\377b\n", "");
}

// The rules match the text around such bytes, and the bytes come out as they came in, also
// where a rule moves them.
void tst_BadInput::bytesInString_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("out");

    for (const auto &form : byteForms) {
        const QByteArray name = form.name;
        const QByteArray &b = form.bytes;
        QTest::newRow((name + ", unmatched").constData())
            << QByteArray("all.xml") << "/x/" + b << "/x/" + b + '\n';
        QTest::newRow((name + ", fixed").constData())
            << QByteArray("fixed.xml") << "/old/caf" + b + ".txt"
            << "/new/caf" + b + ".txt\n";
        QTest::newRow((name + ", wildcard").constData())
            << QByteArray("wildcard.xml") << "/old/caf" + b + ".txt"
            << "/old/caf" + b + ".xml\n";
        QTest::newRow((name + ", regexp").constData())
            << QByteArray("regexp.xml") << "/old/caf" + b + ".txt"
            << "/old/" + b + "-caf.txt\n";
    }
}

void tst_BadInput::bytesInString()
{
    QFETCH(QByteArray, config);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, out);
    SKIP_WITHOUT(ByteArguments);
    const ToolRun result =
        runWithBytes(QStringLiteral(KEVRAREPLACE_EXE), { "-config", config, input }, dir.path());
    COMPARE_RUN(result, 0, out, "");
}

// The file named by exactly the bytes given is opened, and the message repeats them: a rule
// file of the tool, a case file of the companion's --test.
void tst_BadInput::bytesInConfigName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("caseFile");

    for (const auto &form : byteForms) {
        QTest::newRow((QByteArray(form.name) + ", present").constData())
            << "r" + form.bytes + ".xml" << true << false;
        QTest::newRow((QByteArray(form.name) + ", missing").constData())
            << "m" + form.bytes + ".xml" << false << false;
        QTest::newRow((QByteArray(form.name) + ", case file present").constData())
            << "c" + form.bytes + ".tsv" << true << true;
        QTest::newRow((QByteArray(form.name) + ", case file missing").constData())
            << "n" + form.bytes + ".tsv" << false << true;
    }
}

void tst_BadInput::bytesInConfigName()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, present);
    QFETCH(bool, caseFile);
    SKIP_WITHOUT(ByteArguments);
    // Made and removed by the bytes themselves: QFile, and so the temporary folder, would
    // encode the name as text.
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
    if (present) {
        QFile file;
        QVERIFY(file.open(::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600),
            QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        const QByteArray rules = ruleFile(fileElement("path=\"/old/\" replacepath=\"/new/\""));
        const QByteArray content = caseFile ? QByteArray("/old/x\t/new/x\n") : rules;
        QCOMPARE(file.write(content), qint64(content.size()));
    }
    if (caseFile) {
        writeFile(dir.filePath(QStringLiteral("cases.xml")),
            ruleFile(fileElement("path=\"/old/\" replacepath=\"/new/\"")));
        const ToolRun result = runWithBytes(QStringLiteral(KEVRAREPLACE_CHECK_EXE),
            { "-config", "cases.xml", "--test", name }, dir.path());
        QVERIFY(!present || ::unlink(path.constData()) == 0);
        if (present)
            COMPARE_RUN(result, 0, "", "1 case, 1 passed, 0 failed; the cases cover 1 of 1 rule\n");
        else
            COMPARE_RUN(result, 2, "", "Unable to open " + name + ": No such file or directory\n");
        return;
    }
    const ToolRun result =
        runWithBytes(QStringLiteral(KEVRAREPLACE_EXE), { "-config", name, "/old/x" }, dir.path());
    QVERIFY(!present || ::unlink(path.constData()) == 0);
    if (present)
        COMPARE_RUN(result, 0, "/new/x\n", "");
    else
        COMPARE_RUN(result, 22, usage, "Unable to open config file: " + name + '\n');
}

// A reader that went away ends the program by SIGPIPE, as any filter, with nothing reported.
// A FIFO holds the program on its configuration until its output has lost its reader.
void tst_BadInput::closedPipe()
{
    SKIP_WITHOUT(PosixShell);
    const ToolRun result = runProgram(QStringLiteral("/bin/sh"),
        { QStringLiteral("-c"),
            QStringLiteral("mkfifo out.fifo in.fifo && exec 4<>out.fifo"
                           " && { \"$0\" -config in.fifo -version >out.fifo 4<&- & }"
                           " && exec 5>in.fifo 4<&- && exec 5>&- && wait $!; echo $?"),
            QStringLiteral(KEVRAREPLACE_EXE) },
        dir.path());
    COMPARE_RUN(result, 0, "141\n", "");
}

void tst_BadInput::devNull()
{
    const ToolRun result = run({ QStringLiteral("-config"), nullDevice(), QStringLiteral("a") });
    // An empty configuration where the device is a file; elsewhere a name that does not exist.
    if (nullDeviceExists())
        COMPARE_TEXT_RUN(result, 0, "a\n", "");
    else
        COMPARE_TEXT_RUN(result, 22, usage, "Unable to open config file: NUL\n");
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

    const ToolRun result =
        run({ QStringLiteral("-config"), QStringLiteral("large.xml"), QStringLiteral("/last/a") },
            120000);
    COMPARE_TEXT_RUN(result, 0, "/found/a\n", "");
}

void tst_BadInput::fifoWithWriter()
{
    SKIP_WITHOUT(Fifo);
    const QString fifo = dir.filePath(QStringLiteral("fifo.xml"));
    QVERIFY(makeFifo(fifo));
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
    COMPARE_TEXT_RUN(result, 0, "f\n", "");
}

void tst_BadInput::linkToMissingFile()
{
    SKIP_WITHOUT(SymbolicLinks);
    QVERIFY(QFile::link(
        dir.filePath(QStringLiteral("missing.xml")), dir.filePath(QStringLiteral("link.xml"))));
    const ToolRun result =
        run({ QStringLiteral("-config"), QStringLiteral("link.xml"), QStringLiteral("a") });
    COMPARE_TEXT_RUN(result, 22, usage, "Unable to open config file: link.xml\n");
}

QTEST_GUILESS_MAIN(tst_BadInput)

#include "tst_badinput.moc"
