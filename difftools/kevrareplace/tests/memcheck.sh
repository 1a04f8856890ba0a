#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Runs a command under valgrind's memcheck: passes when memcheck finds no error and no
# definite leak, and the command ends with the expected exit code.
#   memcheck.sh <expected exit code> <command> [arguments...]
expected=$1
shift
valgrind --quiet --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite "$@" \
    >/dev/null
status=$?
[ "$status" -eq "$expected" ] && exit 0
echo "exit code $status, expected $expected (99: memcheck found errors)"
exit 1
