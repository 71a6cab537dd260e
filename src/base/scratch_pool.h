// Accounting of the scratch-string pool: how many scratch strings are live between two releases.
#pragma once

// The pool holds at most this many live scratch strings between two releases.
constexpr int kPoolCapacity = 999;

// Largest number of scratch strings released by one freeMallocs() call in this run.
extern int g_max_mallocs;

// Registers `count` new scratch strings. Every one that finds the pool full prints
// "cant store anymore\n" and is never counted by a later release.
void storeMallocs(int count = 1);

// Releases every registered scratch string and raises g_max_mallocs to the number released
// when that is larger.
void freeMallocs();

// Number of scratch strings registered since the last release.
int liveMallocs();

// Empties the pool and zeroes g_max_mallocs (start of a run; tests).
void resetScratchPool();
