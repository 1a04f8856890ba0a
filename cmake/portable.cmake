# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT

# The portable Linux build: on the static Qt that scripts/static-qt.sh builds, with the C library
# and the C++ and GCC runtimes linked in too, so that the programs need nothing from the system
# but the kernel (cmake/staticlibc.cmake). The Qt prefix can be
# given as KEVRAREPLACE_QT_LINUX; by default it is the script's cache (staticqt.cmake).
if(NOT KEVRAREPLACE_QT_LINUX)
    include(${CMAKE_CURRENT_LIST_DIR}/staticqt.cmake)
    kevrareplace_static_qt_prefix(KEVRAREPLACE_QT_LINUX linux-x86_64)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KEVRAREPLACE_QT_LINUX)

# Only this Qt: the system's shared one must not be found instead.
set(CMAKE_PREFIX_PATH ${KEVRAREPLACE_QT_LINUX})
set(Qt5_DIR ${KEVRAREPLACE_QT_LINUX}/lib/cmake/Qt5 CACHE PATH "The static Qt's CMake package")
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(KEVRAREPLACE_LIBC_STATIC ON)
