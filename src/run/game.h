// The outputs of a finished game: its pages, SQL lines and record, with the console lines around them.
#pragma once

#include "game/game_result.h"
#include "run/state.h"

// Builds the outputs of `game` that the configuration asks for (the main page, the weapon
// page, the SQL lines, the game record), writes the SQL lines to the statement file, hands
// the files to the output queue when it runs (else writes them here), and closes the game's
// console listing. False when a file could not be written here (the error is printed): the
// run must stop with status 1.
bool writeGame(const GameResult& game);
