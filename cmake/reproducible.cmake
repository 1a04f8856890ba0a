# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT

# The downloads, which link Qt in (the portable Linux build, the Windows build), are the same
# byte for byte in whichever folder they are built: no path of the checkout or the build folder
# in the programs (in __FILE__, debug information or anything else the compiler writes), and in
# the Windows programs' headers no time of the link. The times, order and owners of the
# archives' members are the release scripts' (scripts/release-lib.sh).
if(KEVRAREPLACE_QT_STATIC)
    # The build folder may lie inside the checkout: the compiler tries the later map first.
    add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=."
        "-ffile-prefix-map=${PROJECT_BINARY_DIR}=.")
    if(WIN32)
        add_link_options(-Wl,--no-insert-timestamp)
    endif()
endif()
