#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Checks the rule file schema with xmllint: every example and every clean rule file of the
# tests (data/clean-*.xml) validates, every trap (data/trap-*.xml) is refused as invalid rather
# than as broken XML. Then shows that the schema's location on the root element changes
# nothing: the same rules, the same result from the tool, nothing reported by the companion.
#   schema.sh <schema> <examples folder> <data folder> <tool> <companion>
schema=$1
examples=$2
data=$3
tool=$4
companion=$5
failed=0
valid=0
for file in "$examples"/*.xml "$data"/clean-*.xml; do
    [ -f "$file" ] || continue
    if output=$(xmllint --noout --schema "$schema" "$file" 2>&1); then
        valid=$((valid + 1))
    else
        echo "does not validate: $file"
        echo "$output"
        failed=1
    fi
done
traps=0
for file in "$data"/trap-*.xml; do
    [ -f "$file" ] || continue
    traps=$((traps + 1))
    # Exit status 3: the document is well-formed and the schema refuses it.
    xmllint --noout --schema "$schema" "$file" >/dev/null 2>&1
    status=$?
    [ "$status" = 3 ] || { echo "not refused by the schema (xmllint status $status): $file"; failed=1; }
done
[ "$valid" -gt 1 ] && [ "$traps" -gt 3 ] || {
    echo "too few files: $valid valid, $traps traps"
    failed=1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Flag values: what the tool reads as a number validates, what it reads as 0 for want of one
# does not. One value a line: the expected outcome, a bar, the value as written in the attribute.
while IFS='|' read -r expected value; do
    printf '<replacement><file path="a" cs="%s"/></replacement>\n' "$value" >"$work/flag.xml"
    got=invalid
    xmllint --noout --schema "$schema" "$work/flag.xml" >/dev/null 2>&1 && got=valid
    [ "$got" = "$expected" ] || { echo "flag value '$value': $got, expected $expected"; failed=1; }
done <<'VALUES'
valid|1
valid|-1
valid|+1
valid|007
valid|0
valid|-0
valid| 1 
valid|&#9;1&#10;
valid|2147483647
valid|-2147483648
valid|-000000000002147483648
invalid|
invalid|true
invalid|yes
invalid|1.0
invalid|0x1
invalid|2147483648
invalid|-2147483649
invalid|1 2
invalid|+-1
invalid|- 1
invalid|&#160;1
VALUES
mkdir "$work/plain" "$work/located"
cp "$examples/paths.xml" "$work/plain/rules.xml"
# The attributes go into the root's start tag, on its own line, so that every rule keeps its
# line and column.
sed 's|^<replacement>$|<replacement xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:noNamespaceSchemaLocation="/usr/share/kevrareplace/kevrareplace.xsd">|' \
    "$work/plain/rules.xml" >"$work/located/rules.xml"
if cmp -s "$work/plain/rules.xml" "$work/located/rules.xml"; then
    echo "no root start tag on a line of its own in the example"
    failed=1
fi
xmllint --noout --schema "$schema" "$work/located/rules.xml" 2>/dev/null \
    || { echo "the example with its schema location does not validate"; failed=1; }
(cd "$work/plain" && "$companion" -config rules.xml --rules) >"$work/plain.rules" || failed=1
(cd "$work/located" && "$companion" -config rules.xml --rules) >"$work/located.rules" || failed=1
if [ ! -s "$work/plain.rules" ] || ! cmp -s "$work/plain.rules" "$work/located.rules"; then
    echo "the schema location changes the rules:"
    diff "$work/plain.rules" "$work/located.rules"
    failed=1
fi
for string in /home/ann/workspace/app/main.cpp C:/x /usr/include/stdio.h; do
    plain=$("$tool" -config "$work/plain/rules.xml" "$string")
    located=$("$tool" -config "$work/located/rules.xml" "$string")
    [ "$plain" = "$located" ] || { echo "the schema location changes the result for $string"; failed=1; }
done
report=$("$companion" -config "$work/located/rules.xml" 2>&1)
status=$?
if [ "$status" != 0 ] || [ "$report" != "4 rules read, 0 errors, 0 warnings" ]; then
    echo "the companion reports on the schema location (status $status):"
    echo "$report"
    failed=1
fi
exit $failed
