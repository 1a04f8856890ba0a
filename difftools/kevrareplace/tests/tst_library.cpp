// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "toolrows.h"

#include <kevrareplace/ruleset.h>

#include <thread>
#include <vector>

using KevraReplace::RuleSet;

class tst_Library : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void toolRows_data();
    void toolRows();
    void bytes_data();
    void bytes();
    void decidingRule_data();
    void decidingRule();
    void threads();

private:
    QTemporaryDir dir;
};

void tst_Library::initTestCase()
{
    QVERIFY(dir.isValid());
    writeToolRuleFiles(dir.path());
    // The rows name the files as the tool's working directory holds them.
    QVERIFY(QDir::setCurrent(dir.path()));
}

void tst_Library::toolRows_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<QByteArray>("message");
    for (const ToolRow &row : ::toolRows())
        QTest::newRow(row.name) << row.files << row.input << row.exitCode << row.result
                                << row.message;
}

// What the tool prints, or says on refusal with its exit code; by characters and by bytes.
void tst_Library::toolRows()
{
    QFETCH(QStringList, files);
    QFETCH(QString, input);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, result);
    QFETCH(QByteArray, message);
    const RuleSet rules = RuleSet::fromFiles(files);
    QCOMPARE(rules.exitCode(), exitCode);
    QCOMPARE(rules.isValid(), exitCode == 0);
    QCOMPARE(rules.errorString().toUtf8(), message);
    if (exitCode == 0) {
        QCOMPARE(rules.rewrite(input).toUtf8(), result);
        QCOMPARE(rules.rewriteBytes(input.toUtf8()), result);
    }
}

void tst_Library::bytes_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("bytes that are not UTF-8 are kept")
        << QByteArray("\xff/old/\xc3") << QByteArray("\xff/new/\xc3");
    QTest::newRow("NUL is a character")
        << QByteArray("/old/\0/old/", 11) << QByteArray("/new/\0/new/", 11);
    QTest::newRow("the tool takes no empty string") << QByteArray() << QByteArray();
}

void tst_Library::bytes()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, result);
    const RuleSet rules = RuleSet::fromFiles({ QStringLiteral("rules.xml") });
    QCOMPARE(rules.rewriteBytes(input), result);
}

void tst_Library::decidingRule_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("location");
    const QStringList parts = utf8({ "part1.xml", "part2.xml" });
    QTest::newRow("first rule") << utf8({ "rules.xml" }) << "/old/x" << 0 << "rules.xml:3:3";
    QTest::newRow("second rule, other case")
        << utf8({ "rules.xml" }) << QString::fromUtf8("M\xc3\x9cLLER") << 1 << "rules.xml:4:3";
    QTest::newRow("no rule changes it") << utf8({ "rules.xml" }) << "/x" << -1 << "";
    QTest::newRow("rule of the second file") << parts << "c" << 1 << "part2.xml:1:1";
}

// The rule that decided, and where it was read, as --stdin -v says.
void tst_Library::decidingRule()
{
    QFETCH(QStringList, files);
    QFETCH(QString, input);
    QFETCH(int, rule);
    QFETCH(QString, location);
    const RuleSet rules = RuleSet::fromFiles(files);
    int decided = -2;
    rules.rewrite(input, &decided);
    QCOMPARE(decided, rule);
    int decidedBytes = -2;
    rules.rewriteBytes(input.toUtf8(), &decidedBytes);
    QCOMPARE(decidedBytes, rule);
    const KevraReplace::RuleLocation at = rules.ruleLocation(rule);
    QCOMPARE(rule < 0 ? QString()
                      : at.file + QLatin1Char(':') + QString::number(at.line) + QLatin1Char(':')
                + QString::number(at.column),
        location);
}

// One rule set and its copies rewriting from several threads at once, each string as one
// thread alone rewrites it (run under ThreadSanitizer by the test command).
void tst_Library::threads()
{
    const RuleSet rules = RuleSet::fromFiles({ QStringLiteral(KEVRAREPLACE_EXAMPLE) });
    QVERIFY(rules.isValid());
    const QStringList inputs = utf8({ "/mnt/old-share/doc/a.txt", "/MNT/old-share/x",
        "/home/ann/workspace/app/src/main.cpp", "/var/ci/builds/1234/app/log.txt",
        "C:/Projects/app/main.cpp", "/usr/include/stdio.h" });
    QStringList expected;
    for (const QString &input : inputs)
        expected << RuleSet::fromFiles({ QStringLiteral(KEVRAREPLACE_EXAMPLE) }).rewrite(input);
    constexpr int threadCount = 4;
    std::vector<int> wrong(threadCount, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        const RuleSet copy = rules;
        threads.emplace_back([&, copy, t] {
            for (int i = 0; i < 500; ++i) {
                const int at = (i + t) % inputs.size();
                const RuleSet &used = i % 2 ? copy : rules;
                if (used.rewrite(inputs.at(at)) != expected.at(at)
                    || used.rewriteBytes(inputs.at(at).toUtf8()) != expected.at(at).toUtf8())
                    ++wrong[size_t(t)];
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    QCOMPARE(wrong, std::vector<int>(threadCount, 0));
}

QTEST_APPLESS_MAIN(tst_Library)

#include "tst_library.moc"
