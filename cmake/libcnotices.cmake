# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT

# Included by packaging.cmake for a download that links the C library in (cmake/staticlibc.cmake):
# the part of NOTICE.txt on glibc and the compiler's runtimes, their notices in
# RUNTIME-NOTICES.txt and their licence texts.
set(kevrareplace_qt_path_note ", with the build's source and build folders
named qtbase-${KEVRAREPLACE_QT_VERSION} in the file names the library keeps (-ffile-prefix-map)")
list(JOIN KEVRAREPLACE_LIBC_SOURCE_FILES "\n    " kevrareplace_libc_sources)
set(kevrareplace_libc_sources "    ${kevrareplace_libc_sources}")
configure_file(cmake/NOTICE-libc.txt.in NOTICE-libc.txt @ONLY)
file(READ ${PROJECT_BINARY_DIR}/NOTICE-libc.txt kevrareplace_libc_notice)

# Debian's copyright file of the libc6-dev linked in, glibc's own list of the licences of the
# code it holds (LICENSES, from its source), and the copyright file of the GCC whose runtimes are
# linked in.
set(kevrareplace_rule "\n----------------------------------------------------------------------\n")
file(READ /usr/share/doc/libc6-dev/copyright kevrareplace_libc_copyright)
file(READ ${KEVRAREPLACE_LIBC_SOURCE}/LICENSES kevrareplace_libc_licenses)
string(REGEX MATCH "^[0-9]+" kevrareplace_gcc_major "${CMAKE_CXX_COMPILER_VERSION}")
set(kevrareplace_gcc_copyright /usr/share/doc/gcc-${kevrareplace_gcc_major}-base/copyright)
if(NOT EXISTS ${kevrareplace_gcc_copyright})
    message(FATAL_ERROR "${kevrareplace_gcc_copyright} is missing: the notices of the GCC "
        "runtimes linked in are taken from it")
endif()
file(READ ${kevrareplace_gcc_copyright} kevrareplace_gcc_notices)
file(WRITE ${PROJECT_BINARY_DIR}/RUNTIME-NOTICES.txt
    "The C library and the compiler's runtimes linked into kevrareplace ${PROJECT_VERSION}\n"
    "====================================================================\n\n"
    "glibc ${KEVRAREPLACE_LIBC_VERSION}, linked in from Debian's libc6-dev "
    "${KEVRAREPLACE_LIBC_PACKAGE_VERSION}: its copyright file\n\n"
    "${kevrareplace_libc_copyright}${kevrareplace_rule}"
    "glibc ${KEVRAREPLACE_LIBC_VERSION}: the licences of the code it holds (LICENSES, from its "
    "source)\n\n${kevrareplace_libc_licenses}${kevrareplace_rule}"
    "libstdc++ and libgcc of GCC ${CMAKE_CXX_COMPILER_VERSION}, linked in from Debian's "
    "libstdc++-${kevrareplace_gcc_major}-dev and libgcc-${kevrareplace_gcc_major}-dev: the "
    "copyright file of GCC\n\n${kevrareplace_gcc_notices}")
install(FILES ${PROJECT_BINARY_DIR}/RUNTIME-NOTICES.txt DESTINATION .)
install(FILES cmake/licences/LGPL-2.1.txt cmake/licences/GCC-exception-3.1.txt
    DESTINATION LICENSES)
