// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef TESTPLATFORM_H
#define TESTPLATFORM_H

// What the tests need of the platform they run on: one function per difference, one body per
// platform. Tests that need a facility one platform lacks skip with the reason given here.

#include <QtTest>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

enum class Facility {
    ByteArguments, // arguments made of any bytes, as the process receives them
    PosixShell, // /bin/sh scripts with FIFOs, /dev/full, ulimit and signals
    Fifo,
    UnreadableByMode, // a file this process cannot open because of its permission bits
    SymbolicLinks,
    DeviceFiles,
    ResourceLimits,
    ExclusiveOpen, // a file another process holds open so that no one else can open it
    PeHeader, // the executable's stack reservation in its PE header
    OwnSystemDrive, // a C:\\block that is the tests' own, in a Wine prefix of theirs
    BuildMachinePrograms, // programs of the build machine itself, npm for one
};

#ifdef _WIN32

/// True under Wine, whose ntdll.dll alone exports wine_get_version.
inline bool runningUnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

/// Why the platform has no \a facility, or nullptr when it has it.
inline const char *missingFacility(Facility facility)
{
    switch (facility) {
    case Facility::ByteArguments:
        return "Windows passes arguments as UTF-16 text, not as bytes";
    case Facility::PosixShell:
        return "no POSIX shell, /dev/full or SIGPIPE on Windows";
    case Facility::Fifo:
        return "Windows has no FIFOs in its file system";
    case Facility::UnreadableByMode:
        return "Windows has no permission bits: access is by ACL, and a read-only file is readable";
    case Facility::SymbolicLinks:
        return "QFile::link makes a shortcut on Windows, a file of its own";
    case Facility::DeviceFiles:
        return "Windows has no device files in folders";
    case Facility::ResourceLimits:
        return "Windows has no resource limits: the stack is reserved by the PE header";
    case Facility::BuildMachinePrograms:
        return runningUnderWine()
            ? "a Windows program under Wine does not start the build machine's programs"
            : nullptr;
    case Facility::OwnSystemDrive:
        return runningUnderWine()
            ? nullptr
            : "outside Wine C:\\block is the machine's own: the tests leave it alone";
    case Facility::ExclusiveOpen:
    case Facility::PeHeader:
        break;
    }
    return nullptr;
}

/// The device that reads as empty and takes any output.
inline QString nullDevice() { return QStringLiteral("NUL"); }

/// Whether the null device counts as a file that exists: NUL is a device name, and
/// QFile::exists says no to it.
inline bool nullDeviceExists() { return false; }

/// Makes a FIFO at \a path; false where there are none.
inline bool makeFifo(const QString &) { return false; }

/// The longest single argument that reaches the program (the whole command line holds at most
/// 32,767 characters, the program's path included).
inline int longestArgument() { return 32000; }

/// Starts \a program with a stack limit below 10 MiB where the platform has one.
inline void startWithSmallStack(
    QProcess &process, const QString &program, const QStringList &arguments)
{
    process.start(program, arguments);
}

/// The soft stack limit of the process \a pid, or 0 where there is none to read.
inline quint64 softStackLimitOf(qint64) { return 0; }

/// This process's soft and hard stack limits; 0 where there are none.
inline quint64 softStackLimit() { return 0; }
inline quint64 hardStackLimit() { return 0; }
/// Sets this process's soft stack limit; false where there is none.
inline bool setSoftStackLimit(quint64) { return false; }

/// Holds \a path open with no sharing for as long as it lives, as another program may.
class ExclusiveOpen
{
public:
    explicit ExclusiveOpen(const QString &path)
        : handle(CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ, 0,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~ExclusiveOpen()
    {
        if (isOpen())
            CloseHandle(handle);
    }
    ExclusiveOpen(const ExclusiveOpen &) = delete;
    ExclusiveOpen &operator=(const ExclusiveOpen &) = delete;
    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};

/// \a text with each line feed as the program writes it to its standard output or error.
inline QByteArray textLines(const QByteArray &text)
{
    return QByteArray(text).replace('\n', "\r\n");
}

/// \a written with the platform's line ends as line feeds; a bare line feed stays as it is.
inline QByteArray lfLines(const QByteArray &written)
{
    return QByteArray(written).replace("\r\n", "\n");
}

#else

inline const char *missingFacility(Facility facility)
{
    switch (facility) {
    case Facility::UnreadableByMode:
        return ::geteuid() == 0 ? "root opens a mode-000 file, so the case cannot be made here"
                                : nullptr;
    case Facility::ExclusiveOpen:
        return "POSIX has no sharing modes: no process can keep a file from being opened";
    case Facility::PeHeader:
        return "the stack is a resource limit here, raised by the program at start";
    case Facility::ByteArguments:
    case Facility::OwnSystemDrive:
    case Facility::PosixShell:
    case Facility::Fifo:
    case Facility::SymbolicLinks:
    case Facility::DeviceFiles:
    case Facility::ResourceLimits:
    case Facility::BuildMachinePrograms:
        break;
    }
    return nullptr;
}

inline QString nullDevice() { return QStringLiteral("/dev/null"); }

inline bool nullDeviceExists() { return true; }

inline bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

/// The longest single argument Linux passes: 128 KiB with the terminating NUL.
inline int longestArgument() { return 131071; }

/// No process can keep a file from being opened here: never open.
class ExclusiveOpen
{
public:
    explicit ExclusiveOpen(const QString &) { }
    bool isOpen() const { return false; }
};

// Started with a soft stack limit below 10 MiB. (A shell's plain "ulimit -s" lowers the hard
// limit too, which only a process with the privilege to raise it could undo.)
inline void startWithSmallStack(
    QProcess &process, const QString &program, const QStringList &arguments)
{
    process.start(QStringLiteral("/bin/sh"),
        QStringList { QStringLiteral("-c"),
            QStringLiteral("ulimit -S -s 8192 && exec \"$0\" \"$@\""), program }
            + arguments);
}

inline quint64 softStackLimitOf(qint64 pid)
{
    QFile limits(QStringLiteral("/proc/%1/limits").arg(pid));
    if (!limits.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : limits.readAll().split('\n')) {
        if (line.startsWith("Max stack size")) {
            const QByteArray soft = line.mid(26).simplified().split(' ').value(0);
            return soft == "unlimited" ? quint64(RLIM_INFINITY) : soft.toULongLong();
        }
    }
    return 0;
}

inline quint64 softStackLimit()
{
    struct rlimit limit;
    return ::getrlimit(RLIMIT_STACK, &limit) == 0 ? quint64(limit.rlim_cur) : 0;
}

inline quint64 hardStackLimit()
{
    struct rlimit limit;
    return ::getrlimit(RLIMIT_STACK, &limit) == 0 ? quint64(limit.rlim_max) : 0;
}

inline bool setSoftStackLimit(quint64 soft)
{
    struct rlimit limit;
    if (::getrlimit(RLIMIT_STACK, &limit) != 0)
        return false;
    limit.rlim_cur = rlim_t(soft);
    return ::setrlimit(RLIMIT_STACK, &limit) == 0;
}

inline QByteArray textLines(const QByteArray &text) { return text; }

inline QByteArray lfLines(const QByteArray &written) { return written; }

#endif

#define SKIP_WITHOUT(facility)                                                                     \
    do {                                                                                           \
        if (const char *why = missingFacility(Facility::facility))                                 \
            QSKIP(why);                                                                            \
    } while (false)

/// The stack the PE executable at \a path reserves for its main thread, or 0 when it is no
/// 64-bit PE executable.
inline quint64 peStackReserve(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray image = file.read(4096);
    auto number = [&image](int at, int size) {
        quint64 value = 0;
        for (int i = size - 1; i >= 0 && at + i < image.size(); --i)
            value = value << 8 | uchar(image.at(at + i));
        return value;
    };
    const int pe = int(number(0x3c, 4));
    const int optional = pe + 24; // after the signature and the COFF header
    if (!image.startsWith("MZ") || image.mid(pe, 4) != QByteArray("PE\0\0", 4)
        || number(optional, 2) != 0x20b || optional + 80 > image.size())
        return 0;
    return number(optional + 72, 8); // SizeOfStackReserve in a PE32+ optional header
}

#endif // TESTPLATFORM_H
