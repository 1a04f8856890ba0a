// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef TESTUTIL_H
#define TESTUTIL_H

#include "banner.h"
#include "qtnotice.h"
#include "testplatform.h"

#include <QtTest>

// What the program prints for -version, and before an error's usage line.
const QByteArray banner =
    KEVRAREPLACE_BANNER_NAME "\n" KEVRAREPLACE_BANNER_COPYRIGHT "\n" KEVRAREPLACE_QT_NOTICE;
const QByteArray usage = banner + "Usage: kevrareplace -config <file> <string>\n";

// What a run of the program left behind.
struct ToolRun
{
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Sanitizers slow the library's expression building down by a hundred times and more.
#ifndef KEVRAREPLACE_TIMEOUT_SCALE
#define KEVRAREPLACE_TIMEOUT_SCALE 1
#endif

// Runs \a program with \a arguments in \a workingDirectory, waiting at most \a timeout ms
// (longer in a sanitizer build). Standard output goes to \a outputFile when one is named.
inline ToolRun runProgram(const QString &program, const QStringList &arguments,
    const QString &workingDirectory, int timeout = 10000, const QString &outputFile = QString())
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(program, arguments, QIODevice::ReadOnly);
    ToolRun run;
    run.finished = process.waitForFinished(timeout * KEVRAREPLACE_TIMEOUT_SCALE)
        && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished(1000);
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Runs \a program with \a input on standard input, from a file, as a shell's < gives it.
inline ToolRun runWithInput(const QString &program, const QStringList &arguments,
    const QString &workingDirectory, const QByteArray &input)
{
    const QString inputFile = workingDirectory + QStringLiteral("/input");
    QFile file(inputFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
        return ToolRun();
    file.close();
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.setStandardInputFile(inputFile);
    process.start(program, arguments);
    ToolRun run;
    run.finished = process.waitForFinished(30000 * KEVRAREPLACE_TIMEOUT_SCALE)
        && process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Runs \a program with arguments of any bytes but NUL, which QProcess would pass as text: a
// shell makes each of them with printf.
inline ToolRun runWithBytes(
    const QString &program, const QByteArrayList &arguments, const QString &workingDirectory)
{
    QString script = QStringLiteral("exec \"$0\"");
    for (const QByteArray &argument : arguments) {
        script += QLatin1String(" \"$(printf '");
        for (const char c : argument)
            script += QStringLiteral("\\%1").arg(uint(uchar(c)), 3, 8, QLatin1Char('0'));
        script += QLatin1String("')\"");
    }
    return runProgram(
        QStringLiteral("/bin/sh"), { QStringLiteral("-c"), script, program }, workingDirectory);
}

// The tool's message for a file it cannot open, as the name's bytes are written on Linux.
inline QByteArray unreadable(const char *name)
{
    return "Unable to open config file: " + QByteArray(name) + '\n';
}

// Arguments written as UTF-8 literals.
inline QStringList utf8(std::initializer_list<const char *> words)
{
    QStringList list;
    for (const char *word : words)
        list << QString::fromUtf8(word);
    return list;
}

inline void writeFile(const QString &name, const QByteArray &content)
{
    QFile file(name);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
    QCOMPARE(file.write(content), qint64(content.size()));
}

// Compares every byte the program left behind; the streams first, as they tell most.
#define COMPARE_RUN(run, exitCodeExpected, outExpected, errExpected)                               \
    do {                                                                                           \
        QVERIFY2((run).finished, "the program did not end normally in time");                      \
        QCOMPARE((run).err, QByteArray(errExpected));                                              \
        QCOMPARE((run).out, QByteArray(outExpected));                                              \
        QCOMPARE((run).exitCode, (exitCodeExpected));                                              \
    } while (false)

// The same for a program's text output, whose line ends are the platform's.
#define COMPARE_TEXT_RUN(run, exitCodeExpected, outExpected, errExpected)                          \
    COMPARE_RUN(run, exitCodeExpected, textLines(QByteArray(outExpected)),                         \
        textLines(QByteArray(errExpected)))

#endif // TESTUTIL_H
