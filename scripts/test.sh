#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Checks the licence information and the formatting of the sources, builds the tool with its tests and runs the whole suite: in
# Release on Qt 5, then its install and the Debian packages with their tests, again on Qt 6, again with
# AddressSanitizer and UndefinedBehaviorSanitizer, then the shared library's tests under
# ThreadSanitizer, then the fuzz targets for a bounded time, then the Windows build with its
# suite under Wine and its zip, then the portable Linux build on a static Qt with its suite and
# its tar.xz, each download built twice to check that the bytes are the same, and last the
# release folder with the checksums of its files.
# Exits non-zero when any of it fails.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh qtbase5-dev qt6-base-dev qt6-5compat-dev cmake g++ make valgrind groff-base \
    bsdextrautils reuse libxml2-utils bash-completion zsh fish build-essential dpkg-dev debhelper \
    lintian autopkgtest man-db file python3-debian zlib1g-dev binutils clang-format pkg-kde-tools \
    pkgconf python3 debootstrap util-linux
# werror: warnings are errors in CI, where the compiler is known.
. scripts/release-lib.sh
# The Debian 11 root that the portable suite runs in is made meanwhile, the first time: its
# download waits on the network, not on the cores. The script holds a lock, which the portable
# steps wait for when they call it, and they report what failed.
sh scripts/debian-root.sh >/dev/null 2>&1 &

echo "== licence and copyright of every file"
reuse lint

echo "== every C++ source formatted as .clang-format says"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# Each build is the preset of its name, in the preset's folder (CMakePresets.json).
cmake --preset default -DKEVRAREPLACE_WERROR="$werror"
cmake --build --preset default --parallel "$(nproc)"
ctest --preset default

echo "== install, and the Debian packages"
sh scripts/package.sh

echo "== the same suite on Qt 6"
cmake --preset qt6 -DKEVRAREPLACE_WERROR="$werror" >/dev/null
cmake --build --preset qt6 --parallel "$(nproc)" >/dev/null
ctest --preset qt6

echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize -DKEVRAREPLACE_WERROR="$werror" >/dev/null
cmake --build --preset sanitize --parallel "$(nproc)" >/dev/null
ctest --preset sanitize

echo "== the shared library's tests under ThreadSanitizer (the library and its tests alone)"
cmake --preset tsan -DKEVRAREPLACE_WERROR="$werror" >/dev/null
cmake --build --preset tsan --parallel "$(nproc)" >/dev/null
ctest --preset tsan

echo "== fuzzing"
sh scripts/fuzz.sh 60

echo "== Windows"
sh scripts/windows.sh

echo "== the portable Linux build"
sh scripts/portable.sh

echo "== the release: its files and their checksums (SHA256SUMS)"
sh scripts/release.sh
