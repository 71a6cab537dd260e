// The per-line pipeline: each line prepared and scanned once, then offered to the recognisers it concerns.
#pragma once

#include <cstddef>

#include "read/line_record.h"
#include "read/log_kind.h"
#include "run/main_loop.h"

// Runs the line that the reader left in line.rawBuffer (`readLength` bytes as read) through
// every step of the pipeline, in the fixed order that lets a game-ending line be counted in
// the game it ends.
enum class LineOutcome {
  kGoOn,
  kStopReading,  // a server log met without a pre-parser: the run ends as at the end of the log
  kFail,         // a page could not be created (the error is printed): the run ends, status 1
};
LineOutcome processLine(LineRecord& line, std::size_t readLength);

// processLine in its three parts, for a loop that prepares lines ahead (LinePipeline): the
// log kind the line shows while the log may still be handed over (kClientConsole: read on);
// the hand-over itself; and every step after it, for a line already prepared.
LogKind logKindToHandOver(const LineRecord& line);
HandOver handOver(LogKind kind);
LineOutcome processPreparedLine(LineRecord& line);
