#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The kevrareplace developers
# SPDX-License-Identifier: MIT
"""A host in Python that calls the library through its C interface with ctypes, as the README
shows: LIBRARY RULES, where RULES is the example rule file. Exits non-zero on a wrong answer."""

import ctypes
import sys

library = ctypes.CDLL(sys.argv[1])
rules_file = sys.argv[2].encode()

library.kevrareplace_open_files.restype = ctypes.c_void_p
library.kevrareplace_open_files.argtypes = [
    ctypes.POINTER(ctypes.c_char_p), ctypes.c_size_t,
    ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_int)]
library.kevrareplace_open_data.restype = ctypes.c_void_p
library.kevrareplace_open_data.argtypes = [
    ctypes.c_char_p, ctypes.c_size_t, ctypes.c_char_p,
    ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_int)]
library.kevrareplace_rewrite.restype = ctypes.c_int
library.kevrareplace_rewrite.argtypes = [
    ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t,
    ctypes.POINTER(ctypes.c_void_p), ctypes.POINTER(ctypes.c_size_t)]
library.kevrareplace_rule_location.argtypes = [
    ctypes.c_void_p, ctypes.c_int, ctypes.POINTER(ctypes.c_void_p),
    ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
library.kevrareplace_close.argtypes = [ctypes.c_void_p]
library.kevrareplace_free.argtypes = [ctypes.c_void_p]


def taken(pointer, size=None):
    """The bytes the library handed out, which are then let go."""
    data = ctypes.string_at(pointer, size) if size is not None else ctypes.string_at(pointer)
    library.kevrareplace_free(pointer)
    return data


def open_files(*paths):
    names = (ctypes.c_char_p * len(paths))(*paths)
    message, code = ctypes.c_void_p(), ctypes.c_int()
    rules = library.kevrareplace_open_files(names, len(paths), message, code)
    return rules, code.value, taken(message) if message.value else None


def rewrite(rules, data):
    output, size = ctypes.c_void_p(), ctypes.c_size_t()
    rule = library.kevrareplace_rewrite(rules, data, len(data), output, size)
    return taken(output, size.value), rule


def location(rules, rule):
    file, line, column = ctypes.c_void_p(), ctypes.c_int(), ctypes.c_int()
    assert library.kevrareplace_rule_location(rules, rule, file, line, column) == 0
    return b"%s:%d:%d" % (taken(file), line.value, column.value)


def expect(got, wanted, what):
    if got != wanted:
        sys.exit("%s: got %r, expected %r" % (what, got, wanted))


rules, code, message = open_files(rules_file)
expect((code, message), (0, None), "open the example")
# The rows of the tool's run on the example, and NUL and other bytes that are not UTF-8.
for path, result in [
        (b"/mnt/old-share/doc/a.txt", b"/srv/share/doc/a.txt"),
        (b"/home/ann/workspace/app/src/main.cpp", b"/work/app/src/main.cpp"),
        (b"C:/Projects/app/main.cpp", b"/mnt/C/Projects/app/main.cpp"),
        (b"/usr/include/stdio.h", b"/usr/include/stdio.h"),
        (b"/mnt/old-share/\0\xff", b"/srv/share/\0\xff")]:
    expect(rewrite(rules, path)[0], result, path)
decided = rewrite(rules, b"/mnt/old-share/x")[1]
expect(location(rules, decided).startswith(rules_file + b":"), True, "location")
library.kevrareplace_close(rules)

expect(open_files(b"missing.xml"), (None, 22, b"Unable to open config file: missing.xml"),
       "missing file")
expect(open_files(), (None, 10, b"config option not set: "), "no file")

xml = b'<replacement><file path="a" replacepath="b"/></replacement>'
message, code = ctypes.c_void_p(), ctypes.c_int()
rules = library.kevrareplace_open_data(xml, len(xml), b"inline.xml", message, code)
expect(rewrite(rules, b"xa"), (b"xb", 0), "rules from bytes")
expect(location(rules, 0), b"inline.xml:1:14", "location in bytes")
library.kevrareplace_close(rules)
print("ok: the Python host")
