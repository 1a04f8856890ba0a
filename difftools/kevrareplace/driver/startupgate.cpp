// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "startupgate.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32

bool blockFileOpenable(const char *path)
{
    // Shared for everything, deletion included: while programs probe it in a loop, the block
    // file must stay removable (a probe without FILE_SHARE_DELETE makes its removal fail now
    // and then). A directory opens only with backup semantics, so it never holds.
    const HANDLE probe =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    const bool regular = GetFileType(probe) == FILE_TYPE_DISK;
    CloseHandle(probe);
    return regular;
}

void reserveMainThreadStack()
{
    // The reservation is a linker setting on Windows (see CMakeLists.txt).
}

#else

bool blockFileOpenable(const char *path)
{
    // An input file stream would open a directory here and wait in its open for a FIFO's
    // writer; a non-blocking open with a look at what was opened does neither.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    ::close(fd);
    return regular;
}

void reserveMainThreadStack()
{
    // The main thread's stack grows on demand up to the soft limit in force when it grows.
    const rlim_t wanted = 10 * 1024 * 1024;
    struct rlimit limit;
    if (::getrlimit(RLIMIT_STACK, &limit) != 0 || limit.rlim_cur >= wanted)
        return; // RLIM_INFINITY is the largest value
    const rlim_t hard = limit.rlim_max;
    limit.rlim_cur = wanted;
    if (hard < wanted) {
        // A shell's "ulimit -s" lowers both limits. Raising the hard one takes privilege;
        // without it, go as far as the hard limit allows.
        limit.rlim_max = wanted;
        if (::setrlimit(RLIMIT_STACK, &limit) == 0)
            return;
        limit.rlim_cur = limit.rlim_max = hard;
    }
    ::setrlimit(RLIMIT_STACK, &limit);
}

#endif

void waitAtStartupGate(const char *path)
{
    while (blockFileOpenable(path)) { }
}
