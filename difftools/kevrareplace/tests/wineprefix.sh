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
    ;;
stop)
    "$server" -k 2>/dev/null || true
    ;;
esac
