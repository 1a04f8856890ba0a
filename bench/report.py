# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
"""The report: each section runs its workloads through the measures and prints one Markdown
table; bench.py runs them in order."""

import os
import random
import subprocess
import sys

import measure
from measure import (BUILDS, CHECK, FLOORS, TOOLS, instructions, interleaved, peak_kib,
                     per_process_ms, wall)
from workloads import (MIXED_RULES, MIXED_SED, SAMPLE, VALID_MIXED_RULES, agent_paths,
                       check_same, migration_cases, mixed_paths, path_rules, write_config,
                       write_rules)


def section_floor(folder, runs):
    """Start-up of both builds side by side, each against the floor program of its Qt."""
    rows = [("empty configuration", write_config(folder, "empty", 0, 0, 0)),
            ("10 rules: 6 fixed, 2 wildcard, 2 regexp", write_config(folder, "ten", 6, 2, 2)),
            ("10 rules, all expressions: 5 wildcard, 5 regexp",
             write_config(folder, "ten-expr", 0, 5, 5))]
    commands = {qt: [[FLOORS[qt], SAMPLE]] + [[TOOLS[qt], "-config", config, SAMPLE]
                                               for _, config in rows] for qt in BUILDS}
    # All of them in one interleaved series, so that drift hits both builds alike.
    series = iter(interleaved(commands[5] + commands[6], runs))
    times = {qt: [next(series) for _ in commands[qt]] for qt in BUILDS}
    counts = {qt: [instructions(command) for command in commands[qt]] for qt in BUILDS}
    peaks = {qt: [peak_kib(command) for command in commands[qt]] for qt in BUILDS}
    print("## Start-up: no rule matches, against the floor, Qt 5 and Qt 6 "
          "(%d runs each, interleaved)\n" % runs)
    print("Wall times are median (min-max) in ms; each build is divided by the floor program "
          "of its own Qt.\n")
    columns = ["wall ms", "wall / floor", "instructions", "instructions / floor", "peak KiB"]
    print("| program | " + " | ".join("Qt %d %s" % (qt, column)
                                      for column in columns for qt in BUILDS)
          + " | instructions Qt 6 / Qt 5 |")
    print("|---" * (1 + 2 * len(columns) + 1) + "|")
    names = ["floor"] + ["kevrareplace, " + name for name, _ in rows]
    for i, name in enumerate(names):
        cells = []
        for qt in BUILDS:
            median, low, high = times[qt][i]
            cells.append("%.2f (%.2f-%.2f)" % (median, low, high))
        cells += ["**%.3f**" % (times[qt][i][0] / times[qt][0][0]) for qt in BUILDS]
        cells += ["%d" % counts[qt][i] for qt in BUILDS]
        cells += ["**%.3f**" % (counts[qt][i] / counts[qt][0]) for qt in BUILDS]
        cells += ["%d" % peaks[qt][i] for qt in BUILDS]
        cells.append("%.3f" % (counts[6][i] / counts[5][i]))
        print("| %s | %s |" % (name, " | ".join(cells)))
    print()
    return peaks[5][0]


def section_sed(folder, counts, runs, floor_kib):
    print("## Against sed: only the last rule matches (median of %d runs)\n" % runs)
    print("| rules | kind | config KiB | tool ms | sed ms | tool/sed | tool peak KiB "
          "| sed peak KiB | tool peak - floor KiB |")
    print("|---|---|---|---|---|---|---|---|---|")
    by_kind = {}
    for kind in ("fixed", "regexp"):
        for count in counts:
            config, script = write_rules(folder, "%s-%d" % (kind, count),
                                         path_rules(count, kind), kind)
            tool = [measure.TOOL, "-config", config, SAMPLE]
            size = os.path.getsize(config) / 1024
            n = max(3, runs // max(1, count // 1000))
            tp = peak_kib(tool)
            if count > 10000:
                # GNU sed holds about 47 KiB for each such command: 100,000 would take 4.5 GiB.
                tm = wall(tool, n)[0]
                by_kind.setdefault(kind, {})[count] = tm
                print("| %d | %s | %.0f | %.2f | not run | | %d | | %d |"
                      % (count, kind, size, tm, tp, tp - floor_kib))
                continue
            sed = ["sed", "-E", "-f", script]
            check_same(tool, sed, SAMPLE)
            sed_shell = ["sh", "-c", 'printf "%s\\n" "$0" | sed -E -f "$1"', SAMPLE, script]
            (tm, _, _), (sm, _, _) = interleaved([tool, sed_shell], n)
            sp = peak_kib(sed_shell)
            by_kind.setdefault(kind, {})[count] = tm
            print("| %d | %s | %.0f | %.2f | %.2f | **%.3f** | %d | %d | %d |"
                  % (count, kind, size, tm, sm, tm / sm, tp, sp, tp - floor_kib))
    print()
    for kind, times in by_kind.items():
        if 10000 in times and 100000 in times:
            print("%s: 100,000 rules take %.2f times as long as 10,000." %
                  (kind, times[100000] / times[10000]))
    print()


def section_length(folder, runs):
    print("## Scaling with input length: one rule, matching at the end (median of %d runs)\n"
          % runs)
    lengths = [100, 1024, 10 * 1024, 100 * 1024, 128 * 1024 - 1]
    rules = {"fixed": ("/end", "/END"), "wildcard": ("/e?d", "/END"), "regexp": ("/e.d$", "/END")}
    print("| bytes | " + " | ".join("%s ms" % k for k in rules) + " |")
    print("|---" * (len(rules) + 1) + "|")
    configs = {kind: write_rules(folder, "one-" + kind, [rules[kind]], kind)[0] for kind in rules}
    for length in lengths:
        text = "a" * (length - 4) + "/end"
        cells = []
        for kind, config in configs.items():
            cells.append("%.2f" % wall([measure.TOOL, "-config", config, text], runs)[0])
        print("| %d | %s |" % (length, " | ".join(cells)))
    print()


def section_check(folder, runs):
    """kevrareplace-check against the tool on the bad-input catalogue's 500,000-rule file."""
    config = os.path.join(folder, "large.xml")
    padding = "p" * 56
    with open(config, "w") as out:
        out.write('<?xml version="1.0"?>\n<replacement>\n')
        for i in range(499999):
            out.write('<file path="/%s%d/" replacepath="/x/" cs="1"/>\n' % (padding, i))
        out.write('<file path="/last/" replacepath="/found/" cs="1"/>\n</replacement>\n')
    tool = [measure.TOOL, "-config", config, "/last/a"]
    companion = [CHECK, "-config", config]
    subprocess.run(companion, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    (tool_ms, _, _), (check_ms, _, _) = interleaved([tool, companion], runs)
    tool_kib, check_kib = peak_kib(tool), peak_kib(companion)
    print("## Checking the 500,000-rule file (%d runs each, interleaved)\n" % runs)
    print("| program | wall median ms | ratio | peak KiB | ratio |")
    print("|---|---|---|---|---|")
    print("| kevrareplace | %.0f | **1.00** | %d | **1.00** |" % (tool_ms, tool_kib))
    print("| kevrareplace-check | %.0f | **%.2f** (at most 5) | %d | **%.2f** (at most 3) |"
          % (check_ms, check_ms / tool_ms, check_kib, check_kib / tool_kib))
    print()

# The 10-rule file of the stream benchmark, as users write them.
def section_stdin(folder, runs, count, sample):
    """kevrareplace-check --stdin against sed and against one tool run per path."""
    rng = random.Random(1)
    config = os.path.join(folder, "mixed.xml")
    with open(config, "w") as out:
        out.write(MIXED_RULES)
    script = os.path.join(folder, "mixed.sed")
    with open(script, "w") as out:
        out.write(MIXED_SED)
    # sed tries every rule on every path: with many rules it gets the first paths only (200
    # take it several seconds with 10,000 rules), and its time is taken per path.
    workloads = [("10 mixed", config, script, mixed_paths(rng, count), count)]
    for rules, kind in ((1000, "fixed"), (10000, "fixed"), (10000, "regexp")):
        config, script = write_rules(folder, "stdin-%s-%d" % (kind, rules),
                                     path_rules(rules, kind), kind)
        workloads.append(("%d %s" % (rules, kind), config, script, agent_paths(rng, count),
                          min(count, 2000000 // rules)))

    print("## Many strings in one process: %d paths of 20 to 120 characters "
          "(median of %d runs, interleaved)\n" % (count, runs))
    print("| rules | matched | --stdin ms | µs a path | µs a path beyond start-up "
          "| sed -E: paths | sed µs a path | --stdin / sed | one process a path, ms "
          "| per process / --stdin, a path | --stdin peak KiB | sed peak KiB | tool peak KiB |")
    print("|---|---|---|---|---|---|---|---|---|---|---|---|---|")
    paths_file = os.path.join(folder, "paths.txt")
    sed_file = os.path.join(folder, "sed-paths.txt")
    for name, config, script, paths, sed_count in workloads:
        for file_name, some in ((paths_file, paths), (sed_file, paths[:sed_count])):
            with open(file_name, "w") as out:
                out.write("\n".join(some) + "\n")
        stream = [CHECK, "-config", config, "--stdin"]
        sed = ["sed", "-E", "-f", script]
        outputs = []
        for command in (stream, sed):
            with open(sed_file, "rb") as stdin:
                outputs.append(subprocess.run(command, stdin=stdin, check=True,
                                              capture_output=True).stdout)
        if outputs[0] != outputs[1]:
            sys.exit("--stdin and sed disagree on %s" % name)
        with open(paths_file, "rb") as stdin:
            results = subprocess.run(stream, stdin=stdin, check=True,
                                     capture_output=True).stdout.decode().split("\n")
        matched = sum(1 for path, result in zip(paths, results) if path != result)
        (sm, _, _), (em, _, _), (zm, _, _) = interleaved([stream, sed, stream], runs,
                                                          [paths_file, sed_file, None])
        step = max(1, len(paths) // sample)
        per_process = per_process_ms(config, paths[::step][:sample])
        per_path_us = sm * 1000 / len(paths)
        sed_us = em * 1000 / sed_count
        print("| %s | %d %% | %.1f | %.3f | %.3f | %d | %.2f | **%.3g** | %.2f | **%.0f** | %d "
              "| %d | %d |" % (name, round(100 * matched / len(paths)), sm, per_path_us,
                               (sm - zm) * 1000 / len(paths), sed_count, sed_us,
                               per_path_us / sed_us, per_process,
                               per_process * 1000 / per_path_us, peak_kib(stream, paths_file),
                               peak_kib(sed, sed_file),
                               peak_kib([measure.TOOL, "-config", config, paths[0]])))
    print()

    config = workloads[0][1]
    stream = [CHECK, "-config", config, "--stdin"]
    tool = [measure.TOOL, "-config", config, SAMPLE]
    (sm, _, _), (tm, _, _) = interleaved([stream, tool], runs * 20)
    si, ti = instructions(stream), instructions(tool)
    print("Start-up with the 10 mixed rules (no input for --stdin, one path for the tool): "
          "--stdin %.2f ms and %d instructions, the tool %.2f ms and %d instructions: "
          "**%.3f** x the tool's wall time, **%.3f** x its instructions.\n"
          % (sm, si, tm, ti, sm / tm, si / ti))


def section_compare(folder, runs, count):
    """kevrareplace-check --compare of two rule files against one --stdin run, on the same paths."""
    rng = random.Random(1)
    lines = VALID_MIXED_RULES.splitlines(True)
    old = os.path.join(folder, "compare-old.xml")
    with open(old, "w") as out:
        out.write("".join(lines))
    # An edit as reviews see them: a rule moved before another, a replacement changed, and a
    # rule removed.
    rules = lines[2:-1]
    rules[0], rules[4] = rules[4], rules[0]
    rules[2] = rules[2].replace("/work/", "/src/")
    del rules[6]
    new = os.path.join(folder, "compare-new.xml")
    with open(new, "w") as out:
        out.write("".join(lines[:2] + rules + lines[-1:]))
    paths_file = os.path.join(folder, "compare-paths.txt")
    with open(paths_file, "w") as out:
        out.write("\n".join(mixed_paths(rng, count)) + "\n")
    stream = [CHECK, "-config", old, "--stdin"]
    compare = [CHECK, "--compare", old, new]
    with open(paths_file, "rb") as stdin:
        result = subprocess.run(compare, stdin=stdin, capture_output=True)
    if result.returncode != 1:
        sys.exit("--compare found no difference: %r" % result.stderr)
    differing = result.stdout.count(b"\n")
    compare_shell = ["sh", "-c", '"$0" "$@" 2>/dev/null; [ $? -le 1 ]'] + compare
    (sm, _, _), (cm, _, _) = interleaved([stream, compare_shell], runs, [paths_file, paths_file])
    print("## Comparing two rule files: %d paths, the mixed rules (9 valid) against an edit of "
          "them (median of %d runs, interleaved)\n" % (count, runs))
    print("| program | wall median ms | ratio | paths that differ | peak KiB |")
    print("|---|---|---|---|---|")
    print("| kevrareplace-check --stdin (old rules) | %.1f | **1.00** | | %d |"
          % (sm, peak_kib(stream, paths_file)))
    print("| kevrareplace-check --compare OLD NEW | %.1f | **%.2f** (at most 2.5) | %d | %d |"
          % (cm, cm / sm, differing, peak_kib(compare_shell, paths_file)))


def section_cases(folder, runs, count):
    """kevrareplace-check --test against --stdin on the same strings."""
    rng = random.Random(2)
    mixed = os.path.join(folder, "cases-mixed.xml")
    with open(mixed, "w") as out:
        out.write(VALID_MIXED_RULES)
    fixed, _ = write_rules(folder, "cases-fixed-10000", path_rules(10000, "fixed"), "fixed")
    print("## Cases: `--test` with %d cases against `--stdin` on their strings "
          "(median of %d runs, interleaved)\n" % (count, runs))
    print("| rules | --stdin ms | µs a string | --test ms | µs a case | --test / --stdin |")
    print("|---|---|---|---|---|---|")
    for name, config, paths in (("9 mixed", mixed, mixed_paths(rng, count)),
                                ("10000 fixed", fixed, agent_paths(rng, count))):
        paths_file = os.path.join(folder, "case-paths.txt")
        with open(paths_file, "w") as out:
            out.write("\n".join(paths) + "\n")
        # The summary on standard error would come with every run.
        quiet = ["sh", "-c", '"$0" "$@" 2>/dev/null', CHECK, "-config", config]
        stream = quiet + ["--stdin"]
        with open(paths_file, "rb") as stdin:
            results = subprocess.run(stream, stdin=stdin, check=True,
                                     capture_output=True).stdout.split(b"\n")
        cases_file = os.path.join(folder, "cases.txt")
        with open(cases_file, "wb") as out:
            for path, result in zip(paths, results):
                out.write(path.encode() + b"\t" + result + b"\n")
        test = quiet + ["--test", cases_file]
        run = subprocess.run([CHECK, "-config", config, "--test", cases_file],
                             capture_output=True)
        if run.returncode != 0 or not run.stderr.startswith(b"%d cases, %d passed" % (count, count)):
            sys.exit("--test does not pass the cases --stdin made: %r" % run.stderr[:200])
        (sm, _, _), (cm, _, _) = interleaved([stream, test], runs, [paths_file, None])
        print("| %s | %.1f | %.3f | %.1f | %.3f | **%.2f** (at most 2) |"
              % (name, sm, sm * 1000 / count, cm, cm * 1000 / count, cm / sm))
    print()


def section_suggest(folder, runs, count, moves):
    """kevrareplace-check --suggest on the cases of a migration against --test of the same
    cases on the rules it suggests."""
    cases = migration_cases(random.Random(3), moves, count)
    cases_file = os.path.join(folder, "suggest-cases.txt")
    with open(cases_file, "w") as out:
        out.write("".join("%s\t%s\n" % case for case in cases))
    suggested = os.path.join(folder, "suggested.xml")
    with open(suggested, "wb") as out:
        run = subprocess.run([CHECK, "--suggest", cases_file], stdout=out, stderr=subprocess.PIPE)
    if run.returncode != 0:
        sys.exit("--suggest failed: %r" % run.stderr[:200])
    rules = int(run.stderr.split(b" rules written")[0].rsplit(b" ", 1)[1])
    run = subprocess.run([CHECK, "-config", suggested, "--test", cases_file], capture_output=True)
    if run.returncode != 0 or not run.stderr.startswith(b"%d cases, %d passed" % (count, count)):
        sys.exit("--test does not pass the cases on the suggested rules: %r" % run.stderr[:200])
    quiet = ["sh", "-c", '"$0" "$@" >/dev/null 2>&1', CHECK]
    suggest = quiet + ["--suggest", cases_file]
    test = quiet + ["-config", suggested, "--test", cases_file]
    (sm, _, _), (tm, _, _) = interleaved([suggest, test], runs)
    print("## Suggesting rules: `--suggest` on %d cases of a %d-folder migration against "
          "`--test` of them on the rules it writes (median of %d runs, interleaved)\n"
          % (count, moves, runs))
    print("| rules written | --test ms | --suggest ms | --suggest / --test | --suggest peak KiB |")
    print("|---|---|---|---|---|")
    print("| %d | %.1f | %.1f | **%.2f** (at most 5) | %d |"
          % (rules, tm, sm, sm / tm, peak_kib(suggest)))
    print()
