// Award assignment: who holds each slot after a game, with ties, thresholds and the accuracy margins.
#include "game/awards.h"

#include <gtest/gtest.h>

#include <string>

#include "players_test_support.h"

namespace {

constexpr int kTotals = 3;  // the totals column of the kill table with three players

class Awards : public testing::Test {
 protected:
  void SetUp() override { players_test::freshGame({"Ann", "Bob", "Cat"}); }
  // Every slot held by anybody, with its holders among Ann, Bob and Cat: "6:110 23:111".
  static std::string held() {
    std::string s;
    for (int slot = 0; slot < kAwardSlots; ++slot) {
      std::string h;
      for (int i = 0; i < kTotals; ++i) h += std::to_string(players()[i].awards[slot]);
      if (h != "000") s += (s.empty() ? "" : " ") + std::to_string(slot) + ":" + h;
    }
    return s;
  }
  PlayerRecord& ann = players()[0];
  PlayerRecord& bob = players()[1];
  PlayerRecord& cat = players()[2];
};

TEST_F(Awards, FreshGameGivesOnlyTheTiedStartingRatings) {
  // Everyone starts with skill and combat 10.0: all three tie for those two. Slot 20 stays 0.
  assignAwards(players());
  EXPECT_EQ("23:111 24:111", held());
}

TEST_F(Awards, CountRuleGivesEveryTieAndNothingForZero) {
  ann.killTable[6][kTotals] = 12;
  bob.killTable[6][kTotals] = 12;
  cat.killTable[6][kTotals] = 5;
  cat.awards[6] = 1;  // left over flags are cleared
  cat.awards[8] = 1;
  cat.disconnected = 1;  // a player who left still competes
  cat.damageGiven = 1890;
  ann.hits[0] = 3;  // gauntlet "accuracy" is the hit count
  // Nobody killed with the BFG (8), every kills value (21) is 0.
  assignAwards(players());
  EXPECT_EQ("6:110 11:100 23:111 24:111 28:001", held());

  // A negative maximum is awarded: -1 is the highest of -3, -1, -1.
  ann.kills = -3;
  bob.kills = cat.kills = -1;
  assignAwards(players());
  EXPECT_EQ("6:110 11:100 21:011 23:111 24:111 28:001", held());
}

TEST_F(Awards, WeaponAccuracyTiesWithinAThousandthAndNeedsShots) {
  ann.hits[6] = bob.hits[6] = 47;
  ann.shots[6] = bob.shots[6] = 200;
  cat.hits[6] = 50;  // hits without shots never compete
  ann.shots[7] = 40;  // plasma shots but 0 hits everywhere: 0.0 is not above 0.001
  bob.shots[7] = 10;
  assignAwards(players());
  EXPECT_EQ("17:110 23:111 24:111", held());

  // 47/200 = 23.5 against 235/1001 = 23.4765...: 0.0235 apart, more than 0.001.
  bob.hits[6] = 235;
  bob.shots[6] = 1001;
  assignAwards(players());
  EXPECT_EQ("17:100 23:111 24:111", held());
}

TEST_F(Awards, OverallAccuracyAddsOneShot) {
  ann.totalHits = 1;
  ann.totalShots = 1;  // 100 * 1 / (1 + 1) = 50.0
  bob.totalHits = 99;
  bob.totalShots = 200;  // 9900 / 201 = 49.25...
  assignAwards(players());
  EXPECT_EQ("23:111 24:111 29:100", held());

  // Without recorded shots the value is 100 x hits: 100 * 1 / (0 + 1) = 100.0 beats 50.0.
  cat.totalHits = 1;
  assignAwards(players());
  EXPECT_EQ("23:111 24:111 29:001", held());
}

TEST_F(Awards, PointsRuleThresholdsAndWeights) {
  bob.baseDefends = 1;  // one base defend is enough: 1 > 0.4
  // Assists: 1.5 x 2 + 0 = 3.0 and 1.5 x 0 + 3 = 3.0 tie; 1.5 x 1 + 1 = 2.5 does not.
  ann.efcKillAssists = 2;
  bob.returnAssists = 3;
  cat.efcKillAssists = cat.returnAssists = 1;
  // Escort: 1.5 x 2 = 3.0 beats 2.0. Chaser: 1.5 x 1 + 1 = 2.5 beats 2.0.
  ann.fcDefendsAgr = 2;
  bob.fcDefends = 2;
  bob.efcKills = bob.returns = 1;
  cat.returns = 2;
  // skill after the totals took off the starting 10 points: nobody above 0.001 gets 24.
  ann.skill = 0.0f;
  bob.skill = -5.0f;
  cat.skill = 0.0005f;
  // combat is compared exactly: two equal floats tie.
  ann.combat = bob.combat = 12.5f;
  cat.combat = 12.25f;
  assignAwards(players());
  EXPECT_EQ("23:110 25:010 26:110 30:100 31:010", held());

  bob.baseDefends = 0;  // nobody has a base defend
  assignAwards(players());
  EXPECT_EQ("23:110 26:110 30:100 31:010", held());
}

TEST_F(Awards, EmptyTableIsLeftAlone) {
  players().initPlayers();
  assignAwards(players());
  EXPECT_EQ(0, players()[0].awards[23]);
}

}  // namespace
