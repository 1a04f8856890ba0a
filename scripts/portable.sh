#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds the portable Linux download: both programs on a static Qt Core (scripts/static-qt.sh),
# needing only the C library. Runs the whole suite against them, makes
# build-portable/kevrareplace-<version>-linux-x86_64.tar.xz with Qt's source package files beside
# it, checks what the programs need from the system, runs them from the unpacked archive, and
# checks that a second build from a copy of the tree in another folder makes the same archive.
# Usage: sh scripts/portable.sh
set -e
cd "$(dirname "$0")/.."
checkout=$(pwd)
. scripts/release-lib.sh

sh scripts/deps.sh cmake g++ make groff-base xz-utils binutils libc-bin
sh scripts/static-qt.sh linux-x86_64
qt_prefix=$(sh scripts/static-qt.sh linux-x86_64 prefix)

build_and_test portable "portable Linux build (static Qt Core, C++ runtime linked in)" \
    "the same suite on the portable build" -DKEVRAREPLACE_QT_LINUX="$qt_prefix"

name=kevrareplace-$(project_version .)-linux-x86_64
echo "== $name.tar.xz, with Qt's source beside it"
pack_tar_xz build-portable "$name"
stage=$checkout/build-portable/stage
copy_qt_source linux-x86_64 build-portable

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
unpack "$checkout/build-portable" "$checkout/build-portable/$name.tar.xz" "$name"
expect_files bin/kevrareplace bin/kevrareplace-check README.txt LICENSE.txt NOTICE.txt \
    THIRD-PARTY-NOTICES.txt LICENSES/LGPL-3.0-only.txt LICENSES/GPL-3.0-only.txt \
    share/man/man1/kevrareplace.1.gz share/man/man1/kevrareplace-check.1.gz \
    share/bash-completion/completions/kevrareplace share/zsh/vendor-completions/_kevrareplace \
    share/fish/vendor_completions.d/kevrareplace.fish share/kevrareplace/kevrareplace.xsd \
    share/doc/kevrareplace/examples/paths.xml
# As a user starts them: from the unpacked folder, with an empty environment.
run_unpacked()
{
    env -i PATH=/usr/bin:/bin "$@"
}
expect_programs build-portable bin/kevrareplace bin/kevrareplace-check \
    share/doc/kevrareplace/examples/paths.xml '\n'
echo "$name.tar.xz: both programs run from $unpacked"
expect_reproducible portable build-portable pack_tar_xz "$name.tar.xz" \
    -DKEVRAREPLACE_QT_LINUX="$qt_prefix"
