#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Checks that the shared library LIBRARY exports exactly the functions of its public headers,
# listed demangled in EXPECTED: nothing of the engine or of Qt inside it.
set -e
library=$1
expected=$2
# Qt 6's QStringList is QList<QString>: one list for both.
got=$(nm -D --defined-only "$library" | awk '{ print $3 }' | c++filt \
    | sed 's/QList<QString>/QStringList/g' | LC_ALL=C sort -u)
if [ "$got" != "$(LC_ALL=C sort "$expected")" ]; then
    echo "$library exports other symbols than $expected lists:"
    echo "$got" | diff -u "$expected" - || true
    exit 1
fi
echo "ok: $(echo "$got" | wc -l) symbols, as $expected lists"
