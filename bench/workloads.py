# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
"""Workloads: the rule files, sed scripts and strings the report measures the programs on."""

import os
import re
import subprocess
import sys

SAMPLE = "/srv/ci/agent-7/workspace/app/src/core/module.cpp"


def xml_attr(text):
    return text.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;")


def write_xml(config, rules):
    """A rule file of (pattern, replacement, attributes) rules, in order."""
    with open(config, "w") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n<replacement>\n')
        for pattern, substitute, attributes in rules:
            out.write('  <file path="%s" replacepath="%s"%s/>\n'
                      % (xml_attr(pattern), xml_attr(substitute), attributes))
        out.write("</replacement>\n")
    return config


def write_rules(folder, name, rules, kind):
    """A rule file and an equivalent sed script with first-match semantics."""
    flag = {"fixed": ' cs="1"', "regexp": ' cs="1" regexp="1"', "wildcard": ' cs="1" wildcard="1"'}
    config = write_xml(os.path.join(folder, name + ".xml"),
                       [(pattern, substitute, flag[kind]) for pattern, substitute in rules])
    script = os.path.join(folder, name + ".sed")
    with open(script, "w") as out:
        for pattern, substitute in rules:
            if kind == "fixed":
                pattern = re.sub(r"([][\\.*^$|+?(){}])", r"\\\1", pattern)
            out.write("s|%s|%s|g\nt\n" % (pattern, substitute))
    return config, script


def path_rules(count, kind):
    """count rules, each for another build agent; only the last one matches SAMPLE."""
    rules = []
    for i in range(count):
        agent = "agent-7" if i == count - 1 else "agent-%06d" % i
        if kind == "fixed":
            rules.append(("/srv/ci/%s/workspace/" % agent, "/work/"))
        else:
            rules.append((r"^/srv/ci/%s/workspace/([a-z]+)/" % agent, r"/work/\1/"))
    return rules


def check_same(tool_command, sed_command, text):
    got = subprocess.run(tool_command, check=True, capture_output=True).stdout
    want = subprocess.run(sed_command, input=text.encode() + b"\n", check=True,
                          capture_output=True).stdout
    if got != want:
        sys.exit("tool and sed disagree: %r %r" % (got, want))


def write_config(folder, name, fixed, wildcard, regexp):
    """A path-mapping rule file of the given mix, whose rules do not match SAMPLE."""
    rules = [("/mnt/share%d/" % i, "/srv/share/", ' cs="1"') for i in range(fixed)]
    rules += [("/home/*/project%d/" % i, "/work/", ' wildcard="1"') for i in range(wildcard)]
    rules += [("^/var/builds/%d[0-9]+/" % i, "/var/builds/latest/", ' regexp="1" cs="1"')
              for i in range(regexp)]
    return write_xml(os.path.join(folder, name + ".xml"), rules)


MIXED_RULES = r"""<?xml version="1.0" encoding="UTF-8"?>
<replacement>
  <file path="\\buildsrv\nightly\" replacepath="/mnt/nightly/" cs="0"/>
  <file path="C:/Users/*/AppData/" replacepath="/home/user/.local/" wildcard="1"/>
  <file path="^D:\\src\\(\w+)\\" replacepath="/work/\1/" regexp="1" cs="0"/>
  <file path="E:\archive\" replacepath="/archive/" cs="0"/>
  <file path="/opt/old/" replacepath="/opt/new/" cs="1"/>
  <file path="\\fileserver\(team|dept)\" replacepath="/shares/\1/" regexp="1"/>
  <file path="*.orig" replacepath=".bak" wildcard="1"/>
  <file path="/var/tmp/" replacepath="/tmp/" cs="1"/>
  <file path="srv/projects/" replacepath="home/projects/" cs="0"/>
  <file path="/data/(\d{4})/" replacepath="/archive/\1/" regexp="1"/>
</replacement>
"""

# The same without the invalid expression, for the modes that refuse a rule file with an error
# (--compare, --test): it never matches, so every result stays the same.
VALID_MIXED_RULES = "".join(line for line in MIXED_RULES.splitlines(True)
                            if "(team|dept)" not in line)

# The same in GNU sed -E, each substitution ending the script once it has applied. The sixth
# rule is an invalid expression (an unmatched parenthesis), which never matches: it has no line.
MIXED_SED = r"""s|\\\\buildsrv\\nightly\\|/mnt/nightly/|gI
t
s|C:/Users/.*/AppData/|/home/user/.local/|g
t
s|^D:\\src\\(\w+)\\|/work/\1/|gI
t
s|E:\\archive\\|/archive/|gI
t
s|/opt/old/|/opt/new/|g
t
s|.*\.orig|.bak|g
t
s|/var/tmp/|/tmp/|g
t
s|srv/projects/|home/projects/|gI
t
s|/data/([0-9]{4})/|/archive/\1/|g
t
"""

WORDS = ["src", "lib", "include", "core", "module", "build", "test", "docs", "assets", "net",
         "util", "ui", "render", "audio", "config", "tools", "vendor", "third_party", "main"]
NAMES = ["main.cpp", "util.h", "README.md", "CMakeLists.txt", "image.png", "data.json",
         "notes.txt", "module.py", "report.pdf"]


def random_tail(rng, length):
    """Folders and a file name, about length characters in all."""
    parts = []
    while sum(len(p) + 1 for p in parts) < length:
        parts.append(rng.choice(WORDS) + ("%d" % rng.randrange(100) if rng.random() < 0.3 else ""))
    return "/".join(parts) + "/" + rng.choice(NAMES)


def mixed_paths(rng, count):
    """Paths of 20 to 120 characters, about 30 % of them matched by one of the mixed rules."""
    def windows(tail):
        return tail.replace("/", "\\")
    matched = [lambda t: "\\\\BuildSrv\\Nightly\\" + windows(t),
               lambda t: "C:/Users/ann/AppData/" + t,
               lambda t: "d:\\src\\%s\\" % rng.choice(WORDS) + windows(t),
               lambda t: "E:\\Archive\\" + windows(t),
               lambda t: "/opt/old/" + t,
               lambda t: "/home/ann/" + t + ".orig",
               lambda t: "/var/tmp/" + t,
               lambda t: "/mnt/SRV/Projects/" + t,
               lambda t: "/data/%04d/" % rng.randrange(1990, 2030) + t]
    unmatched = ["/home/ann/workspace/", "/usr/share/", "/srv/www/", "/opt/tools/", "C:/Program/",
                 "/var/log/", "/data/old/", "/mnt/backup/"]
    paths = []
    for _ in range(count):
        length = rng.randrange(20, 121)
        if rng.random() < 0.3:
            path = rng.choice(matched)(random_tail(rng, max(1, length - 30)))
        else:
            path = rng.choice(unmatched) + random_tail(rng, max(1, length - 30))
        paths.append(path)
    return paths


def agent_paths(rng, count):
    """Paths of build agents: about 30 % of agent-7, which only the last rule matches."""
    paths = []
    for _ in range(count):
        agent = "agent-7" if rng.random() < 0.3 else "agent-%d" % rng.randrange(10, 99)
        paths.append("/srv/ci/%s/workspace/%s" % (agent, random_tail(rng, rng.randrange(5, 75))))
    return paths


def migration_cases(rng, moves, count):
    """A migration of moves folders (shares, Windows drives, some written in more than one
    case) as count cases: a path under a moved folder and where it goes, and about 10 % of
    paths outside them, which stay."""
    olds = []
    for i in range(moves):
        kind = i % 4
        if kind == 0:
            olds.append(("/mnt/share%d/%s" % (i, rng.choice(WORDS)), "/srv/data/%d" % i, "/"))
        elif kind == 1:
            olds.append(("\\\\Server%d\\Dept %d" % (i % 50, i), "\\\\nas\\dept-%d" % i, "\\"))
        elif kind == 2:
            olds.append(("C:\\Users\\user%d" % i, "D:\\Home\\user%d" % i, "\\"))
        else:
            olds.append(("/home/Team%d" % i, "/users/team%d" % i, "/"))
    cases = []
    for _ in range(count):
        if rng.random() < 0.1:
            path = "/opt/keep/" + random_tail(rng, rng.randrange(10, 60))
            cases.append((path, path))
            continue
        old, new, sep = rng.choice(olds)
        if old.startswith("/home/") and rng.random() < 0.5:
            old = old.lower()
        tail = sep + random_tail(rng, rng.randrange(10, 60)).replace("/", sep)
        cases.append((old + tail, new + tail))
    return cases
