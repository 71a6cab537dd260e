// The markup of the games index page: its head, one row per game, its end.
#pragma once

#include <string>

#include "kx-index/index_row.h"

namespace kxindex {

// "free for all", "team deathmatch", "capture the flag", "Clan Arena" from the label's prefix;
// "unknown" for any other.
std::string gameTypeOf(const std::string& label);

// The page up to the first game row, naming `stylesheet`.
void appendIndexHead(const std::string& stylesheet, std::string* out);

// The row of the `number`th game from the top (1 for the first); rows alternate in colour.
void appendIndexRow(const GameRow& row, int number, std::string* out);

// The rest of the page after the last row; `noGames` puts a row that says so first.
void appendIndexEnd(bool noGames, std::string* out);

}  // namespace kxindex
