#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds hosts against the library installed under PREFIX (with its programs: /usr for the
# installed Debian packages, or a staging folder that cmake --install filled) and checks them
# against the installed tool: the example host built with CMake (find_package) and again with
# pkg-config prints for each of a few paths what the tool prints, and says on a rule file that
# cannot be opened what the tool says, with its exit code; then the Python host of the tests
# calls the installed library through its C interface. Run from the top of the tree.
set -e
prefix=$1
[ -n "$prefix" ] || { echo "usage: $0 PREFIX"; exit 2; }
fail() { echo "$*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rules=difftools/kevrareplace/examples/paths.xml
tool=$prefix/bin/kevrareplace

# Where the library lies, as its pkg-config file says (the libdir is lib/ or lib/TRIPLET/).
pcfile=$(find "$prefix/lib" -maxdepth 3 -path '*/pkgconfig/kevrareplace-qt5.pc' | head -n 1)
[ -n "$pcfile" ] || fail "no kevrareplace-qt5.pc under $prefix/lib"
PKG_CONFIG_PATH=$(dirname "$pcfile")
export PKG_CONFIG_PATH
libdir=$(pkg-config --variable=libdir kevrareplace-qt5)
LD_LIBRARY_PATH=$libdir
export LD_LIBRARY_PATH

cmake -S difftools/kevrareplace/examples/host -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_TYPE=Release >"$work/log" 2>&1 || { cat "$work/log"; fail "cmake: no host"; }
cmake --build "$work/cmake" >"$work/log" 2>&1 || { cat "$work/log"; fail "the CMake host fails"; }
echo "ok: the example host built with find_package(KevraReplaceQt5)"
# Qt 5 asks for position-independent code of the programs that use it, which its CMake target
# adds and pkg-config does not.
# shellcheck disable=SC2046 # the flags are words
c++ -std=c++17 -fPIC -o "$work/pkgconfig-host" difftools/kevrareplace/examples/host/host.cpp \
    $(pkg-config --cflags --libs kevrareplace-qt5) || fail "the pkg-config host fails"
echo "ok: the example host built with pkg-config kevrareplace-qt5"

# A path for each rule of the example, one that no rule changes, and one with a byte that is
# not UTF-8.
set -- /mnt/old-share/doc/a.txt "/home/ann/workspace/my app/main.cpp" \
    /var/ci/builds/1234/log C:/Projects/app/main.cpp /usr/include/stdio.h \
    "$(printf '/mnt/old-share/\377.txt')"
for path; do
    "$tool" -config "$rules" "$path"
done >"$work/expected"
expected_status=0
"$tool" -config missing.xml x >/dev/null 2>"$work/expected-error" || expected_status=$?
[ "$expected_status" != 0 ] || fail "the tool opens missing.xml"
for host in cmake/host pkgconfig-host; do
    name=$host
    host=$work/$host
    "$host" "$rules" "$@" >"$work/got" || fail "$name fails"
    cmp "$work/expected" "$work/got" || { diff -u "$work/expected" "$work/got"; fail "$name differs"; }
    status=0
    "$host" missing.xml x >"$work/got" 2>"$work/got-error" || status=$?
    [ "$status" = "$expected_status" ] || fail "$name ends with $status, the tool with $expected_status"
    [ ! -s "$work/got" ] || fail "$name writes a result for a rule file it cannot open"
    cmp -s "$work/expected-error" "$work/got-error" \
        || fail "$name says '$(cat "$work/got-error")', the tool '$(cat "$work/expected-error")'"
    echo "ok: $name prints what the tool prints for $# paths, and its error"
done

python3 difftools/kevrareplace/tests/libraryhost.py "$libdir/libkevrareplace-qt5.so.1" "$rules"
