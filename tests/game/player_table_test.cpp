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
  EXPECT_EQ(0, players().getTotalPlayers());
  players().addPlayer("^1Red^7Fox");
  players().addPlayer("^1Red^7Fox");
  players().addPlayer("");
  players().addPlayer(kSentinelName);
  EXPECT_EQ(1, players().getTotalPlayers());
  EXPECT_EQ("RedFox", players()[0].name.view());
  EXPECT_EQ(10.0f, players()[0].skill);
  EXPECT_EQ(10.0f, players()[0].combat);
  EXPECT_EQ(kSentinelName, players()[0].quote.view());

  players().addPlayer("^2Red^7Fox");  // same stripped name, other colours: another player
  EXPECT_EQ(2, players().getTotalPlayers());
  EXPECT_EQ(1, players().getPlayerIndex("^2Red^7Fox"));
  EXPECT_EQ(NO_PLAYER, players().getPlayerIndex("RedFox"));
  EXPECT_EQ(0, players().getPlayerIndexUsingStrippedName("RedFox"));  // the first of the two
  EXPECT_EQ(NO_PLAYER, players().getPlayerIndexUsingStrippedName("Nobody"));
}

TEST_F(PlayerTable, SortIsStableDescendingAndMovesTheColumns) {
  players_test::freshGame({"A", "B", "C"});
  players()[0].skill = 5.0f;
  players()[1].skill = 7.0f;
  players()[2].skill = 5.0f;
  // A killed C twice with the rail gun; B was killed by A once with a rocket.
  players()[0].killTable[6][2] = 2;
  players()[2].deathTable[6][0] = 2;
  players()[0].killTable[4][1] = 1;
  players()[1].deathTable[4][0] = 1;
  players()[0].killTable[14][2] = 9;  // row 14 is never exchanged
  players().sort();
  EXPECT_EQ("B", players()[0].rawName.view());
  EXPECT_EQ("A", players()[1].rawName.view());  // equal skills keep their order
  EXPECT_EQ("C", players()[2].rawName.view());
  // A is now slot 1, B slot 0, C slot 2: the cells still name the same victims.
  EXPECT_EQ(2, players()[1].killTable[6][2]);
  EXPECT_EQ(1, players()[1].killTable[4][0]);
  EXPECT_EQ(2, players()[2].deathTable[6][1]);
  EXPECT_EQ(1, players()[0].deathTable[4][1]);
  EXPECT_EQ(9, players()[1].killTable[14][2]);
}

TEST_F(PlayerTable, RemovalClearsOnlyTheRemovedRecord) {
  players_test::freshGame({"A", "B", "C"});
  players()[0].skill = -150.0f;  // even below the removal mark, A stays above the removed one
  players()[2].killTable[6][1] = 3;  // C killed B three times
  players().removePlayer(1);
  EXPECT_EQ(2, players().getTotalPlayers());
  EXPECT_EQ("C", players()[0].rawName.view());
  EXPECT_EQ("A", players()[1].rawName.view());
  EXPECT_TRUE(players()[2].rawName.empty());
  // C's cells against B moved to B's last slot, 2, and are kept.
  EXPECT_EQ(3, players()[0].killTable[6][2]);
  players().addPlayer("D");  // takes the freed slot and inherits those cells in its column
  EXPECT_EQ(2, players().getPlayerIndex("D"));
  EXPECT_EQ(3, players()[0].killTable[6][2]);
}

TEST_F(PlayerTable, FullTableEvictsTheLeastSkilledDepartedPlayer) {
  fillTable();
  EXPECT_EQ(64, players().getTotalPlayers());
  for (int i = 0; i < MAX_PLAYERS; ++i) players()[i].skill = static_cast<float>(100 - i);
  players()[10].disconnected = 1;
  players()[20].disconnected = 1;  // the less skilled of the two departed players
  testing::internal::CaptureStdout();
  players().addPlayer("Newcomer");
  EXPECT_EQ(
      "Total number of Players reached MAX(64)\n"
      "Removing disconnected player with least skill\n"
      "Removing-> P20\n\n",
      testing::internal::GetCapturedStdout());
  EXPECT_EQ(64, players().getTotalPlayers());
  EXPECT_EQ("Newcomer", players()[63].rawName.view());
  EXPECT_EQ(NO_PLAYER, players().getPlayerIndex("P20"));
  EXPECT_NE(NO_PLAYER, players().getPlayerIndex("P10"));
}

// A newcomer who rose to the top and left is the one evicted for the next: everyone else ends
// where they were, and their cells against the evicted player stay in its column.
TEST_F(PlayerTable, EvictingTheTopDepartedPlayerKeepsTheOthersInPlace) {
  fillTable();
  for (int i = 0; i < MAX_PLAYERS - 1; ++i) players()[i].skill = static_cast<float>(50 - i);
  players()[63].skill = 99.0f;
  players()[63].disconnected = 1;
  players()[5].killTable[6][63] = 2;  // P5 railed P63 twice
  players()[63].killTable[6][5] = 1;
  testing::internal::CaptureStdout();
  players().addPlayer("New");
  EXPECT_EQ("Total number of Players reached MAX(64)\nRemoving disconnected player with least skill\n"
            "Removing-> P63\n\n",
            testing::internal::GetCapturedStdout());
  for (int i = 0; i < MAX_PLAYERS - 1; ++i) EXPECT_EQ("P" + std::to_string(i), players()[i].rawName.view());
  EXPECT_EQ("New", players()[63].rawName.view());
  EXPECT_EQ(2, players()[5].killTable[6][63]);
  EXPECT_EQ(0, players()[63].killTable[6][5]);
  EXPECT_EQ(10.0f, players()[63].skill);
}

// A NaN skill compares false both ways: the bubble sort's exchanges decide, as before.
TEST_F(PlayerTable, SortWithANanSkillMakesOnlyTheBubbleSortsExchanges) {
  players_test::freshGame({"A", "B", "C", "D"});
  const float skills[] = {1.0f, std::nanf(""), 2.0f, 3.0f};
  for (int i = 0; i < 4; ++i) players()[i].skill = skills[i];
  players().sort();
  // Pass 1: A-B no, B-C no, C < D exchanged; pass 2: no exchange.
  EXPECT_EQ("A", players()[0].rawName.view());
  EXPECT_EQ("B", players()[1].rawName.view());
  EXPECT_EQ("D", players()[2].rawName.view());
  EXPECT_EQ("C", players()[3].rawName.view());
}

TEST_F(PlayerTable, FullTableWithoutDepartedPlayersRefuses) {
  fillTable();
  testing::internal::CaptureStdout();
  players().addPlayer("Late");
  EXPECT_EQ("Total number of Players reached MAX(64)\nCannot add any more players\n\n",
            testing::internal::GetCapturedStdout());
  EXPECT_EQ(NO_PLAYER, players().getPlayerIndex("Late"));
  EXPECT_EQ(64, players().getTotalPlayers());
}

}  // namespace
