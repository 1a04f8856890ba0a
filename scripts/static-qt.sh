#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds Qt Core and Qt Test statically from Debian's own source package for a target, once, into
# a cache outside the checkout keyed by Qt's version and the target; a cache with its .complete
# stamp is used as it is. The source package is fetched once for every target.
# Beside the libraries the prefix keeps what a download linking it owes its users, in
# share/kevrareplace/: the configure line (configure.txt), the source package's files
# (sources.txt) and the notices of the code compiled in from elsewhere (third-party-notices.txt).
# Usage: sh scripts/static-qt.sh linux-x86_64|win64 [prefix|source]
#   prefix: prints the prefix only; source: prints the folder holding the source package's files.
set -e
cd "$(dirname "$0")/.."
checkout=$(pwd)

target=${1:-}
# Qt's version, the cache and the target's prefix, as the toolchain files take them too.
sh scripts/deps.sh cmake
static_qt=$(cmake -DTARGET="$target" -P cmake/staticqt.cmake)
qt_version=$(printf '%s\n' "$static_qt" | sed -n 1p)
cache=$(printf '%s\n' "$static_qt" | sed -n 2p)
qt_prefix=$(printf '%s\n' "$static_qt" | sed -n 3p)
src_cache=$cache/qt-$qt_version-src
build=$qt_prefix-build

case $target in
    win64)
        name="Windows"
        cross=x86_64-w64-mingw32-
        prefix_options="-prefix $qt_prefix"
        options="-xplatform win32-g++ -device-option CROSS_COMPILE=$cross -opensource \
-confirm-license -release -static -static-runtime -nomake examples -nomake tests -no-gui -no-widgets \
-no-dbus -no-opengl -no-icu -no-openssl -qt-pcre -system-zlib"
        modules="corelib winmain testlib"
        mkspec=win32-g++
        packages="g++-mingw-w64-x86-64-posix libz-mingw-w64-dev"
        libraries="libQt5Core.a libQt5Test.a libqtmain.a libqtpcre2.a"
        ;;
    linux-x86_64)
        name="Linux"
        # The programs link the C library in as well: nothing in Qt may load a module at run time,
        # which a C library linked in cannot do with the system's. Qt's own codecs, not iconv (whose
        # conversion modules are the system's), and no dlopen (QLibrary, plugins). zlib is linked in
        # from its static library. The prefix compiled in is Qt's default, not the cache: Qt is
        # installed into the cache (-extprefix), and nothing is ever loaded from either.
        prefix_options="-prefix /usr/local/Qt-$qt_version -extprefix $qt_prefix"
        options="-opensource -confirm-license -release -static -nomake examples -nomake tests \
-no-gui -no-widgets -no-dbus -no-opengl -no-icu -no-openssl -qt-pcre -no-glib -no-zstd -no-pch \
-no-iconv -no-feature-dlopen -system-zlib ZLIB_LIBS=/usr/lib/x86_64-linux-gnu/libz.a"
        # Source file names that the library keeps (assertions of the bundled code) are relative to
        # Qt's source, not the build machine's folders.
        path_flags="-ffile-prefix-map=$build/source=qtbase-$qt_version \
-ffile-prefix-map=$build/out=qtbase-$qt_version"
        modules="corelib testlib"
        mkspec=linux-g++
        packages="g++ zlib1g-dev"
        libraries="libQt5Core.a libQt5Test.a libqtpcre2.a"
        ;;
    *)
        echo "usage: sh scripts/static-qt.sh linux-x86_64|win64 [prefix|source]" >&2
        exit 2
        ;;
esac
case ${2:-} in
    prefix) echo "$qt_prefix"; exit 0 ;;
    source) echo "$src_cache"; exit 0 ;;
esac

# shellcheck disable=SC2086 # one word per package
sh scripts/deps.sh $packages cmake make dpkg-dev xz-utils util-linux python3

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo

. scripts/deb-src.sh

# Fetches the source package once, for every target, under a lock of its own.
fetch_source()
{
    exec 8>"$cache/qt-$qt_version-src.lock"
    flock 8
    if ! ls "$src_cache"/qtbase-opensource-src_"$qt_version"*.orig.tar.xz >/dev/null 2>&1; then
        add_deb_src
        mkdir -p "$src_cache"
        (cd "$src_cache" && apt-get source --download-only -qq qtbase-opensource-src)
    fi
    flock -u 8
    tarball=$(ls "$src_cache"/qtbase-opensource-src_"$qt_version"*.orig.tar.xz | head -n 1)
}

# What the prefix keeps about its build: the configure line, the source package's files, and the
# notices of the code compiled into Qt Core from the attribution files of the source that was built
# (SOURCE), with zlib's and, for Windows, the MinGW-w64 runtime's.
write_notices()
{
    out=$qt_prefix/share/kevrareplace
    mkdir -p "$out"
    printf '%s\n' "$configure_line" >"$out/configure.txt"
    (cd "$src_cache" && ls qtbase-opensource-src_"$qt_version"*) >"$out/sources.txt"
    {
        echo "Third-party code in Qt $qt_version Core as built for $name"
        echo "=========================================================="
        echo
        python3 scripts/qt-notices.py "$1"
        if [ "$target" = linux-x86_64 ]; then
            printf '\n----------------------------------------------------------------------\n'
            echo "zlib $(dpkg-query -W -f='${Version}' zlib1g-dev), linked in from Debian's zlib1g-dev"
            echo
            cat /usr/share/doc/zlib1g-dev/copyright
        else
            printf '\n----------------------------------------------------------------------\n'
            echo "zlib for MinGW-w64, linked in from Debian's libz-mingw-w64-dev"
            echo
            cat /usr/share/doc/libz-mingw-w64-dev/copyright
            printf '\n----------------------------------------------------------------------\n'
            echo "The MinGW-w64 runtime (winpthreads and the C runtime start-up code), linked in"
            echo "from Debian's mingw-w64-x86-64-dev; libstdc++ and libgcc are under the GCC"
            echo "Runtime Library Exception."
            echo
            cat /usr/share/doc/mingw-w64-x86-64-dev/copyright
        fi
    } >"$out/third-party-notices.txt.part"
    mv "$out/third-party-notices.txt.part" "$out/third-party-notices.txt"
}

build_qt()
{
    rm -rf "$build" "$qt_prefix"
    mkdir -p "$build/source" "$build/out"
    echo "== Qt $qt_version for $name: unpacking $(basename "$tarball")"
    tar -xJf "$tarball" -C "$build/source" --strip-components=1
    echo "== Qt $qt_version for $name: configure (about 3 min; log in $build/configure.log)"
    # shellcheck disable=SC2086 # one word per option
    (cd "$build/out" && MAKEFLAGS=-j$(nproc) "$build/source/configure" $prefix_options \
        $options) >"$build/configure.log" 2>&1 || { tail -n 40 "$build/configure.log"; exit 1; }
    if [ -n "${path_flags:-}" ]; then
        printf 'QMAKE_CFLAGS += %s\nQMAKE_CXXFLAGS += %s\n' "$path_flags" "$path_flags" \
            >>"$build/out/mkspecs/qmodule.pri"
    fi
    echo "== Qt $qt_version for $name: building Qt Core and Qt Test (4 to 12 min)"
    # Only the modules asked for get Makefiles: the source tree's own qmake_all makes them all.
    (cd "$build/out/src" && ../bin/qmake -o Makefile "$build/source/src/src.pro") \
        >"$build/make.log" 2>&1 || { tail -n 40 "$build/make.log"; exit 1; }
    make_targets=
    install_targets="sub-moc-install_subtargets sub-rcc-install_subtargets"
    for module in $modules; do
        make_targets="$make_targets sub-$module-make_first"
        install_targets="$install_targets sub-$module-install_subtargets"
    done
    # shellcheck disable=SC2086 # one word per target
    make -C "$build/out/src" -j"$(nproc)" $make_targets >>"$build/make.log" 2>&1 \
        || { tail -n 40 "$build/make.log"; exit 1; }
    # shellcheck disable=SC2086 # one word per target
    make -C "$build/out/src" $install_targets >"$build/install.log" 2>&1 \
        || { tail -n 40 "$build/install.log"; exit 1; }
    # Qt5's CMake package also checks for qmake and the target's mkspec in the prefix.
    mkdir -p "$qt_prefix/bin" "$qt_prefix/mkspecs"
    cp "$build/out/bin/qmake" "$qt_prefix/bin/"
    cp -R "$build/source/mkspecs/$mkspec" "$build/source/mkspecs/common" \
        "$build/source/mkspecs/features" "$qt_prefix/mkspecs/"
    for file in $libraries; do
        [ -e "$qt_prefix/lib/$file" ] || { echo "Qt build incomplete: lib/$file missing"; exit 1; }
    done
    for file in bin/moc bin/rcc bin/qmake lib/cmake/Qt5/Qt5Config.cmake \
        lib/cmake/Qt5Core/Qt5CoreConfig.cmake lib/cmake/Qt5Test/Qt5TestConfig.cmake \
        mkspecs/$mkspec/qmake.conf include/QtCore/qglobal.h
    do
        [ -e "$qt_prefix/$file" ] || { echo "Qt build incomplete: $qt_prefix/$file missing"; exit 1; }
    done
    touch "$qt_prefix/.complete"
    write_notices "$build/source"
    rm -rf "$build"
}

# The configure line, as configure.txt keeps it; a cache configured otherwise is refused.
configure_line="configure $prefix_options $options"

mkdir -p "$cache"
fetch_source
# One build per target at a time, also across checkouts sharing the cache.
exec 9>"$cache/qt-$qt_version-$target.lock"
flock 9
if [ -f "$qt_prefix/.complete" ]; then
    echo "== Qt $qt_version for $name: cached in $qt_prefix"
    kept=$qt_prefix/share/kevrareplace/configure.txt
    if [ -f "$kept" ] && [ "$(cat "$kept")" != "$configure_line" ]; then
        echo "$qt_prefix was configured otherwise ($kept): raise its configuration in"
        echo "cmake/staticqt.cmake whenever the configure line changes"
        exit 1
    fi
    # A cache built before the prefix kept its notices: they come from the same source.
    if [ ! -f "$qt_prefix/share/kevrareplace/third-party-notices.txt" ]; then
        rm -rf "$build"
        mkdir -p "$build"
        tar -xJf "$tarball" -C "$build" --strip-components=1 --wildcards \
            '*/qt_attribution.json' '*/src/3rdparty/*' '*/src/corelib/*.pr?'
        write_notices "$build"
        rm -rf "$build"
    fi
else
    qt_start=$(date +%s)
    build_qt
    echo "== Qt $qt_version for $name: built in $(($(date +%s) - qt_start)) s"
fi
flock -u 9
cd "$checkout"
