# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT

# The static Qt of the downloads, which scripts/static-qt.sh builds: Qt's version and the cache
# it is built into, a prefix for each target, written here once. The toolchain files
# (portable.cmake, mingw-w64.cmake) include it for their default prefix; static-qt.sh runs it:
#   cmake -DTARGET=linux-x86_64|win64 -P cmake/staticqt.cmake
# prints Qt's version, the cache folder and the target's prefix, one a line.
set(KEVRAREPLACE_STATIC_QT_VERSION 5.15.8)
if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(KEVRAREPLACE_STATIC_QT_CACHE "$ENV{XDG_CACHE_HOME}/kevrareplace")
else()
    set(KEVRAREPLACE_STATIC_QT_CACHE "$ENV{HOME}/.cache/kevrareplace")
endif()

# The configuration of a target's Qt, in its folder's name: raised whenever static-qt.sh configures
# that target's Qt differently, so that a cache built another way is never used. Linux: 2, its own
# codecs and no dynamic loading (the programs link the C library in too).
set(KEVRAREPLACE_STATIC_QT_CONFIGURATION_linux-x86_64 "-2")
set(KEVRAREPLACE_STATIC_QT_CONFIGURATION_win64 "")

# Sets VARIABLE to the prefix of the static Qt for TARGET (linux-x86_64 or win64).
function(kevrareplace_static_qt_prefix variable target)
    set(kevrareplace_name
        "qt-${KEVRAREPLACE_STATIC_QT_VERSION}${KEVRAREPLACE_STATIC_QT_CONFIGURATION_${target}}")
    set(${variable} "${KEVRAREPLACE_STATIC_QT_CACHE}/${kevrareplace_name}-${target}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
    kevrareplace_static_qt_prefix(kevrareplace_prefix "${TARGET}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E echo
        "${KEVRAREPLACE_STATIC_QT_VERSION}\n${KEVRAREPLACE_STATIC_QT_CACHE}\n${kevrareplace_prefix}")
endif()
