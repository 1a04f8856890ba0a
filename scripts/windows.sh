#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds the tool for 64-bit Windows with MinGW-w64 and runs its suite under Wine.
# Qt Core and Qt Test are built once from Debian's own source package into a cache outside the
# checkout, keyed by Qt's version; a cache with its .complete stamp is used as it is.
# Usage: sh scripts/windows.sh [qt]   ("qt" stops once the Qt cache is complete)
set -e
cd "$(dirname "$0")/.."
checkout=$(pwd)

qt_version=5.15.8
cache=${XDG_CACHE_HOME:-$HOME/.cache}/kevrareplace
qt_prefix=$cache/qt-$qt_version-win64
cross=x86_64-w64-mingw32-

sh scripts/deps.sh g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 cmake make groff-base \
    dpkg-dev xz-utils util-linux

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo

# apt-get source needs a deb-src entry: one beside each deb entry already configured.
add_deb_src()
{
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    stanzas=
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -f "$list" ] && stanzas="$stanzas$(sed 's/^Types: deb$/Types: deb-src/' "$list")
"
    done
    lines=
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$list" ] && lines="$lines$(sed -n 's/^deb /deb-src /p' "$list")
"
    done
    [ -z "$stanzas" ] || printf '%s' "$stanzas" \
        | $sudo tee /etc/apt/sources.list.d/kevrareplace-deb-src.sources >/dev/null
    [ -z "$lines" ] || printf '%s' "$lines" \
        | $sudo tee /etc/apt/sources.list.d/kevrareplace-deb-src.list >/dev/null
    $sudo apt-get update -qq
}

build_qt()
{
    src_cache=$cache/qt-$qt_version-src
    build=$cache/qt-$qt_version-build
    if ! ls "$src_cache"/qtbase-opensource-src_"$qt_version"*.orig.tar.xz >/dev/null 2>&1; then
        add_deb_src
        mkdir -p "$src_cache"
        (cd "$src_cache" && apt-get source --download-only -qq qtbase-opensource-src)
    fi
    tarball=$(ls "$src_cache"/qtbase-opensource-src_"$qt_version"*.orig.tar.xz | head -n 1)
    rm -rf "$build" "$qt_prefix"
    mkdir -p "$build/source" "$build/out"
    echo "== Qt $qt_version for Windows: unpacking $(basename "$tarball")"
    tar -xJf "$tarball" -C "$build/source" --strip-components=1
    echo "== Qt $qt_version for Windows: configure (about 3 min; log in $build/configure.log)"
    (cd "$build/out" && MAKEFLAGS=-j$(nproc) "$build/source/configure" -prefix "$qt_prefix" \
        -xplatform win32-g++ -device-option CROSS_COMPILE=$cross -opensource -confirm-license \
        -release -static -static-runtime -nomake examples -nomake tests -no-gui -no-widgets \
        -no-dbus -no-opengl -no-icu -no-openssl -qt-pcre -system-zlib) >"$build/configure.log" 2>&1 \
        || { tail -n 40 "$build/configure.log"; exit 1; }
    echo "== Qt $qt_version for Windows: building Qt Core and Qt Test (about 4 min)"
    # Only the modules asked for get Makefiles: the source tree's own qmake_all makes them all.
    (cd "$build/out/src" && ../bin/qmake -o Makefile "$build/source/src/src.pro") \
        >"$build/make.log" 2>&1 || { tail -n 40 "$build/make.log"; exit 1; }
    make -C "$build/out/src" -j"$(nproc)" sub-corelib-make_first sub-winmain-make_first \
        sub-testlib-make_first >>"$build/make.log" 2>&1 || { tail -n 40 "$build/make.log"; exit 1; }
    make -C "$build/out/src" sub-moc-install_subtargets sub-rcc-install_subtargets \
        sub-corelib-install_subtargets sub-winmain-install_subtargets \
        sub-testlib-install_subtargets >"$build/install.log" 2>&1 \
        || { tail -n 40 "$build/install.log"; exit 1; }
    # Qt5's CMake package also checks for qmake and the target's mkspec in the prefix.
    mkdir -p "$qt_prefix/bin" "$qt_prefix/mkspecs"
    cp "$build/out/bin/qmake" "$qt_prefix/bin/"
    cp -R "$build/source/mkspecs/win32-g++" "$build/source/mkspecs/common" \
        "$build/source/mkspecs/features" "$qt_prefix/mkspecs/"
    for file in lib/libQt5Core.a lib/libQt5Test.a lib/libqtmain.a lib/libqtpcre2.a bin/moc bin/rcc \
        bin/qmake lib/cmake/Qt5/Qt5Config.cmake lib/cmake/Qt5Core/Qt5CoreConfig.cmake \
        lib/cmake/Qt5Test/Qt5TestConfig.cmake mkspecs/win32-g++/qmake.conf include/QtCore/qglobal.h
    do
        [ -e "$qt_prefix/$file" ] || { echo "Qt build incomplete: $qt_prefix/$file missing"; exit 1; }
    done
    touch "$qt_prefix/.complete"
    rm -rf "$build"
}

mkdir -p "$cache"
# One build at a time, also across checkouts sharing the cache.
exec 9>"$cache/qt-$qt_version-win64.lock"
flock 9
if [ -f "$qt_prefix/.complete" ]; then
    echo "== Qt $qt_version for Windows: cached in $qt_prefix"
else
    qt_start=$(date +%s)
    build_qt
    echo "== Qt $qt_version for Windows: built in $(($(date +%s) - qt_start)) s"
fi
flock -u 9
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
ctest --preset windows

echo "== the zip for Windows, unpacked into a folder with a space and a non-ASCII letter"
version=$(sed -n 's/^project(kevrareplace VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=kevrareplace-$version-win64
(cd build-windows && cpack -G ZIP >/dev/null)
unpacked="$checkout/build-windows/unpacked/Kevra Tools é"
rm -rf "$checkout/build-windows/unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$checkout/build-windows/$name.zip")
for file in kevrareplace.exe kevrareplace-check.exe README.md LICENSE.txt kevrareplace.txt \
    kevrareplace-check.txt examples/paths.xml; do
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
expect "KEVRA Replace tool ${version%.*} (build ${version##*.})\\r\\nCopyright (C) 2026 The kevrareplace developers\\r\\n" \
    ./kevrareplace.exe -version
expect '' ./kevrareplace-check.exe -config examples/paths.xml
expect "kevrareplace-check $version\r\n" ./kevrareplace-check.exe --version
/usr/lib/wine/wineserver -k 2>/dev/null || true
echo "$name.zip: both programs run from $unpacked"
