# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT

# The Qt the project builds on, chosen here once. Qt 5 is the default: the program starts
# faster on it. Qt 6 keeps QRegExp and QStringRef in its Core5Compat module.
set(KEVRAREPLACE_QT_MAJOR 5 CACHE STRING "Major version of Qt to build on: 5 or 6")
set_property(CACHE KEVRAREPLACE_QT_MAJOR PROPERTY STRINGS 5 6)

set(kevrareplace_qt_components Core)
if(KEVRAREPLACE_QT_MAJOR STREQUAL "5")
    set(kevrareplace_qt_minimum 5.15)
elseif(KEVRAREPLACE_QT_MAJOR STREQUAL "6")
    set(kevrareplace_qt_minimum 6.2)
    list(APPEND kevrareplace_qt_components Core5Compat)
else()
    message(FATAL_ERROR "KEVRAREPLACE_QT_MAJOR is 5 or 6, not '${KEVRAREPLACE_QT_MAJOR}'")
endif()
if(BUILD_TESTING)
    list(APPEND kevrareplace_qt_components Test)
endif()
# The Windows download links everything in: where MinGW-w64 has a library both as a static
# archive and as the import library of a DLL (zlib, which the static Qt needs), the archive, so
# that the programs need no DLL beside Windows' own.
if(MINGW)
    set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
endif()
find_package(Qt${KEVRAREPLACE_QT_MAJOR} ${kevrareplace_qt_minimum} REQUIRED
    COMPONENTS ${kevrareplace_qt_components})

# What every program and library of the project links for Qt.
add_library(kevrareplace_qt INTERFACE)
target_link_libraries(kevrareplace_qt INTERFACE Qt${KEVRAREPLACE_QT_MAJOR}::Core
    $<$<STREQUAL:${KEVRAREPLACE_QT_MAJOR},6>:Qt6::Core5Compat>)

# The same with Qt's test library, for the test programs.
if(BUILD_TESTING)
    add_library(kevrareplace_qttest INTERFACE)
    target_link_libraries(kevrareplace_qttest INTERFACE kevrareplace_qt
        Qt${KEVRAREPLACE_QT_MAJOR}::Test)
endif()

# A Qt linked in statically (the portable Linux build, the Windows build) owes its users Qt's
# notice where the programs show their own, the licence texts and the NOTICE beside them
# (cmake/packaging.cmake). The prefix scripts/static-qt.sh builds keeps how it was built.
get_target_property(kevrareplace_qt_type Qt${KEVRAREPLACE_QT_MAJOR}::Core TYPE)
if(kevrareplace_qt_type STREQUAL "STATIC_LIBRARY")
    set(KEVRAREPLACE_QT_STATIC ON)
    set(KEVRAREPLACE_QT_VERSION ${Qt${KEVRAREPLACE_QT_MAJOR}Core_VERSION})
    get_filename_component(KEVRAREPLACE_QT_PREFIX
        "${Qt${KEVRAREPLACE_QT_MAJOR}_DIR}/../../.." ABSOLUTE)
else()
    set(KEVRAREPLACE_QT_STATIC OFF)
endif()
