// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef TOOLROWS_H
#define TOOLROWS_H

#include "testutil.h"

#include <QVector>

// The tool's answers for rule files and a string: the test of the program runs them through
// it, the test of the library through the library, which must answer alike.
struct ToolRow
{
    const char *name;
    QStringList files; // each given with -config, in this order; names of writeToolRuleFiles
    QString input;
    int exitCode;
    QByteArray result; // printed, without the newline
    QByteArray message; // on standard error, without the newline
};

// The rule files of the rows, in \a dir.
inline void writeToolRuleFiles(const QString &dir)
{
    const QString at = dir + QLatin1Char('/');
    writeFile(at + QLatin1String("rules.xml"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<replacement>\n"
        "  <file path=\"/old/\" replacepath=\"/new/\" cs=\"1\"/>\n"
        "  <file path=\"M\xc3\xbcller\" replacepath=\"Mueller\"/>\n"
        "</replacement>\n");
    // Two halves of one document: the reader joins the files' bytes in argument order.
    writeFile(at + QLatin1String("part1.xml"), "<replacement><file path=\"a\" replacepath=\"b\"/>");
    writeFile(
        at + QLatin1String("part2.xml"), "<file path=\"c\" replacepath=\"d\"/></replacement>");
    writeFile(at + QLatin1String("malformed.xml"),
        "<replacement><file path=\"x\" replacepath=\"y\"/><file path=\"z\" replacepath=");
    writeFile(at + QLatin1String("empty.xml"), QByteArray());
    QVERIFY(QDir(dir).mkdir(QStringLiteral("folder")));
}

inline QVector<ToolRow> toolRows()
{
    const QByteArray noConfig = "config option not set: ";
    const auto unreadable = [](const char *name) {
        return QByteArray("Unable to open config file: ") + name;
    };
    const QStringList rules = utf8({ "rules.xml" });
    return {
        { "-config with an empty name", utf8({ "" }), "x", 22, {}, unreadable("") },
        { "directory as config", utf8({ "folder" }), "x", 22, {}, unreadable("folder") },
        { "second config missing after a good one", utf8({ "rules.xml", "missing.xml" }), "/old/x",
            22, {}, unreadable("missing.xml") },
        { "string without config", {}, "/old/x", 10, {}, noConfig },
        { "rewritten", rules, "/old/x", 0, "/new/x", {} },
        { "no rule matches", rules, "/OLD/x", 0, "/OLD/x", {} },
        { "newline and tab pass through", rules, "a\tb\n/old/", 0, "a\tb\n/new/", {} },
        { "two files join into one document", utf8({ "part1.xml", "part2.xml" }), "c", 0, "d", {} },
        { "malformed config keeps the rules before the fault", utf8({ "malformed.xml" }), "x", 0,
            "y", {} },
        { "empty config file", utf8({ "empty.xml" }), "x", 0, "x", {} },
    };
}

#endif // TOOLROWS_H
