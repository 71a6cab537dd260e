// Kills and suicides as they are counted line by line: tables, streaks, team kills and ratings.
#include "players/frags.h"

#include <gtest/gtest.h>

#include "players/obituary.h"
#include "players/player_table.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace {

class Frags : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    g_gametype = 0;
    resetScratchPool();
    addPlayer("Bob");  // slot 0
    addPlayer("Ann");  // slot 1
  }
  PlayerRecord& bob = q3players[0];
  PlayerRecord& ann = q3players[1];
};

TEST(KalimoPoints, SuicidesAndUnknownMeansWeighNothing) {
  EXPECT_EQ(1.15f, getKalimoPoints(WP_LIGHTNING));
  EXPECT_EQ(1.5f, getKalimoPoints(WP_GRAPPLE));
  EXPECT_EQ(0.0f, getKalimoPoints(WP_SUICIDE));
  EXPECT_EQ(0.0f, getKalimoPoints(WP_ALL));
  EXPECT_EQ(0.0f, getKalimoPoints(WP_UNKNOWN));
  EXPECT_EQ(0.0f, getKalimoPoints(-1));
}

TEST_F(Frags, RailKillBetweenFreshPlayers) {
  updateTables("Bob^7 was railed by Ann^7");

  EXPECT_EQ(1, ann.killTable[WP_RAILGUN][0]);
  EXPECT_EQ(1, bob.deathTable[WP_RAILGUN][1]);
  EXPECT_EQ(0, ann.deathTable[WP_RAILGUN][0]);
  EXPECT_EQ(0, bob.killTable[WP_RAILGUN][1]);

  // 10 + 1.2 * (1 + 10/100) = 11.32 for both ratings; the victim's combat 10 - 10/100 = 9.9.
  EXPECT_EQ(11.32f, ann.skill);
  EXPECT_EQ(11.32f, ann.combat);
  EXPECT_EQ(10.0f, bob.skill);
  EXPECT_EQ(9.9f, bob.combat);

  // Kills and frags are only totalled at the end of the game.
  EXPECT_EQ(0, ann.kills);
  EXPECT_EQ(0, ann.frags);

  EXPECT_EQ(1, ann.currentKillStreak);
  EXPECT_EQ(1, ann.killStreak);
  EXPECT_EQ(1, bob.currentDeathStreak);
  EXPECT_EQ(1, bob.deathStreak);
}

TEST_F(Frags, RatingsCompoundWithTheVictimsRatingAtThatMoment) {
  updateTables("Bob^7 was railed by Ann^7");
  updateTables("Bob^7 was railed by Ann^7");
  // skill: 11.32 + 1.2 * (1 + 10/100); the stored float 11.3199997 plus the float kill value
  // 1.32000005 is 12.63999975, which rounds to the float 12.6399994, one step below the
  // float nearest 12.64. combat: 11.32 + 1.2 * (1 + 9.9/100) = 12.6388;
  // Bob's combat: 9.9 - 0.099 = 9.801.
  EXPECT_EQ(12.6399994f, ann.skill);
  EXPECT_EQ(12.6388f, ann.combat);
  EXPECT_EQ(9.801f, bob.combat);

  updateTables("Ann^7 ate Bob^7's rocket");
  // Bob: skill 10 + 1.1 * (1 + 12.64/100) = 11.23904;
  //      combat 9.801 + 1.1 * (1 + 12.6388/100) = 9.801 + 1.2390268 = 11.0400268.
  // Ann: combat 12.6388 - 0.126388 = 12.512412; skill untouched by dying.
  EXPECT_EQ(11.23904f, bob.skill);
  EXPECT_EQ(11.0400268f, bob.combat);
  EXPECT_EQ(12.512412f, ann.combat);
  EXPECT_EQ(12.6399994f, ann.skill);
  EXPECT_EQ(1, bob.killTable[WP_ROCKET][1]);
  EXPECT_EQ(1, ann.deathTable[WP_ROCKET][0]);

  // Streaks: Ann's run of two ended, Bob's run of two deaths ended.
  EXPECT_EQ(2, ann.killStreak);
  EXPECT_EQ(0, ann.currentKillStreak);
  EXPECT_EQ(1, ann.currentDeathStreak);
  EXPECT_EQ(1, bob.currentKillStreak);
  EXPECT_EQ(2, bob.deathStreak);
  EXPECT_EQ(0, bob.currentDeathStreak);
}

TEST_F(Frags, SuicideCostsCombatAndEndsTheKillRun) {
  updateTables("Ann^7 was railed by Bob^7");
  updateTables("Ann^7 was railed by Bob^7");
  const float skillBefore = bob.skill;
  bob.combat = 10.0f;
  bob.haveFlag = 1;

  updateTables("Bob^7 cratered.");
  EXPECT_EQ(1, bob.killTable[WP_SUICIDE][0]);
  EXPECT_EQ(1, bob.deathTable[WP_SUICIDE][0]);
  // 10 - 10/95 = 9.894736842...
  EXPECT_EQ(9.8947368f, bob.combat);
  EXPECT_EQ(skillBefore, bob.skill);
  EXPECT_EQ(0, bob.haveFlag);  // the flag is dropped
  EXPECT_EQ(0, bob.holdKills);
  EXPECT_EQ(2, bob.killStreak);
  EXPECT_EQ(0, bob.currentKillStreak);
  EXPECT_EQ(1, bob.currentDeathStreak);
  EXPECT_EQ(1, bob.deathStreak);

  updateTables("Ann^7 was railed by Bob^7");
  EXPECT_EQ(2, bob.killStreak);  // a new run of one does not beat the old two
  EXPECT_EQ(1, bob.currentKillStreak);
  EXPECT_EQ(0, bob.currentDeathStreak);
}

TEST_F(Frags, TeamKillIsPunishedButStillCountedInTheTables) {
  ann.team = TEAM_RED;
  bob.team = TEAM_RED;
  updateTables("Bob^7 was railed by Ann^7");
  EXPECT_EQ(8.0f, ann.skill);
  EXPECT_EQ(8.0f, ann.combat);
  EXPECT_EQ(-1, ann.frags);
  EXPECT_EQ(-1, ann.kills);
  EXPECT_EQ(1, ann.teamKills);
  EXPECT_EQ(10.0f, bob.combat);  // the victim loses nothing
  EXPECT_EQ(1, ann.killTable[WP_RAILGUN][0]);
  EXPECT_EQ(1, bob.deathTable[WP_RAILGUN][1]);
  EXPECT_EQ(1, ann.killStreak);
  EXPECT_EQ(1, bob.deathStreak);

  // Blue team mates likewise; opposite teams are an ordinary kill.
  initPlayers();
  addPlayer("Bob");
  addPlayer("Ann");
  bob.team = TEAM_BLUE;
  ann.team = TEAM_BLUE;
  updateTables("Bob^7 was railed by Ann^7");
  EXPECT_EQ(1, ann.teamKills);
  bob.team = TEAM_RED;
  updateTables("Bob^7 was railed by Ann^7");
  EXPECT_EQ(1, ann.teamKills);
  // 8 + 1.2 * (1 + 10/100) = 9.32
  EXPECT_EQ(9.32f, ann.skill);
}

TEST_F(Frags, FlagCarrierKillEarnsAHoldKill) {
  ann.haveFlag = 1;
  updateTables("Bob^7 was railed by Ann^7");
  EXPECT_EQ(1, ann.holdKills);
  EXPECT_EQ(12.12f, ann.skill);   // 11.32 + 0.8
  EXPECT_EQ(11.32f, ann.combat);  // the bonus is skill only
  EXPECT_EQ(1, ann.haveFlag);

  // Also when the victim is a team mate: 12.12 - 2 + 0.8 = 10.92.
  ann.team = TEAM_BLUE;
  bob.team = TEAM_BLUE;
  updateTables("Bob^7 was railed by Ann^7");
  EXPECT_EQ(2, ann.holdKills);
  EXPECT_EQ(10.92f, ann.skill);
}

TEST_F(Frags, LinesWithoutTwoKnownPlayersOrAWeaponChangeNothing) {
  updateTables("Bob^7 was railed by Zed^7");   // killer not in the table
  updateTables("Zed^7 was railed by Ann^7");   // victim not in the table
  updateTables("Bob^7 ate Ann^7's lunch");     // " ate " without a weapon: no killer
  updateTables("Bob^7 renamed to Ann^7");      // two names, no means of death
  updateTables("Bob^7 entered the game");
  for (PlayerRecord* p : {&bob, &ann}) {
    EXPECT_EQ(10.0f, p->skill);
    EXPECT_EQ(10.0f, p->combat);
    EXPECT_EQ(0, p->currentDeathStreak);
    EXPECT_EQ(0, p->currentKillStreak);
    for (int w = 0; w < kWeaponRows; ++w) {
      for (int s = 0; s < kTableSlots; ++s) {
        EXPECT_EQ(0, p->killTable[w][s]);
        EXPECT_EQ(0, p->deathTable[w][s]);
      }
    }
  }
}

}  // namespace
