// The game record: one finished game as JSON, a sibling of the pages over the same result.
#pragma once

#include <string>
#include <string_view>

#include "game/game_result.h"

// The record's file name for the main page named `mainPage` (its stem, then "game.json").
std::string gameRecordName(std::string_view mainPage, std::string_view extension);

// Appends the record of `game` to `out`; `mainPage` and `weaponPage` are the file names of its
// pages below html/ (`weaponPage` empty without a weapon page). The format is documented in
// doc/game-record.md.
void writeGameRecord(const GameResult& game, std::string_view mainPage, std::string_view weaponPage,
                     std::string& out);
