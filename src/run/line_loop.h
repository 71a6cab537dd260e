// The run's one loop: lines from the pipeline, the hand-over check, the tracker, and each finished game's outputs.
#pragma once

#include "game/tracker.h"
#include "read/line_reader.h"
#include "read/log_kind.h"
#include "run/game.h"
#include "run/state.h"

enum class LoopEnd {
  kEndOfLog,  // the log was read (or a server log met without a pre-parser ended it)
  kFailed,    // an output could not be written, a compressed log could not be read to its end or
              // the pre-parser failed (the error is printed): the run ends, status 1
};

// Reads the run's log (`run.fp`) to its end, each line prepared once (ahead, on a thread of its
// own, with `readAhead`), and feeds the lines to `tracker`; writes the outputs of every game it
// finishes through `outputs`. With `handOver`, the first line that shows a server log or a clocked client log
// hands the log to the pre-parser and the loop reads on from the converted log; without it
// (the fuzz target), such a line ends the log.
LoopEnd readLog(RunState& run, bool readAhead, bool handOver, Tracker& tracker, GameOutputs& outputs);

// The log kind the line shows while the log may still be handed over (kClientConsole: read on).
LogKind logKindToHandOver(const LineRecord& line, const LogFacts& log, long* linesChecked);
