#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
"""Measures kevrareplace against the start-up floor of a Qt Core program and against sed.

Run from anywhere: python3 bench/bench.py [--quick] [--only NAME ...]. It builds what it needs
in Release through the presets bench (Qt 5, build-bench/) and bench-qt6 (Qt 6,
build-bench-qt6/, for the start-up section only), generates its inputs in a temporary folder
and prints Markdown tables: start-up on both builds, the rest on the Qt 5 build, the default.
The figures that matter are ratios measured side by side in the same run.

measure.py runs the programs and measures them, workloads.py makes their inputs, report.py
holds the sections, one table each, and portable.py the portable build's (static Qt, built by
scripts/portable.sh) beside the Qt 5 build, measured when build-portable/ exists; --only runs
the sections it names and no other.
"""

import argparse
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import measure  # noqa: E402
import portable  # noqa: E402
import report  # noqa: E402
import suggestkinds  # noqa: E402
from workloads import SAMPLE  # noqa: E402

SECTIONS = ["floor", "portable", "sed", "length", "check", "stdin", "compare", "cases", "suggest"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quick", action="store_true", help="fewer runs and rules")
    parser.add_argument("--only", action="append", choices=SECTIONS, metavar="NAME",
                        help="run this section only (may be given more than once): "
                        + ", ".join(SECTIONS))
    parser.add_argument("--tool", help="another Qt 5 build of kevrareplace to measure")
    parser.add_argument("--tool-qt6", help="another Qt 6 build of kevrareplace to measure")
    args = parser.parse_args()
    if args.tool:
        measure.TOOL = measure.TOOLS[5] = os.path.abspath(args.tool)
    if args.tool_qt6:
        measure.TOOLS[6] = os.path.abspath(args.tool_qt6)
    chosen = args.only or SECTIONS
    runs = 40 if args.quick else 300
    # Only the start-up section measures the Qt 6 build.
    measure.build([5, 6] if "floor" in chosen else [5])
    with tempfile.TemporaryDirectory() as folder:
        if "floor" in chosen:
            floor_kib = report.section_floor(folder, runs)
        elif "sed" in chosen:
            floor_kib = measure.peak_kib([measure.FLOORS[5], SAMPLE])
        if "portable" in chosen:
            portable.section_portable(folder, runs, 3 if args.quick else 11, 100000)
        if "sed" in chosen:
            counts = [10, 1000, 10000] if args.quick else [10, 1000, 10000, 100000]
            report.section_sed(folder, counts, 10 if args.quick else 30, floor_kib)
        if "length" in chosen:
            report.section_length(folder, 10 if args.quick else 30)
        if "check" in chosen:
            report.section_check(folder, 3 if args.quick else 10)
        if "stdin" in chosen:
            report.section_stdin(folder, 3 if args.quick else 11, 100000,
                                 100 if args.quick else 300)
        if "compare" in chosen:
            report.section_compare(folder, 3 if args.quick else 11, 100000)
        if "cases" in chosen:
            report.section_cases(folder, 3 if args.quick else 11, 100000)
        if "suggest" in chosen:
            report.section_suggest(folder, 3 if args.quick else 11, 100000, 1000)
            suggestkinds.section_suggest_kinds(folder, 3 if args.quick else 11, 100000, 20000)


if __name__ == "__main__":
    main()
