// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Feeds arbitrary bytes to the configuration reader, in two pieces split at a point that the
// input chooses, and checks that the split makes no difference.

#include "config/d_replacestreamreader.h"

#include <cstdint>
#include <cstdlib>

namespace {

QVector<FileEntry> readEntries(const QByteArray &first, const QByteArray &second)
{
    D_ReplaceStreamReader reader;
    reader.addData(first);
    reader.addData(second);
    reader.read();
    return reader.entries();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte says where the rest is split.
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), int(size - 1));
    const int split = int(data[0] * size_t(bytes.size()) / 255);

    const QVector<FileEntry> whole = readEntries(bytes, QByteArray());
    const QVector<FileEntry> pieces = readEntries(bytes.left(split), bytes.mid(split));
    if (whole != pieces)
        std::abort();
    return 0;
}
