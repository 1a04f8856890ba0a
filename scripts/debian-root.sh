#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Makes a minimal Debian 11 root (glibc 2.31), once, in the cache of the static Qt
# (cmake/staticqt.cmake), for the portable programs to be run in with chroot; a root with its
# .complete stamp is used as it is. Prints the root's folder.
# Usage: sh scripts/debian-root.sh
set -e
cd "$(dirname "$0")/.."

sh scripts/deps.sh cmake debootstrap util-linux >&2
cache=$(cmake -DTARGET=linux-x86_64 -P cmake/staticqt.cmake | sed -n 2p)
root=$cache/debian-11-root
mkdir -p "$cache"
# One debootstrap at a time, also across checkouts sharing the cache.
exec 9>"$root.lock"
flock 9
if [ ! -f "$root/.complete" ]; then
    echo "== a Debian 11 root for the portable programs: debootstrap (a few minutes)" >&2
    rm -rf "$root"
    debootstrap --variant=minbase bullseye "$root" >"$root.log" 2>&1 \
        || { tail -n 20 "$root.log" >&2; exit 1; }
    touch "$root/.complete"
fi
flock -u 9
echo "$root"
