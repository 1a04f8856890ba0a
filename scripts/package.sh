#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Installs the Release build into a temporary DESTDIR and runs the installed program on the
# installed example, and hosts built against the installed library (scripts/library-hosts.sh).
# Then builds the Debian source and binary packages (the programs, the library and its -dev
# package) with dpkg-buildpackage from a copy of the tree in build-deb/kevrareplace-VERSION/
# (outputs land in build-deb/), runs the packaged programs, checks the packages with
# lintian --pedantic (any tag that is not overridden fails), and runs their autopkgtest tests on
# this machine (the null server), removing the installed packages afterwards. Needs a
# configured and built build/ with the library (the default preset; see scripts/test.sh).
set -e
cd "$(dirname "$0")/.."
. scripts/release-lib.sh
sh scripts/deps.sh build-essential lintian dpkg-dev debhelper autopkgtest man-db file python3-debian \
    libxml2-utils cmake qtbase5-dev bash-completion bsdextrautils groff-base pkg-kde-tools pkgconf \
    python3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
check() {
    got=$(run_example "$2" "$1")
    [ "$got" = "$example_result" ] \
        || { echo "$1 printed '$got', expected '$example_result'"; exit 1; }
    echo "ok: $1"
}
# The companion finds nothing to report in the example and lists its four rules.
check_companion() {
    "$1" -config "$2" 2>/dev/null || { echo "$1 reports problems in $2"; exit 1; }
    [ "$("$1" -config "$2" --rules | wc -l)" = 4 ] || { echo "$1 does not list 4 rules"; exit 1; }
    echo "ok: $1"
}

DESTDIR="$root/install" cmake --install build --prefix /usr >/dev/null
check "$root/install/usr/bin/kevrareplace" \
    "$root/install/usr/share/doc/kevrareplace/examples/paths.xml"
check_companion "$root/install/usr/bin/kevrareplace-check" \
    "$root/install/usr/share/doc/kevrareplace/examples/paths.xml"
[ -f "$root/install/usr/share/man/man1/kevrareplace.1.gz" ]
[ -f "$root/install/usr/share/man/man1/kevrareplace-check.1.gz" ]
# The installed example validates against the installed schema.
xmllint --noout --schema "$root/install/usr/share/kevrareplace/kevrareplace.xsd" \
    "$root/install/usr/share/doc/kevrareplace/examples/paths.xml"
sh scripts/library-hosts.sh "$root/install/usr"

# The source package is made of the files git knows (tracked, or new and not ignored) as they
# stand; outside a git checkout, of everything but the build folders.
rm -rf build-deb
mkdir build-deb
out=$PWD/build-deb
version=$(project_version .)
# debian/changelog is kept in the tree, so that a plain export of it builds: its version must be
# project()'s.
changelog_version=$(dpkg-parsechangelog -l debian/changelog -S Version)
[ "$changelog_version" = "$version" ] || {
    echo "debian/changelog is at $changelog_version, project() at $version: add an entry for $version"
    exit 1
}
tree=$out/kevrareplace-$version
mkdir "$tree"
copy_tree "$tree"
echo "== dpkg-buildpackage (log in build-deb/build.log)"
start=$(date +%s)
if ! (cd "$tree" && dpkg-buildpackage -us -uc -j"$(nproc)") >"$out/build.log" 2>&1; then
    tail -n 60 "$out/build.log"
    echo "dpkg-buildpackage failed: build-deb/build.log"
    exit 1
fi
echo "ok: source and binary packages built in $(($(date +%s) - start)) s"
grep -E '^[0-9]+% tests passed|^Total Test time' "$out/build.log" || true
arch=$(dpkg --print-architecture)
changes=$out/kevrareplace_${version}_$arch.changes
package=$out/kevrareplace_${version}_$arch.deb
ls "$out"/*.dsc "$out"/*.tar.* "$out"/*.deb "$changes"
library_package=$out/libkevrareplace-qt5-1_${version}_$arch.deb
dev_package=$out/libkevrareplace-qt5-dev_${version}_$arch.deb

dpkg-deb -x "$package" "$root/deb"
check "$root/deb/usr/bin/kevrareplace" "$root/deb/usr/share/doc/kevrareplace/examples/paths.xml"
check_companion "$root/deb/usr/bin/kevrareplace-check" \
    "$root/deb/usr/share/doc/kevrareplace/examples/paths.xml"
for file in man/man1/kevrareplace.1.gz man/man1/kevrareplace-check.1.gz \
    kevrareplace/kevrareplace.xsd doc/kevrareplace/copyright doc/kevrareplace/changelog.gz \
    bash-completion/completions/kevrareplace bash-completion/completions/kevrareplace-check \
    zsh/vendor-completions/_kevrareplace fish/vendor_completions.d/kevrareplace.fish \
    fish/vendor_completions.d/kevrareplace-check.fish; do
    [ -f "$root/deb/usr/share/$file" ] || { echo "no /usr/share/$file in $package"; exit 1; }
done
dpkg-deb -f "$package" Package Version Depends
# The library and what building against it needs, in their packages.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
dpkg-deb -x "$library_package" "$root/lib"
dpkg-deb -x "$dev_package" "$root/dev"
[ -f "$root/lib/usr/lib/$multiarch/libkevrareplace-qt5.so.1.0.0" ] \
    || { echo "no libkevrareplace-qt5.so.1.0.0 in $library_package"; exit 1; }
for file in lib/$multiarch/libkevrareplace-qt5.so lib/$multiarch/pkgconfig/kevrareplace-qt5.pc \
    lib/$multiarch/cmake/KevraReplaceQt5/KevraReplaceQt5Config.cmake \
    include/kevrareplace-qt5/kevrareplace/ruleset.h include/kevrareplace-qt5/kevrareplace/kevrareplace.h; do
    [ -e "$root/dev/usr/$file" ] || [ -L "$root/dev/usr/$file" ] \
        || { echo "no /usr/$file in $dev_package"; exit 1; }
done
for deb in "$library_package" "$dev_package"; do
    dpkg-deb -f "$deb" Package Version Depends
done
# The symbols file as packaged: what a package built against the library comes to depend on.
dpkg-deb --info "$library_package" symbols | head -n 3
# lintian reads the copyright file of a binary package only loosely: parse it strictly, in the
# machine-readable form, with the parser of Debian's tools (the system's python has it).
/usr/bin/python3 -c 'import sys; from debian.copyright import Copyright
Copyright(open(sys.argv[1], encoding="utf-8"), strict=True)' \
    "$root/deb/usr/share/doc/kevrareplace/copyright"
echo "ok: the copyright file is machine-readable"

# The source package, the binary packages and their debug symbols: every tag shown, and any tag
# fails, pedantic and informational ones too (overrides, each with its reason, would be in
# debian/). Running as root is fine here. An override of a spelling "error" in machine code goes
# unused when a change of the code moves those bytes: that says nothing of the package.
# lintian and autopkgtest lose their way in a folder whose name is not ASCII (lintian reads the
# name of the .dsc beside the .changes as Latin-1): both read a copy of the packages in one
# whose name is.
mkdir "$root/packages"
cp "$out"/*.changes "$out"/*.buildinfo "$out"/*.dsc "$out"/*.tar.* "$out"/*.deb "$root/packages/"
changes=$root/packages/$(basename "$changes")
echo "== lintian --pedantic -I"
lintian --pedantic -I --allow-root --tag-display-limit 0 --fail-on error,warning,info,pedantic \
    --suppress-tags unused-override "$changes" || { echo "lintian reports tags"; exit 1; }
echo "ok: lintian reports no tag"

# The tests of debian/tests on the packages as installed here; the package goes again after.
echo "== autopkgtest"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
# The packages of this source that autopkgtest installed.
installed() {
    dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' kevrareplace kevrareplace-dbgsym \
        libkevrareplace-qt5-1 libkevrareplace-qt5-1-dbgsym libkevrareplace-qt5-dev 2>/dev/null \
        | awk '$1 == "ii" { print $2 }'
}
trap '$sudo apt-get purge -y -qq $(installed) >/dev/null 2>&1; rm -rf "$root"' EXIT
start=$(date +%s)
$sudo autopkgtest --output-dir "$root/autopkgtest" "$changes" -- null >"$out/autopkgtest.log" 2>&1 \
    || status=$?
cp -r "$root/autopkgtest" "$out/" 2>/dev/null || true
cat "$out/autopkgtest/summary" 2>/dev/null || true
# shellcheck disable=SC2046 # one word per package
[ -z "$(installed)" ] || $sudo apt-get purge -y -qq $(installed) >/dev/null
if [ "${status:-0}" != 0 ]; then
    tail -n 60 "$out/autopkgtest.log"
    echo "autopkgtest failed (status $status): build-deb/autopkgtest.log"
    exit 1
fi
echo "ok: autopkgtest passes on the installed package ($(($(date +%s) - start)) s)"
