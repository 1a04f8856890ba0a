// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "config/d_replacestreamreader.h"

#include <QtTest>

namespace {

// One entry as "path|replacepath|RCW", the flags as 0 or 1 in field order.
QStringList describe(const QVector<FileEntry> &entries)
{
    QStringList described;
    for (const FileEntry &e : entries)
        described << e.path + QLatin1Char('|') + e.replacepath + QLatin1Char('|')
                + QLatin1Char(e.regexp ? '1' : '0') + QLatin1Char(e.cs ? '1' : '0')
                + QLatin1Char(e.wildcard ? '1' : '0');
    return described;
}

QStringList readAll(const QByteArrayList &pieces)
{
    D_ReplaceStreamReader reader;
    for (const QByteArray &piece : pieces)
        reader.addData(piece);
    reader.read();
    return describe(reader.entries());
}

} // namespace

class tst_Config : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void walk_data();
    void walk();
    void flags_data();
    void flags();
    void pieces_data();
    void pieces();
    void readResumesWhereItStopped();
    void readResumesWithMoreData();
    void largeInput();
    void outsideStreamReader();
    void entriesEqualByEveryField();
};

void tst_Config::walk_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three empty files in order") << QByteArray(
        "<?xml version=\"1.0\"?><replacement><file path=\"a\" replacepath=\"1\"/>"
        "<file path=\"b\" replacepath=\"2\"/><file path=\"c\" replacepath=\"3\"/>"
        "</replacement>") << QStringList { "a|1|000", "b|2|000", "c|3|000" };
    QTest::newRow("attributes read, flags in field order")
        << QByteArray("<replacement><file path=\"p\" replacepath=\"r\" regexp=\"1\"/>"
                      "<file path=\"p\" replacepath=\"r\" cs=\"1\"/>"
                      "<file path=\"p\" replacepath=\"r\" wildcard=\"1\"/></replacement>")
        << QStringList { "p|r|100", "p|r|010", "p|r|001" };
    QTest::newRow("file without attributes")
        << QByteArray("<replacement><file/></replacement>") << QStringList { "||000" };
    QTest::newRow("texts kept as written, entities resolved") << QByteArray(
        "<replacement><file path=\" a&amp;b \" replacepath=\"&#x41;&lt;\"/>"
        "</replacement>") << QStringList { " a&b |A<|000" };
    QTest::newRow("other attributes ignored")
        << QByteArray("<replacement id=\"x\"><file name=\"n\" path=\"a\"/></replacement>")
        << QStringList { "a||000" };
    // How an editor is pointed at the schema: the same rules as without it.
    QTest::newRow("schema location on the root, a schema attribute on a file")
        << QByteArray("<replacement xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                      "xsi:noNamespaceSchemaLocation=\"kevrareplace.xsd\"><file path=\"a\" "
                      "replacepath=\"b\" cs=\"1\" xsi:type=\"rule\"/></replacement>")
        << QStringList { "a|b|010" };
    QTest::newRow("comments, text and processing instructions passed over")
        << QByteArray("<!DOCTYPE replacement><replacement>text<!-- c --><?pi x?>"
                      "<file path=\"a\">only text</file> <file path=\"b\"/></replacement>")
        << QStringList { "a||000", "b||000" };

    QTest::newRow("replacements inside another root")
        << QByteArray("<root><replacement><file path=\"a\"/></replacement>"
                      "<replacement><file path=\"b\"/></replacement></root><!-- after -->")
        << QStringList { "a||000", "b||000" };
    QTest::newRow("replacement nested deeper")
        << QByteArray("<root><group><replacement><file path=\"a\"/></replacement></group></root>")
        << QStringList { "a||000" };
    QTest::newRow("replacement matched by local name")
        << QByteArray("<n:replacement xmlns:n=\"urn:x\"><n:file path=\"a\"/></n:replacement>")
        << QStringList { "a||000" };
    QTest::newRow("empty element before replacement ends the walk")
        << QByteArray("<root><empty/><replacement><file path=\"a\"/></replacement></root>")
        << QStringList();
    QTest::newRow("file outside replacement gives nothing and ends the walk") << QByteArray(
        "<root><file path=\"a\"/><replacement><file path=\"b\"/></replacement></root>")
                                                                              << QStringList();
    QTest::newRow("foreign element inside replacement ends it") << QByteArray(
        "<replacement><file path=\"a\"/><other/><file path=\"b\"/>"
        "<file path=\"c\"/></replacement>") << QStringList { "a||000" };
    QTest::newRow("files inside a group inside replacement") << QByteArray(
        "<replacement><group><file path=\"a\"/><file path=\"b\"/></group>"
        "<file path=\"c\"/></replacement>") << QStringList { "a||000", "b||000" };
    // The child's end tag ends the file's walk; the rest of the file's content is then walked as
    // if it stood in replacement, and the file's own end tag ends that walk.
    QTest::newRow("file with a child element") << QByteArray(
        "<replacement><file path=\"a\"><child/><file path=\"x\"/></file>"
        "<file path=\"b\"/></replacement>") << QStringList { "a||000", "x||000" };
    QTest::newRow("file nested as first child of a file") << QByteArray(
        "<replacement><file path=\"a\"><file path=\"b\"/></file>"
        "<file path=\"c\"/></replacement>") << QStringList { "a||000" };
    QTest::newRow("names differ in case")
        << QByteArray("<root><Replacement><file path=\"a\"/></Replacement><replacement>"
                      "<File path=\"b\"/></replacement></root>")
        << QStringList();
    QTest::newRow("attribute names differ in case or carry a prefix") << QByteArray(
        "<replacement xmlns:n=\"urn:x\"><file PATH=\"a\" Replacepath=\"b\" "
        "CS=\"1\" n:regexp=\"1\" wildCard=\"1\"/></replacement>") << QStringList { "||000" };

    QTest::newRow("empty input") << QByteArray() << QStringList();
    QTest::newRow("not XML") << QByteArray("path=a replacepath=b\n") << QStringList();
    QTest::newRow("no replacement element")
        << QByteArray("<rules><file path=\"a\"/></rules>") << QStringList();
    QTest::newRow("cut off inside a start tag")
        << QByteArray("<replacement><file path=\"a\"/><file path=\"b\"></file><file path=\"c")
        << QStringList { "a||000", "b||000" };
    QTest::newRow("cut off after a start tag")
        << QByteArray("<replacement><file path=\"a\"/><file path=\"b\">")
        << QStringList { "a||000", "b||000" };
    QTest::newRow("malformed start tag gives no record") << QByteArray(
        "<replacement><file path=\"a\"/><file path=\"b\" path=\"c\"/>"
        "<file path=\"d\"/></replacement>") << QStringList { "a||000" };
    QTest::newRow("mismatched end tag stops reading")
        << QByteArray("<replacement><file path=\"a\"></fil><file path=\"b\"/></replacement>")
        << QStringList { "a||000" };
    QTest::newRow("undeclared prefix stops reading")
        << QByteArray("<replacement><file path=\"a\"/><x:file path=\"b\"/></replacement>")
        << QStringList { "a||000" };
    QTest::newRow("external entity is not read")
        << QByteArray("<!DOCTYPE r [<!ENTITY e SYSTEM \"/etc/hostname\">]>"
                      "<replacement><file path=\"a\"/><file path=\"&e;\"/></replacement>")
        << QStringList { "a||000" };
    const QString utf16Text = QString::fromUtf8("<replacement><file path=\"\xc3\xbc\"/>");
    QByteArray utf16("\xff\xfe"); // little-endian byte-order mark, then the text as it follows
    for (const QChar c : utf16Text)
        utf16 += char(c.unicode() & 0xff) + QByteArray(1, char(c.unicode() >> 8));
    QTest::newRow("UTF-16 with byte-order mark")
        << utf16 << QStringList { QString::fromUtf8("\xc3\xbc||000") };
}

void tst_Config::walk()
{
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, expected);
    QCOMPARE(readAll({ xml }), expected);
}

void tst_Config::flags_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("expected");

    QTest::newRow("1") << "1" << true;
    QTest::newRow("2") << "2" << true;
    QTest::newRow("-1") << "-1" << true;
    QTest::newRow("+1") << "+1" << true;
    QTest::newRow("surrounding blanks") << " 1 " << true;
    QTest::newRow("leading zeros") << "007" << true;
    QTest::newRow("int minimum") << "-2147483648" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("-0") << "-0" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("true") << "true" << false;
    QTest::newRow("yes") << "yes" << false;
    QTest::newRow("1.0") << "1.0" << false;
    QTest::newRow("0x1") << "0x1" << false;
    QTest::newRow("1 trailing word") << "1 x" << false;
    QTest::newRow("beyond int") << "2147483648" << false;
    QTest::newRow("far beyond int") << "99999999999999999999" << false;
}

void tst_Config::flags()
{
    QFETCH(QString, value);
    QFETCH(bool, expected);

    for (const char *attribute : { "regexp", "cs", "wildcard" }) {
        const QByteArray xml = "<replacement><file " + QByteArray(attribute) + "=\""
            + value.toUtf8() + "\"/></replacement>";
        D_ReplaceStreamReader reader;
        reader.addData(xml);
        reader.read();
        QCOMPARE(reader.entries().size(), 1);
        const FileEntry &entry = reader.entries().first();
        const bool isRegexp = qstrcmp(attribute, "regexp") == 0;
        const bool isCs = qstrcmp(attribute, "cs") == 0;
        const bool isWildcard = qstrcmp(attribute, "wildcard") == 0;
        QCOMPARE(entry.regexp, isRegexp && expected);
        QCOMPARE(entry.cs, isCs && expected);
        QCOMPARE(entry.wildcard, isWildcard && expected);
    }
}

void tst_Config::pieces_data()
{
    QTest::addColumn<QByteArrayList>("pieces");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one document split inside a tag")
        << QByteArrayList { "<replacement><file pa", "th=\"a\"/><file path=\"b\"/></replacement>" }
        << QStringList { "a||000", "b||000" };
    QTest::newRow("two complete documents: only the first is read") << QByteArrayList {
        "<?xml version=\"1.0\"?><replacement><file path=\"a\"/></replacement>\n",
        "<?xml version=\"1.0\"?><replacement><file path=\"b\"/></replacement>\n"
    } << QStringList { "a||000" };
    QTest::newRow("two documents under other roots: only the first is read")
        << QByteArrayList { "<r><replacement><file path=\"a\"/></replacement>",
               "</r><r><replacement><file path=\"b\"/></replacement></r>" }
        << QStringList { "a||000" };
}

void tst_Config::pieces()
{
    QFETCH(QByteArrayList, pieces);
    QFETCH(QStringList, expected);
    QCOMPARE(readAll(pieces), expected);
}

void tst_Config::readResumesWhereItStopped()
{
    D_ReplaceStreamReader reader;
    reader.addData("<root><replacement><file path=\"a\"/></replacement><x/>"
                   "<replacement><file path=\"b\"/></replacement></root>");
    reader.read(); // returns on the end tag of <x/>
    QCOMPARE(describe(reader.entries()), QStringList { "a||000" });
    reader.read(); // goes on from there and keeps what it had
    QCOMPARE(describe(reader.entries()), (QStringList { "a||000", "b||000" }));
}

void tst_Config::readResumesWithMoreData()
{
    D_ReplaceStreamReader reader;
    reader.addData("<replacement><file path=\"a\"/><file pa");
    reader.read(); // returns at the end of the bytes it has
    QCOMPARE(describe(reader.entries()), QStringList { "a||000" });
    // A new read is the outermost walk again: it passes over the file element it finds.
    reader.addData("th=\"b\"/></replacement><replacement><file path=\"c\"/></replacement>");
    reader.read();
    QCOMPARE(describe(reader.entries()), QStringList { "a||000" });
}

// Inputs far larger than the pieces the input is read in, given in pieces of odd sizes.
void tst_Config::largeInput()
{
    QByteArray xml = "<?xml version=\"1.0\"?><replacement>";
    for (int i = 0; i < 20000; ++i)
        xml += "<file path=\"/p" + QByteArray::number(i) + "/\" replacepath=\"/r/\" cs=\"1\"/>\n";
    xml += "</replacement>";
    QVERIFY(xml.size() > 4 * 64 * 1024);

    D_ReplaceStreamReader reader;
    for (int at = 0; at < xml.size(); at += 100003)
        reader.addData(xml.mid(at, 100003));
    reader.read();
    const QVector<FileEntry> &entries = reader.entries();
    QCOMPARE(entries.size(), 20000);
    for (int i : { 0, 1, 9999, 19999 }) {
        QCOMPARE(entries.at(i).path, QStringLiteral("/p%1/").arg(i));
        QCOMPARE(entries.at(i).replacepath, QStringLiteral("/r/"));
        QVERIFY(entries.at(i).cs);
    }
}

void tst_Config::outsideStreamReader()
{
    QXmlStreamReader outside;
    outside.addData(QByteArray("<replacement><file path=\"outside\"/></replacement>"));
    {
        D_ReplaceStreamReader reader(&outside);
        // addData always feeds the reader's own stream reader, which read does not walk here.
        reader.addData("<replacement><file path=\"own\"/></replacement>");
        reader.read();
        QCOMPARE(describe(reader.entries()), QStringList { "outside||000" });
    }
    // Still its owner's to use once the reader is gone.
    outside.clear();
    outside.addData(QByteArray("<a/>"));
    QCOMPARE(outside.readNext(), QXmlStreamReader::StartDocument);
}

// Rules are told apart by every field, and equal ones hash alike.
void tst_Config::entriesEqualByEveryField()
{
    const FileEntry rule { QStringLiteral("/a/"), QStringLiteral("/b/"), false, true, false };
    const FileEntry same { QStringLiteral("/a/"), QStringLiteral("/b/"), false, true, false };
    QVERIFY(rule == same);
    QCOMPARE(qHash(rule, 7), qHash(same, 7));
    const QVector<FileEntry> others = {
        { QStringLiteral("/a"), QStringLiteral("/b/"), false, true, false },
        { QStringLiteral("/a/"), QStringLiteral("/b"), false, true, false },
        { QStringLiteral("/a/"), QStringLiteral("/b/"), true, true, false },
        { QStringLiteral("/a/"), QStringLiteral("/b/"), false, false, false },
        { QStringLiteral("/a/"), QStringLiteral("/b/"), false, true, true },
    };
    for (const FileEntry &other : others)
        QVERIFY(rule != other);
}

QTEST_APPLESS_MAIN(tst_Config)

#include "tst_config.moc"
