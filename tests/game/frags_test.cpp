// Kills and suicides as they are counted line by line: tables, streaks, team kills and ratings.
#include "game/frags.h"

#include <gtest/gtest.h>

#include <cstring>

#include "game/obituary.h"
#include "players_test_support.h"

namespace {

class Frags : public testing::Test {
 protected:
  void SetUp() override { reset(); }
  static void reset() { players_test::freshGame({"Bob", "Ann"}); }
  PlayerRecord& bob = players()[0];
  PlayerRecord& ann = players()[1];
};

TEST_F(Frags, RatingsCompoundWithTheVictimsRatingAtThatMoment) {
  updateTables(testGame(), lineOf("Bob^7 was railed by Ann^7"), lineSlots());  // Ann 11.32, Bob's combat 9.9 (see below)
  updateTables(testGame(), lineOf("Bob^7 was railed by Ann^7"), lineSlots());
  // Bob's combat counts as it was before this kill: 11.32 + 1.2 * (1 + 9.9/100) = 12.6388;
  // his own 9.9 - 0.099 = 9.801. Dying never costs skill.
  EXPECT_EQ(12.6388f, ann.combat);
  EXPECT_EQ(9.801f, bob.combat);
  EXPECT_EQ(10.0f, bob.skill);
  EXPECT_EQ(2, ann.killTable[WP_RAILGUN][0]);
  EXPECT_EQ(2, ann.killStreak);
  EXPECT_EQ(2, bob.deathStreak);
}

TEST_F(Frags, WeightedKillIsAFloatBeforeItIsAdded) {
  bob.skill = 6.0f;  // two team kills
  updateTables(testGame(), lineOf("Bob^7 was machinegunned by Ann^7"), lineSlots());
  // 1.0 * (1 + 6/100) = 1.06 is stored as the float 8891924 / 2^23 (1.06 * 2^23 =
  // 8891924.48). 10 + that = 92778004 / 2^23 = 11597250.5 / 2^20, a tie that rounds to the
  // even 11597250 / 2^20 = 11.0599995. Adding the unrounded 1.06 would give 11.0600004.
  EXPECT_EQ(11.0599995f, ann.skill);
}

TEST_F(Frags, SuicideCostsCombatAndEndsTheKillRun) {
  updateTables(testGame(), lineOf("Ann^7 was railed by Bob^7"), lineSlots());
  updateTables(testGame(), lineOf("Ann^7 was railed by Bob^7"), lineSlots());
  const float skillBefore = bob.skill;
  bob.combat = 10.0f;
  bob.haveFlag = 1;

  updateTables(testGame(), lineOf("Bob^7 cratered."), lineSlots());
  EXPECT_EQ(1, bob.killTable[WP_SUICIDE][0]);
  EXPECT_EQ(1, bob.deathTable[WP_SUICIDE][0]);
  EXPECT_EQ(9.8947368f, bob.combat);  // 10 - 10/95 = 9.894736842...
  EXPECT_EQ(skillBefore, bob.skill);  // no points
  EXPECT_EQ(0, bob.haveFlag);         // the flag is dropped
  EXPECT_EQ(0, bob.currentKillStreak);
  EXPECT_EQ(1, bob.deathStreak);

  updateTables(testGame(), lineOf("Ann^7 was railed by Bob^7"), lineSlots());
  EXPECT_EQ(2, bob.killStreak);  // a new run of one does not beat the old two
  EXPECT_EQ(1, bob.currentKillStreak);
  EXPECT_EQ(0, bob.currentDeathStreak);
}

TEST_F(Frags, TeamKillsAndFlagCarrierKills) {
  const struct {
    int killerTeam, victimTeam, carrier, teamKills;
    float skill, combat, victimCombat;
  } cases[] = {
      // A team mate's kill: 10 - 2.0 on both ratings, no weapon points, the victim loses nothing.
      {TEAM_RED, TEAM_RED, 0, 1, 8.0f, 8.0f, 10.0f},
      {TEAM_BLUE, TEAM_BLUE, 0, 1, 8.0f, 8.0f, 10.0f},
      // Opposite teams, or no teams at all: an ordinary kill, 10 + 1.2 * (1 + 10/100) = 11.32
      // for both ratings; the victim's combat 10 - 10/100 = 9.9.
      {TEAM_BLUE, TEAM_RED, 0, 0, 11.32f, 11.32f, 9.9f},
      {TEAM_NONE, TEAM_NONE, 0, 0, 11.32f, 11.32f, 9.9f},
      // A flag carrier's kill earns a hold kill and 0.8 skill: 11.32 + 0.8 = 12.12, ...
      {TEAM_BLUE, TEAM_RED, 1, 0, 12.12f, 11.32f, 9.9f},
      // ... also when the victim is a team mate: 10 - 2 + 0.8 = 8.8.
      {TEAM_RED, TEAM_RED, 1, 1, 8.8f, 8.0f, 10.0f},
  };
  for (const auto& c : cases) {
    reset();
    ann.team = c.killerTeam;
    bob.team = c.victimTeam;
    ann.haveFlag = c.carrier;
    updateTables(testGame(), lineOf("Bob^7 was railed by Ann^7"), lineSlots());
    SCOPED_TRACE(testing::Message() << c.killerTeam << c.victimTeam << c.carrier);
    EXPECT_EQ(c.teamKills, ann.teamKills);
    // Kills and frags are totalled at the end of the game; only a team kill takes one off now.
    EXPECT_EQ(-c.teamKills, ann.frags);
    EXPECT_EQ(-c.teamKills, ann.kills);
    EXPECT_EQ(c.carrier, ann.holdKills);
    EXPECT_EQ(c.carrier, ann.haveFlag);
    EXPECT_EQ(c.skill, ann.skill);
    EXPECT_EQ(c.combat, ann.combat);
    EXPECT_EQ(c.victimCombat, bob.combat);
    // Counted in both tables either way, so the totals can take the team kill out again.
    EXPECT_EQ(1, ann.killTable[WP_RAILGUN][0]);
    EXPECT_EQ(1, bob.deathTable[WP_RAILGUN][1]);
  }
}

TEST_F(Frags, LinesWithoutTwoKnownPlayersOrAWeaponChangeNothing) {
  EXPECT_EQ(0.0f, getKalimoPoints(WP_UNKNOWN));
  EXPECT_EQ(0.0f, getKalimoPoints(-1));
  static PlayerRecord before[2];
  std::memcpy(static_cast<void*>(before), &players()[0], sizeof before);
  for (const char* line : {
           "Bob^7 was railed by Zed^7",  // killer not in the table
           "Zed^7 was railed by Ann^7",  // victim not in the table
           "Bob^7 ate Ann^7's lunch",    // unrecognised means of death (code 14)
           "Bob^7 renamed to Ann^7",     // two names, no means of death
           "Bob^7 entered the game",
       }) {
    updateTables(testGame(), lineOf(line), lineSlots());
    EXPECT_EQ(0, std::memcmp(before, &players()[0], sizeof before)) << line;
  }
}

}  // namespace
