// The program's run: command line, start-up, the per-line pipeline and the run summary.
#pragma once

#include <cstdio>

#include "base/fixed_string.h"
#include "game/server_scores.h"
#include "game/source_offsets.h"
#include "read/line_reader.h"
#include "read/log_kind.h"
#include "run/state.h"


// The whole program; returns the exit status (0 after a complete run, 1 after an error).
int kalimostatsMain(int argc, char** argv);

// How the line loop goes on after a hand-over to the pre-parser.
enum class HandOver {
  kReadOn,    // the line goes on through the pipeline; the next line comes from the converted log
  kSkipLine,  // the converted log holds this line again: read on from there without it
  kStop,      // no pre-parser could be run: the run ends as at the end of the log
  kFailed,    // the pre-parser failed (the error is printed): the run ends, status 1
};

// Called at the first line that shows a server log (a " InitGame: " line, or one starting with
// "InitGame: ") or, among the first lines, a clocked client log: runs the pre-parser on the log
// and switches `run.fp` to the result (marking a server log as such). `scores` gets the server's
// final scores the pre-parser kept beside a server log's result, if any, `offsets` its side
// file of where each converted line came from in the log.
HandOver handOverToPreparser(RunState& run, LogKind kind, ServerScores& scores, SourceOffsets& offsets);

// Removes "tmp-c", "temp-c", "kalimo-c.log" and its side files, ignoring failures.
void cleanUpTempFiles();
