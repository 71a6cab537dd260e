// Shared set-up of the OSP tests: a fresh game with two registered players, and a record's figures as one line.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "players/player_table.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace osp_test {

// The OSP figures of a record: gauntlet hits, hits/shots of every weapon that has any, then the sums.
inline std::string figures(const PlayerRecord& p) {
  std::string s = p.hits[0] ? "gauntlet " + std::to_string(p.hits[0]) + ", " : "";
  for (int w = 1; w <= 8; ++w) {
    if (p.hits[w] || p.shots[w]) {
      s += std::to_string(w) + ": " + std::to_string(p.hits[w]) + "/" + std::to_string(p.shots[w]) + ", ";
    }
  }
  return s + "total " + std::to_string(p.totalHits) + "/" + std::to_string(p.totalShots) + ", given " +
         std::to_string(p.damageGiven) + ", rcvd " + std::to_string(p.damageReceived);
}
inline const std::string kNoFigures = "total 0/0, given 0, rcvd 0";

// A fresh game with `first` in slot 0 and `second` in slot 1.
class TwoPlayers : public testing::Test {
 protected:
  TwoPlayers(const char* first, const char* second) : first_(first), second_(second) {}
  void SetUp() override {
    initPlayers();
    initGlobals();
    resetScratchPool();
    addPlayer(first_);
    addPlayer(second_);
  }
  PlayerRecord& ann = q3players[0];
  PlayerRecord& bob = q3players[1];
  PlayerRecord& sink = q3players[NO_PLAYER];

 private:
  const char* first_;
  const char* second_;
};

}  // namespace osp_test
