#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Installs the Release build into a temporary DESTDIR and runs the installed program on the
# installed example; builds the Debian package, unpacks it and runs that program too; checks
# the package with lintian and its copyright file as Debian's tools parse it. Needs a configured and built build/ (see scripts/test.sh).
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh lintian dpkg-dev file python3-debian libxml2-utils
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
expected=/work/app/src/main.cpp
check() {
    got=$("$1" -config "$2" /home/ann/workspace/app/src/main.cpp)
    [ "$got" = "$expected" ] || { echo "$1 printed '$got', expected '$expected'"; exit 1; }
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

rm -f build/kevrareplace_*.deb
(cd build && cpack -G DEB >/dev/null)
package=$(ls build/kevrareplace_*.deb)
dpkg-deb -x "$package" "$root/deb"
check "$root/deb/usr/bin/kevrareplace" "$root/deb/usr/share/doc/kevrareplace/examples/paths.xml"
check_companion "$root/deb/usr/bin/kevrareplace-check" \
    "$root/deb/usr/share/doc/kevrareplace/examples/paths.xml"
for file in kevrareplace/kevrareplace.xsd bash-completion/completions/kevrareplace \
    bash-completion/completions/kevrareplace-check zsh/vendor-completions/_kevrareplace \
    fish/vendor_completions.d/kevrareplace.fish fish/vendor_completions.d/kevrareplace-check.fish; do
    [ -f "$root/deb/usr/share/$file" ] || { echo "no /usr/share/$file in $package"; exit 1; }
done
dpkg-deb -f "$package" Package Version Depends
# lintian reads the copyright file of a binary package only loosely: parse it strictly, in the
# machine-readable form, with the parser of Debian's tools (the system's python has it).
/usr/bin/python3 -c 'import sys; from debian.copyright import Copyright
Copyright(open(sys.argv[1], encoding="utf-8"), strict=True)' \
    "$root/deb/usr/share/doc/kevrareplace/copyright"
echo "ok: the copyright file is machine-readable"

# lintian's tags: E errors fail, and so do W warnings about the copyright file; other
# warnings are shown. Running as root is fine here.
lintian --allow-root --tag-display-limit 0 "$package" | tee "$root/lintian.txt"
if grep -q -E '^E:|^W: .*copyright' "$root/lintian.txt"; then
    echo "lintian reports errors, or warnings about the copyright file"
    exit 1
fi
echo "ok: lintian reports no errors on $package"
