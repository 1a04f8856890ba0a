#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds the portable Linux download: both programs on a static Qt Core (scripts/static-qt.sh),
# needing only the C library. Runs the whole suite against them, makes
# build-portable/kevrareplace-<version>-linux-x86_64.tar.xz with Qt's source package files beside
# it, checks what the programs need from the system, and runs them from the unpacked archive.
# Usage: sh scripts/portable.sh
set -e
cd "$(dirname "$0")/.."
checkout=$(pwd)

sh scripts/deps.sh cmake g++ make groff-base xz-utils binutils libc-bin
sh scripts/static-qt.sh linux-x86_64
qt_prefix=$(sh scripts/static-qt.sh linux-x86_64 prefix)

# Warnings are errors in CI, where the compiler is known.
werror=$([ -n "${CI:-}" ] && echo ON || echo OFF)

echo "== portable Linux build (static Qt Core, C++ runtime linked in)"
cmake --preset portable -DKEVRAREPLACE_QT_LINUX="$qt_prefix" -DKEVRAREPLACE_WERROR="$werror" \
    >/dev/null
cmake --build --preset portable --parallel "$(nproc)" >/dev/null

echo "== the same suite on the portable build"
ctest --preset portable

version=$(sed -n 's/^project(kevrareplace VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=kevrareplace-$version-linux-x86_64
echo "== $name.tar.xz, with Qt's source beside it"
stage=$checkout/build-portable/stage
rm -rf "$stage"
cmake --install build-portable --prefix "$stage/$name" --strip >/dev/null
(cd "$stage" && tar --owner=0 --group=0 --numeric-owner -cJf "$checkout/build-portable/$name.tar.xz" \
    "$name")
src_cache=$(sh scripts/static-qt.sh linux-x86_64 source)
while read -r file; do
    cp "$src_cache/$file" build-portable/
done <"$qt_prefix/share/kevrareplace/sources.txt"

# Only the C library's own objects: anything else would have to be on the user's system.
minimum=
for program in kevrareplace kevrareplace-check; do
    binary=$stage/$name/bin/$program
    echo "ldd bin/$program:"
    ldd "$binary" | sed 's/^/    /'
    other=$(ldd "$binary" | awk '{ print $1 }' | grep -vE \
        '^(linux-vdso\.so\.1|/lib64/ld-linux-x86-64\.so\.2|lib(c|m|pthread|dl|rt)\.so\.[0-9]+)$' \
        || true)
    [ -z "$other" ] || { echo "bin/$program needs more than the C library: $other"; exit 1; }
    needs=$(objdump -T "$binary" | grep -oE 'GLIBC_[0-9]+(\.[0-9]+)+' | sed 's/GLIBC_//' \
        | sort -t. -k1,1n -k2,2n -k3,3n | tail -n 1)
    minimum=$(printf '%s\n%s\n' "$minimum" "$needs" | sed '/^$/d' \
        | sort -t. -k1,1n -k2,2n -k3,3n | tail -n 1)
done
echo "newest C library symbol version needed: GLIBC_$minimum"
grep -q "glibc $minimum or later" README.md \
    || { echo "README.md does not give glibc $minimum as the portable build's minimum"; exit 1; }

echo "== $name.tar.xz unpacked into a folder with a space and a non-ASCII letter"
unpacked="$checkout/build-portable/unpacked/Kevra Tools é"
rm -rf "$checkout/build-portable/unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && tar -xJf "$checkout/build-portable/$name.tar.xz")
for file in bin/kevrareplace bin/kevrareplace-check README.md LICENSE.txt NOTICE.txt \
    THIRD-PARTY-NOTICES.txt LICENSES/LGPL-3.0-only.txt LICENSES/GPL-3.0-only.txt \
    share/man/man1/kevrareplace.1.gz share/man/man1/kevrareplace-check.1.gz \
    share/bash-completion/completions/kevrareplace share/zsh/vendor-completions/_kevrareplace \
    share/fish/vendor_completions.d/kevrareplace.fish share/kevrareplace/kevrareplace.xsd \
    share/doc/kevrareplace/examples/paths.xml; do
    [ -f "$unpacked/$name/$file" ] || { echo "$name.tar.xz lacks $file"; exit 1; }
done
# Qt's notice, as the build wrote it for the programs.
notice=$(sed -n 's/^#define KEVRAREPLACE_QT_NOTICE "\(.*\)"$/\1/p' \
    build-portable/difftools/kevrareplace/generated/qtnotice.h)
[ -n "$notice" ] || { echo "the portable build shows no Qt notice"; exit 1; }
expect()
{
    want=$1
    shift
    status=0
    (cd "$unpacked/$name" && env -i PATH=/usr/bin:/bin "$@") >"$checkout/build-portable/run-output" \
        || status=$?
    got=$(od -An -c "$checkout/build-portable/run-output" | tr -s ' \n' ' ')
    want=$(printf '%b' "$want" | od -An -c | tr -s ' \n' ' ')
    [ "$status" = 0 ] && [ "$got" = "$want" ] \
        || { echo "$* printed '$got' and exited $status, not '$want' and 0"; exit 1; }
}
example=share/doc/kevrareplace/examples/paths.xml
expect '/work/app/src/main.cpp\n' bin/kevrareplace -config $example \
    /home/ann/workspace/app/src/main.cpp
expect "KEVRA Replace tool ${version%.*} (build ${version##*.})\\nCopyright (C) 2026 The kevrareplace developers\\n$notice" \
    bin/kevrareplace -version
expect '' bin/kevrareplace-check -config $example
expect "kevrareplace-check $version\\n$notice" bin/kevrareplace-check --version
echo "$name.tar.xz: both programs run from $unpacked"
