#!/bin/sh
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# Builds the tool in Release and runs it on the bundled example configuration.
set -e
cd "$(dirname "$0")/.."
. scripts/release-lib.sh
sh scripts/deps.sh qtbase5-dev cmake g++ make
# The default build, without its tests: the programs alone build sooner.
cmake --preset default -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset default --parallel "$(nproc)" >/dev/null
config=difftools/kevrareplace/examples/paths.xml
echo "\$ kevrareplace -config $config $example_string"
run_example "$config" build/difftools/kevrareplace/kevrareplace
