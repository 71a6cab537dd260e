// Reading a game's index row from its game record (<stem>game.json beside its main page).
#pragma once

#include <string>
#include <string_view>

#include "kx-index/index_row.h"

namespace kxindex {

// The game record's file name belonging to a main page's file name
// ("..._1001_FFA_PUB_main.html" gives "..._1001_FFA_PUB_game.json"); empty for another name.
std::string recordOf(const std::string& mainFileName);

// Whether a file name is that of a game record.
bool isRecordName(const std::string& fileName);

// Fills the figures of `row` from a record's text: date, type, map, team scores, players by
// team with their plain names and scores (in a team game, those of the two teams), and for
// free for all the winners. False, with the
// reason in `err` and `row` as it was, when the text is not JSON or lacks one of those keys
// or has it of another type. Keys it does not use are not looked at.
bool readGameRecord(std::string_view json, GameRow* row, std::string* err);

}  // namespace kxindex
