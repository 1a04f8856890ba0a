#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Runs a test program inside another root, entered with chroot (as root): the source and build
# folders are mounted there at their own paths for this run alone, so that the program and the
# programs it starts find their files by the paths they were built with, from the same current
# folder.
# Usage: sh inroot.sh ROOT SOURCE BUILD PROGRAM ARGS...
set -e
root=$1
[ -x "$root/bin/sh" ] || { echo "inroot.sh: $root is not a root with a shell" >&2; exit 1; }
mkdir -p "$root$2"
# shellcheck disable=SC2016 # expanded by the shell in the new mount namespace
exec unshare --mount sh -c 'root=$1 source=$2 build=$3
shift 3
mount --bind "$source" "$root$source"
[ -d "$root$build" ] || mkdir -p "$root$build"
mount --bind "$build" "$root$build"
exec chroot "$root" /bin/sh -c '\''cd "$0" && exec "$@"'\'' "$PWD" "$@"' sh "$@"
