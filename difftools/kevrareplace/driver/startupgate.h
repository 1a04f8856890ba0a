// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef STARTUPGATE_H
#define STARTUPGATE_H

/// True when the block file at \a path can be opened for reading. Only a regular file, or a
/// link to one, counts; the probe never waits inside its open (a FIFO does not hold it).
bool blockFileOpenable(const char *path);

/// Holds the process, without output, for as long as the block file at \a path can be opened.
/// There is no pause between attempts and no bound on the wait.
void waitAtStartupGate(const char *path);

/// Lets the main thread's stack grow to 10 MiB where the platform sets that at run time.
/// Never lowers a limit and never fails.
void reserveMainThreadStack();

#endif // STARTUPGATE_H
