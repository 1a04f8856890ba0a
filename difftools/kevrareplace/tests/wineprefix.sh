#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Makes the Wine prefix $WINEPREFIX afresh before the tests (start), and ends its server after
# them (stop). Usage: wineprefix.sh start|stop WINE-LOADER
set -e
server=$(dirname "$2")/wineserver
case $1 in
start)
    "$server" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    "$2" wineboot --init
    "$server" -w
    # The prefix's server and the system processes it starts (services, devices, the desktop)
    # stay up until stop, started here once and given time to settle: a process or thread that
    # starts while they start can stall for half a minute, and a probe or program that a test
    # bounds then fails. Their output goes nowhere, so that no test's output stays open.
    "$server" -p </dev/null >/dev/null 2>&1
    "$2" wineboot </dev/null >/dev/null 2>&1
    sleep 10
    ;;
stop)
    "$server" -k 2>/dev/null || true
    ;;
esac
