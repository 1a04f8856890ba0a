// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/lint.h"
#include "check/modes/rulefilecheck.h"
#include "check/writers/rulesformat.h"
#include "lintfiles.h"

#include <QtTest>

// What the companion reads in small rule files: the findings of check mode, each row naming
// them (id and place) in their order, and the records of --rules.
class tst_Lint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findings_data();
    void findings();
    void rules_data();
    void rules();
};

// A rule file of tests/data, shared with the schema's test: the traps it must refuse too.
static QByteArray dataFile(const char *name)
{
    QFile file(QStringLiteral(KEVRAREPLACE_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_Lint::findings_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("expected"); // "ID FILE:LINE:COLUMN", in output order

    QTest::newRow("clean: the example")
        << Files { dataFile("../../examples/paths.xml") } << QStringList();
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
    QTest::newRow("second-document") << Files { ruleFile("<file path=\"a\" replacepath=\"b\"/>\n"),
        ruleFile("<file path=\"c\" replacepath=\"d\"/>\n") }
                                     << QStringList { "second-document 2.xml:1:1" };
    QTest::newRow("two files joined into one document")
        << Files { "<replacement>\n", "<file path=\"a\" replacepath=\"b\"/>\n</replacement>\n" }
        << QStringList();
    QTest::newRow("invalid-expression")
        << Files { ruleFile("<file path=\"(\" replacepath=\"b\" regexp=\"1\"/>\n"
                            "<file path=\""
               + QByteArray("(").repeated(300) + "a" + QByteArray(")").repeated(300)
               + "\" replacepath=\"b\" regexp=\"1\"/>\n") }
        << QStringList { "invalid-expression 1.xml:3:1", "invalid-expression 1.xml:4:1" };
    // Constructs of other engines, each at its rule; the same characters where the library
    // takes them, or invalid for another reason, are no such construct.
    QTest::newRow("lazy-quantifier, inline-flag, lookbehind, named-group")
        << Files { ruleFile("<file path=\"a.*?b\" regexp=\"1\"/>\n<file path=\"a{2}+\" "
                            "regexp=\"1\"/>\n<file path=\"x(?i)y\" regexp=\"1\"/>\n<file "
                            "path=\"(?&lt;!x)a\" regexp=\"1\"/>\n<file path=\"(?&lt;n&gt;a)\" "
                            "regexp=\"1\"/>\n<file path=\"(?P=n)\" regexp=\"1\"/>\n") }
        << QStringList { "lazy-quantifier 1.xml:3:1", "lazy-quantifier 1.xml:4:1",
               "inline-flag 1.xml:5:1", "lookbehind 1.xml:6:1", "named-group 1.xml:7:1",
               "named-group 1.xml:8:1" };
    QTest::newRow("no foreign construct: the library's own, or invalid otherwise")
        << Files { ruleFile("<file path=\"[a*?]\\?[?](?:a)(?=a)(?!b)\" replacepath=\"x\" "
                            "regexp=\"1\"/>\n<file path=\"a**\" regexp=\"1\"/>\n<file "
                            "path=\"(*a.*?\" regexp=\"1\"/>\n<file path=\"(?=x).*?\" "
                            "regexp=\"1\"/>\n<file path=\")(?i)\" regexp=\"1\"/>\n") }
        << QStringList { "invalid-expression 1.xml:4:1", "invalid-expression 1.xml:5:1",
               "invalid-expression 1.xml:6:1", "invalid-expression 1.xml:7:1" };
    QTest::newRow("dollar-group: only for a group the expression has")
        << Files { ruleFile("<file path=\"(a)\" replacepath=\"$2$1\" regexp=\"1\"/>\n"
                            "<file path=\"b\" replacepath=\"$1\" regexp=\"1\"/>\n<file "
                            "path=\"(c)\" replacepath=\"$1\"/>\n") }
        << QStringList { "dollar-group 1.xml:3:1" };
    // The raw character's own place, not where the reader stopped after it; a reference
    // written right is no raw '&', whatever the reader says of it.
    QTest::newRow("xml-error: raw & in an attribute")
        << Files { ruleFile("<file path=\"R&D\" replacepath=\"b\"/>\n") }
        << QStringList { "no-rules 1.xml:1:1", "rule-not-read 1.xml:3:1", "xml-error 1.xml:3:14" };
    QTest::newRow("xml-error: raw < in an attribute")
        << Files { ruleFile("<file path='a<b'/>\n") }
        << QStringList { "no-rules 1.xml:1:1", "rule-not-read 1.xml:3:1", "xml-error 1.xml:3:14" };
    QTest::newRow("xml-error: raw & in text")
        << Files { ruleFile("a & b\n") }
        << QStringList { "no-rules 1.xml:1:1", "xml-error 1.xml:3:3" };
    QTest::newRow("xml-error: undeclared entity")
        << Files { ruleFile("<file path=\"R&D;\"/>\n") }
        << QStringList { "no-rules 1.xml:1:1", "rule-not-read 1.xml:3:1", "xml-error 1.xml:3:17" };
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
    // By wildcards and expressions: a text with "match anything" around it, or "^" before it,
    // or the rest of the string as a group after it, whose replacement (before that group at its
    // end) holds no match of it; ignoring case, of ASCII letters in either case.
    QTest::newRow("shadowed-rule: by a wildcard or expression")
        << Files { ruleFile(
               "<file path=\"/data/*\" replacepath=\"/archive/\" wildcard=\"1\" cs=\"1\"/>\n"
               "<file path=\"/data/old/\" replacepath=\"/x/\" cs=\"1\"/>\n"
               "<file path=\"\\.TXT\" replacepath=\".md\" regexp=\"1\"/>\n"
               "<file path=\"a.txt\" replacepath=\"b\" cs=\"1\"/>\n"
               "<file path=\"^/opt/\" replacepath=\"/o/\" regexp=\"1\" cs=\"1\"/>\n"
               "<file path=\"^/opt/old\" replacepath=\"/p/\" regexp=\"1\" cs=\"1\"/>\n"
               "<file path=\"*-*\" replacepath=\"+\" wildcard=\"1\"/>\n"
               "<file path=\"A-B\" replacepath=\"c\"/>\n"
               "<file path=\".*/tmp/\" replacepath=\"/t/\" regexp=\"1\" cs=\"1\"/>\n"
               "<file path=\"/tmp/*.o\" replacepath=\"o\" wildcard=\"1\" cs=\"1\"/>\n"
               "<file path=\"^/srv/(.*)\" replacepath=\"/s/\\1\" regexp=\"1\" cs=\"1\"/>\n"
               "<file path=\"^/srv/www/\" replacepath=\"/w/\" regexp=\"1\" cs=\"1\"/>\n") }
        << QStringList { "wildcard-swallows 1.xml:3:1", "shadowed-rule 1.xml:4:1",
               "shadowed-rule 1.xml:6:1", "shadowed-rule 1.xml:8:1", "wildcard-swallows 1.xml:9:1",
               "shadowed-rule 1.xml:10:1", "shadowed-rule 1.xml:12:1", "shadowed-rule 1.xml:14:1" };
    // Each pair decides a string by its second rule: 'x/opt/old', '/keep/b', '/x/', '/w/',
    // '/data/old', '/' U+212A '/' (the Kelvin sign, which a case-sensitive 'k' does not match) and
    // '/srv/www'.
    QTest::newRow("shadowed-rule: near misses of wildcards and expressions") << Files {
        ruleFile("<file path=\"^/opt/\" replacepath=\"/o/\" regexp=\"1\" cs=\"1\"/>\n"
                 "<file path=\"/opt/old\" replacepath=\"/p/\" cs=\"1\"/>\n"
                 "<file path=\"/keep/*\" replacepath=\"/keep/b\" wildcard=\"1\" cs=\"1\"/>\n"
                 "<file path=\"/keep/b\" replacepath=\"z\" cs=\"1\"/>\n"
                 "<file path=\".+/x/\" replacepath=\"/y/\" regexp=\"1\" cs=\"1\"/>\n"
                 "<file path=\"/x/\" replacepath=\"/z/\" cs=\"1\"/>\n"
                 "<file path=\"^/v/\" replacepath=\"/u/\" regexp=\"1\" cs=\"1\"/>\n"
                 "<file path=\"^/v/|/w/\" replacepath=\"/u/\" regexp=\"1\" cs=\"1\"/>\n"
                 "<file path=\"/Data/.*\" replacepath=\"/d/\" regexp=\"1\" cs=\"1\"/>\n"
                 "<file path=\"/data/old\" replacepath=\"/d/\"/>\n"
                 "<file path=\"/k/\" replacepath=\"/q/\" regexp=\"1\" cs=\"1\"/>\n"
                 "<file path=\"/K/\" replacepath=\"/q/\"/>\n"
                 "<file path=\"/srv/(.*)\" replacepath=\"/srv/\\1\" regexp=\"1\" cs=\"1\"/>\n"
                 "<file path=\"/srv/www\" replacepath=\"/w/\" cs=\"1\"/>\n")
    } << QStringList { "wildcard-swallows 1.xml:5:1" };
}

void tst_Lint::findings()
{
    QFETCH(Files, files);
    QFETCH(QStringList, expected);
    D_RuleFileReading reading(configFiles(files));
    const QVector<Finding> findings = lintRuleFiles(reading);
    QStringList found;
    QString messages = findingsSummary(findings, reading.entries().size());
    for (const Finding &finding : findings) {
        found << finding.id + QLatin1Char(' ') + finding.location;
        messages += QLatin1Char('\n') + finding.message;
        // Notes alone leave the exit code at 0.
        QCOMPARE(finding.severity == Severity::Note,
            finding.id == QLatin1String("wildcard-and-regexp")
                || finding.id == QLatin1String("fixed-text-wildcard"));
    }
    QCOMPARE(found, expected);
    // A count of one takes the singular, in the findings and in the summary.
    const QRegularExpression plural(QStringLiteral("(^|[^0-9.:])1 [a-z]+s\\b"));
    QVERIFY2(!plural.match(messages).hasMatch(), qPrintable(messages));
}

void tst_Lint::rules_data()
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

void tst_Lint::rules()
{
    QFETCH(Files, files);
    QFETCH(QByteArray, expected);
    D_RuleFileReading reading(configFiles(files));
    reading.read();
    QString records;
    for (int i = 0; i < reading.entries().size(); ++i)
        records += ruleRecord(reading.ruleLocation(i), reading.entries().at(i), false);
    QCOMPARE(records, QString::fromUtf8(expected));
}

QTEST_APPLESS_MAIN(tst_Lint)
#include "tst_lint.moc"
