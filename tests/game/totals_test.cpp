// Game totals built from the per-opponent tables, the game-type decision and the rivalry queries.
#include "game/totals.h"

#include <gtest/gtest.h>

#include <string>

#include "game/frags.h"
#include "game/obituary.h"
#include "players_test_support.h"

namespace {

class Totals : public testing::Test {
 protected:
  void SetUp() override { players_test::freshGame(); }
  static void addPlayers(int count) { players_test::addNumberedPlayers(count); }
};

TEST_F(Totals, KillsDeathsSuicidesAndScoreFromTheTables) {
  addPlayers(3);
  PlayerRecord& p = players()[0];
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
  // P1 only did flag work: 5*2 + 3 + 2*1 + 1 + 2*(1 + 1) + 2 + 4 + 2*1 = 28; flag touches and
  // hold kills do not score.
  PlayerRecord& ctf = players()[1];
  ctf.caps = 2;
  ctf.returns = 3;
  ctf.efcKills = ctf.fcDefends = ctf.efcKillAssists = ctf.fcDefendsAgr = ctf.carrierDefends = 1;
  ctf.returnAssists = 2;
  ctf.baseDefends = 4;
  ctf.touches = 7;
  ctf.holdKills = 5;

  addUpTables(testGame());
  EXPECT_EQ(3, p.kills);
  EXPECT_EQ(2, p.deaths);
  EXPECT_EQ(1, p.suicides);
  EXPECT_EQ(2, p.frags);       // 3 kills - 1 suicide
  EXPECT_EQ(4.5f, p.skill);    // 13.5 - 10 + 0.5 * 2
  EXPECT_EQ(2.25f, p.combat);  // 12.25 - 10
  EXPECT_EQ(28, ctf.frags);
  // The all-weapons row leaves out the player's own column; column 3 (= N) holds the totals.
  EXPECT_EQ(0, p.killTable[WP_ALL][0]);
  EXPECT_EQ(3, p.killTable[WP_ALL][3]);
  EXPECT_EQ(3, p.deathTable[WP_ALL][3]);

  // P2 never killed, died or scored: everything ends at zero.
  const PlayerRecord& idle = players()[2];
  EXPECT_EQ(0.0f, idle.skill);
  EXPECT_EQ(0.0f, idle.combat);
  EXPECT_EQ(0, idle.frags + idle.kills + idle.deaths + idle.suicides);
}

TEST_F(Totals, OnlyAFreeForAllWithBothTeamsBecomesTeamDeathmatch) {
  const struct {
    int type, first, second, expected;
  } cases[] = {{0, TEAM_RED, TEAM_BLUE, 1}, {0, TEAM_RED, TEAM_NONE, 0}, {0, TEAM_NONE, TEAM_BLUE, 0},
               {2, TEAM_RED, TEAM_BLUE, 2}, {3, TEAM_RED, TEAM_BLUE, 3}};
  for (const auto& c : cases) {
    players().initPlayers();
    addPlayers(2);
    players()[0].team = c.first;
    players()[1].team = c.second;
    testGame().state.g_gametype = c.type;
    addUpTables(testGame());
    EXPECT_EQ(c.expected, testGame().state.g_gametype) << c.type;
  }
}

TEST_F(Totals, FullTableTotalsGoIntoColumn64) {
  addPlayers(MAX_PLAYERS);
  players()[0].killTable[WP_RAILGUN][5] = 1;
  players()[5].deathTable[WP_RAILGUN][0] = 1;
  addUpTables(testGame());
  EXPECT_EQ(1, players()[0].killTable[WP_ALL][64]);
  EXPECT_EQ(0, players()[0].killTable[WP_ALL][NO_PLAYER]);
  EXPECT_EQ(1, players()[0].kills);
  EXPECT_EQ(1, players()[5].deaths);
}

TEST_F(Totals, WorstEnemyAndEasiestPrey) {
  addPlayers(6);
  // P0 killed twice by P5 and twice by P2: the first slot of the tie, P2.
  players()[0].deathTable[WP_RAILGUN][5] = 2;
  players()[0].deathTable[WP_ROCKET][2] = 2;
  players()[0].deathTable[WP_ROCKET][3] = 1;
  // P1 killed itself three times and was killed twice by P4: its own worst enemy.
  players()[1].deathTable[WP_SUICIDE][1] = 3;
  players()[1].deathTable[WP_RAILGUN][4] = 2;
  players()[1].killTable[WP_SUICIDE][1] = 3;  // and its suicides are not prey
  // P3 killed P4 and P1 twice each, P2 once: the earlier slot, P1.
  players()[3].killTable[WP_RAILGUN][4] = 2;
  players()[3].killTable[WP_GAUNTLET][1] = 2;
  players()[3].killTable[WP_GAUNTLET][2] = 1;
  addUpTables(testGame());

  EXPECT_EQ(2, getWorstEnemy(players(), 0));
  EXPECT_EQ(1, getWorstEnemy(players(), 1));
  EXPECT_EQ(5, getWorstEnemy(players(), 5));  // never killed
  EXPECT_EQ(1, getEasiestPrey(players(), 3));
  EXPECT_EQ(1, getEasiestPrey(players(), 1));  // killed nobody but itself
}

TEST_F(Totals, WeaponUsedByKillsOrOspFigures) {
  addPlayers(2);
  players()[1].shots[WP_BFG] = 5;  // fired but never killed
  players()[1].shots[WP_MACHINEGUN] = 3;
  players()[0].hits[WP_GAUNTLET] = 1;
  players()[0].killTable[WP_NAILGUN][1] = 1;
  addUpTables(testGame());
  const struct {
    int weapon, used;
  } cases[] = {{WP_BFG, 0},     {WP_MACHINEGUN, 1}, {WP_GAUNTLET, 1},
               {WP_NAILGUN, 1}, {WP_PLASMA, 0},     {WP_GRAPPLE, 0}};
  for (const auto& c : cases) EXPECT_EQ(c.used, weaponUsed(players(), c.weapon)) << c.weapon;
  players()[0].killTable[WP_BFG][1] = 1;
  EXPECT_EQ(1, weaponUsed(players(), WP_BFG));
}

}  // namespace
