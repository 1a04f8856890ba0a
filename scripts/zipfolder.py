#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
"""Packs the folder NAME in PARENT into the zip ARCHIVE the same way every time, so that the
same files give the same bytes: the folders and files in the byte order of their names, each
with the time SOURCE_DATE_EPOCH (UTC) and the attributes of a folder or a file alone, without
the extra fields of owners and other times, compressed by deflate at level 9.

Usage: SOURCE_DATE_EPOCH=SECONDS zipfolder.py PARENT NAME ARCHIVE"""

import os
import sys
import time
import zipfile

# MS-DOS attributes: what Windows reads from a zip made on it.
DIRECTORY = 0x10
FILE = 0x20


def members(parent, name):
    """The relative paths of NAME's folders (ending with '/') and files, sorted."""
    found = []
    for folder, folders, files in os.walk(os.path.join(parent, name)):
        relative = os.path.relpath(folder, parent).replace(os.sep, "/")
        found.append(relative + "/")
        found.extend(relative + "/" + file for file in files)
    return sorted(found, key=lambda path: path.encode("utf-8"))


def main():
    if len(sys.argv) != 4 or "SOURCE_DATE_EPOCH" not in os.environ:
        sys.exit(__doc__)
    parent, name, archive = sys.argv[1:]
    # A zip holds no time before 1980.
    stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
    with zipfile.ZipFile(archive, "w") as output:
        for path in members(parent, name):
            member = zipfile.ZipInfo(path, stamp)
            member.create_system = 0
            if path.endswith("/"):
                member.external_attr = DIRECTORY
                output.writestr(member, b"")
                continue
            member.external_attr = FILE
            member.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(parent, path), "rb") as file:
                output.writestr(member, file.read(), compresslevel=9)


if __name__ == "__main__":
    main()
