#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Checks the shell completion: the bash one for real, in a bash with bash-completion's helpers,
# asking its functions what they offer for a few command lines; the zsh and fish files for
# their syntax, each skipped with the reason when its shell is missing. Every option that
# kevrareplace-check --help prints, and every option word of the tool (from the header that
# names them), is offered.
#   completion.sh <completion folder> <companion> <the header of the tool's options>
folder=$1
companion=$2
options=$3
helpers=/usr/share/bash-completion/bash_completion
failed=0
command -v bash >/dev/null && [ -f "$helpers" ] || {
    echo "bash or bash-completion missing: install bash-completion"
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/rules" "$work/other"
: >"$work/rules/paths.xml"
: >"$work/rules/notes.txt"
: >"$work/other/notes.txt"
check_options=$("$companion" --help | sed -n 's/^  \(-[^ ,]*\)\(, \(--[^ ]*\)\)\{0,1\}.*/\1 \3/p')
tool_options=$(grep -oE '\[\] = "-[a-z]+"' "$options" | sed -E 's/.*"(.*)".*/\1/')
[ -n "$check_options" ] && [ -n "$tool_options" ] || { echo "no options found"; exit 1; }

# Each case: the folder to complete in, the expected offer (sorted, one line, "" for none) or
# "superset of" a list, then the command line; its last word is the one being completed.
bash --norc --noprofile -s "$folder/kevrareplace.bash" "$helpers" "$work" \
    "$check_options" "$tool_options" <<'SCRIPT' || failed=1
. "$2"
. "$1"
work=$3
failed=0
offer() { # folder, words...: prints the sorted offer for the last word
    (
        cd "$work/$1" || exit 1
        shift
        COMP_WORDS=("$@")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_LINE="$*"
        COMP_POINT=${#COMP_LINE}
        COMPREPLY=()
        case $1 in
        kevrareplace) _kevrareplace ;;
        kevrareplace-check) _kevrareplace_check ;;
        esac
        printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
    )
}
expect() { # expected, folder, words...
    local expected=$1 got
    shift
    got=$(offer "$@")
    [ "$got" = "$expected" ] || { echo "'${*:2}' in $1: got '$got', expected '$expected'"; failed=1; }
}
expect_all() { # options, folder, words...: every option is offered
    local options=$1 got option
    shift
    got=" $(offer "$@") "
    for option in $options; do
        [[ $got == *" $option "* ]] || { echo "'${*:2}': $option not offered"; failed=1; }
    done
}
expect '-config -help -version' rules kevrareplace -
expect 'paths.xml' rules kevrareplace -config ''
expect 'notes.txt' other kevrareplace -config ''
expect '' rules kevrareplace -config paths.xml ''
expect '' rules kevrareplace -config paths.xml /home/ann/
expect '-version' rules kevrareplace -v
expect 'gnu sarif' rules kevrareplace-check --format ''
expect 'sarif' rules kevrareplace-check -config paths.xml --format s
expect 'paths.xml' rules kevrareplace-check --config ''
expect 'paths.xml' rules kevrareplace-check -config ''
expect 'notes.txt paths.xml' rules kevrareplace-check --test ''
expect 'notes.txt paths.xml' rules kevrareplace-check --suggest ''
expect 'paths.xml' rules kevrareplace-check --compare ''
expect 'paths.xml' rules kevrareplace-check --compare paths.xml ''
expect '' rules kevrareplace-check -config paths.xml ''
expect 'gnu sarif' rules kevrareplace-check --format=
expect 'sarif' rules kevrareplace-check --format=s
expect 'paths.xml' rules kevrareplace-check --config=
expect '-config' rules kevrareplace-check -c
expect '' rules kevrareplace-check -config paths.xml -- -
expect_all "$4 --test --compare --suggest" rules kevrareplace-check -
expect_all "$5" rules kevrareplace -
exit $failed
SCRIPT

if command -v zsh >/dev/null; then
    zsh -n "$folder/_kevrareplace" || { echo "zsh: syntax error in _kevrareplace"; failed=1; }
else
    echo "skipped: zsh is not installed, the zsh completion's syntax is not checked"
fi
if command -v fish >/dev/null; then
    for file in "$folder"/*.fish; do
        fish --no-execute "$file" || { echo "fish: syntax error in $file"; failed=1; }
    done
    # Every option of --help in fish's offer too.
    # The file as fish's argument, so that any folder's name reaches it whole.
    offered=$(HOME=$work fish --no-config -c 'source $argv[1]
        complete -C"kevrareplace-check -"; complete -C"kevrareplace-check --"' \
        "$folder/kevrareplace-check.fish" | cut -f1)
    for option in $check_options; do
        printf '%s\n' "$offered" | grep -qx -- "$option" \
            || { echo "fish: $option not offered"; failed=1; }
    done
else
    echo "skipped: fish is not installed, the fish completion's syntax is not checked"
fi
exit $failed
