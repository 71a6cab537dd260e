// The file names of one game's pages: a stem from the run's time, the game id and the game label.
#pragma once

#include <string_view>

#include "base/fixed_string.h"

struct GameResult;

// File names (no directory) of a game's two pages, which live below html/ and link to each
// other by these bare names.
struct PageNames {
  Text510 main;
  Text510 weapon;
};

// The names of `game`'s pages: the stem "kalimostats_" + run stamp + "_" + game id + "_" +
// label + "_", filtered for a file name, then "main." or "wpn." and `extension`. A very long
// game label is cut so that the main page's name stays within 509 bytes and the file
// system's 255.
PageNames pageNames(const GameResult& game, std::string_view extension);
