#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds the portable Linux download: both programs on a static Qt Core (scripts/static-qt.sh),
# with the C library linked in as well, so that they need nothing from the system but the kernel.
# Runs the whole suite against them (the black-box suites in a Debian 11 root too), makes
# build-portable/kevrareplace-<version>-linux-x86_64.tar.xz with the source package files of Qt
# and the C library beside it, checks that the programs are statically linked, runs them from
# the unpacked archive, in an empty root and in the Debian 11 root (scripts/portable-roots.sh),
# and checks that a second build from a copy of the tree in another folder makes the same archive.
# Usage: sh scripts/portable.sh
set -e
cd "$(dirname "$0")/.."
checkout=$(pwd)
. scripts/release-lib.sh

sh scripts/deps.sh cmake g++ make groff-base xz-utils binutils libc-bin file
sh scripts/static-qt.sh linux-x86_64
qt_prefix=$(sh scripts/static-qt.sh linux-x86_64 prefix)
libc_source=$(sh scripts/libc-source.sh)
test_root=$(sh scripts/debian-root.sh)

build_and_test portable "portable Linux build (static Qt Core, the C library linked in)" \
    "the same suite on the portable build, the black-box suites in a Debian 11 root too" \
    -DKEVRAREPLACE_QT_LINUX="$qt_prefix" -DKEVRAREPLACE_LIBC_SOURCE="$libc_source" \
    -DKEVRAREPLACE_TEST_ROOT="$test_root"

name=kevrareplace-$(project_version .)-linux-x86_64
echo "== $name.tar.xz, with the source of Qt and the C library beside it"
pack_tar_xz build-portable "$name"
stage=$checkout/build-portable/stage
copy_qt_source linux-x86_64 build-portable
cp "$libc_source"/glibc_* build-portable/

# Nothing from the system: no dynamic loader, no C library of the system's. The kernel the C
# library linked in asks for is the one README.md names.
for program in kevrareplace kevrareplace-check; do
    binary=$stage/$name/bin/$program
    described=$(file -b "$binary")
    echo "bin/$program: $described"
    case $described in
        *"statically linked"*) ;;
        *) echo "bin/$program is not statically linked"; exit 1 ;;
    esac
    ldd "$binary" 2>&1 | grep -q 'not a dynamic executable' \
        || { echo "ldd bin/$program: $(ldd "$binary" 2>&1)"; exit 1; }
    kernel=$(printf '%s\n' "$described" | sed -n 's/.*for GNU\/Linux \([0-9]*\.[0-9]*\).*/\1/p')
    grep -q "kernel $kernel or later" README.md \
        || { echo "README.md does not give Linux $kernel as the portable build's minimum"; exit 1; }
done

echo "== $name.tar.xz unpacked into a folder with a space and a non-ASCII letter"
unpack "$checkout/build-portable" "$checkout/build-portable/$name.tar.xz" "$name"
expect_files bin/kevrareplace bin/kevrareplace-check README.txt LICENSE.txt NOTICE.txt \
    THIRD-PARTY-NOTICES.txt RUNTIME-NOTICES.txt LICENSES/LGPL-3.0-only.txt \
    LICENSES/GPL-3.0-only.txt LICENSES/LGPL-2.1.txt LICENSES/GCC-exception-3.1.txt \
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
sh scripts/portable-roots.sh "$download" build-portable build-portable/roots
expect_reproducible portable build-portable pack_tar_xz "$name.tar.xz" \
    -DKEVRAREPLACE_QT_LINUX="$qt_prefix" -DKEVRAREPLACE_LIBC_SOURCE="$libc_source"
