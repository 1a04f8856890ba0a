# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Sourced by the scripts that fetch Debian source packages (scripts/static-qt.sh,
# scripts/libc-source.sh), which set sudo to what runs apt-get as root.

# apt-get source needs a deb-src entry: one beside each deb entry already configured.
add_deb_src()
{
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    stanzas=
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -f "$list" ] && stanzas="$stanzas$(sed 's/^Types: deb$/Types: deb-src/' "$list")
"
    done
    lines=
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$list" ] && lines="$lines$(sed -n 's/^deb /deb-src /p' "$list")
"
    done
    [ -z "$stanzas" ] || printf '%s' "$stanzas" \
        | $sudo tee /etc/apt/sources.list.d/kevrareplace-deb-src.sources >/dev/null
    [ -z "$lines" ] || printf '%s' "$lines" \
        | $sudo tee /etc/apt/sources.list.d/kevrareplace-deb-src.list >/dev/null
    $sudo apt-get update -qq
}
