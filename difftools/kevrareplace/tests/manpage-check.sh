#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Checks the companion's manual page: groff renders it without a warning, and it names every
# finding id of the catalogue and every option.
#   manpage-check.sh <manual page> <catalogue source>
page=$1
catalogue=$2
warnings=$(groff -man -ww -z "$page" 2>&1)
if [ -n "$warnings" ]; then
    echo "groff warns:"
    echo "$warnings"
    exit 1
fi
text=$(groff -man -Tascii -rLL=5000n -rHY=0 "$page" 2>/dev/null | col -b | tr -s ' \t\n' '   ')
failed=0
ids=$(grep -oE '^ *\{ "[a-z-]+", Severity' "$catalogue" | sed -E 's/^ *\{ "([a-z-]+)".*/\1/')
[ -n "$ids" ] || { echo "no ids found in $catalogue"; exit 1; }
for word in $ids -config --rules -z --format --help --version; do
    case "$text" in
    *"$word"*) ;;
    *) echo "not in the manual page: $word"; failed=1 ;;
    esac
done
exit $failed
