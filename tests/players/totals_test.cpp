// Game totals built from the per-opponent tables, the game-type decision and the rivalry queries.
#include "players/totals.h"

#include <gtest/gtest.h>

#include <string>

#include "players/frags.h"
#include "players/obituary.h"
#include "players/player_table.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace {

class Totals : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    g_gametype = 0;
    resetScratchPool();
  }
  // Registers `count` players named P0, P1, ... in slots 0, 1, ...
  static void addPlayers(int count) {
    for (int i = 0; i < count; ++i) addPlayer("P" + std::to_string(i));
  }
};

TEST_F(Totals, IdlePlayerEndsAtZero) {
  addPlayers(2);
  addUpTables();
  for (int s = 0; s < 2; ++s) {
    EXPECT_EQ(0.0f, q3players[s].skill);
    EXPECT_EQ(0.0f, q3players[s].combat);
    EXPECT_EQ(0, q3players[s].frags);
    EXPECT_EQ(0, q3players[s].kills);
    EXPECT_EQ(0, q3players[s].deaths);
    EXPECT_EQ(0, q3players[s].suicides);
  }
}

TEST_F(Totals, KillsDeathsSuicidesAndScoreFromTheTables) {
  addPlayers(3);
  PlayerRecord& p = q3players[0];
  // 3 kills, 2 deaths by others, 1 suicide, longest run 2.
  p.killTable[WP_RAILGUN][1] = 2;
  p.killTable[WP_ROCKET][2] = 1;
  p.deathTable[WP_RAILGUN][1] = 1;
  p.deathTable[WP_MACHINEGUN][2] = 1;
  p.killTable[WP_SUICIDE][0] = 1;
  p.deathTable[WP_SUICIDE][0] = 1;
  p.killStreak = 2;
  p.skill = 13.5f;
  p.combat = 12.25f;

  addUpTables();
  EXPECT_EQ(3, p.kills);
  EXPECT_EQ(2, p.deaths);
  EXPECT_EQ(1, p.suicides);
  EXPECT_EQ(2, p.frags);           // 3 kills - 1 suicide
  EXPECT_EQ(4.5f, p.skill);        // 13.5 - 10 + 0.5 * 2
  EXPECT_EQ(2.25f, p.combat);      // 12.25 - 10

  // The all-weapons row leaves out the player's own column; column 3 (= N) holds the totals.
  EXPECT_EQ(0, p.killTable[WP_ALL][0]);
  EXPECT_EQ(2, p.killTable[WP_ALL][1]);
  EXPECT_EQ(1, p.killTable[WP_ALL][2]);
  EXPECT_EQ(2, p.killTable[WP_RAILGUN][3]);
  EXPECT_EQ(0, p.killTable[WP_SUICIDE][3]);
  EXPECT_EQ(3, p.killTable[WP_ALL][3]);
  EXPECT_EQ(1, p.deathTable[WP_ALL][0]);
  EXPECT_EQ(1, p.deathTable[WP_SUICIDE][3]);
  EXPECT_EQ(3, p.deathTable[WP_ALL][3]);
  EXPECT_EQ(0, p.killTable[WP_ALL][NO_PLAYER]);
  EXPECT_EQ(0, p.killTable[WP_UNKNOWN][3]);
}

TEST_F(Totals, ScoreCountsTheFlagWork) {
  addPlayers(1);
  PlayerRecord& p = q3players[0];
  p.caps = 2;            // 10
  p.returns = 3;         // 3
  p.efcKills = 1;        // 2
  p.fcDefends = 1;       // 1
  p.efcKillAssists = 1;  // 2
  p.fcDefendsAgr = 1;    // 2
  p.returnAssists = 2;   // 2
  p.baseDefends = 4;     // 4
  p.carrierDefends = 1;  // 2
  p.touches = 7;         // flag touches and hold kills do not score
  p.holdKills = 5;
  addUpTables();
  EXPECT_EQ(28, p.frags);
}

TEST_F(Totals, RatingsAfterARealRailKill) {
  addPlayers(2);
  updateTables("P0^7 was railed by P1^7");
  addUpTables();
  // The float 11.32 is 11.31999969482..., so 11.32 - 10 + 0.5 * 1 streak is 1.81999969482...;
  // the float 9.9 is 9.89999961853..., so the victim's combat ends at -0.10000038146...
  EXPECT_EQ(1.8199997f, q3players[1].skill);
  EXPECT_EQ(1.3199997f, q3players[1].combat);
  EXPECT_EQ(-0.10000038f, q3players[0].combat);
  EXPECT_EQ(0.0f, q3players[0].skill);
}

TEST_F(Totals, TeamKillLeavesKillsOneAndScoreTwoBelowTheTable) {
  addPlayers(3);
  q3players[0].team = TEAM_RED;
  q3players[1].team = TEAM_RED;
  q3players[2].team = TEAM_BLUE;
  updateTables("P2^7 was railed by P0^7");
  updateTables("P2^7 was railed by P0^7");
  updateTables("P1^7 was railed by P0^7");  // team kill
  addUpTables();
  EXPECT_EQ(3, q3players[0].killTable[WP_ALL][3]);
  EXPECT_EQ(2, q3players[0].kills);
  EXPECT_EQ(1, q3players[0].frags);
  EXPECT_EQ(1, q3players[0].teamKills);
  EXPECT_EQ(1, q3players[1].deaths);
  EXPECT_EQ(2, q3players[2].deaths);
  EXPECT_EQ(1, g_gametype);  // red and blue players in a free-for-all: team deathmatch
}

TEST_F(Totals, GameTypeBecomesTeamDeathmatchOnlyFromFreeForAllWithBothTeams) {
  addPlayers(2);
  q3players[0].team = TEAM_RED;
  addUpTables();
  EXPECT_EQ(0, g_gametype);

  for (int type : {2, 3}) {
    initPlayers();
    addPlayers(2);
    q3players[0].team = TEAM_RED;
    q3players[1].team = TEAM_BLUE;
    g_gametype = type;
    addUpTables();
    EXPECT_EQ(type, g_gametype);
  }
}

TEST_F(Totals, FullTableTotalsGoIntoColumn64) {
  addPlayers(MAX_PLAYERS);
  ASSERT_EQ(64, getTotalPlayers());
  q3players[0].killTable[WP_RAILGUN][5] = 1;
  q3players[5].deathTable[WP_RAILGUN][0] = 1;
  addUpTables();
  EXPECT_EQ(1, q3players[0].killTable[WP_RAILGUN][64]);
  EXPECT_EQ(1, q3players[0].killTable[WP_ALL][64]);
  EXPECT_EQ(0, q3players[0].killTable[WP_ALL][NO_PLAYER]);
  EXPECT_EQ(1, q3players[0].kills);
  EXPECT_EQ(1, q3players[5].deaths);
}

TEST_F(Totals, WorstEnemyAndEasiestPrey) {
  addPlayers(6);
  // P0 killed twice by P5 and twice by P2: the first slot of the tie, P2.
  q3players[0].deathTable[WP_RAILGUN][5] = 2;
  q3players[0].deathTable[WP_ROCKET][2] = 2;
  q3players[0].deathTable[WP_ROCKET][3] = 1;
  // P1 killed itself three times and was killed twice by P4: its own worst enemy.
  q3players[1].deathTable[WP_SUICIDE][1] = 3;
  q3players[1].deathTable[WP_RAILGUN][4] = 2;
  // P3 killed P4 and P1 twice each, P2 once: the earlier slot, P1.
  q3players[3].killTable[WP_RAILGUN][4] = 2;
  q3players[3].killTable[WP_GAUNTLET][1] = 2;
  q3players[3].killTable[WP_GAUNTLET][2] = 1;
  // P1's suicides are not prey.
  q3players[1].killTable[WP_SUICIDE][1] = 3;
  addUpTables();

  EXPECT_EQ(2, getWorstEnemy(0));
  EXPECT_EQ(1, getWorstEnemy(1));
  EXPECT_EQ(5, getWorstEnemy(5));  // never killed
  EXPECT_EQ(1, getEasiestPrey(3));
  EXPECT_EQ(1, getEasiestPrey(1));  // killed nobody but itself
  EXPECT_EQ(0, getEasiestPrey(0));
}

TEST_F(Totals, WeaponUsedByKillsOrOspFigures) {
  addPlayers(2);
  q3players[1].shots[WP_BFG] = 5;  // fired but never killed
  q3players[1].shots[WP_MACHINEGUN] = 3;
  q3players[0].hits[WP_GAUNTLET] = 1;
  q3players[0].killTable[WP_NAILGUN][1] = 1;
  q3players[1].killTable[WP_SUICIDE][1] = 1;
  addUpTables();

  EXPECT_EQ(0, weaponUsed(WP_BFG));
  EXPECT_EQ(1, weaponUsed(WP_MACHINEGUN));
  EXPECT_EQ(1, weaponUsed(WP_GAUNTLET));
  EXPECT_EQ(1, weaponUsed(WP_NAILGUN));
  EXPECT_EQ(1, weaponUsed(WP_SUICIDE));
  EXPECT_EQ(0, weaponUsed(WP_PLASMA));
  EXPECT_EQ(0, weaponUsed(WP_GRAPPLE));

  q3players[0].killTable[WP_BFG][1] = 1;
  EXPECT_EQ(1, weaponUsed(WP_BFG));
}

}  // namespace
