#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Gathers what a release publishes into build-release/: the portable Linux archive
# (scripts/portable.sh) and the zip for Windows (scripts/windows.sh), the Debian source package
# of the tree (scripts/package.sh), and the files of every source package published beside the
# downloads (those of the libraries linked in). Checks each source package's files against
# the checksums of its .dsc, writes SHA256SUMS, the checksums of every file of the release, and
# checks the files against it. Usage: sh scripts/release.sh (after the three scripts)
set -e
cd "$(dirname "$0")/.."
. scripts/release-lib.sh
version=$(project_version .)
release=build-release
rm -rf "$release"
mkdir "$release"

# Copies each FILE into the release; the same name twice must be the same bytes (Qt's source
# package lies beside both downloads): publish FILE...
publish()
{
    for file; do
        [ -f "$file" ] || { echo "$file is missing: run the script that makes it"; exit 1; }
        published=$release/${file##*/}
        if [ -e "$published" ]; then
            cmp -s "$file" "$published" || { echo "$file and $published differ"; exit 1; }
        else
            cp "$file" "$published"
        fi
    done
}

echo "== the release in $release/"
publish "build-portable/kevrareplace-$version-linux-x86_64.tar.xz" \
    "build-windows/kevrareplace-$version-win64.zip"
for dsc in "build-deb/kevrareplace_$version.dsc" build-portable/*.dsc build-windows/*.dsc; do
    publish "$dsc"
    # The files the .dsc names, with their checksums, as sha256sum -c reads them.
    sed -n '/^Checksums-Sha256:/,/^[^ ]/s/^ \([0-9a-f]\{64\}\) [0-9]* \(.*\)$/\1  \2/p' "$dsc" \
        >"$release/dsc.sha256"
    [ -s "$release/dsc.sha256" ] || { echo "$dsc names no files"; exit 1; }
    while read -r _ file; do
        publish "${dsc%/*}/$file"
    done <"$release/dsc.sha256"
    (cd "$release" && sha256sum --quiet --strict -c dsc.sha256) \
        || { echo "the files of $dsc do not match its checksums"; exit 1; }
done
rm "$release/dsc.sha256"

(cd "$release" && find . -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort \
    | while read -r file; do sha256sum -- "$file"; done >SHA256SUMS)
(cd "$release" && sha256sum --strict -c SHA256SUMS)
echo "ok: $release/SHA256SUMS lists the $(wc -l <"$release/SHA256SUMS") files of the release"
