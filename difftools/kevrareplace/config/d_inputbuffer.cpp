// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "d_inputbuffer.h"

#include <algorithm>
#include <cstring>

D_InputBuffer::D_InputBuffer() { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

D_InputBuffer::~D_InputBuffer() = default;

void D_InputBuffer::append(const QByteArray &bytes)
{
    buffer.append(bytes); // into an empty buffer this shares the bytes instead of copying them
}

bool D_InputBuffer::isSequential() const { return true; }

qint64 D_InputBuffer::bytesAvailable() const
{
    return buffer.size() - readPosition + QIODevice::bytesAvailable();
}

qint64 D_InputBuffer::readData(char *data, qint64 maxSize)
{
    const int count = int(std::min<qint64>(maxSize, buffer.size() - readPosition));
    std::memcpy(data, buffer.constData() + readPosition, size_t(count));
    readPosition += count;
    // Once at least half of the buffer has been read, keep only the rest: each byte is copied
    // at most once more on average, and a large input shrinks as it is read.
    if (readPosition >= 64 * 1024 && readPosition * 2 >= buffer.size()) {
        buffer = buffer.mid(readPosition);
        readPosition = 0;
    }
    return count;
}

qint64 D_InputBuffer::writeData(const char *, qint64) { return -1; }
