// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Reads a configuration and applies its rules to a string, both taken from the input: the
// configuration is what comes before the first NUL byte, the string what follows it, decoded as
// the program decodes its arguments (a fixed path when there is no NUL). Checks that the string
// encodes to its bytes again, and that the first rule that changes it decides alone.

#include "config/d_replacestreamreader.h"
#include "replace/d_replace.h"
#include "text/losslesscodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const int nul = bytes.indexOf('\0');
    const QByteArray string =
        nul < 0 ? QByteArray("/home/ann/workspace/app/src/main.cpp") : bytes.mid(nul + 1);
    const QString input = decodeLossless(string);
    if (encodeLossless(input) != string)
        std::abort();

    D_ReplaceStreamReader reader;
    reader.addData(nul < 0 ? bytes : bytes.left(nul));
    reader.read();
    D_Replace replace;
    for (const FileEntry &entry : reader.entries())
        replace.addRule(entry.path, entry.replacepath, entry.regexp, entry.cs, entry.wildcard);
    const QString result = replace.apply(input);

    // No chaining: the result is what the first rule that changes the string makes of it alone,
    // or the string itself when no rule changes it (and so when there are no rules).
    QString expected = input;
    for (const FileEntry &entry : reader.entries()) {
        D_Replace single;
        single.addRule(entry.path, entry.replacepath, entry.regexp, entry.cs, entry.wildcard);
        const QString alone = single.apply(input);
        if (alone != input) {
            expected = alone;
            break;
        }
    }
    if (result != expected)
        std::abort();
    return 0;
}
