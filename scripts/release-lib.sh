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

# Every time in a download is the time of the commit it is built from, or SOURCE_DATE_EPOCH
# when that is set (as for a second build from a copy of the tree); outside a git checkout, the
# time of the newest entry of debian/changelog. Sets and exports SOURCE_DATE_EPOCH.
source_date_epoch()
{
    [ -n "${SOURCE_DATE_EPOCH:-}" ] \
        || SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) \
        || SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l debian/changelog -S Timestamp)
    export SOURCE_DATE_EPOCH
}

# Installs the build in BUILD, stripped, into BUILD/stage/NAME: stage_build BUILD NAME. Stripping
# a Windows program writes a time into its header again: SOURCE_DATE_EPOCH's.
stage_build()
{
    source_date_epoch
    rm -rf "$1/stage"
    cmake --install "$1" --prefix "$1/stage/$2" --strip >/dev/null
}

# Makes BUILD/NAME.tar.xz of the build in BUILD, the same bytes from the same files: the
# members in the byte order of their names, each with the time SOURCE_DATE_EPOCH, owner and
# group 0 without names, the modes the files have whatever the umask, and xz's settings fixed
# (on one thread: more would cut the stream into blocks): pack_tar_xz BUILD NAME
pack_tar_xz()
{
    stage_build "$1" "$2"
    (cd "$1/stage" && LC_ALL=C tar --sort=name --format=gnu --owner=0 --group=0 --numeric-owner \
        --mtime="@$SOURCE_DATE_EPOCH" --mode=u=rwX,go=rX -cf "../$2.tar" "$2")
    env -u XZ_DEFAULTS -u XZ_OPT xz -f -6 -T1 --check=crc64 "$1/$2.tar"
}

# Makes BUILD/NAME.zip of the build in BUILD as scripts/zipfolder.py packs a folder, with every
# file but the programs (the texts) ending its lines with CR LF: pack_zip BUILD NAME
pack_zip()
{
    stage_build "$1" "$2"
    find "$1/stage/$2" -type f ! -name '*.exe' -exec sed -i 's/\r$//; s/$/\r/' {} +
    rm -f "$1/$2.zip"
    python3 scripts/zipfolder.py "$1/stage" "$2" "$1/$2.zip"
}

# Fails unless every file of the unpacked download but the programs (*.exe) ends each of its
# lines with CR LF: expect_crlf
expect_crlf()
{
    cr=$(printf '\r')
    find "$download" -type f ! -name '*.exe' | while read -r file; do
        lines=$(wc -l <"$file")
        [ "$lines" -gt 0 ] && [ "$(grep -c "$cr\$" "$file")" = "$lines" ] \
            || { echo "${file#"$download"/} has lines that do not end with CR LF"; exit 1; }
    done || exit 1
}

# Copies the files of the tree that git knows (tracked, or new and not ignored) as they stand
# into the folder DEST; outside a git checkout, everything but the build folders: copy_tree DEST
copy_tree()
{
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -z --cached --others --exclude-standard \
            | xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\n" "$f"; done' sh \
            | tar -cf - --no-recursion -T - | tar -xf - -C "$1"
    else
        tar -cf - --exclude=./.git --exclude=./build --exclude='./build-*' --exclude='./obj-*' . \
            | tar -xf - -C "$1"
    fi
}

# Builds the programs of PRESET (not the tests, nor Qt) a second time, from a copy of the tree
# in a folder of another path, without ccache, packs them with PACK (pack_tar_xz or pack_zip)
# as the first build, in the preset's folder BUILD, was packed into ARCHIVE (NAME.tar.xz or
# NAME.zip), and fails unless the two archives are the same bytes, saying which members differ:
#   expect_reproducible PRESET BUILD PACK ARCHIVE [-DNAME=VALUE...]
expect_reproducible()
{
    preset=$1 build=$2 pack=$3 archive=$4 here=$(pwd)
    name=${archive%.zip}
    name=${name%.tar.xz}
    shift 4
    echo "== $archive built a second time, in another folder"
    second=$(mktemp -d "${TMPDIR:-/tmp}/kevrareplace-second.XXXXXX")
    tree="$second/other place é/kevrareplace"
    mkdir -p "$tree"
    copy_tree "$tree"
    (cd "$tree" && CCACHE_DISABLE=1 cmake --preset "$preset" -DBUILD_TESTING=OFF \
        -DKEVRAREPLACE_WERROR="$werror" "$@" >/dev/null)
    CCACHE_DISABLE=1 cmake --build "$tree/$build" --parallel "$(nproc)" >/dev/null
    "$pack" "$tree/$build" "$name"
    # Neither folder in what either build installed, from where it was built.
    for folder in "$here" "$tree"; do
        found=$(grep -rlaF -e "$folder" "$build/stage" "$tree/$build/stage" || true)
        [ -z "$found" ] || { echo "the path $folder is in $found"; exit 1; }
    done
    if ! cmp "$build/$archive" "$tree/$build/$archive"; then
        # Which members differ, in their listings (names, modes, owners, times) or their bytes.
        for copy in first second; do
            mkdir "$second/$copy"
        done
        (cd "$second/first" && cmake -E tar xf "$here/$build/$archive")
        (cd "$second/second" && cmake -E tar xf "$tree/$build/$archive")
        cmake -E tar tvf "$build/$archive" >"$second/first.txt"
        cmake -E tar tvf "$tree/$build/$archive" >"$second/second.txt"
        (cd "$second" && diff first.txt second.txt; diff -r first second) || true
        echo "$archive differs from the one built in $tree (left there)"
        exit 1
    fi
    rm -rf "$second"
    echo "ok: the same bytes from a copy of the tree in another folder"
}
