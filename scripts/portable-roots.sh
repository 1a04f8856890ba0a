#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Runs both programs of the unpacked portable download where it must run, entered with chroot and
# with an empty environment: (a) an empty root, a folder holding only the download and the runs'
# files, and (b) a Debian 11 root (scripts/debian-root.sh), whose C library is older than the
# build machine's. Each run's output, errors and exit code must be what the dynamic build (the
# default preset's, in build/, built here if need be) gives for the same run; where the programs
# show their banner, the download's shows the notice lines of the libraries linked in after it, as
# the portable build in BUILD wrote them (qtnotice.h).
# Usage: sh scripts/portable-roots.sh DOWNLOAD BUILD WORK
#   DOWNLOAD: the unpacked archive's folder; WORK: a folder for the roots and the outputs,
#   emptied first.
set -e
cd "$(dirname "$0")/.."
checkout=$(pwd)
. scripts/release-lib.sh
download=$1 work=$3
copyright=$(generated_text "$2" banner.h KEVRAREPLACE_BANNER_COPYRIGHT)
notice=$(generated_text "$2" qtnotice.h KEVRAREPLACE_QT_NOTICE)
if [ -z "$copyright" ] || [ -z "$notice" ]; then
    echo "$2 has no banner with notice lines"
    exit 1
fi

sh scripts/deps.sh util-linux coreutils diffutils
dynamic=$checkout/build/difftools/kevrareplace
if [ ! -x "$dynamic/kevrareplace" ] || [ ! -x "$dynamic/check/kevrareplace-check" ]; then
    echo "== the dynamic build's programs, to compare with"
    cmake --preset default >/dev/null
    cmake --build --preset default --parallel "$(nproc)" --target kevrareplace kevrareplace-check \
        >/dev/null
fi
debian=$(sh scripts/debian-root.sh)
chroot=$(command -v chroot)

# The empty root: the download and the runs' files under kr/, nothing else. The runs name the
# files by paths relative to the root, which is the current folder of every run.
rm -rf "$work"
empty=$work/empty
mkdir -p "$empty/kr/case" "$work/out"
printf '%b' "$notice" >"$work/notice"
cp -R "$download" "$empty/kr/download"
case_dir=$empty/kr/case
cp "$download/share/doc/kevrareplace/examples/paths.xml" "$case_dir/"
printf '/home/ann/workspace/a.c\t/work/a.c\n"/mnt/old-share/caf\\xc3\\xa9"\t"/srv/share/caf\\xc3\\xa9"\n' \
    >"$case_dir/cases.txt"
printf '"/home/ann/workspace/\\xff"\t"/work/\\xff"\n/var/ci/builds/7/x\t/var/ci/builds/7/x\n' \
    >>"$case_dir/cases.txt"
printf '%s\t%s\n' /mnt/old-share/projects/a.txt /srv/share/projects/a.txt /mnt/Old-Share/docs \
    /srv/share/docs 'C:\Users\ann\My Files\b.doc' 'D:\Home\ann\My Files\b.doc' 'C:\Users\bob' \
    'D:\Home\bob' >"$case_dir/moves.txt"
printf '/home/ann/workspace/x\0/mnt/old-share/y\nz\0C:/tmp/\303\251\0/keep/\377\0' \
    >"$case_dir/paths-z.bin"
# The Debian 11 root sees the same kr/ at the same place, mounted for each run alone.
mkdir -p "$debian/kr"

# Runs the program PROGRAM of the download (kevrareplace or kevrareplace-check) in PLACE (dynamic:
# the dynamic build's, from the empty root's folder; empty; debian) with standard input from
# INPUT and ARGS, and writes its output, errors and exit code to WORK/out/PLACE.NAME.*:
#   run_in PLACE NAME INPUT PROGRAM ARGS...
run_in()
{
    place=$1 name=$2 input=$3 program=$4
    shift 4
    base=$work/out/$place.$name
    inside=/kr/download/bin/$program
    status=0
    case $place in
        dynamic)
            exe=$dynamic/$program
            [ "$program" = kevrareplace ] || exe=$dynamic/check/$program
            (cd "$empty" && env -i "$exe" "$@") ;;
        empty) env -i "$chroot" "$empty" "$inside" "$@" ;;
        debian)
            # shellcheck disable=SC2016 # expanded by the shell in the new mount namespace
            unshare --mount sh -c 'mount --bind "$0" "$1/kr" && shift && exec env -i "$@"' \
                "$empty/kr" "$debian" "$chroot" "$debian" "$inside" "$@" ;;
    esac <"$input" >"$base.out" 2>"$base.err" || status=$?
    echo "$status" >"$base.code"
}

# Runs a case in the three places and fails unless the download gives in both roots what the
# dynamic build gives; where BANNER is banner, with the notice lines after the copyright line of
# the dynamic build's output, or after its output where it has none (the companion's version):
#   expect_same NAME BANNER INPUT PROGRAM ARGS...
expect_same()
{
    name=$1 banner=$2
    shift 2
    for place in dynamic empty debian; do
        run_in "$place" "$name" "$@"
    done
    want=$work/out/dynamic.$name
    if [ "$banner" = banner ] && grep -aqxF "$copyright" "$want.out"; then
        LC_ALL=C awk -v line="$copyright" -v notice="$work/notice" \
            '{ print } $0 == line { while ((getline text < notice) > 0) print text }' \
            "$want.out" >"$want.banner"
        mv "$want.banner" "$want.out"
    elif [ "$banner" = banner ]; then
        cat "$work/notice" >>"$want.out"
    fi
    for place in empty debian; do
        for part in out err code; do
            cmp -s "$want.$part" "$work/out/$place.$name.$part" && continue
            echo "$name in the $place root: its $part differs from the dynamic build's:"
            diff "$want.$part" "$work/out/$place.$name.$part" | head -n 20
            exit 1
        done
    done
    echo "    $name: the same in the empty and the Debian 11 root (exit $(cat "$want.code"))"
}

echo "== the download in an empty root and in a Debian 11 root ($debian), against the dynamic build"
config=kr/case/paths.xml
none=/dev/null
expect_same example plain $none kevrareplace -config $config /home/ann/workspace/app/src/main.cpp
expect_same unchanged plain $none kevrareplace -config $config /usr/include/stdio.h
expect_same version banner $none kevrareplace -version
expect_same check-version banner $none kevrareplace-check --version
expect_same help banner $none kevrareplace -help
expect_same double-dash-help banner $none kevrareplace --help
expect_same check-help plain $none kevrareplace-check --help
expect_same non-ascii plain $none kevrareplace -config $config \
    '/home/Zoë/workspace/Ünïcødé/日本語/Straße.txt'
expect_same not-utf-8 plain $none kevrareplace -config $config \
    "$(printf '/home/ann/workspace/caf\351/\377\376.txt')"
expect_same missing-config banner $none kevrareplace -config kr/case/missing.xml /x
expect_same lint plain $none kevrareplace-check -config $config
expect_same stdin-z plain "$case_dir/paths-z.bin" kevrareplace-check -config $config --stdin -z
expect_same test plain $none kevrareplace-check -config $config --test kr/case/cases.txt
expect_same suggest plain $none kevrareplace-check --suggest kr/case/moves.txt
