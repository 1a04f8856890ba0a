# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT

# The portable Linux build links the C library in too (KEVRAREPLACE_LIBC_STATIC, set by
# cmake/portable.cmake). Its download then owes what a program linking glibc in owes: glibc's
# notice where the programs show their own, its licence texts and notices, and its corresponding
# source beside the download: Debian's source package of the libc6-dev installed, which
# scripts/libc-source.sh fetches into the static Qt's cache. The folder can be given as
# KEVRAREPLACE_LIBC_SOURCE.
if(NOT KEVRAREPLACE_LIBC_STATIC)
    return()
endif()
execute_process(COMMAND dpkg-query -W -f=\${source:Version} libc6-dev
    OUTPUT_VARIABLE KEVRAREPLACE_LIBC_PACKAGE_VERSION RESULT_VARIABLE kevrareplace_status)
if(NOT kevrareplace_status EQUAL 0 OR KEVRAREPLACE_LIBC_PACKAGE_VERSION STREQUAL "")
    message(FATAL_ERROR "linking the C library in needs Debian's libc6-dev")
endif()
string(REGEX REPLACE "-[^-]*$" "" KEVRAREPLACE_LIBC_VERSION "${KEVRAREPLACE_LIBC_PACKAGE_VERSION}")
if(NOT KEVRAREPLACE_LIBC_SOURCE)
    include(${CMAKE_CURRENT_LIST_DIR}/staticqt.cmake)
    set(KEVRAREPLACE_LIBC_SOURCE
        "${KEVRAREPLACE_STATIC_QT_CACHE}/glibc-${KEVRAREPLACE_LIBC_PACKAGE_VERSION}-src")
endif()
file(GLOB KEVRAREPLACE_LIBC_SOURCE_FILES RELATIVE ${KEVRAREPLACE_LIBC_SOURCE}
    ${KEVRAREPLACE_LIBC_SOURCE}/glibc_*)
if(NOT EXISTS ${KEVRAREPLACE_LIBC_SOURCE}/LICENSES OR NOT KEVRAREPLACE_LIBC_SOURCE_FILES)
    message(FATAL_ERROR "${KEVRAREPLACE_LIBC_SOURCE} lacks glibc's source package: "
        "sh scripts/libc-source.sh fetches it")
endif()
list(SORT KEVRAREPLACE_LIBC_SOURCE_FILES)
