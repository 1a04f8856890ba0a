// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "startupgate.h"

#include "testutil.h"

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

const QString blockFile = QStringLiteral(KEVRAREPLACE_TEST_BLOCK_FILE);

// Runs \a work on a thread of its own that is left behind if it never ends, so that a probe
// or gate that hangs fails the test instead of holding it.
std::future<void> startDetached(std::function<void()> work)
{
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([work, done] {
        work();
        done->set_value();
    }).detach();
    return finished;
}

bool finishesWithin(std::future<void> &finished, std::chrono::milliseconds limit)
{
    return finished.wait_for(limit) == std::future_status::ready;
}

// Removes the block file, or the directory standing in for it, whatever way a test ends.
struct BlockFileRemover
{
    ~BlockFileRemover()
    {
        QFile::remove(blockFile);
        QDir().rmdir(blockFile);
    }
};

rlim_t softStackLimit(qint64 pid)
{
    QFile limits(QStringLiteral("/proc/%1/limits").arg(pid));
    if (!limits.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : limits.readAll().split('\n')) {
        if (line.startsWith("Max stack size")) {
            const QByteArray soft = line.mid(26).simplified().split(' ').value(0);
            return soft == "unlimited" ? RLIM_INFINITY : rlim_t(soft.toULongLong());
        }
    }
    return 0;
}

} // namespace

class tst_StartupGate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void probe_data();
    void probe();
    void gateHoldsUntilRemoved();
    void stackLimitRaised();
    void heldProcess();
    void severalHeldProcesses();
    void directoryDoesNotHold();

private:
    QStringList startArguments() const;
    QTemporaryDir dir;
};

void tst_StartupGate::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY2(!QFileInfo::exists(blockFile), "a block file was left behind by an earlier run");
}

void tst_StartupGate::probe_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("holds");

    QTest::newRow("absent") << "absent" << false;
    QTest::newRow("regular file") << "file" << true;
    QTest::newRow("empty regular file") << "empty" << true;
    QTest::newRow("link to a regular file") << "link" << true;
    QTest::newRow("dangling link") << "dangling" << false;
    QTest::newRow("unreadable file") << "unreadable" << false;
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("FIFO without a writer") << "fifo" << false;
    QTest::newRow("character device") << "device" << false;
}

void tst_StartupGate::probe()
{
    QFETCH(QString, kind);
    QFETCH(bool, holds);

    QString path = dir.path() + QLatin1Char('/') + kind;
    const QString target = dir.path() + QLatin1String("/target");
    if (kind == QLatin1String("file") || kind == QLatin1String("unreadable")) {
        writeFile(path, "x");
    } else if (kind == QLatin1String("empty")) {
        writeFile(path, QByteArray());
    } else if (kind == QLatin1String("link")) {
        writeFile(target, "x");
        QVERIFY(QFile::link(target, path));
    } else if (kind == QLatin1String("dangling")) {
        QVERIFY(QFile::link(dir.path() + QLatin1String("/nothing"), path));
    } else if (kind == QLatin1String("directory")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/null");
    }
    if (kind == QLatin1String("unreadable")) {
        if (::geteuid() == 0)
            QSKIP("root reads a mode-000 file, so the case cannot be made here");
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    }

    const QByteArray name = QFile::encodeName(path);
    auto result = std::make_shared<bool>(!holds);
    std::future<void> finished = startDetached([name, result] {
        *result = blockFileOpenable(name.constData());
    });
    QVERIFY2(finishesWithin(finished, 5s), "the probe waited inside its open");
    QCOMPARE(*result, holds);
}

void tst_StartupGate::gateHoldsUntilRemoved()
{
    const QString path = dir.path() + QLatin1String("/gate");
    writeFile(path, "x");
    const QByteArray name = QFile::encodeName(path);
    std::future<void> passed = startDetached([name] { waitAtStartupGate(name.constData()); });
    QVERIFY2(!finishesWithin(passed, 300ms), "the gate let the caller through a readable file");
    QVERIFY(QFile::remove(path));
    QVERIFY2(finishesWithin(passed, 5s), "the gate still held after the file went away");

    std::future<void> absent = startDetached([name] { waitAtStartupGate(name.constData()); });
    QVERIFY2(finishesWithin(absent, 5s), "the gate held without a block file");
}

void tst_StartupGate::stackLimitRaised()
{
    struct rlimit limit;
    QCOMPARE(::getrlimit(RLIMIT_STACK, &limit), 0);
    const struct rlimit original = limit;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < 10 * 1024 * 1024)
        QSKIP("the hard stack limit is below 10 MiB here");

    limit.rlim_cur = 8 * 1024 * 1024;
    QCOMPARE(::setrlimit(RLIMIT_STACK, &limit), 0);
    reserveMainThreadStack();
    QCOMPARE(::getrlimit(RLIMIT_STACK, &limit), 0);
    QCOMPARE(limit.rlim_cur, rlim_t(10 * 1024 * 1024));

    limit.rlim_cur = 16 * 1024 * 1024; // a larger limit is never lowered
    QCOMPARE(::setrlimit(RLIMIT_STACK, &limit), 0);
    reserveMainThreadStack();
    QCOMPARE(::getrlimit(RLIMIT_STACK, &limit), 0);
    QCOMPARE(limit.rlim_cur, rlim_t(16 * 1024 * 1024));

    ::setrlimit(RLIMIT_STACK, &original);
}

// The program's arguments, for a configuration that does not exist yet when it starts.
QStringList tst_StartupGate::startArguments() const
{
    return { QStringLiteral("-config"), dir.path() + QLatin1String("/rules.xml"),
             QStringLiteral("/old/x") };
}

void tst_StartupGate::heldProcess()
{
    BlockFileRemover remover;
    QFile::remove(dir.path() + QLatin1String("/rules.xml"));
    writeFile(blockFile, "held");

    // Started with a soft stack limit below 10 MiB. (A shell's plain "ulimit -s" lowers the
    // hard limit too, which only a process with the privilege to raise it could undo.)
    const QString ulimit = QStringLiteral("ulimit -S -s 8192");
    QProcess tool;
    tool.start(QStringLiteral("/bin/sh"),
               QStringList { QStringLiteral("-c"), ulimit + QLatin1String(" && exec \"$0\" \"$@\""),
                             QStringLiteral(KEVRAREPLACE_HELD_EXE) }
                   + startArguments());
    QVERIFY(tool.waitForStarted(5000));
    QVERIFY2(!tool.waitForFinished(500), "the program did not wait at its block file");
    QVERIFY(softStackLimit(tool.processId()) >= rlim_t(10 * 1024 * 1024));
    QCOMPARE(tool.readAllStandardOutput(), QByteArray());
    QCOMPARE(tool.readAllStandardError(), QByteArray());

    // Its configuration is written while it waits: it is read as it stands once the gate opens.
    writeFile(dir.path() + QLatin1String("/rules.xml"),
              "<replacement><file path=\"/old/\" replacepath=\"/new/\"/></replacement>");
    QVERIFY(QFile::remove(blockFile));
    QVERIFY(tool.waitForFinished(10000));
    QCOMPARE(tool.readAllStandardError(), QByteArray());
    QCOMPARE(tool.readAllStandardOutput(), QByteArray("/new/x\n"));
    QCOMPARE(tool.exitCode(), 0);
}

void tst_StartupGate::severalHeldProcesses()
{
    BlockFileRemover remover;
    writeFile(dir.path() + QLatin1String("/rules.xml"),
              "<replacement><file path=\"/old/\" replacepath=\"/new/\"/></replacement>");
    writeFile(blockFile, "held");

    QProcess tools[3];
    for (QProcess &tool : tools) {
        tool.start(QStringLiteral(KEVRAREPLACE_HELD_EXE), startArguments());
        QVERIFY(tool.waitForStarted(5000));
    }
    for (QProcess &tool : tools)
        QVERIFY2(!tool.waitForFinished(300), "a program did not wait at its block file");
    QVERIFY(QFile::remove(blockFile));
    for (QProcess &tool : tools) {
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.readAllStandardOutput(), QByteArray("/new/x\n"));
        QCOMPARE(tool.exitCode(), 0);
    }
}

void tst_StartupGate::directoryDoesNotHold()
{
    BlockFileRemover remover;
    QVERIFY(QDir().mkdir(blockFile));
    QProcess tool;
    tool.start(QStringLiteral(KEVRAREPLACE_HELD_EXE), { QStringLiteral("-version") });
    QVERIFY2(tool.waitForFinished(10000), "a directory at the block path held the program");
    QCOMPARE(tool.exitCode(), 0);
}

QTEST_GUILESS_MAIN(tst_StartupGate)

#include "tst_startupgate.moc"
