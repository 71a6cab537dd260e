// The per-line pipeline: each line prepared and scanned once, then offered to the recognisers it concerns.
#pragma once

#include <cstddef>

#include "log/line_record.h"

// Runs the line that the reader left in line.rawBuffer (`readLength` bytes as read) through
// every step of the pipeline, in the fixed order that lets a game-ending line be counted in
// the game it ends.
enum class LineOutcome {
  kGoOn,
  kStopReading,  // a server log met without a pre-parser: the run ends as at the end of the log
  kFail,         // a page could not be created (the error is printed): the run ends, status 1
};
LineOutcome processLine(LineRecord& line, std::size_t readLength);

// The preparation of a line as read: its visible text ends at the first NUL; a line end
// among the last five bytes is cut; unwanted bytes become '_'. Returns the new length.
std::size_t prepareLine(char* buf, std::size_t readLength);
