#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds the tool for 64-bit Windows with MinGW-w64 and runs its suite under Wine.
# Qt Core and Qt Test come from scripts/static-qt.sh, built once from Debian's own source package.
# Usage: sh scripts/windows.sh [qt]   ("qt" stops once the Qt cache is complete)
set -e
cd "$(dirname "$0")/.."
checkout=$(pwd)

sh scripts/deps.sh wine64 cmake make groff-base xz-utils
# Qt Core and Qt Test, static, for MinGW-w64: built once into their cache.
sh scripts/static-qt.sh win64
qt_prefix=$(sh scripts/static-qt.sh win64 prefix)
[ "${1:-}" != qt ] || exit 0

# Warnings are errors in CI, where the compiler is known.
werror=$([ -n "${CI:-}" ] && echo ON || echo OFF)
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all LANG=C.UTF-8 LC_ALL=C.UTF-8 WINEDLLOVERRIDES=mscoree,mshtml=

echo "== Windows build (MinGW-w64, static)"
cmake --preset windows -DKEVRAREPLACE_QT_WIN64="$qt_prefix" -DKEVRAREPLACE_WERROR="$werror" \
    >/dev/null
cmake --build --preset windows --parallel "$(nproc)" >/dev/null

echo "== the suite under Wine, each run in a fresh prefix of its own (build-windows/wine*)"
# A test that fails is run once more (the preset's repeat): now and then Wine stalls a process
# for half a minute, past the bound that a test sets; a fault of the programs fails both runs.
ctest --preset windows

echo "== the zip for Windows with Qt's source beside it, unpacked into a folder with a space and a non-ASCII letter"
version=$(sed -n 's/^project(kevrareplace VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=kevrareplace-$version-win64
(cd build-windows && cpack -G ZIP >/dev/null)
unpacked="$checkout/build-windows/unpacked/Kevra Tools é"
rm -rf "$checkout/build-windows/unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$checkout/build-windows/$name.zip")
src_cache=$(sh scripts/static-qt.sh win64 source)
while read -r file; do
    cp "$src_cache/$file" build-windows/
done <"$qt_prefix/share/kevrareplace/sources.txt"
for file in kevrareplace.exe kevrareplace-check.exe README.md LICENSE.txt kevrareplace.txt \
    kevrareplace-check.txt examples/paths.xml NOTICE.txt THIRD-PARTY-NOTICES.txt \
    LICENSES/LGPL-3.0-only.txt LICENSES/GPL-3.0-only.txt; do
    [ -f "$unpacked/$name/$file" ] || { echo "$name.zip lacks $file"; exit 1; }
done
# A prefix of its own, made and settled before the first program starts, as the suite's are: the
# suite's server may still be ending in its prefix.
export WINEPREFIX="$checkout/build-windows/wine-zip"
sh difftools/kevrareplace/tests/wineprefix.sh start "$wine" >/dev/null 2>&1 \
    || { echo "could not make the Wine prefix $WINEPREFIX"; exit 1; }
expect()
{
    want=$1
    shift
    status=0
    (cd "$unpacked/$name" && "$wine" "$@") >"$checkout/build-windows/zip-output" || status=$?
    got=$(od -An -c "$checkout/build-windows/zip-output" | tr -s ' \n' ' ')
    want=$(printf '%b' "$want" | od -An -c | tr -s ' \n' ' ')
    [ "$status" = 0 ] && [ "$got" = "$want" ] \
        || { echo "$* printed '$got' and exited $status, not '$want' and 0"; exit 1; }
}
expect '/work/app/src/main.cpp\r\n' ./kevrareplace.exe -config examples/paths.xml \
    /home/ann/workspace/app/src/main.cpp
# Qt's notice, as the build wrote it for the programs; standard output ends its lines with CRLF.
notice=$(sed -n 's/^#define KEVRAREPLACE_QT_NOTICE "\(.*\)"$/\1/p' \
    build-windows/difftools/kevrareplace/generated/qtnotice.h | sed 's/\\n/\\r\\n/g')
[ -n "$notice" ] || { echo "the Windows build shows no Qt notice"; exit 1; }
expect "KEVRA Replace tool ${version%.*} (build ${version##*.})\\r\\nCopyright (C) 2026 The kevrareplace developers\\r\\n$notice" \
    ./kevrareplace.exe -version
expect '' ./kevrareplace-check.exe -config examples/paths.xml
expect "kevrareplace-check $version\r\n$notice" ./kevrareplace-check.exe --version
/usr/lib/wine/wineserver -k 2>/dev/null || true
echo "$name.zip: both programs run from $unpacked"
