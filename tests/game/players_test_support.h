// Shared set-up of the player tests: a fresh game with players registered in slot order, and printed output.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "game/player_table.h"
#include "run/game.h"
#include "base/scratch_pool.h"

namespace players_test {

// 35 characters; the game prints the first 29 in obituaries.
inline const std::string kWholeName = "Sir_Reginald_Fragsworth_Of_Quake3DM";
inline const std::string kCutName = "Sir_Reginald_Fragsworth_Of_Qu";

// A fresh free-for-all game, empty scratch pool, with `names` registered in slots 0, 1, ...
inline void freshGame(std::initializer_list<std::string_view> names = {}) {
  initPlayers();
  initGlobals();
  resetScratchPool();
  for (std::string_view name : names) addPlayer(name);
}

// Registers `count` players named P0, P1, ... in the next slots.
inline void addNumberedPlayers(int count) {
  for (int i = 0; i < count; ++i) addPlayer("P" + std::to_string(i));
}

// Runs `f` and returns what it printed.
template <typename F>
std::string printed(F f) {
  testing::internal::CaptureStdout();
  f();
  return testing::internal::GetCapturedStdout();
}

}  // namespace players_test
