#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
"""Prints the notices of the code compiled into Qt Core from elsewhere, from the
qt_attribution.json files of a Qt source tree: every entry of the core library's own folders,
of the bundled folders its project files compile in, and of those whose use names Qt Core.
zlib is left out: the static builds link the system's, whose notice the caller adds.

Usage: qt-notices.py QT_SOURCE_DIR"""

import glob
import json
import os
import re
import sys


def entries(path):
    with open(path, encoding="utf-8") as file:
        data = json.load(file, strict=False)
    return data if isinstance(data, list) else [data]


def main():
    source = sys.argv[1]
    corelib = os.path.join(source, "src", "corelib")
    thirdparty = os.path.join(source, "src", "3rdparty")
    compiled = set()
    for project in glob.glob(os.path.join(corelib, "**", "*.pr[io]"), recursive=True):
        with open(project, encoding="utf-8", errors="replace") as file:
            compiled.update(re.findall(r"3rdparty/([A-Za-z0-9_.-]+?)(?:\.pri|/|\s|$)", file.read()))
    chosen = []
    for path in sorted(glob.glob(os.path.join(source, "src", "**", "qt_attribution.json"),
                                 recursive=True)):
        folder = os.path.dirname(path)
        relative = os.path.relpath(folder, source)
        in_corelib = folder.startswith(corelib + os.sep)
        bundled = folder.startswith(thirdparty + os.sep)
        name = os.path.relpath(folder, thirdparty).split(os.sep)[0] if bundled else ""
        if name == "zlib" or not (in_corelib or bundled):
            continue
        for entry in entries(path):
            usage = entry.get("QtUsage", "")
            if in_corelib or name in compiled or re.search(r"Qt ?Core", usage):
                chosen.append((relative, folder, entry))
    print("Qt Core compiles in the code below, each under its own licence. This list is made from")
    print("the qt_attribution.json files of the Qt source that was built (%d entries)." % len(chosen))
    for relative, folder, entry in chosen:
        print("\n" + "-" * 78)
        print("%s%s (%s)" % (entry.get("Name", entry.get("Id", "")),
                             " " + entry["Version"] if entry.get("Version") else "", relative))
        for key in ("Description", "QtUsage", "Homepage"):
            if entry.get(key):
                print("%s: %s" % (key, " ".join(entry[key].split())))
        print("Licence: %s (%s)" % (entry.get("License", ""), entry.get("LicenseId", "")))
        if entry.get("Copyright"):
            print("\n" + entry["Copyright"].strip())
        licence = entry.get("LicenseFile")
        if licence and os.path.isfile(os.path.join(folder, licence)):
            print("\n" + licence + ":\n")
            with open(os.path.join(folder, licence), encoding="utf-8", errors="replace") as file:
                print(file.read().rstrip())


if __name__ == "__main__":
    main()
