// The run's start time, chosen so that this run's page names cannot collide with an earlier run's.
#pragma once

#include <ctime>
#include <string>

// The time stamp that page names carry for a run started at `t` (local time),
// "YYYY_MM_DD_HH_MM_SS"; empty when the local time cannot be worked out.
std::string pageStampOf(std::time_t t);

// True when `htmlDir` holds a file whose name starts with "kalimostats_" + pageStampOf(t) + "_".
// A missing or unreadable directory holds none.
bool stampTaken(const char* htmlDir, std::time_t t);

// The current time, or, while `htmlDir` already holds a page with the current second's stamp,
// the first later second whose stamp is free: waits for it, so two runs started within one
// second (a script working through several logs) never overwrite each other's pages.
std::time_t freeRunStartTime(const char* htmlDir);
