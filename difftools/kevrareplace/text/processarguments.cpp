// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "processarguments.h"

#ifdef _WIN32

#include <windows.h>

// The C runtime's own split of the wide command line, with the same wildcard setting as the
// split that made argv: the words are argv's, character for character, where argv holds
// only what the ANSI code page can. CommandLineToArgvW reads quotes and the program's name
// by other rules.
struct StartupInfo
{
    int newMode;
};
extern "C" int __wgetmainargs(
    int *argc, wchar_t ***argv, wchar_t ***environment, int expandWildcards, StartupInfo *info);
extern "C" int _dowildcard;
extern "C" int _newmode;

QStringList processArguments(int argc, char *argv[])
{
    int count = 0;
    wchar_t **words = nullptr;
    wchar_t **environment = nullptr;
    StartupInfo info { _newmode };
    QStringList arguments;
    if (__wgetmainargs(&count, &words, &environment, _dowildcard, &info) < 0 || !words) {
        // Out of memory in the runtime: argv as the ANSI code page has it is what is left.
        for (int i = 0; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        return arguments;
    }
    arguments.reserve(count);
    for (int i = 0; i < count; ++i)
        arguments.append(QString::fromWCharArray(words[i]));
    return arguments;
}

#else

#include "losslesscodec.h"

#include <cstring>

QStringList processArguments(int argc, char *argv[])
{
    // Bytes that are not UTF-8 are kept, so that the result and a file name in a message
    // come out as they were given.
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments.append(decodeLossless(argv[i], int(std::strlen(argv[i]))));
    return arguments;
}

#endif
