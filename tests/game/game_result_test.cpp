// The finished game's own answers: the team sums no banner shows (the banners are compared by the
// end-to-end cases, Clan Arena's in clan-arena-rounds) and which weapons were used.
#include "game/game_result.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "../out/html_test_support.h"

namespace {

using html_test::addPlayer;

TEST(TeamSums, SumsOfTheSidesThatNoBannerShows) {
  // Two red players (skill 12.5 + 8.25, combat 11 + 9.5), one without a team, one blue.
  GameResult game;
  PlayerRecord& a = addPlayer(game, "A", TEAM_RED);
  a.frags = 10, a.kills = 12, a.deaths = 4, a.skill = 12.5f, a.combat = 11.0f, a.suicides = 2;
  PlayerRecord& b = addPlayer(game, "B", TEAM_RED);
  b.frags = 5, b.kills = 6, b.deaths = 9, b.skill = 8.25f, b.combat = 9.5f;
  PlayerRecord& d = addPlayer(game, "D", TEAM_NONE);
  d.frags = 100, d.kills = 100, d.deaths = 3, d.skill = 1.0f, d.combat = 2.5f, d.caps = 9, d.suicides = 4;
  addPlayer(game, "C", TEAM_BLUE).skill = 10.0f;
  const std::pair<const char*, int> sums[] = {
      {"frags_noteam", 100}, {"kills_noteam", 100}, {"deaths_noteam", 3}, {"suicides_red", 2},
      // Unknown keys give 0: capture-the-flag and suicide keys have no "_noteam" form, and
      // each function knows only its own keys.
      {"caps_noteam", 0}, {"suicides_noteam", 0}, {"kill_red", 0}, {"", 0}, {"kalimo_red", 0}};
  for (const auto& [key, sum] : sums) EXPECT_EQ(sum, game.getStats(key)) << key;
  const std::pair<const char*, double> doubleSums[] = {
      {"kalimo", 31.75},  // 12.5 + 8.25 + 1 + 10: every player
      {"kalimo_noteam", 1.0}, {"combat_noteam", 2.5}, {"kalimo_green", 0.0}, {"frags_red", 0.0}};
  for (const auto& [key, sum] : doubleSums) EXPECT_DOUBLE_EQ(sum, game.getStatsDouble(key)) << key;
  // The floats are added up in double: 1000000 + 0.3f is 1000000.30000001..., where a float
  // sum would round to the nearest sixteenth, 1000000.3125, and print 1000000.31.
  GameResult big;
  addPlayer(big, "R1", TEAM_RED).skill = 1000000.0f;
  addPlayer(big, "R2", TEAM_RED).skill = 0.3f;
  EXPECT_DOUBLE_EQ(1000000.0 + static_cast<double>(0.3f), big.getStatsDouble("kalimo_red"));
}

TEST(WeaponsUsed, KillsCountForEveryWeaponShotsOnlyUpToThePlasmaGunHitsOnlyForTheGauntlet) {
  GameResult game;
  PlayerRecord& a = addPlayer(game, "A", TEAM_NONE);
  a.killTable[9][1] = 1;   // a nail gun kill of B
  a.killTable[5][2] = 3;   // the totals column (two players): not a kill of anyone
  a.shots[8] = 5;          // the BFG fired, killing nobody
  a.shots[4] = 3;
  PlayerRecord& b = addPlayer(game, "B", TEAM_NONE);
  b.hits[0] = 1;
  b.shots[7] = 2;
  b.hits[6] = 4;           // rail hits without shots or kills
  game.findWeaponsUsed();
  const bool used[kWeaponRows] = {true, false, false, false, true, false, false, true,
                                  false, true, false, false, false, false, false};
  for (int w = 0; w < kWeaponRows; ++w) EXPECT_EQ(used[w], game.weaponUsed(w)) << w;
  EXPECT_FALSE(game.weaponUsed(-1));
  EXPECT_FALSE(game.weaponUsed(kWeaponRows));
}

}  // namespace
