// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// host RULES PATH...: reads the rule file RULES once and prints, for each PATH, what
// kevrareplace -config RULES PATH prints, in one process. Where the tool would refuse the rule
// file, says what the tool says on standard error and ends with the tool's exit code.

#include <kevrareplace/ruleset.h>

#include <QByteArray>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "Usage: %s RULES PATH...\n", argv[0]);
        return 10;
    }
    const KevraReplace::RuleSet rules =
        KevraReplace::RuleSet::fromFiles({ QFile::decodeName(argv[1]) });
    if (!rules.isValid()) {
        std::fprintf(stderr, "%s\n", rules.errorString().toLocal8Bit().constData());
        return rules.exitCode();
    }
    // The bytes of each argument, rewritten as the tool rewrites its own: bytes that are not
    // UTF-8 come back as they were given.
    for (int i = 2; i < argc; ++i) {
        const QByteArray line = rules.rewriteBytes(QByteArray(argv[i])) + '\n';
        if (std::fwrite(line.constData(), 1, size_t(line.size()), stdout) != size_t(line.size()))
            break;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "Unable to write output\n");
        return 2;
    }
    return 0;
}
