// Shared set-up of the player tests: a fresh game with players registered in slot order, and printed output.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "base/scratch_pool.h"
#include "game/game.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "read/line_record.h"

namespace players_test {

// 35 characters; the game prints the first 29 in obituaries.
inline const std::string kWholeName = "Sir_Reginald_Fragsworth_Of_Quake3DM";
inline const std::string kCutName = "Sir_Reginald_Fragsworth_Of_Qu";

// The game the tests work on.
inline Game& testGame() {
  static Game* game = new Game();
  return *game;
}
inline PlayerTable& players() { return testGame().players; }

// A fresh free-for-all game, empty scratch pool, with `names` registered in slots 0, 1, ...
inline void freshGame(std::initializer_list<std::string_view> names = {}) {
  testGame().reset();
  testGame().log = LogFacts();
  resetScratchPool();
  for (std::string_view name : names) players().addPlayer(name);
}

// Registers `count` players named P0, P1, ... in the next slots.
inline void addNumberedPlayers(int count) {
  for (int i = 0; i < count; ++i) players().addPlayer("P" + std::to_string(i));
}

// The players the last line given to lineOf() names, resolved against the test game's table.
inline LinePlayers& lineSlots() {
  static LinePlayers* who = new LinePlayers();
  return *who;
}

// The record of `text` as the tracker hands a line to the recognisers: scanned and names cut;
// lineSlots() then holds the players it names.
inline LineRecord& lineOf(std::string_view text) {
  static LineRecord* line = new LineRecord();
  line->setText(text);
  lineSlots() = resolveSlots(players(), *line);
  return *line;
}

// Runs `f` and returns what it printed.
template <typename F>
std::string printed(F f) {
  testing::internal::CaptureStdout();
  f();
  return testing::internal::GetCapturedStdout();
}

}  // namespace players_test

using players_test::lineOf;
using players_test::lineSlots;
using players_test::players;
using players_test::testGame;
