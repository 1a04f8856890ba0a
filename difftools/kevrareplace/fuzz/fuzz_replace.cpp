// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Reads a configuration and applies its rules to a string, both taken from the input: the
// configuration is what comes before the first NUL byte, the string what follows it, decoded as
// the program decodes its arguments (a fixed path when there is no NUL). Checks that the string
// encodes to its bytes again, and that the result is the one of a reference that tries every rule
// with nothing passed over.

#include "config/d_replacestreamreader.h"
#include "config/entryrules.h"
#include "referencereplace.h"
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
    addRules(replace, reader.entries());
    const QString result = replace.apply(input);

    // No chaining, and no rule passed over that could change the string: the result is what
    // the first rule that changes the string makes of it alone, or the string itself.
    QVector<Rule> rules;
    for (const FileEntry &entry : reader.entries())
        rules.append(ruleOf(entry));
    int decider = -1;
    const QString expected = referenceReplace(rules, input, &decider);
    if (result != expected)
        std::abort();
    return 0;
}
