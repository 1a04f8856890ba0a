#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Checks the manual page: groff renders it without a warning, and it names every text the
# program prints, every option word and every exit code of the driver (its source, or the header
# that names its exit codes). Given a catalogue of findings, it checks that the page names every
# id of it instead of the program's texts; given the header that names the tool's options, every
# option word of it too. Further sources name more of the program's texts and exit codes.
#   manpage.sh <manual page> <driver source or exit code header> [catalogue source] [options header]
#              [further sources...]
page=$1
source=$2
catalogue=$3
options=$4
shift $(($# < 4 ? $# : 4))
warnings=$(groff -man -ww -z "$page" 2>&1)
if [ -n "$warnings" ]; then
    echo "groff warns:"
    echo "$warnings"
    exit 1
fi
# One long line, unhyphenated, with runs of blanks folded.
text=$(groff -man -Tascii -rLL=5000n -rHY=0 "$page" 2>/dev/null | col -b | tr -s ' \t\n' '   ')
failed=0
if [ -n "$catalogue" ]; then
    literals=$(grep -oE '^ *\{ "[a-z-]+", Severity' "$catalogue" | sed -E 's/^ *\{ "([a-z-]+)".*/\1/')
else
    literals=$(cat "$source" "$@" | grep -oE '(QStringLiteral|QLatin1String)\("[^"]*"\)' \
        | sed -E 's/^[A-Za-z0-9]+\("(.*)"\)$/\1/; s/ +$//' | sort -u)
fi
if [ -n "$options" ]; then
    literals="$literals
$(grep -oE '\[\] = "-[a-z]+"' "$options" | sed -E 's/.*"(.*)".*/\1/')"
fi
IFS='
'
for literal in $literals; do
    case "$text" in
    *"$literal"*) ;;
    *) echo "not in the manual page: \"$literal\""; failed=1 ;;
    esac
done
status=$(printf '%s\n' "$text" | sed -n 's/.*EXIT STATUS\(.*\)FILES.*/\1/p')
# The enumerators, on the enum's line or on the lines after it up to its end.
codes=$(cat "$source" "$@" | awk '/^enum [A-Za-z]*ExitCode/ { on = 1 } on { print } on && /};/ { exit }' \
    | grep -oE '= [0-9]+' | tr -d '= ')
[ -n "$codes" ] || { echo "no exit codes found in $source $*"; failed=1; }
for code in $codes; do
    case "$status" in
    *" $code "*) ;;
    *) echo "exit code $code not under EXIT STATUS"; failed=1 ;;
    esac
done
[ -n "$literals" ] || { echo "no texts found in $source"; failed=1; }
exit $failed
