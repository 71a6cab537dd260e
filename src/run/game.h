// Decides where one game ends and the next begins, and runs the end-of-game pipeline.
#pragma once

#include <string_view>

#include "run/state.h"


// Last step of the per-line pipeline: ends the game on a boundary line, writes its page when
// it qualifies, then clears the player table and the per-game globals. False when a page
// could not be created (the error is printed): the run must stop with status 1.
struct LineRecord;
bool checkForNewGameStart(const LineRecord& line);
bool checkForNewGameStart(std::string_view line);  // for a line not scanned yet

