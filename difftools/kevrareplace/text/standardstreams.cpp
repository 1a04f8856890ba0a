// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "text/standardstreams.h"

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>

void setBinaryStandardStreams()
{
    _setmode(0, _O_BINARY);
    _setmode(1, _O_BINARY);
}

int readStandardInput(char *data, int size) { return _read(0, data, unsigned(size)); }

int writeStandardOutput(const char *data, int size) { return _write(1, data, unsigned(size)); }

bool carriageReturnEndsLine() { return true; }

#else

#include <unistd.h>

void setBinaryStandardStreams() { }

int readStandardInput(char *data, int size) { return int(::read(0, data, size_t(size))); }

int writeStandardOutput(const char *data, int size) { return int(::write(1, data, size_t(size))); }

bool carriageReturnEndsLine() { return false; }

#endif
