// A run stopped by SIGINT or SIGTERM takes its temporary files with it; stale ones of dead runs go at start.
#pragma once

#include <sys/types.h>

// Call before any other thread is started. Blocks SIGINT and SIGTERM (each unless it was
// ignored when the program started, as for a job started in the background by a script) in
// this thread and in every thread started later, and starts a thread that waits for them. On
// one it stops the pre-parser the run waits for, removes the run's temporary page files in
// html/ and, after ownTempFiles(), tmp-c, temp-c and kalimo-c.log, and ends the process by
// that signal.
void watchInterrupts();

// The temporary files in the working directory are this run's from now on (it holds the
// directory's lock): an interrupted run removes them.
void ownTempFiles();

// fork() for the pre-parser: from the moment it exists until preparserEnded(), an interrupt
// kills it, so that it writes nothing after the run is gone. The child should call
// unblockInterruptsInChild() before it execs.
pid_t forkPreparser();
// Waits until the pre-parser has ended, then reaps it; `*status` is its wait status.
void preparserEnded(pid_t pid, int* status);

// In a child between fork and exec (async-signal-safe): the signals back as the program found
// them, so that the pre-parser can be interrupted.
void unblockInterruptsInChild();

// Removes from html/ the temporary page files (".kx-<pid>-<n>") of runs whose process no longer
// exists: a run killed outright (SIGKILL, a power cut) leaves them behind.
void removeStaleTemporaryPages();
