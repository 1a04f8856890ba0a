#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds the tool for 64-bit Windows with MinGW-w64 and runs its suite under Wine.
# Qt Core and Qt Test come from scripts/static-qt.sh, built once from Debian's own source package.
# Usage: sh scripts/windows.sh [qt]   ("qt" stops once the Qt cache is complete)
set -e
cd "$(dirname "$0")/.."
checkout=$(pwd)
. scripts/release-lib.sh

sh scripts/deps.sh wine64 cmake make groff-base xz-utils python3
# Qt Core and Qt Test, static, for MinGW-w64: built once into their cache.
sh scripts/static-qt.sh win64
qt_prefix=$(sh scripts/static-qt.sh win64 prefix)
[ "${1:-}" != qt ] || exit 0

# Wine's loader, as the toolchain file runs the tests with it, and the suite's environment.
wine=/usr/lib/wine/wine64
while read -r line; do
    case $line in [A-Z]*=*) export "${line?}" ;; esac
done <cmake/wine.env

# A test that fails is run once more (the preset's repeat): now and then Wine stalls a process
# for half a minute, past the bound that a test sets; a fault of the programs fails both runs.
build_and_test windows "Windows build (MinGW-w64, static)" \
    "the suite under Wine, each run in a fresh prefix of its own (build-windows/wine*)" \
    -DKEVRAREPLACE_QT_WIN64="$qt_prefix"

echo "== the zip for Windows with Qt's source beside it, unpacked into a folder with a space and a non-ASCII letter"
name=kevrareplace-$(project_version .)-win64
pack_zip build-windows "$name"
unpack "$checkout/build-windows" "$checkout/build-windows/$name.zip" "$name"
copy_qt_source win64 build-windows
expect_files kevrareplace.exe kevrareplace-check.exe README.txt LICENSE.txt kevrareplace.txt \
    kevrareplace-check.txt examples/paths.xml NOTICE.txt THIRD-PARTY-NOTICES.txt \
    LICENSES/LGPL-3.0-only.txt LICENSES/GPL-3.0-only.txt
expect_crlf
# Nothing but Windows' own DLLs: any other would have to come with the zip.
system='(advapi32|kernel32|mpr|msvcrt|netapi32|ole32|shell32|user32|userenv|version|winmm|ws2_32)'
for program in kevrareplace.exe kevrareplace-check.exe; do
    other=$(x86_64-w64-mingw32-objdump -p "$download/$program" | sed -n 's/^\tDLL Name: //p' \
        | tr 'A-Z' 'a-z' | grep -vxE "$system\\.dll" || true)
    [ -z "$other" ] || { echo "$program needs DLLs that Windows does not have: $other"; exit 1; }
done
# A prefix of its own, made and settled before the first program starts, as the suite's are: the
# suite's server may still be ending in its prefix.
export WINEPREFIX="$checkout/build-windows/wine-zip"
sh difftools/kevrareplace/tests/wineprefix.sh start "$wine" >/dev/null 2>&1 \
    || { echo "could not make the Wine prefix $WINEPREFIX"; exit 1; }
# As a user starts them: from the unpacked folder, through Wine's loader. Standard output ends
# its lines with CRLF.
run_unpacked()
{
    "$wine" "$@"
}
expect_programs build-windows ./kevrareplace.exe ./kevrareplace-check.exe examples/paths.xml '\r\n'
/usr/lib/wine/wineserver -k 2>/dev/null || true
echo "$name.zip: both programs run from $unpacked"
expect_reproducible windows build-windows pack_zip "$name.zip" -DKEVRAREPLACE_QT_WIN64="$qt_prefix"
