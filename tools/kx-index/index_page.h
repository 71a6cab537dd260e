// The markup of the games index page: its head, one row per game, its end.
#pragma once

#include <string>

#include "kx-index/index_row.h"

namespace kxindex {

// The page up to the first game row, naming `stylesheet`. The date column is headed
// "PROCESSED" when `fromRecords` (some rows come from game records), else "DATE".
void appendIndexHead(const std::string& stylesheet, bool fromRecords, std::string* out);

// The row of the `number`th game from the top (1 for the first); rows alternate in colour.
void appendIndexRow(const GameRow& row, int number, std::string* out);

// The rest of the page after the last row; `noGames` puts a row that says so first.
void appendIndexEnd(bool noGames, std::string* out);

}  // namespace kxindex
