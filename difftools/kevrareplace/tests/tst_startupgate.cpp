// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "startupgate.h"

#include "replace/expressionlimits.h"
#include "testutil.h"

#include <chrono>
#include <future>
#include <memory>
#include <thread>

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
    void stackReservedInHeader();
    void deepestExpression();
    void heldProcess();
    void severalHeldProcesses();
    void directoryDoesNotHold();
    void exclusivelyHeldFileDoesNotHold();

private:
    QStringList startArguments() const;
    QTemporaryDir dir;
};

void tst_StartupGate::initTestCase()
{
    SKIP_WITHOUT(OwnSystemDrive);
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
    QTest::newRow("file held with no sharing") << "held" << false;
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
    if (kind == QLatin1String("link") || kind == QLatin1String("dangling"))
        SKIP_WITHOUT(SymbolicLinks);
    else if (kind == QLatin1String("fifo"))
        SKIP_WITHOUT(Fifo);
    else if (kind == QLatin1String("device"))
        SKIP_WITHOUT(DeviceFiles);
    else if (kind == QLatin1String("unreadable"))
        SKIP_WITHOUT(UnreadableByMode);
    else if (kind == QLatin1String("held"))
        SKIP_WITHOUT(ExclusiveOpen);
    if (kind == QLatin1String("file") || kind == QLatin1String("unreadable")
        || kind == QLatin1String("held")) {
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
        QVERIFY(makeFifo(path));
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/null");
    }
    if (kind == QLatin1String("unreadable"))
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    ExclusiveOpen hold(kind == QLatin1String("held") ? path : QString());
    QCOMPARE(hold.isOpen(), kind == QLatin1String("held"));

    const QByteArray name = QFile::encodeName(path);
    auto result = std::make_shared<bool>(!holds);
    std::future<void> finished =
        startDetached([name, result] { *result = blockFileOpenable(name.constData()); });
    // A bound for a probe that would wait in its open, generous for a loaded machine.
    QVERIFY2(finishesWithin(finished, 20s), "the probe waited inside its open");
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
    SKIP_WITHOUT(ResourceLimits);
    const quint64 original = softStackLimit();
    const quint64 hard = hardStackLimit();
    if (hard < 10 * 1024 * 1024) // no limit reads as the largest value
        QSKIP("the hard stack limit is below 10 MiB here");

    QVERIFY(setSoftStackLimit(8 * 1024 * 1024));
    reserveMainThreadStack();
    QCOMPARE(softStackLimit(), quint64(10 * 1024 * 1024));

    QVERIFY(setSoftStackLimit(16 * 1024 * 1024)); // a larger limit is never lowered
    reserveMainThreadStack();
    QCOMPARE(softStackLimit(), quint64(16 * 1024 * 1024));

    setSoftStackLimit(original);
}

// Windows' counterpart: the linker reserves the main thread's stack in the executable.
void tst_StartupGate::stackReservedInHeader()
{
    SKIP_WITHOUT(PeHeader);
    QCOMPARE(peStackReserve(QStringLiteral(KEVRAREPLACE_HELD_EXE)), quint64(10 * 1024 * 1024));
}

// The stack the program has is enough for the deepest expression that the limits accept.
void tst_StartupGate::deepestExpression()
{
    const QByteArray nested =
        QByteArray(maxExpressionNesting, '(') + "a" + QByteArray(maxExpressionNesting, ')');
    writeFile(dir.path() + QLatin1String("/deep.xml"),
        "<replacement><file path=\"" + nested
            + "\" replacepath=\"X\" regexp=\"1\"/>"
              "</replacement>");
    QProcess tool;
    startWithSmallStack(tool, QStringLiteral(KEVRAREPLACE_HELD_EXE),
        { QStringLiteral("-config"), dir.path() + QLatin1String("/deep.xml"),
            QStringLiteral("bab") });
    QVERIFY(tool.waitForFinished(10000));
    QCOMPARE(tool.readAllStandardError(), QByteArray());
    QCOMPARE(tool.readAllStandardOutput(), textLines("bXb\n"));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 0);
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

    QProcess tool;
    startWithSmallStack(tool, QStringLiteral(KEVRAREPLACE_HELD_EXE), startArguments());
    QVERIFY(tool.waitForStarted(5000));
    QVERIFY2(!tool.waitForFinished(500), "the program did not wait at its block file");
    if (!missingFacility(Facility::ResourceLimits))
        QVERIFY(softStackLimitOf(tool.processId()) >= 10 * 1024 * 1024);
    QCOMPARE(tool.readAllStandardOutput(), QByteArray());
    QCOMPARE(tool.readAllStandardError(), QByteArray());

    // Its configuration is written while it waits: it is read as it stands once the gate opens.
    writeFile(dir.path() + QLatin1String("/rules.xml"),
        "<replacement><file path=\"/old/\" replacepath=\"/new/\"/></replacement>");
    QVERIFY(QFile::remove(blockFile));
    QVERIFY(tool.waitForFinished(10000));
    QCOMPARE(tool.readAllStandardError(), QByteArray());
    QCOMPARE(tool.readAllStandardOutput(), textLines("/new/x\n"));
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
        QCOMPARE(tool.readAllStandardOutput(), textLines("/new/x\n"));
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

// A block file that cannot be opened, because another program holds it with no sharing, does
// not hold the program.
void tst_StartupGate::exclusivelyHeldFileDoesNotHold()
{
    SKIP_WITHOUT(ExclusiveOpen);
    BlockFileRemover remover;
    writeFile(blockFile, "held");
    {
        ExclusiveOpen hold(blockFile);
        QVERIFY(hold.isOpen());
        QProcess tool;
        tool.start(QStringLiteral(KEVRAREPLACE_HELD_EXE), { QStringLiteral("-version") });
        QVERIFY2(tool.waitForFinished(10000), "a block file held with no sharing held the program");
        QCOMPARE(tool.exitCode(), 0);
    }
    // Let go, the same file holds again.
    QProcess tool;
    tool.start(QStringLiteral(KEVRAREPLACE_HELD_EXE), { QStringLiteral("-version") });
    QVERIFY(tool.waitForStarted(5000));
    QVERIFY2(!tool.waitForFinished(500), "the program did not wait at its block file");
    QVERIFY(QFile::remove(blockFile));
    QVERIFY(tool.waitForFinished(10000));
    QCOMPARE(tool.exitCode(), 0);
}

QTEST_GUILESS_MAIN(tst_StartupGate)

#include "tst_startupgate.moc"
