#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang and sanitizers, and runs each for a bounded time:
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
for target in $targets; do
    corpus=build-fuzz/corpus/$target
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
    rm -rf "$corpus" && mkdir -p "$corpus"
    echo "== $target: $time s"
    if ! build-fuzz/difftools/kevrareplace/fuzz/$target -seed=1 -max_total_time="$time" \
        -rss_limit_mb=4096 -timeout=60 ${dict:+-dict="$dict"} -print_final_stats=1 \
        -artifact_prefix=build-fuzz/artifacts/$target- "$corpus" "$seeds" \
        >build-fuzz/$target.log 2>&1; then
        grep -v -E '^#[0-9]+' build-fuzz/$target.log | tail -n 60
        for artifact in build-fuzz/artifacts/$target-*; do
            [ -f "$artifact" ] && { echo "reproducer $artifact:"; od -A d -c "$artifact" | head -n 40; }
        done
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' \
        build-fuzz/$target.log
done
