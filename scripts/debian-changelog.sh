#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Writes debian/changelog from debian/changelog.in with the version of project() in
# CMakeLists.txt and the date of the last commit (of CMakeLists.txt outside a git checkout):
# into the tree given, a copy of this one, or by default into this tree. Prints the version.
#   debian-changelog.sh [tree]
set -e
tree=$(dirname "$0")/..
out=${1:-$tree}
. "$tree/scripts/release-lib.sh"
version=$(project_version "$tree")
date=$(git -C "$tree" log -1 --format=%aD 2>/dev/null) || date=
[ -n "$date" ] || date=$(LC_ALL=C date -R -r "$tree/CMakeLists.txt")
release=${version%.*}
sed -e "s/@PROJECT_VERSION@/$version/" -e "s/@KEVRAREPLACE_RELEASE@/$release/" \
    -e "s/@PROJECT_VERSION_PATCH@/${version##*.}/" -e "s/@DATE@/$date/" \
    "$tree/debian/changelog.in" >"$out/debian/changelog"
echo "$version"
