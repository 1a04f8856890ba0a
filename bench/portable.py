# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
"""The portable build (static Qt and C library, preset portable, built by scripts/portable.sh)
beside the Qt 5 build, the floor and a C program that only prints its argument, in one run, with
its targets and the size of each program."""

import glob
import os
import random
import subprocess
import sys

import measure
from measure import (CHECK, FLOORS, PORTABLE_CHECK, PORTABLE_TOOL, TOOLS, instructions,
                     interleaved, peak_kib)
from workloads import MIXED_RULES, SAMPLE, mixed_paths, write_config

# Where the last of the 10 mixed rules changes the string, and no other does.
LAST_RULE_PATH = "/data/2024/reports/summary.txt"
LAST_RULE_RESULT = "/archive/2024/reports/summary.txt"

# The targets: portable start-up instructions with the 10 rules, none changing the string, over
# the dynamic floor's; wall time a call of the portable tool over the Qt 5 build's; --stdin
# portable over dynamic.
INSTRUCTIONS_TARGET = 0.13
WALL_TARGET = 0.35
STDIN_TARGET = 1.00


def output(command):
    return subprocess.run(command, check=True, capture_output=True).stdout


def section_portable(folder, runs, stdin_runs, count):
    """Start-up and --stdin of the portable programs against the dynamic ones."""
    if not (os.path.exists(PORTABLE_TOOL) and os.path.exists(PORTABLE_CHECK)):
        print("## Portable build: not measured, build-portable/ has not been built "
              "(sh scripts/portable.sh)\n")
        return
    mixed = os.path.join(folder, "mixed.xml")
    with open(mixed, "w") as out:
        out.write(MIXED_RULES)
    rows = [("empty configuration", write_config(folder, "empty", 0, 0, 0), SAMPLE),
            ("10 mixed rules, none changes the string", mixed, SAMPLE),
            ("10 mixed rules, the last one changes it", mixed, LAST_RULE_PATH)]
    for tool in (TOOLS[5], PORTABLE_TOOL):
        if output([tool, "-config", mixed, SAMPLE]) != SAMPLE.encode() + b"\n" \
                or output([tool, "-config", mixed, LAST_RULE_PATH]) \
                != LAST_RULE_RESULT.encode() + b"\n":
            sys.exit("%s does not give the expected results on the 10 mixed rules" % tool)
    program = measure.print_argument_program(folder)
    commands = [[program, SAMPLE], [FLOORS[5], SAMPLE]]
    for _, config, text in rows:
        commands += [[TOOLS[5], "-config", config, text], [PORTABLE_TOOL, "-config", config, text]]
    times = interleaved(commands, runs)
    counts = [instructions(command) for command in commands]
    peaks = [peak_kib(command) for command in commands]

    print("## Start-up of the portable build (static Qt) beside the Qt 5 build "
          "(%d runs each, interleaved)\n" % runs)
    print("Wall times are median (min-max) in ms; \"/ floor\" divides by the floor program on the "
          "shared Qt 5; \"wall / Qt 5 build\" divides the portable tool by the Qt 5 build on the "
          "same rules and string.\n")
    print("| program | wall ms | instructions | instructions / floor | wall / Qt 5 build "
          "| peak KiB |")
    print("|---|---|---|---|---|---|")
    names = ["C program printing its argument (the cost of starting any process)",
             "floor (shared Qt 5)"]
    for name, _, _ in rows:
        names += ["Qt 5 build, " + name, "portable build, " + name]
    for i, name in enumerate(names):
        median, low, high = times[i]
        against = "**%.3f**" % (median / times[i - 1][0]) if i >= 2 and i % 2 else ""
        print("| %s | %.2f (%.2f-%.2f) | %d | **%.3f** | %s | %d |"
              % (name, median, low, high, counts[i], counts[i] / counts[1], against, peaks[i]))
    print()

    paths = mixed_paths(random.Random(1), count)
    paths_file = os.path.join(folder, "portable-paths.txt")
    with open(paths_file, "w") as out:
        out.write("\n".join(paths) + "\n")
    streams = [[CHECK, "-config", mixed, "--stdin"], [PORTABLE_CHECK, "-config", mixed, "--stdin"]]
    results = []
    for stream in streams:
        with open(paths_file, "rb") as stdin:
            results.append(subprocess.run(stream, stdin=stdin, check=True,
                                          capture_output=True).stdout)
    if results[0] != results[1]:
        sys.exit("the portable and the Qt 5 --stdin disagree")
    stream_times = interleaved(streams, stdin_runs, [paths_file, paths_file])
    stream_peaks = [peak_kib(stream, paths_file) for stream in streams]
    print("## `--stdin` of the portable companion: %d paths, the 10 mixed rules "
          "(median (min-max) of %d runs, interleaved)\n" % (count, stdin_runs))
    print("| program | --stdin ms | µs a path | peak KiB |")
    print("|---|---|---|---|")
    for name, (median, low, high), peak in zip(["Qt 5 build", "portable build"], stream_times,
                                               stream_peaks):
        print("| %s | %.1f (%.1f-%.1f) | %.3f | %d |"
              % (name, median, low, high, median * 1000 / count, peak))
    print()

    print("## Targets of the portable build, from the tables above\n")
    print("| target | measured | at most | met |")
    print("|---|---|---|---|")
    targets = [("start-up instructions, %s / floor" % names[5].split(", ", 1)[1],
                counts[5] / counts[1], INSTRUCTIONS_TARGET)]
    for i in (3, 5, 7):
        targets.append(("wall time a call, %s / Qt 5 build" % names[i].split(", ", 1)[1],
                        times[i][0] / times[i - 1][0], WALL_TARGET))
    targets.append(("--stdin on %d paths, portable / Qt 5 build" % count,
                    stream_times[1][0] / stream_times[0][0], STDIN_TARGET))
    for name, ratio, limit in targets:
        print("| %s | **%.3f** | %.2f | %s |" % (name, ratio, limit,
                                                 "yes" if ratio <= limit else "**no**"))
    print()

    print("## Size of the programs\n")
    print("As built (not stripped) and as the portable archive holds them (stripped, "
          "`build-portable/stage/`, made by scripts/portable.sh).\n")
    print("| program | Qt 5 build KiB | portable build KiB | portable, stripped KiB |")
    print("|---|---|---|---|")
    for name, dynamic, static in (("kevrareplace", TOOLS[5], PORTABLE_TOOL),
                                  ("kevrareplace-check", CHECK, PORTABLE_CHECK)):
        stripped = glob.glob(os.path.join(measure.ROOT, "build-portable", "stage", "*", "bin",
                                          name))
        print("| %s | %d | %d | %s |" % (name, os.path.getsize(dynamic) // 1024,
                                          os.path.getsize(static) // 1024,
                                          os.path.getsize(stripped[0]) // 1024 if stripped
                                          else "not staged"))
    print()
