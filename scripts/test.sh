#!/bin/sh
# Builds the tool with its tests and runs the whole suite; exits non-zero when a test fails.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh qtbase5-dev cmake g++ make
# Warnings are errors in CI, where the compiler is known.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
    -DKEVRAREPLACE_WERROR="$([ -n "${CI:-}" ] && echo ON || echo OFF)"
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure
