#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Fetches, once, Debian's source package of the C library that the portable programs link in
# (the version of libc6-dev installed) into the cache of the static Qt (cmake/staticqt.cmake), to
# be published beside the download as Qt's is, and takes glibc's own licence notices (LICENSES)
# out of it. Prints the folder, which cmake/packaging.cmake finds by the same name.
# Usage: sh scripts/libc-source.sh
set -e
cd "$(dirname "$0")/.."

sh scripts/deps.sh cmake dpkg-dev libc6-dev xz-utils util-linux >&2
version=$(dpkg-query -W -f='${source:Version}' libc6-dev)
cache=$(cmake -DTARGET=linux-x86_64 -P cmake/staticqt.cmake | sed -n 2p)
folder=$cache/glibc-$version-src
mkdir -p "$cache"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
. scripts/deb-src.sh

exec 8>"$folder.lock"
flock 8
if [ ! -f "$folder/LICENSES" ]; then
    add_deb_src >&2
    rm -rf "$folder"
    mkdir -p "$folder"
    (cd "$folder" && apt-get source --download-only -qq "glibc=$version") >&2
    tarball=$(ls "$folder"/glibc_*.orig.tar.xz | head -n 1)
    tar -xJf "$tarball" -C "$folder" --strip-components=1 --wildcards '*/LICENSES'
fi
flock -u 8
echo "$folder"
