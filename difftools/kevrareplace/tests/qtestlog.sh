#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Runs a QtTest program that writes nothing to standard output (as under Wine), with its log in
# a file, and prints the log. Usage: qtestlog.sh LOG LOG-AS-THE-PROGRAM-NAMES-IT COMMAND...
log=$1
name=$2
shift 2
rm -f "$log"
"$@" -o "$name,txt"
status=$?
[ ! -f "$log" ] || cat "$log"
exit "$status"
