# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT

# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix), on the
# static Qt that scripts/windows.sh builds, with tests run under Wine. The Qt prefix can be
# given as KEVRAREPLACE_QT_WIN64; by default it is the script's cache (staticqt.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(kevrareplace_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${kevrareplace_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${kevrareplace_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${kevrareplace_mingw}-windres)

if(NOT KEVRAREPLACE_QT_WIN64)
    include(${CMAKE_CURRENT_LIST_DIR}/staticqt.cmake)
    kevrareplace_static_qt_prefix(KEVRAREPLACE_QT_WIN64 win64)
endif()
# try_compile projects read this file again: let them see the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KEVRAREPLACE_QT_WIN64)

set(CMAKE_FIND_ROOT_PATH /usr/${kevrareplace_mingw} ${KEVRAREPLACE_QT_WIN64})
set(CMAKE_PREFIX_PATH ${KEVRAREPLACE_QT_WIN64})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Without it the programs need MinGW's libstdc++, libgcc and winpthread DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian's wine64 package has no "wine" command: its loader runs 64-bit programs.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
