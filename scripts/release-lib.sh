# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# What the builds of the downloads share, sourced from the top of the checkout
# (". scripts/release-lib.sh") by scripts/portable.sh and scripts/windows.sh: a preset configured,
# built and tested; the archive unpacked into a folder with a space and a non-ASCII letter, with
# Qt's source package files beside it; both programs run from there and their output compared.
# The version, the warnings and the example run are the other scripts' too.

# Prints the version of project(kevrareplace VERSION x.y.z) in the CMakeLists.txt of TREE, where
# it is written once; fails when there is none: project_version TREE
project_version()
{
    sed -n 's/^project(kevrareplace VERSION \([0-9]*\.[0-9]*\.[0-9]*\)[ )].*/\1/p' \
        "$1/CMakeLists.txt" | grep . \
        || { echo "no project(kevrareplace VERSION x.y.z) in $1/CMakeLists.txt" >&2; return 1; }
}

# Warnings are errors in CI, where the compiler is known.
werror=$([ -n "${CI:-}" ] && echo ON || echo OFF)

# The example run: a path that the example's rules (examples/paths.xml) rewrite, and the result.
example_string=/home/ann/workspace/app/src/main.cpp
example_result=/work/app/src/main.cpp

# Runs the tool on the example string by the rules of CONFIG: run_example CONFIG COMMAND...,
# where COMMAND is the tool, or what starts it, with its words.
run_example()
{
    example_config=$1
    shift
    "$@" -config "$example_config" "$example_string"
}

# Configures PRESET with the cache entries given after it and warnings as errors in CI, builds
# it, and runs its suite, each step after its headline:
#   build_and_test PRESET BUILD-HEADLINE TEST-HEADLINE [-DNAME=VALUE...]
build_and_test()
{
    preset=$1 build_headline=$2 test_headline=$3
    shift 3
    echo "== $build_headline"
    cmake --preset "$preset" -DKEVRAREPLACE_WERROR="$werror" "$@" >/dev/null
    cmake --build --preset "$preset" --parallel "$(nproc)" >/dev/null
    echo "== $test_headline"
    ctest --preset "$preset"
}

# Copies the files of Qt's source package that the static Qt of TARGET was built from into
# FOLDER, to be published beside the download: copy_qt_source TARGET FOLDER
copy_qt_source()
{
    qt_source=$(sh scripts/static-qt.sh "$1" source)
    while read -r file; do
        cp "$qt_source/$file" "$2/"
    done <"$(sh scripts/static-qt.sh "$1" prefix)/share/kevrareplace/sources.txt"
}

# Unpacks ARCHIVE (.zip or .tar.xz), which holds the folder NAME, into BUILD/unpacked/ in a folder
# whose name has a space and a non-ASCII letter, as users' folders may: unpack BUILD ARCHIVE NAME.
# Sets unpacked to that folder and download to NAME's folder in it.
unpack()
{
    unpacked="$1/unpacked/Kevra Tools é"
    rm -rf "$1/unpacked"
    mkdir -p "$unpacked"
    (cd "$unpacked" && cmake -E tar xf "$2")
    download=$unpacked/$3
    run_output=$1/run-output
}

# Fails unless the unpacked download holds each FILE: expect_files FILE...
expect_files()
{
    for file; do
        [ -f "$download/$file" ] || { echo "$(basename "$download") lacks $file"; exit 1; }
    done
}

# Runs COMMAND... in the unpacked download and fails unless it prints WANT (printf's %b escapes)
# and exits 0: expect WANT COMMAND...
expect()
{
    want=$1
    shift
    status=0
    (cd "$download" && "$@") >"$run_output" || status=$?
    got=$(od -An -c "$run_output" | tr -s ' \n' ' ')
    want=$(printf '%b' "$want" | od -An -c | tr -s ' \n' ' ')
    [ "$status" = 0 ] && [ "$got" = "$want" ] \
        || { echo "$* printed '$got' and exited $status, not '$want' and 0"; exit 1; }
}

# The C string that the generated header HEADER of the build in BUILD defines as NAME, with its
# escapes: generated_text BUILD HEADER NAME
generated_text()
{
    sed -n "s/^#define $3 \"\\(.*\\)\"\$/\\1/p" "$1/difftools/kevrareplace/generated/$2"
}

# Runs both programs of the unpacked download through run_unpacked, which the script defines (how
# a user starts them there), on the example and for their banners as the build in BUILD wrote
# them for the programs; their lines end with EOL, \n, or \r\n on Windows:
#   expect_programs BUILD TOOL CHECK EXAMPLE EOL
expect_programs()
{
    build=$1 tool=$2 check=$3 example=$4 eol=$5
    notice=$(generated_text "$build" qtnotice.h KEVRAREPLACE_QT_NOTICE)
    [ -n "$notice" ] || { echo "the build in $build shows no Qt notice"; exit 1; }
    name_line=$(generated_text "$build" banner.h KEVRAREPLACE_BANNER_NAME)
    copyright_line=$(generated_text "$build" banner.h KEVRAREPLACE_BANNER_COPYRIGHT)
    banner="$name_line\\n$copyright_line\\n$notice"
    companion="kevrareplace-check $(generated_text "$build" banner.h KEVRAREPLACE_VERSION_WORDS)\\n$notice"
    if [ "$eol" = '\r\n' ]; then
        banner=$(printf '%s' "$banner" | sed 's/\\n/\\r\\n/g')
        companion=$(printf '%s' "$companion" | sed 's/\\n/\\r\\n/g')
    fi
    expect "$example_result$eol" run_example "$example" run_unpacked "$tool"
    expect "$banner" run_unpacked "$tool" -version
    expect '' run_unpacked "$check" -config "$example"
    expect "$companion" run_unpacked "$check" --version
}
