// The program's run: command line, start-up, the per-line pipeline and the run summary.
#pragma once

#include <cstdio>

#include "run/fixed_string.h"
#include "run/line_reader.h"
#include "run/state.h"


// The whole program; returns the exit status (0 after a complete run, 1 after an error).
int kalimostatsMain(int argc, char** argv);

// Called at the first " InitGame: " line of a client-form log: marks the log as a server
// log, runs the pre-parser on it and switches `fp` to the result. False when no pre-parser
// could be run (`fp` is then closed and the run reads no further).
bool handOverToPreparser();

// Removes "tmp-c", "temp-c" and "kalimo-c.log", ignoring failures.
void cleanUpTempFiles();
