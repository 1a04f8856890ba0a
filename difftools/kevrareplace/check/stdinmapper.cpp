// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "stdinmapper.h"
#include "batch/d_batchreplace.h"
#include "standardstreams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Large enough that piped input costs one read and one write per block, not per string.
constexpr int blockSize = 1 << 17;
// Beyond this, output is written within a block too, so that long results do not pile up.
constexpr int outputLimit = 1 << 20;

int failWith(const char *what, int error)
{
    std::fprintf(stderr, "%s%s\n", what, std::strerror(error));
    std::fflush(stderr);
    return 1;
}

} // namespace

D_StdinMapper::D_StdinMapper(D_BatchReplace &replace, const QVector<QByteArray> &locations)
    : replace(replace)
    , locations(locations)
    , crlfLines(carriageReturnEndsLine())
{
    output.reserve(2 * blockSize); // kept when the output is written
}

D_StdinMapper::~D_StdinMapper() = default;

void D_StdinMapper::setNulTerminated(bool nulTerminated)
{
    terminator = nulTerminated ? '\0' : '\n';
    crlfLines = !nulTerminated && carriageReturnEndsLine();
}

void D_StdinMapper::setVerbose(bool verbose) { this->verbose = verbose; }

int D_StdinMapper::run()
{
    setBinaryStandardStreams();
    std::vector<char> block(blockSize);
    QByteArray pending; // the start of a string that goes on in the next block
    for (;;) {
        // A caller that writes a string and waits for its record gets it before we wait too.
        if (!flush())
            return failWith("Unable to write output: ", errno);
        const int got = readStandardInput(block.data(), blockSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failWith("Unable to read input: ", errno);
        if (got == 0)
            break;
        const char *start = block.data();
        const char *const end = start + got;
        while (const char *stop =
                   static_cast<const char *>(std::memchr(start, terminator, size_t(end - start)))) {
            if (pending.isEmpty()) {
                mapString(start, int(stop - start));
            } else {
                pending.append(start, int(stop - start));
                mapString(pending.constData(), pending.size());
                pending.clear();
            }
            start = stop + 1;
            if (output.size() > outputLimit && !flush())
                return failWith("Unable to write output: ", errno);
        }
        pending.append(start, int(end - start));
    }
    if (!pending.isEmpty())
        mapString(pending.constData(), pending.size()); // a last string without its terminator
    if (!flush())
        return failWith("Unable to write output: ", errno);
    return 0;
}

void D_StdinMapper::mapString(const char *data, int size)
{
    const bool crlf = crlfLines && size > 0 && data[size - 1] == '\r';
    if (crlf)
        --size;
    // An empty string is not one the tool takes: it gets an empty record, so that the records
    // stay in step with the strings.
    const int rule = size > 0 ? replace.map(data, size, result) : -1;
    if (verbose) {
        const char fieldEnd = terminator == '\0' ? '\0' : '\t';
        if (rule >= 0)
            output += locations.value(rule);
        output += fieldEnd;
        output.append(data, size);
        output += fieldEnd;
    }
    // A string that no rule changes comes back as its very bytes.
    if (rule >= 0)
        output += result;
    else
        output.append(data, size);
    if (crlf)
        output += '\r';
    output += terminator;
}

bool D_StdinMapper::flush()
{
    const char *data = output.constData();
    int left = output.size();
    while (left > 0) {
        const int written = writeStandardOutput(data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        left -= written;
    }
    output.resize(0);
    return true;
}
