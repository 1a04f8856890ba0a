# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT

# Install rules and the Debian package.
include(GNUInstallDirs)

set(kevrareplace_dir ${PROJECT_SOURCE_DIR}/difftools/kevrareplace)

# For Windows a zip: both programs, the README, the licence, the manual pages as text and the
# example, in one folder.
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
    install(FILES README.md ${CMAKE_CURRENT_BINARY_DIR}/kevrareplace.txt
        ${CMAKE_CURRENT_BINARY_DIR}/kevrareplace-check.txt DESTINATION .)
    install(FILES LICENSES/MIT.txt DESTINATION . RENAME LICENSE.txt)
    install(FILES ${kevrareplace_dir}/examples/paths.xml DESTINATION examples)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME kevrareplace)
    set(CPACK_PACKAGE_VENDOR "The kevrareplace developers")
    set(CPACK_PACKAGE_FILE_NAME kevrareplace-${PROJECT_VERSION}-win64)
    set(CPACK_STRIP_FILES ON)
    include(CPack)
    return()
endif()
set(kevrareplace_docdir ${CMAKE_INSTALL_DATADIR}/doc/kevrareplace)

# Compresses source into the build folder as name, as Debian wants documentation.
function(kevrareplace_gzip source name)
    add_custom_command(OUTPUT ${name}
        COMMAND gzip -9 -n -c ${source} > ${name}
        DEPENDS ${source}
        VERBATIM)
endfunction()
configure_file(${kevrareplace_dir}/packaging/changelog.Debian.in changelog.Debian @ONLY)
kevrareplace_gzip(${PROJECT_BINARY_DIR}/doc/kevrareplace.1 kevrareplace.1.gz)
kevrareplace_gzip(${PROJECT_BINARY_DIR}/doc/kevrareplace-check.1 kevrareplace-check.1.gz)
kevrareplace_gzip(${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian changelog.Debian.gz)
kevrareplace_gzip(${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog.gz)
add_custom_target(kevrareplace_docs ALL
    DEPENDS kevrareplace.1.gz kevrareplace-check.1.gz changelog.Debian.gz changelog.gz)

install(TARGETS kevrareplace kevrareplace-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kevrareplace.1.gz
    ${CMAKE_CURRENT_BINARY_DIR}/kevrareplace-check.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md ${kevrareplace_dir}/packaging/copyright
    ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
    DESTINATION ${kevrareplace_docdir})
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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kevrareplace)
set(CPACK_PACKAGE_VENDOR "The kevrareplace developers")
set(CPACK_PACKAGE_CONTACT "The kevrareplace developers <maintainers@users.noreply.c-seed-44ec64d8.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rewrite a string by the first matching rule of an XML file")
set(CPACK_PACKAGE_DESCRIPTION
    "kevrareplace rewrites one string, typically a path, by the first rule of
an XML rule file that changes it, and prints the result. Rules are fixed
text, wildcard patterns or regular expressions, matched with or without
regard to case; they are tried in order and never chain. Scripts call it
once per path and read its output and exit code.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A Debian revision: the package is not native, so its changelog is changelog.Debian.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
