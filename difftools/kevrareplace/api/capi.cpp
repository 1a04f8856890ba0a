// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "api/kevrareplace/kevrareplace.h"
#include "api/kevrareplace/ruleset.h"
#include "text/losslesscodec.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

struct kevrareplace_rules
{
    KevraReplace::RuleSet rules;
};

namespace {

// A copy of \a bytes with a NUL after them, from malloc, for kevrareplace_free; null when
// memory ran out.
char *handOut(const QByteArray &bytes)
{
    auto *copy = static_cast<char *>(std::malloc(size_t(bytes.size()) + 1));
    if (copy) {
        std::memcpy(copy, bytes.constData(), size_t(bytes.size()));
        copy[bytes.size()] = '\0';
    }
    return copy;
}

// The handle of \a rules, or null with the tool's message and exit code where it refuses them.
// Throws std::bad_alloc when memory runs out.
kevrareplace_rules *answer(const KevraReplace::RuleSet &rules, char **message, int *exitCode)
{
    kevrareplace_rules *handle = rules.isValid() ? new kevrareplace_rules { rules } : nullptr;
    if (message)
        *message = handle ? nullptr : handOut(encodeLossless(rules.errorString()));
    if (exitCode)
        *exitCode = rules.exitCode();
    return handle;
}

kevrareplace_rules *outOfMemory(char **message, int *exitCode)
{
    if (message)
        *message = handOut(QByteArrayLiteral("out of memory"));
    if (exitCode)
        *exitCode = -1;
    return nullptr;
}

} // namespace

kevrareplace_rules *kevrareplace_open_files(
    const char *const *paths, size_t count, char **message, int *exit_code)
{
    try {
        QStringList names;
        for (size_t i = 0; i < count; ++i)
            names.append(decodeLossless(paths[i], int(std::strlen(paths[i]))));
        return answer(KevraReplace::RuleSet::fromFiles(names), message, exit_code);
    } catch (const std::bad_alloc &) {
        return outOfMemory(message, exit_code);
    }
}

kevrareplace_rules *kevrareplace_open_data(
    const char *data, size_t size, const char *name, char **message, int *exit_code)
{
    if (size > size_t(INT_MAX))
        return outOfMemory(message, exit_code);
    try {
        const QString fileName = name ? decodeLossless(name, int(std::strlen(name))) : QString();
        const QByteArray bytes(data, int(size));
        return answer(KevraReplace::RuleSet::fromData(bytes, fileName), message, exit_code);
    } catch (const std::bad_alloc &) {
        return outOfMemory(message, exit_code);
    }
}

int kevrareplace_rule_count(const kevrareplace_rules *rules) { return rules->rules.ruleCount(); }

int kevrareplace_rule_location(
    const kevrareplace_rules *rules, int rule, char **file, int *line, int *column)
{
    *file = nullptr;
    if (rule < 0 || rule >= rules->rules.ruleCount())
        return -1;
    try {
        const KevraReplace::RuleLocation location = rules->rules.ruleLocation(rule);
        *file = handOut(encodeLossless(location.file));
        *line = location.line;
        *column = location.column;
        return *file ? 0 : -1;
    } catch (const std::bad_alloc &) {
        return -1;
    }
}

int kevrareplace_rewrite(const kevrareplace_rules *rules, const char *input, size_t size,
    char **output, size_t *output_size)
{
    *output = nullptr;
    *output_size = 0;
    if (size > size_t(INT_MAX))
        return -2;
    try {
        int rule = -1;
        // The input's own bytes, not copied: the rewrite only reads them.
        const QByteArray result =
            rules->rules.rewriteBytes(QByteArray::fromRawData(input, int(size)), &rule);
        *output = handOut(result);
        if (!*output)
            return -2;
        *output_size = size_t(result.size());
        return rule;
    } catch (const std::bad_alloc &) {
        return -2;
    }
}

void kevrareplace_close(kevrareplace_rules *rules) { delete rules; }

void kevrareplace_free(void *memory) { std::free(memory); }
