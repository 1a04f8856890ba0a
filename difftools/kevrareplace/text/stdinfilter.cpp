// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "text/stdinfilter.h"
#include "text/standardstreams.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// Large enough that piped input costs one read and one write per block, not per string.
constexpr int blockSize = 1 << 17;
// Beyond this, output is written within a block too, so that long results do not pile up.
constexpr int outputLimit = 1 << 20;

} // namespace

FilterEnd filterStdin(char terminator, const StringRecorder &record, const BlockWriter &write)
{
    setBinaryStandardStreams();
    std::vector<char> block(blockSize);
    QByteArray output;
    output.reserve(2 * blockSize); // kept when the output is written
    QByteArray pending; // the start of a string that goes on in the next block
    // Where a CR before the newline belongs to the line end, the string goes without it and
    // its record ends with the same CRLF.
    const bool crlfLines = terminator == '\n' && carriageReturnEndsLine();
    const auto flush = [&write, &output]() {
        if (!write(output.constData(), output.size()))
            return false;
        output.resize(0);
        return true;
    };
    const auto recordString = [&](const char *data, int size) {
        const bool crlf = crlfLines && size > 0 && data[size - 1] == '\r';
        const int before = output.size();
        record(data, crlf ? size - 1 : size, output);
        if (crlf && output.size() > before)
            output.insert(output.size() - 1, '\r');
    };
    for (;;) {
        // A caller that writes a string and waits for its record gets it before we wait too.
        if (!flush())
            return FilterEnd::OutputFailed;
        const int got = readStandardInput(block.data(), blockSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return FilterEnd::InputFailed;
        if (got == 0)
            break;
        const char *start = block.data();
        const char *const end = start + got;
        while (const char *stop =
                   static_cast<const char *>(std::memchr(start, terminator, size_t(end - start)))) {
            if (pending.isEmpty()) {
                recordString(start, int(stop - start));
            } else {
                pending.append(start, int(stop - start));
                recordString(pending.constData(), pending.size());
                pending.clear();
            }
            start = stop + 1;
            if (output.size() > outputLimit && !flush())
                return FilterEnd::OutputFailed;
        }
        pending.append(start, int(end - start));
    }
    if (!pending.isEmpty())
        recordString(pending.constData(), pending.size()); // a last string without its end
    return flush() ? FilterEnd::Complete : FilterEnd::OutputFailed;
}
