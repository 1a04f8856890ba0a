// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "text/standardstreams.h"

#include <cerrno>

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>

// The C runtime keeps descriptors 0 to 2 for the standard handles, also for one the program
// was started without, so a file opened later never takes their numbers.
void holdClosedStandardStreams() { }

void setBinaryStandardStreams()
{
    _setmode(0, _O_BINARY);
    _setmode(1, _O_BINARY);
}

int readStandardInput(char *data, int size) { return _read(0, data, unsigned(size)); }

int writeStandardOutput(const char *data, int size) { return _write(1, data, unsigned(size)); }

bool carriageReturnEndsLine() { return true; }

#else

#include <fcntl.h>
#include <unistd.h>

void holdClosedStandardStreams()
{
    // The null device opened the other way round: reading descriptor 0 or writing 1 or 2
    // fails with EBADF. Taken in order, each open gets the lowest free number, the closed one.
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int held = ::open("/dev/null", descriptor == 0 ? O_WRONLY : O_RDONLY);
        if (held > descriptor) {
            ::dup2(held, descriptor);
            ::close(held);
        }
    }
}

void setBinaryStandardStreams() { }

int readStandardInput(char *data, int size) { return int(::read(0, data, size_t(size))); }

int writeStandardOutput(const char *data, int size) { return int(::write(1, data, size_t(size))); }

bool carriageReturnEndsLine() { return false; }

#endif

bool writeStandardOutputBlock(const char *data, int size)
{
    while (size > 0) {
        const int written = writeStandardOutput(data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}
