// Award assignment: who holds each slot after a game, with ties, thresholds and the accuracy margins.
#include "osp/awards.h"

#include <gtest/gtest.h>

#include <string>

#include "log/match_info.h"
#include "players/player_table.h"
#include "run/game.h"
#include "run/main_loop.h"
#include "run/scratch_pool.h"

namespace {

constexpr int kTotals = 3;  // the totals column of the kill table with three players

class Awards : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    initGlobals();
    g_mod = 0;
    resetScratchPool();
    fp.close();
    addPlayer("Ann");  // slot 0
    addPlayer("Bob");  // slot 1
    addPlayer("Cat");  // slot 2
  }
  // The slot's flags of Ann, Bob and Cat, as three digits.
  std::string holders(int slot) {
    std::string s;
    for (int i = 0; i < kTotals; ++i) s += std::to_string(q3players[i].awards[slot]);
    return s;
  }
  PlayerRecord& ann = q3players[0];
  PlayerRecord& bob = q3players[1];
  PlayerRecord& cat = q3players[2];
};

TEST_F(Awards, CountRuleGivesEveryTieAndNothingForZero) {
  ann.killTable[6][kTotals] = 12;
  bob.killTable[6][kTotals] = 12;
  cat.killTable[6][kTotals] = 5;
  cat.awards[6] = 1;  // left over flags are cleared
  cat.awards[8] = 1;
  cat.disconnected = 1;  // a player who left still competes
  cat.damageGiven = 1890;
  ann.hits[0] = 3;  // gauntlet "accuracy" is the hit count
  assignAwards();
  EXPECT_EQ("110", holders(6));
  EXPECT_EQ("000", holders(8));  // nobody killed with the BFG
  EXPECT_EQ("001", holders(28));
  EXPECT_EQ("100", holders(11));
  EXPECT_EQ("000", holders(21));  // every kills value is 0
}

TEST_F(Awards, CountRuleAwardsANegativeMaximum) {
  ann.kills = -3;
  bob.kills = -1;
  cat.kills = -1;
  assignAwards();
  EXPECT_EQ("011", holders(21));
}

TEST_F(Awards, WeaponAccuracyTiesWithinAThousandth) {
  ann.hits[6] = 47;
  ann.shots[6] = 200;
  bob.hits[6] = 47;
  bob.shots[6] = 200;
  cat.hits[6] = 50;  // hits without shots never compete
  assignAwards();
  EXPECT_EQ("110", holders(17));

  // 47/200 = 23.5 against 235/1001 = 23.4765...: 0.0235 apart, more than 0.001.
  bob.hits[6] = 235;
  bob.shots[6] = 1001;
  assignAwards();
  EXPECT_EQ("100", holders(17));
}

TEST_F(Awards, WeaponAccuracyNeedsHits) {
  ann.shots[7] = 40;
  bob.shots[7] = 10;
  assignAwards();
  EXPECT_EQ("000", holders(18));  // shots but 0 hits everywhere: 0.0 is not above 0.001
  EXPECT_EQ("000", holders(12));  // nobody fired the machine gun
}

TEST_F(Awards, OverallAccuracyAddsOneShot) {
  ann.totalHits = 1;
  ann.totalShots = 1;  // 100 * 1 / 2 = 50.0
  bob.totalHits = 99;
  bob.totalShots = 200;  // 9900 / 201 = 49.25...
  assignAwards();
  EXPECT_EQ("100", holders(29));

  // Without recorded shots the value is 100 x hits: 100.0 beats 50.0.
  cat.totalHits = 1;
  assignAwards();
  EXPECT_EQ("001", holders(29));
}

TEST_F(Awards, PointsRuleThresholds) {
  // One base defend is enough (1 > 0.4); none gives nobody the award.
  bob.baseDefends = 1;
  // 1.5 x 2 + 0 = 3.0 and 1.5 x 0 + 3 = 3.0 tie; 1.5 x 1 + 1 = 2.5 does not.
  ann.efcKillAssists = 2;
  bob.returnAssists = 3;
  cat.efcKillAssists = 1;
  cat.returnAssists = 1;
  // skill after the totals took off the starting 10 points: nobody above 0.001.
  ann.skill = 0.0f;
  bob.skill = -5.0f;
  cat.skill = 0.0005f;
  // combat is compared exactly: two equal floats tie.
  ann.combat = 12.5f;
  bob.combat = 12.5f;
  cat.combat = 12.25f;
  assignAwards();
  EXPECT_EQ("010", holders(25));
  EXPECT_EQ("110", holders(26));
  EXPECT_EQ("000", holders(24));
  EXPECT_EQ("110", holders(23));

  bob.baseDefends = 0;
  assignAwards();
  EXPECT_EQ("000", holders(25));
}

TEST_F(Awards, EscortAndChaserWeighTheAggressiveOrKillingPart) {
  ann.fcDefendsAgr = 2;  // 1.5 x 2 = 3.0
  bob.fcDefends = 2;     // 2.0
  bob.efcKills = 1;      // 1.5 x 1 + 1 = 2.5
  bob.returns = 1;
  cat.returns = 2;       // 2.0
  assignAwards();
  EXPECT_EQ("100", holders(30));
  EXPECT_EQ("010", holders(31));
}

TEST_F(Awards, SlotTwentyIsNeverWritten) {
  ann.awards[20] = 1;
  ann.hits[6] = 5;
  ann.shots[6] = 10;
  assignAwards();
  EXPECT_EQ("100", holders(20));
  EXPECT_EQ("100", holders(17));
}

TEST_F(Awards, FreshGameGivesOnlyTheTiedStartingRatings) {
  assignAwards();
  for (int slot = 0; slot < kAwardSlots; ++slot) {
    // Everyone starts with skill and combat 10.0: all three tie for those two.
    const char* expected = slot == 23 || slot == 24 ? "111" : "000";
    EXPECT_EQ(expected, holders(slot)) << "slot " << slot;
  }
}

TEST_F(Awards, EmptyTableIsLeftAlone) {
  initPlayers();
  assignAwards();
  EXPECT_EQ(0, q3players[0].awards[23]);
}

}  // namespace
