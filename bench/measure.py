# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
"""Measuring: the builds measured, and wall time, instructions and peak memory of a command."""

import os
import re
import statistics
import subprocess
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The build folder of each Qt major version: the presets bench and bench-qt6.
PRESETS = {5: "bench", 6: "bench-qt6"}
BUILDS = {qt: os.path.join(ROOT, "build-" + preset) for qt, preset in PRESETS.items()}
TOOLS = {qt: os.path.join(build, "difftools", "kevrareplace", "kevrareplace")
         for qt, build in BUILDS.items()}
FLOORS = {qt: os.path.join(build, "bench", "bench_floor") for qt, build in BUILDS.items()}
TOOL = TOOLS[5]
CHECK = os.path.join(BUILDS[5], "difftools", "kevrareplace", "check", "kevrareplace-check")
# The portable build (preset portable, scripts/portable.sh), measured beside the others when it
# has been built: its Qt is static.
PORTABLE_TOOL = os.path.join(ROOT, "build-portable", "difftools", "kevrareplace", "kevrareplace")
PORTABLE_CHECK = os.path.join(ROOT, "build-portable", "difftools", "kevrareplace", "check",
                              "kevrareplace-check")

# A dynamically linked C program that prints its argument: the cost of starting any process.
PRINT_ARGUMENT_C = """#include <stdio.h>

int main(int argc, char **argv)
{
    if (argc > 1)
        puts(argv[1]);
    return 0;
}
"""


def print_argument_program(folder):
    """Compiles the C program above into folder with cc -O2 and returns its path."""
    source = os.path.join(folder, "print_argument.c")
    with open(source, "w") as out:
        out.write(PRINT_ARGUMENT_C)
    program = os.path.join(folder, "print_argument")
    subprocess.run(["cc", "-O2", "-o", program, source], check=True)
    return program


def build(majors):
    """Configures and builds the bench presets of the given Qt major versions."""
    for qt in majors:
        subprocess.run(["cmake", "--preset", PRESETS[qt]], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", "--preset", PRESETS[qt], "--parallel",
                        str(os.cpu_count() or 2)], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)


def wall(command, runs):
    """Median, minimum and maximum wall time of a command, in milliseconds."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times), min(times), max(times)


def interleaved(commands, runs, inputs=None):
    """Wall times of several commands, run in turn so that drift hits all alike; inputs[i], when
    given, names the file that command i reads on standard input."""
    times = [[] for _ in commands]
    for _ in range(runs):
        for i, command in enumerate(commands):
            with open(inputs[i] if inputs and inputs[i] else os.devnull, "rb") as stdin:
                start = time.perf_counter()
                subprocess.run(command, check=True, stdin=stdin, stdout=subprocess.DEVNULL)
                times[i].append((time.perf_counter() - start) * 1000)
    return [(statistics.median(t), min(t), max(t)) for t in times]


def instructions(command):
    """Instructions executed, counted by callgrind (stable on a busy machine)."""
    result = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"]
                            + command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            text=True, check=True)
    return int(re.search(r"Collected : (\d+)", result.stderr).group(1))


def peak_kib(command, input_file=None):
    """Peak resident memory in KiB, as GNU time reports it."""
    with open(input_file or os.devnull, "rb") as stdin:
        result = subprocess.run(["/usr/bin/time", "-v"] + command, stdin=stdin,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                                check=True)
    return int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", result.stderr).group(1))



def per_process_ms(config, paths):
    """Wall time of one tool run per path, in ms a path."""
    start = time.perf_counter()
    for path in paths:
        subprocess.run([TOOL, "-config", config, path], check=True, stdout=subprocess.DEVNULL)
    return (time.perf_counter() - start) * 1000 / len(paths)
