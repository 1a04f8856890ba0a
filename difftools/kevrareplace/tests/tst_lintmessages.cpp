// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/lint.h"
#include "check/modes/rulefilecheck.h"
#include "check/writers/sarifformat.h"
#include "lintfiles.h"

#include <QtTest>

// What the companion says of a finding and where it places it: messages that say what to write
// instead, and the locations of a SARIF log.
class tst_LintMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void messages_data();
    void messages();
    void sarifLocations_data();
    void sarifLocations();
    void groupPlaces_data();
    void groupPlaces();
};

// Messages that say what to write instead, the library's own text after it.
void tst_LintMessages::messages_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("expected"); // "FILE:LINE:COLUMN MESSAGE" of a finding

    const auto rule = [](const char *path, const char *replacepath) {
        return ruleFile(QByteArray("<file path=\"") + path + "\" replacepath=\"" + replacepath
            + "\" regexp=\"1\"/>\n");
    };
    const QString repetition = QStringLiteral("; the rule never matches (bad repetition syntax)");
    QTest::newRow("lazy") << Files { rule(".*?", "") }
                          << "1.xml:3:1 expression '.*?' holds the lazy quantifier '*?', which "
                             "the engine does not take: quantifiers are greedy; write '*' and "
                             "repeat only what the match may take, such as '[^/]*' for the rest "
                             "of a name"
            + repetition;
    QTest::newRow("possessive")
        << Files { rule("a++", "") }
        << "1.xml:3:1 expression 'a++' holds the possessive quantifier '++', which the engine does "
           "not take: quantifiers are greedy; write '+'"
            + repetition;
    const auto flag = [](const char *written, const char *fix) {
        return QStringLiteral("1.xml:3:1 expression '(?%1)a' holds the inline flag '(?%1)', which "
                              "the engine does not take: leave it out%2; the rule never matches "
                              "(bad lookahead syntax)")
            .arg(QLatin1String(written), QLatin1String(fix));
    };
    QTest::newRow("flag i") << Files { rule("(?i)a", "") } << flag("i", " and use cs=\"0\"");
    QTest::newRow("flag -i") << Files { rule("(?-i)a", "") } << flag("-i", " and use cs=\"1\"");
    QTest::newRow("flag s") << Files { rule("(?s)a", "") }
                            << flag("s", ": an expression holds no flags, and case is set by cs");
    QTest::newRow("dollar") << Files {
        rule("(a)", "$1")
    } << "1.xml:3:1 '$1' in the replacement: the tool writes '$1' as it stands; a group is '\\1'";
    QTest::newRow("raw &") << Files { ruleFile("<file path=\"R&D\" replacepath=\"b\"/>\n") }
                           << "1.xml:3:14 a '&' in an attribute value starts a reference: write "
                              "'&amp;' for it; 1 file element is never read (Expected ';', but "
                              "got '\"')";
    QTest::newRow("raw <") << Files { ruleFile("<file path=\"<\"/>\n") }
                           << "1.xml:3:13 a '<' in an attribute value starts a tag: write "
                              "'&lt;' for it; 1 file element is never read (Unexpected '<')";
    QTest::newRow("second document, the error named once")
        << Files { ruleFile(""), ruleFile("<file path=\"a\"/>\n<file path=\"b\"/>\n") }
        << "2.xml:1:1 this file starts a document of its own after '1.xml': none of its 2 rules "
           "is read; put its rules into one document (the XML reader stops there: XML "
           "declaration not at start of document)";
}

void tst_LintMessages::messages()
{
    QFETCH(Files, files);
    QFETCH(QString, expected);
    D_RuleFileReading reading(configFiles(files));
    QStringList found;
    for (const Finding &finding : lintRuleFiles(reading)) {
        if (finding.id != QLatin1String("no-rules") && finding.id != QLatin1String("rule-not-read"))
            found << finding.location + QLatin1Char(' ') + finding.message;
    }
    QCOMPARE(found, QStringList { expected });
}

// How a SARIF log names the files of a finding, for code scanning to find them.
void tst_LintMessages::sarifLocations_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QJsonObject>("artifact");
    const QString base = QStringLiteral("%SRCROOT%");
    QTest::newRow("relative: as given, against the start folder") << QStringLiteral(
        "rules/a b.xml") << QJsonObject { { "uri", "rules/a%20b.xml" }, { "uriBaseId", base } };
    // Not "a:b.xml", which on Windows is a path on drive A.
    QTest::newRow("relative: a colon before the first slash is no scheme") << QStringLiteral(
        "rule:s.xml") << QJsonObject { { "uri", "./rule:s.xml" }, { "uriBaseId", base } };
    QTest::newRow("absolute: a file URI, UTF-8 percent-encoded")
        << QString::fromUtf8("/home/ann/dir with space/\xc3\xa9 bad.xml")
        << QJsonObject { { "uri", "file:///home/ann/dir%20with%20space/%C3%A9%20bad.xml" } };
    QTest::newRow("absolute: characters a URI gives a meaning") << QStringLiteral(
        "/r/100%#1?.xml") << QJsonObject { { "uri", "file:///r/100%25%231%3F.xml" } };
}

// A shadowed rule's result points to the rule that shadows it, in the same file.
void tst_LintMessages::sarifLocations()
{
    QFETCH(QString, fileName);
    QFETCH(QJsonObject, artifact);
    D_RuleFileReading reading({ ConfigFile { fileName,
        ruleFile("<file path=\"/a/\" replacepath=\"/b/\"/>\n<file path=\"/a/c/\"/>\n") } });
    const QJsonValue run =
        QJsonDocument::fromJson(sarifFormat(lintRuleFiles(reading), { fileName },
                                    QStringLiteral("1"), QStringLiteral("/start/dir")))
            .object()
            .value("runs")[0];
    const QJsonValue result = run["results"][0];
    QCOMPARE(result["ruleId"], QJsonValue("shadowed-rule"));
    QCOMPARE(result["locations"][0]["physicalLocation"]["artifactLocation"], QJsonValue(artifact));
    const QJsonValue related = result["relatedLocations"][0]["physicalLocation"];
    QCOMPARE(related["artifactLocation"], QJsonValue(artifact));
    QCOMPARE(related["region"]["startLine"], QJsonValue(3));
    QCOMPARE(run["originalUriBaseIds"]["%SRCROOT%"]["uri"], QJsonValue("file:///start/dir/"));
}

// A '$1' finding points at the group it means, or at the expression where the group's place
// in the file cannot be told.
void tst_LintMessages::groupPlaces_data()
{
    QTest::addColumn<QByteArray>("rule");
    QTest::addColumn<QString>("expected"); // "LINE:COLUMN MESSAGE" of the related place

    const QString group = QStringLiteral("3:%1 group %2 is written '\\%2' in the replacement");
    const QString expression =
        QStringLiteral("3:13 the expression, whose group 1 is written '\\1' in the replacement");
    QTest::newRow("the second group")
        << QByteArray("path=\"^/a/(x)(.*)$\" replacepath=\"$2\"") << group.arg(20).arg(2);
    QTest::newRow("a group that does not capture before")
        << QByteArray("path='(?:b)(a)' replacepath='$1'") << group.arg(18).arg(1);
    QTest::newRow("a reference before: the expression")
        << QByteArray("path=\"&amp;(a)\" replacepath=\"$1\"") << expression;
    QTest::newRow("a lookahead before: the expression")
        << QByteArray("path=\"(?=a)(a)\" replacepath=\"$1\"") << expression;
}

void tst_LintMessages::groupPlaces()
{
    QFETCH(QByteArray, rule);
    QFETCH(QString, expected);
    D_RuleFileReading reading({ ConfigFile {
        QStringLiteral("1.xml"), ruleFile("<file " + rule + " regexp=\"1\"/>\n") } });
    const QVector<Finding> findings = lintRuleFiles(reading);
    QCOMPARE(findings.size(), 1);
    QCOMPARE(findings.at(0).id, QStringLiteral("dollar-group"));
    QCOMPARE(findings.at(0).related.size(), 1);
    const RelatedPlace &place = findings.at(0).related.at(0);
    QCOMPARE(
        QStringLiteral("%1:%2 %3").arg(place.line).arg(place.column).arg(place.message), expected);
}

QTEST_APPLESS_MAIN(tst_LintMessages)
#include "tst_lintmessages.moc"
