# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT

# Install rules, and the zip for Windows. The Debian packages are built by debian/rules.
include(GNUInstallDirs)

set(kevrareplace_dir ${PROJECT_SOURCE_DIR}/difftools/kevrareplace)

# A download with Qt linked in carries, beside the programs' own licence, Qt's licence texts, the
# NOTICE that says which Qt is in it and how it was built, and the notices of the code compiled
# into Qt. The Qt prefix that scripts/static-qt.sh built keeps how it was built.
if(KEVRAREPLACE_QT_STATIC)
    set(kevrareplace_qt_build ${KEVRAREPLACE_QT_PREFIX}/share/kevrareplace)
    foreach(file configure.txt sources.txt third-party-notices.txt)
        if(NOT EXISTS ${kevrareplace_qt_build}/${file})
            message(FATAL_ERROR "${kevrareplace_qt_build}/${file} is missing: a download linking "
                "Qt in needs the static Qt that scripts/static-qt.sh builds")
        endif()
    endforeach()
    file(READ ${kevrareplace_qt_build}/configure.txt kevrareplace_qt_configure)
    file(READ ${kevrareplace_qt_build}/sources.txt kevrareplace_qt_sources)
    string(STRIP "${kevrareplace_qt_configure}" kevrareplace_qt_configure)
    string(STRIP "${kevrareplace_qt_sources}" kevrareplace_qt_sources)
    string(REPLACE "\n" "\n    " kevrareplace_qt_sources "    ${kevrareplace_qt_sources}")
    string(REPLACE "${KEVRAREPLACE_QT_PREFIX}" PREFIX kevrareplace_qt_configure
        "    ${kevrareplace_qt_configure}")
    set(kevrareplace_qt_path_note "")
    set(kevrareplace_libc_notice "")
    if(KEVRAREPLACE_LIBC_STATIC)
        include(cmake/libcnotices.cmake)
    endif()
    if(WIN32)
        set(kevrareplace_platform "64-bit Windows")
        set(kevrareplace_qt_target win64)
    else()
        set(kevrareplace_platform "Linux x86_64")
        set(kevrareplace_qt_target linux-x86_64)
    endif()
    configure_file(cmake/NOTICE.txt.in NOTICE.txt @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/NOTICE.txt DESTINATION .)
    install(FILES ${kevrareplace_qt_build}/third-party-notices.txt DESTINATION .
        RENAME THIRD-PARTY-NOTICES.txt)
    install(FILES cmake/licences/LGPL-3.0-only.txt cmake/licences/GPL-3.0-only.txt
        DESTINATION LICENSES)
    # A README of its own for the person who unpacked the download: what the programs do, how to
    # put them on PATH, what they need, their licences and where the source is.
    if(WIN32)
        configure_file(cmake/download/README-windows.txt.in README.txt @ONLY)
    else()
        configure_file(cmake/download/README-linux.txt.in README.txt @ONLY)
        install(FILES LICENSES/MIT.txt DESTINATION . RENAME LICENSE.txt)
    endif()
    install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
endif()

# For Windows one folder, which scripts/windows.sh packs into the zip: both programs, the README,
# the licence, the manual pages as text and the example.
if(WIN32)
    find_program(GROFF_EXECUTABLE groff)
    if(NOT GROFF_EXECUTABLE)
        message(FATAL_ERROR "groff is needed for the manual pages as text")
    endif()
    foreach(page kevrareplace kevrareplace-check)
        add_custom_command(OUTPUT ${page}.txt
            COMMAND ${GROFF_EXECUTABLE} -man -Tutf8 -P-cbou ${PROJECT_BINARY_DIR}/doc/${page}.1
                > ${page}.txt
            DEPENDS ${PROJECT_BINARY_DIR}/doc/${page}.1
            VERBATIM)
    endforeach()
    add_custom_target(kevrareplace_docs ALL DEPENDS kevrareplace.txt kevrareplace-check.txt)
    install(TARGETS kevrareplace kevrareplace-check RUNTIME DESTINATION .)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kevrareplace.txt
        ${CMAKE_CURRENT_BINARY_DIR}/kevrareplace-check.txt DESTINATION .)
    install(FILES LICENSES/MIT.txt DESTINATION . RENAME LICENSE.txt)
    install(FILES ${kevrareplace_dir}/examples/paths.xml DESTINATION examples)
    return()
endif()
set(kevrareplace_docdir ${CMAKE_INSTALL_DATADIR}/doc/kevrareplace)

# The manual pages compressed into the build folder, as Debian wants them.
foreach(page kevrareplace kevrareplace-check)
    add_custom_command(OUTPUT ${page}.1.gz
        COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/doc/${page}.1 > ${page}.1.gz
        DEPENDS ${PROJECT_BINARY_DIR}/doc/${page}.1
        VERBATIM)
endforeach()
add_custom_target(kevrareplace_docs ALL DEPENDS kevrareplace.1.gz kevrareplace-check.1.gz)

install(TARGETS kevrareplace kevrareplace-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kevrareplace.1.gz
    ${CMAKE_CURRENT_BINARY_DIR}/kevrareplace-check.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The licence in the machine-readable form of the Debian package, whose copyright file it is.
install(FILES README.md CHANGELOG.md debian/copyright DESTINATION ${kevrareplace_docdir})
install(FILES ${kevrareplace_dir}/examples/paths.xml DESTINATION ${kevrareplace_docdir}/examples)
# Shell completion where each shell looks for it. bash loads a completion by the command's name,
# so its one file goes in under both names.
set(kevrareplace_completion ${kevrareplace_dir}/completion)
foreach(program kevrareplace kevrareplace-check)
    install(FILES ${kevrareplace_completion}/kevrareplace.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program})
    install(FILES ${kevrareplace_completion}/${program}.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
endforeach()
install(FILES ${kevrareplace_completion}/_kevrareplace
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
# For editors that check a rule file as it is typed.
install(FILES ${kevrareplace_dir}/schema/kevrareplace.xsd
    DESTINATION ${CMAKE_INSTALL_DATADIR}/kevrareplace)
