# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
# What the scripts' builds share, sourced from the top of the checkout (". scripts/release-lib.sh"):
# the version, the warnings and the example run.

# Prints the version of project(kevrareplace VERSION x.y.z) in the CMakeLists.txt of TREE, where
# it is written once; fails when there is none: project_version TREE
project_version()
{
    sed -n 's/^project(kevrareplace VERSION \([0-9]*\.[0-9]*\.[0-9]*\)[ )].*/\1/p' \
        "$1/CMakeLists.txt" | grep . \
        || { echo "no project(kevrareplace VERSION x.y.z) in $1/CMakeLists.txt" >&2; return 1; }
}

# Warnings are errors in CI, where the compiler is known.
werror=$([ -n "${CI:-}" ] && echo ON || echo OFF)

# The example run: a path that the example's rules (examples/paths.xml) rewrite, and the result.
example_string=/home/ann/workspace/app/src/main.cpp
example_result=/work/app/src/main.cpp

# Runs the tool on the example string by the rules of CONFIG: run_example CONFIG COMMAND...,
# where COMMAND is the tool, or what starts it, with its words.
run_example()
{
    example_config=$1
    shift
    "$@" -config "$example_config" "$example_string"
}
