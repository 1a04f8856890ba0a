#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and sanitizers, and runs each for a bounded time, as
# many at a time as there are cores:
#   sh scripts/fuzz.sh [seconds per target, default 60]
# Exits non-zero on a crash, leak, timeout or out-of-memory; the reproducer is printed and
# kept under build-fuzz/artifacts/.
set -e
cd "$(dirname "$0")/.."
seconds=${1:-60}
sh scripts/deps.sh qtbase5-dev cmake make clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
fuzz=difftools/kevrareplace/fuzz
# The targets as the fuzz folder's CMakeLists.txt builds them, in their order.
targets=$(sed -n 's/^\(fuzz_[a-z_]*\) .*/\1/p' "$fuzz/targets.txt" | tr '\n' ' ')
# shellcheck disable=SC2086
cmake --build --preset fuzz --parallel "$(nproc)" --target $targets >/dev/null
mkdir -p build-fuzz/artifacts
# A small quarantine: some expressions make the library reallocate large tables, which the
# default quarantine would hold on to.
export ASAN_OPTIONS=quarantine_size_mb=32:detect_leaks=1
# One target's run: its corpus made anew, its log in build-fuzz/TARGET.log.
run() {
    target=$1 time=$2 seeds=$3 dict=$4
    corpus=build-fuzz/corpus/$target
    rm -rf "$corpus" && mkdir -p "$corpus"
    "build-fuzz/difftools/kevrareplace/fuzz/$target" -seed=1 -max_total_time="$time" \
        -rss_limit_mb=4096 -timeout=60 ${dict:+-dict="$dict"} -print_final_stats=1 \
        -artifact_prefix="build-fuzz/artifacts/$target-" "$corpus" "$seeds" \
        >"build-fuzz/$target.log" 2>&1
}
# Waits for the oldest run still going and reports it: its figures, or its log and reproducer.
failed=0
finish_oldest() {
    oldest=${running%% *}
    running=${running#"$oldest"} && running=${running# }
    name=${oldest%%:*}
    if wait "${oldest#*:}"; then
        echo "== $name"
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' \
            "build-fuzz/$name.log"
        return 0
    fi
    failed=1
    echo "== $name: failed"
    grep -v -E '^#[0-9]+' "build-fuzz/$name.log" | tail -n 60
    for artifact in build-fuzz/artifacts/"$name"-*; do
        [ -f "$artifact" ] && { echo "reproducer $artifact:"; od -A d -c "$artifact" | head -n 40; }
    done
    return 0
}
# The runs going, "TARGET:PID" each, oldest first: one a core, as each takes one.
running=
cores=$(nproc)
for target in $targets; do
    # The batch target reads rules and strings, the expression target one expression, the
    # required-text target a pattern and a string, and the cases target a case file, not rule
    # files: seeds and tokens of their own.
    seeds=$fuzz/corpus dict=$fuzz/kevrareplace.dict
    [ "$target" = fuzz_batch ] && seeds=$fuzz/batch-corpus dict=$fuzz/batch.dict
    [ "$target" = fuzz_expression ] && seeds=$fuzz/corpus-expression dict=$fuzz/expression.dict
    [ "$target" = fuzz_requiredtext ] && seeds=$fuzz/corpus-requiredtext dict=$fuzz/expression.dict
    [ "$target" = fuzz_cases ] && seeds=$fuzz/corpus-cases dict=$fuzz/cases.dict
    # The suggestion's target reads its bytes as choices, not as text: no tokens, and a short run,
    # as every input runs the whole suggestion. The case file's reader is small: a short run
    # covers it.
    time=$seconds
    [ "$target" = fuzz_suggest ] && seeds=$fuzz/corpus-suggest dict='' time=$((seconds < 30 ? seconds : 30))
    [ "$target" = fuzz_cases ] && time=$((seconds < 30 ? seconds : 30))
    echo "-- $target: $time s"
    run "$target" "$time" "$seeds" "$dict" &
    running="$running${running:+ }$target:$!"
    # shellcheck disable=SC2086 # one word a run
    [ "$(set -- $running && echo $#)" -lt "$cores" ] || finish_oldest
done
while [ -n "$running" ]; do
    finish_oldest
done
exit "$failed"
