// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Takes the input as one regular expression (UTF-8). When the tool's limits accept it, a child
// process builds it and applies it under a memory limit (fuzz_expression_child); the child
// dying by a signal, running out of memory or time, counts as a crash.

#include "replace/expressionlimits.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A child that dies before reading all of its input must not end the fuzzer by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    if (!expressionWithinLimits(QString::fromUtf8(bytes)))
        return 0;

    int input[2];
    if (::pipe(input) != 0)
        std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    char child[] = KEVRAREPLACE_EXPRESSION_CHILD;
    char *argv[] = { child, nullptr };
    pid_t pid = 0;
    if (posix_spawn(&pid, child, &actions, nullptr, argv, environ) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    for (const char *at = bytes.constData(), *end = at + bytes.size(); at < end;) {
        const ssize_t written = ::write(input[1], at, size_t(end - at));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            break; // the child is gone; its status tells why
        at += written;
    }
    ::close(input[1]);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            std::abort();
    }
    if (WIFSIGNALED(status)) {
        std::fprintf(stderr, "expression child died by signal %d\n", WTERMSIG(status));
        std::abort();
    }
    if (WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "expression child exited with %d\n", WEXITSTATUS(status));
        std::abort();
    }
    return 0;
}
