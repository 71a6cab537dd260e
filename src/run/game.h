// The outputs of a finished game: its pages (and record), with the console lines around them.
#pragma once

#include "game/game_result.h"
#include "run/state.h"

// Writes the game's pages (and its record when records are on) and closes its console
// listing. False when a page could not be created (the error is printed): the run must stop
// with status 1.
bool writeGame(const GameResult& game);
