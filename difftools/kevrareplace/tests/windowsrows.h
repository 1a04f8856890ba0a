// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef WINDOWSROWS_H
#define WINDOWSROWS_H

#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// Rows of one table for Windows (the wide command line, the ANSI code page 1252 that Wine
// takes under LANG=C.UTF-8, CRLF line ends) and for the other systems (bytes, UTF-8): each
// runs where it applies and is skipped elsewhere with the reason.
#ifdef Q_OS_WIN
#define SKIP_ROW_OF_OTHER_PLATFORM(windowsRow)                                                     \
    do {                                                                                           \
        if (!(windowsRow))                                                                         \
            QSKIP("Windows passes arguments as UTF-16 and writes its ANSI code page");             \
        if (GetACP() != 1252)                                                                      \
            QSKIP("the rows are written for the ANSI code page 1252");                             \
    } while (false)
#else
#define SKIP_ROW_OF_OTHER_PLATFORM(windowsRow)                                                     \
    do {                                                                                           \
        if (windowsRow)                                                                            \
            QSKIP("the wide command line, the ANSI code page and CRLF lines are Windows' own");    \
    } while (false)
#endif

#endif // WINDOWSROWS_H
