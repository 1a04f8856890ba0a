/* SPDX-FileCopyrightText: 2026 The kevrareplace developers */
/* SPDX-License-Identifier: MIT */

#ifndef KEVRAREPLACE_H
#define KEVRAREPLACE_H

#include <kevrareplace/kevrareplace_export.h>

#include <stddef.h>

/*
 * The rules of kevrareplace for programs in any language that can call C: read the rule files
 * once, then rewrite each string in the program's own process, with exactly the bytes that
 * kevrareplace would print for it (without the newline). Strings are bytes with an explicit
 * length; NUL bytes are characters like any other, and bytes that are not UTF-8 come back as
 * they were given. Every function may be called on one rule set from several threads at once,
 * except kevrareplace_close.
 *
 * Memory that a function hands out is the caller's, to be let go with kevrareplace_free.
 */

#ifdef __cplusplus
extern "C" {
#endif

/* A rule set, read once. */
typedef struct kevrareplace_rules kevrareplace_rules;

/*
 * Reads the rule files paths[0] to paths[count - 1] (NUL-terminated names, as bytes), joined
 * into one document in that order as kevrareplace joins its -config files. Returns the rules,
 * with *exit_code 0 and *message NULL. Where the tool would refuse them, returns NULL with the
 * tool's exit code in *exit_code (10 without a file, 22 for a file that cannot be opened) and
 * its message in *message (NUL-terminated, without the newline); -1 and a message when memory
 * ran out. message may be NULL, and so may exit_code.
 */
KEVRAREPLACE_EXPORT kevrareplace_rules *kevrareplace_open_files(
    const char *const *paths, size_t count, char **message, int *exit_code);

/*
 * Reads the rules from the size bytes at data, the content of a rule file that locations
 * call name (NUL-terminated; NULL for none). The tool refuses no content: NULL only when memory
 * ran out or size is beyond 2^31 - 1, with message and exit_code as kevrareplace_open_files
 * sets them.
 */
KEVRAREPLACE_EXPORT kevrareplace_rules *kevrareplace_open_data(
    const char *data, size_t size, const char *name, char **message, int *exit_code);

/* The number of rules, in the order they are tried. */
KEVRAREPLACE_EXPORT int kevrareplace_rule_count(const kevrareplace_rules *rules);

/*
 * Where rule number rule (from 0) was read, as kevrareplace-check --stdin -v gives it: the
 * file's name in *file (NUL-terminated), its line and column from 1. Returns 0; -1 for a
 * number that is no rule's, or when memory ran out (*file is then NULL).
 */
KEVRAREPLACE_EXPORT int kevrareplace_rule_location(
    const kevrareplace_rules *rules, int rule, char **file, int *line, int *column);

/*
 * Rewrites the size bytes at input: *output gets what kevrareplace prints for them (followed
 * by a NUL that *output_size does not count). Returns the number of the rule that changed
 * them, or -1 when none did (the output is then the input); -2, with *output NULL, when memory
 * ran out or size is beyond 2^31 - 1. The tool takes no empty string: it comes back empty.
 */
KEVRAREPLACE_EXPORT int kevrareplace_rewrite(const kevrareplace_rules *rules, const char *input,
    size_t size, char **output, size_t *output_size);

/* Lets go of the rules; NULL is allowed. */
KEVRAREPLACE_EXPORT void kevrareplace_close(kevrareplace_rules *rules);

/* Lets go of memory that a function of this library handed out; NULL is allowed. */
KEVRAREPLACE_EXPORT void kevrareplace_free(void *memory);

#ifdef __cplusplus
}
#endif

#endif /* KEVRAREPLACE_H */
