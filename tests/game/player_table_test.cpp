// Registration, lookup, eviction, removal and the skill ordering of the player table.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "players_test_support.h"

namespace {

class PlayerTable : public testing::Test {
 protected:
  void SetUp() override { players_test::freshGame(); }
  static void fillTable() { players_test::addNumberedPlayers(MAX_PLAYERS); }
};

TEST_F(PlayerTable, RegistersOnceUnderTheExactRawName) {
  EXPECT_EQ(0, getTotalPlayers());
  addPlayer("^1Red^7Fox");
  addPlayer("^1Red^7Fox");
  addPlayer("");
  addPlayer(kSentinelName);
  EXPECT_EQ(1, getTotalPlayers());
  EXPECT_EQ("RedFox", q3players[0].name.view());
  EXPECT_EQ(10.0f, q3players[0].skill);
  EXPECT_EQ(10.0f, q3players[0].combat);
  EXPECT_EQ(kSentinelName, q3players[0].quote.view());

  addPlayer("^2Red^7Fox");  // same stripped name, other colours: another player
  EXPECT_EQ(2, getTotalPlayers());
  EXPECT_EQ(1, getPlayerIndex("^2Red^7Fox"));
  EXPECT_EQ(NO_PLAYER, getPlayerIndex("RedFox"));
  EXPECT_EQ(0, getPlayerIndexUsingStrippedName("RedFox"));  // the first of the two
  EXPECT_EQ(NO_PLAYER, getPlayerIndexUsingStrippedName("Nobody"));
}

TEST_F(PlayerTable, SortIsStableDescendingAndMovesTheColumns) {
  players_test::freshGame({"A", "B", "C"});
  q3players[0].skill = 5.0f;
  q3players[1].skill = 7.0f;
  q3players[2].skill = 5.0f;
  // A killed C twice with the rail gun; B was killed by A once with a rocket.
  q3players[0].killTable[6][2] = 2;
  q3players[2].deathTable[6][0] = 2;
  q3players[0].killTable[4][1] = 1;
  q3players[1].deathTable[4][0] = 1;
  q3players[0].killTable[14][2] = 9;  // row 14 is never exchanged
  sort();
  EXPECT_EQ("B", q3players[0].rawName.view());
  EXPECT_EQ("A", q3players[1].rawName.view());  // equal skills keep their order
  EXPECT_EQ("C", q3players[2].rawName.view());
  // A is now slot 1, B slot 0, C slot 2: the cells still name the same victims.
  EXPECT_EQ(2, q3players[1].killTable[6][2]);
  EXPECT_EQ(1, q3players[1].killTable[4][0]);
  EXPECT_EQ(2, q3players[2].deathTable[6][1]);
  EXPECT_EQ(1, q3players[0].deathTable[4][1]);
  EXPECT_EQ(9, q3players[1].killTable[14][2]);
}

TEST_F(PlayerTable, RemovalClearsOnlyTheRemovedRecord) {
  players_test::freshGame({"A", "B", "C"});
  q3players[0].skill = -150.0f;  // even below the removal mark, A stays above the removed one
  q3players[2].killTable[6][1] = 3;  // C killed B three times
  removePlayer(1);
  EXPECT_EQ(2, getTotalPlayers());
  EXPECT_EQ("C", q3players[0].rawName.view());
  EXPECT_EQ("A", q3players[1].rawName.view());
  EXPECT_TRUE(q3players[2].rawName.empty());
  // C's cells against B moved to B's last slot, 2, and are kept.
  EXPECT_EQ(3, q3players[0].killTable[6][2]);
  addPlayer("D");  // takes the freed slot and inherits those cells in its column
  EXPECT_EQ(2, getPlayerIndex("D"));
  EXPECT_EQ(3, q3players[0].killTable[6][2]);
}

TEST_F(PlayerTable, FullTableEvictsTheLeastSkilledDepartedPlayer) {
  fillTable();
  EXPECT_EQ(64, getTotalPlayers());
  for (int i = 0; i < MAX_PLAYERS; ++i) q3players[i].skill = static_cast<float>(100 - i);
  q3players[10].disconnected = 1;
  q3players[20].disconnected = 1;  // the less skilled of the two departed players
  testing::internal::CaptureStdout();
  addPlayer("Newcomer");
  EXPECT_EQ(
      "Total number of Players reached MAX(64)\n"
      "Removing disconnected player with least skill\n"
      "Removing-> P20\n\n",
      testing::internal::GetCapturedStdout());
  EXPECT_EQ(64, getTotalPlayers());
  EXPECT_EQ("Newcomer", q3players[63].rawName.view());
  EXPECT_EQ(NO_PLAYER, getPlayerIndex("P20"));
  EXPECT_NE(NO_PLAYER, getPlayerIndex("P10"));
}

// A newcomer who rose to the top and left is the one evicted for the next: everyone else ends
// where they were, and their cells against the evicted player stay in its column.
TEST_F(PlayerTable, EvictingTheTopDepartedPlayerKeepsTheOthersInPlace) {
  fillTable();
  for (int i = 0; i < MAX_PLAYERS - 1; ++i) q3players[i].skill = static_cast<float>(50 - i);
  q3players[63].skill = 99.0f;
  q3players[63].disconnected = 1;
  q3players[5].killTable[6][63] = 2;  // P5 railed P63 twice
  q3players[63].killTable[6][5] = 1;
  testing::internal::CaptureStdout();
  addPlayer("New");
  EXPECT_EQ("Total number of Players reached MAX(64)\nRemoving disconnected player with least skill\n"
            "Removing-> P63\n\n",
            testing::internal::GetCapturedStdout());
  for (int i = 0; i < MAX_PLAYERS - 1; ++i) EXPECT_EQ("P" + std::to_string(i), q3players[i].rawName.view());
  EXPECT_EQ("New", q3players[63].rawName.view());
  EXPECT_EQ(2, q3players[5].killTable[6][63]);
  EXPECT_EQ(0, q3players[63].killTable[6][5]);
  EXPECT_EQ(10.0f, q3players[63].skill);
}

// A NaN skill compares false both ways: the bubble sort's exchanges decide, as before.
TEST_F(PlayerTable, SortWithANanSkillMakesOnlyTheBubbleSortsExchanges) {
  players_test::freshGame({"A", "B", "C", "D"});
  const float skills[] = {1.0f, std::nanf(""), 2.0f, 3.0f};
  for (int i = 0; i < 4; ++i) q3players[i].skill = skills[i];
  sort();
  // Pass 1: A-B no, B-C no, C < D exchanged; pass 2: no exchange.
  EXPECT_EQ("A", q3players[0].rawName.view());
  EXPECT_EQ("B", q3players[1].rawName.view());
  EXPECT_EQ("D", q3players[2].rawName.view());
  EXPECT_EQ("C", q3players[3].rawName.view());
}

TEST_F(PlayerTable, FullTableWithoutDepartedPlayersRefuses) {
  fillTable();
  testing::internal::CaptureStdout();
  addPlayer("Late");
  EXPECT_EQ("Total number of Players reached MAX(64)\nCannot add any more players\n\n",
            testing::internal::GetCapturedStdout());
  EXPECT_EQ(NO_PLAYER, getPlayerIndex("Late"));
  EXPECT_EQ(64, getTotalPlayers());
}

}  // namespace
