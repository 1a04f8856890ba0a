# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
"""Migrations made from rule files of the kinds people write (folder moves, an exception inside
a move, a deep tree, names in any case, a carried name): --suggest learns from a random half of
the pairs, and the other half tells how well its rules carry over."""

import os
import random
import subprocess
import sys

from measure import CHECK, interleaved
from workloads import WORDS, random_tail, write_xml

RE = ' regexp="1" cs="1" wildcard="0"'
RE_ANY = ' regexp="1" cs="0" wildcard="0"'


def any_case(rng, text):
    return "".join(c.upper() if rng.random() < 0.5 else c.lower() for c in text)


def kind_folders(rng):
    moved = {"projects": "/srv/projects", "home": "/home", "public": "/srv/public",
             "media": "/data/media", "backup": "/archive/backup"}
    rules = [("^/mnt/fs/%s(/|$)" % name, new + "\\1", RE) for name, new in moved.items()]
    names = list(moved) + ["scratch", "tmp"]

    def path():
        name = rng.choice(names)
        return "/mnt/fs/" + name + ("" if rng.random() < 0.02 else "/" + random_tail(rng, 30))
    return rules, path


def kind_exception(rng):
    rules = [("^/mnt/fs/projects/other(/|$)", "/archive/other\\1", RE),
             ("^/mnt/fs/projects(?!/keep(?:/|$))(/|$)", "/srv/projects\\1", RE)]
    projects = ["p%d" % i for i in range(200)] + ["keep"] * 20 + ["other"] * 20

    def path():
        return "/mnt/fs/projects/%s/%s" % (rng.choice(projects), random_tail(rng, 20))
    return rules, path


def kind_deep(rng):
    rules = [("^/mnt/scratch(/|$)", "/scratch\\1", RE)]

    def path():
        if rng.random() < 0.001:
            return "/mnt/usb%d/%s" % (rng.randrange(10), random_tail(rng, 20))
        return "/mnt/scratch/run%d/%s" % (rng.randrange(500), random_tail(rng, 40))
    return rules, path


def kind_any_case(rng):
    rules = [("^\\\\\\\\fileserver\\\\%s(\\\\|$)" % team, "\\\\nas01\\%s\\1" % team, RE_ANY)
             for team in ("team", "docs", "sales")]

    def path():
        team = rng.choice(["team", "docs", "sales", "keep"])
        return (any_case(rng, "\\\\fileserver\\" + team) + "\\"
                + random_tail(rng, 20).replace("/", "\\"))
    return rules, path


def kind_carried(rng):
    rules = [("^/home/([^/\\\\]+)/old(/|$)", "/users/\\1/new\\2", RE)]

    def path():
        folder = "old" if rng.random() < 0.8 else rng.choice(WORDS)
        return "/home/user%d/%s/%s" % (rng.randrange(2000), folder, random_tail(rng, 20))
    return rules, path


KINDS = [("folder moves (5 moved, 2 stay)", kind_folders),
         ("an exception inside a move (one stays, one moves elsewhere)", kind_exception),
         ("a deep tree (0.1 % unchanged beside it)", kind_deep),
         ("names in any case (3 shares, one stays)", kind_any_case),
         ("a carried name (2,000 users)", kind_carried)]


def mapped(config, strings):
    """The results of the strings by a rule file, as --stdin gives them."""
    run = subprocess.run([CHECK, "-config", config, "--stdin"], input="\n".join(strings) + "\n",
                         capture_output=True, text=True, check=True)
    return run.stdout.split("\n")[:len(strings)]


def suggest(folder, name, pairs):
    cases = os.path.join(folder, name + "-cases.txt")
    with open(cases, "w") as out:
        out.write("".join("%s\t%s\n" % pair for pair in pairs))
    suggested = os.path.join(folder, name + "-suggested.xml")
    with open(suggested, "w") as out:
        run = subprocess.run([CHECK, "--suggest", cases], stdout=out, stderr=subprocess.PIPE)
    if run.returncode != 0:
        sys.exit("--suggest failed: %r" % run.stderr[:200])
    rules = int(run.stderr.split(b" rule")[0].rsplit(b" ", 1)[1])
    return cases, suggested, rules


def section_suggest_kinds(folder, runs, count, per_kind):
    """Held-out share and rule counts for each kind, then --suggest on count cases of all five
    against --test of them on the rules it writes."""
    rng = random.Random(7)
    print("## Suggesting rules that carry over: %d strings of each kind, half learnt from, half "
          "held out\n" % per_kind)
    print("| kind | generating rules | suggested rules | held-out strings | mapped as generated "
          "| share |")
    print("|---|---|---|---|---|---|")
    makers = []
    for n, (title, kind) in enumerate(KINDS):
        rules, path = kind(rng)
        makers.append((rules, path))
        config = write_xml(os.path.join(folder, "kind%d.xml" % n), rules)
        strings = list(dict.fromkeys(path() for _ in range(per_kind)))
        pairs = list(zip(strings, mapped(config, strings)))
        rng.shuffle(pairs)
        seen, held = pairs[:len(pairs) // 2], pairs[len(pairs) // 2:]
        _, suggested, written = suggest(folder, "kind%d" % n, seen)
        got = mapped(suggested, [string for string, _ in held])
        right = sum(result == expected for (_, expected), result in zip(held, got))
        print("| %s | %d | %d | %d | %d | **%.1f %%** (at least 95) |"
              % (title, len(rules), written, len(held), right, 100.0 * right / len(held)))
    print()
    # All five kinds at once, their rule files one after another.
    config = write_xml(os.path.join(folder, "kinds.xml"), [r for rules, _ in makers for r in rules])
    strings = list(dict.fromkeys(makers[i % len(makers)][1]() for i in range(count)))
    cases, suggested, written = suggest(folder, "kinds", list(zip(strings,
                                                                  mapped(config, strings))))
    quiet = ["sh", "-c", '"$0" "$@" >/dev/null 2>&1', CHECK]
    (sm, _, _), (tm, _, _) = interleaved([quiet + ["--suggest", cases],
                                          quiet + ["-config", suggested, "--test", cases]], runs)
    print("| cases (all five kinds) | rules written | --test ms | --suggest ms | "
          "--suggest / --test |")
    print("|---|---|---|---|---|")
    print("| %d | %d | %.1f | %.1f | **%.2f** (at most 5) |"
          % (len(strings), written, tm, sm, sm / tm))
    print()
