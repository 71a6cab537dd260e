// End-of-game repairs: cut and whole names joined, missing teams guessed, blank names marked.
#include "players/reconcile.h"

#include <gtest/gtest.h>

#include <string>

#include "players/player_table.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace {

// 35 characters; the obituaries print the first 29.
const std::string kWholeName = "Sir_Reginald_Fragsworth_Of_Quake3DM";
const std::string kCutName = "Sir_Reginald_Fragsworth_Of_Qu";
const std::string kMergeSeparator = "<font color=#CC6600> / </font>";
const std::string kMergeMarker = "^7<font color=#CC6600>&nbsp;+</font>";
const std::string kGuessMarker = "^7&nbsp;<font color=#CC6600>~</font>";

std::string mergeMessage(const std::string& cut, const std::string& whole) {
  return "\nPossible Duplicate Player detected:\n" + cut + "\n" + whole + "\nMerging Players.\n\n";
}

class Reconcile : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    initGlobals();
    resetScratchPool();
  }
};

TEST_F(Reconcile, LongNameSeenCutAndWholeBecomesOneRecord) {
  addPlayer("Ann");       // slot 0
  addPlayer(kCutName);    // slot 1: obituaries
  addPlayer(kWholeName);  // slot 2: team and flag announcements
  PlayerRecord& ann = q3players[0];
  PlayerRecord& cut = q3players[1];
  PlayerRecord& whole = q3players[2];
  ann.skill = 20.0f;
  ann.killTable[6][1] = 3;
  cut.killTable[6][0] = 7;
  cut.kills = 7;
  cut.frags = -1;
  cut.suicides = 1;
  cut.holdKills = 2;
  cut.touches = 1;
  cut.haveFlag = 1;
  cut.skill = 14.5f;
  cut.combat = 12.0f;
  whole.kills = 3;  // not carried over: the kills are the cut record's
  whole.team = TEAM_BLUE;
  whole.touches = 3;
  whole.caps = 2;
  whole.returns = 1;
  whole.efcKills = 1;
  whole.efcKillAssists = 1;
  whole.returnAssists = 1;
  whole.fcDefends = 1;
  whole.fcDefendsAgr = 1;
  whole.baseDefends = 1;
  whole.carrierDefends = 4;  // not carried over
  whole.skill = 20.25f;
  whole.combat = 10.5f;

  testing::internal::CaptureStdout();
  mergeAllIdenticalPlayers();
  EXPECT_EQ(mergeMessage(kCutName, kWholeName), testing::internal::GetCapturedStdout());

  // The merged record (skill 14.5 + 20.25 = 34.75) sorts above Ann (20).
  ASSERT_EQ(2, getTotalPlayers());
  const PlayerRecord& merged = q3players[0];
  EXPECT_EQ(kWholeName + kMergeSeparator + kCutName + kMergeMarker, merged.rawName.view());
  EXPECT_EQ(kWholeName, merged.name.view());
  EXPECT_EQ(7, merged.kills);
  EXPECT_EQ(7, merged.killTable[6][1]);  // Ann's column, moved with her
  EXPECT_EQ(-1, merged.frags);
  EXPECT_EQ(1, merged.suicides);
  EXPECT_EQ(2, merged.holdKills);
  EXPECT_EQ(4, merged.touches);
  EXPECT_EQ(2, merged.caps);
  EXPECT_EQ(1, merged.returns);
  EXPECT_EQ(1, merged.efcKills);
  EXPECT_EQ(1, merged.efcKillAssists);
  EXPECT_EQ(1, merged.returnAssists);
  EXPECT_EQ(1, merged.fcDefends);
  EXPECT_EQ(1, merged.fcDefendsAgr);
  EXPECT_EQ(1, merged.baseDefends);
  EXPECT_EQ(0, merged.carrierDefends);
  EXPECT_EQ(1, merged.haveFlag);
  EXPECT_EQ(TEAM_BLUE, merged.team);
  EXPECT_EQ(34.75f, merged.skill);
  EXPECT_EQ(22.5f, merged.combat);  // 12 + 10.5
  EXPECT_EQ("Ann", q3players[1].rawName.view());
  EXPECT_EQ(3, q3players[1].killTable[6][0]);
  EXPECT_TRUE(q3players[2].rawName.empty());
}

TEST_F(Reconcile, BothEntriesReturnTheMergedSlot) {
  addPlayer("Ann");       // slot 0
  addPlayer(kCutName);    // slot 1
  addPlayer(kWholeName);  // slot 2
  q3players[0].skill = 20.0f;
  q3players[1].skill = 15.0f;
  testing::internal::CaptureStdout();
  // 15 + 10 = 25 > 20: the merged record ends in slot 0.
  EXPECT_EQ(0, mergeIdenticalPlayerNonChopped(2));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(2, getTotalPlayers());

  initPlayers();
  addPlayer(kCutName);    // slot 0
  addPlayer("Ann");       // slot 1
  addPlayer(kWholeName);  // slot 2
  q3players[1].skill = 30.0f;
  testing::internal::CaptureStdout();
  // 10 + 10 = 20 < 30: Ann moves to slot 0.
  EXPECT_EQ(1, mergeIdenticalPlayerChopped(0));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(kWholeName + kMergeSeparator + kCutName + kMergeMarker, q3players[1].rawName.view());
}

TEST_F(Reconcile, CutInsideAColourCodeDropsTheLoneCaret) {
  // The whole name has no caret after "Quak", but the key without it still matches.
  addPlayer("^1Reginald_Fragsworth_OfQuak^");  // 29 characters, the last a caret
  addPlayer("^1Reginald_Fragsworth_OfQuake3");
  testing::internal::CaptureStdout();
  EXPECT_EQ(0, mergeIdenticalPlayerChopped(0));
  // Names are printed without colour codes; a caret at the end vanishes.
  EXPECT_EQ(mergeMessage("Reginald_Fragsworth_OfQuak", "Reginald_Fragsworth_OfQuake3"),
            testing::internal::GetCapturedStdout());
  EXPECT_EQ(1, getTotalPlayers());
}

TEST_F(Reconcile, TwoLongNamesSharingTheCutAreAmbiguous) {
  addPlayer(kCutName);                // slot 0
  addPlayer(kWholeName);              // slot 1
  addPlayer(kCutName + "akeLive");    // slot 2
  q3players[0].team = TEAM_RED;
  q3players[2].team = TEAM_BLUE;

  testing::internal::CaptureStdout();
  mergeAllIdenticalPlayers();
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_EQ(3, getTotalPlayers());
  EXPECT_EQ(TEAM_NONE, q3players[0].team);
  EXPECT_EQ(kCutName, q3players[0].rawName.view());

  // Once one of them has left (its record is marked), the other is the only partner.
  q3players[1].rawName.append("^7<font color=#CC6600>&nbsp;x</font>");
  testing::internal::CaptureStdout();
  EXPECT_EQ(0, mergeIdenticalPlayerChopped(0));
  EXPECT_EQ(mergeMessage(kCutName, kCutName + "akeLive"), testing::internal::GetCapturedStdout());
  EXPECT_EQ(2, getTotalPlayers());
  EXPECT_EQ(TEAM_BLUE, q3players[0].team);
}

TEST_F(Reconcile, NamesWithoutATwinAreLeftAlone) {
  addPlayer("ExactlyTwentyNineCharactersXY");           // 29, contained in no other name
  addPlayer("TwentyEightCharacterNameHere");            // 28: never a cut name
  addPlayer("TwentyEightCharacterNameHere_and_more");
  addPlayer("Ann");

  testing::internal::CaptureStdout();
  mergeAllIdenticalPlayers();
  EXPECT_EQ(NO_PLAYER, mergeIdenticalPlayerChopped(0));
  EXPECT_EQ(NO_PLAYER, mergeIdenticalPlayerChopped(1));
  EXPECT_EQ(NO_PLAYER, mergeIdenticalPlayerNonChopped(0));  // only contains itself
  EXPECT_EQ(NO_PLAYER, mergeIdenticalPlayerNonChopped(2));
  EXPECT_EQ(NO_PLAYER, mergeIdenticalPlayerChopped(NO_PLAYER));
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_EQ(4, getTotalPlayers());
  EXPECT_EQ("ExactlyTwentyNineCharactersXY", q3players[0].rawName.view());
}

TEST_F(Reconcile, MergeAllJoinsEveryPair) {
  const std::string cutB = "Lady_Gwendolyn_Railington_III";  // 29
  addPlayer(kCutName);
  addPlayer("Ann");
  addPlayer(cutB);
  addPlayer(kWholeName);
  addPlayer(cutB + "_of_Q3DM17");
  testing::internal::CaptureStdout();
  mergeAllIdenticalPlayers();
  EXPECT_EQ(mergeMessage(kCutName, kWholeName) + mergeMessage(cutB, cutB + "_of_Q3DM17"),
            testing::internal::GetCapturedStdout());
  ASSERT_EQ(3, getTotalPlayers());
  // Merged ratings are 20, Ann's 10: the two merged records lead, in their original order.
  EXPECT_EQ(kWholeName + kMergeSeparator + kCutName + kMergeMarker, q3players[0].rawName.view());
  EXPECT_EQ(cutB + "_of_Q3DM17" + kMergeSeparator + cutB + kMergeMarker,
            q3players[1].rawName.view());
  EXPECT_EQ("Ann", q3players[2].rawName.view());
}

TEST_F(Reconcile, MergedNameTooLongForItsFieldIsCutAndStillFound) {
  const std::string whole = kCutName + std::string(461, 'x');  // 490 characters
  // Stripping a name this long overflows the scratch pool, which says so on stdout.
  testing::internal::CaptureStdout();
  addPlayer(kCutName);
  addPlayer(whole);
  testing::internal::GetCapturedStdout();
  resetScratchPool();
  testing::internal::CaptureStdout();
  const int merged = mergeIdenticalPlayerChopped(0);
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(0, merged);
  // 490 + 30 + 29 + 36 = 585 bytes do not fit; the field keeps 509.
  EXPECT_EQ(509u, q3players[0].rawName.size());
  EXPECT_EQ(whole + kMergeSeparator.substr(0, 19), q3players[0].rawName.view());
}

TEST_F(Reconcile, TeamsGuessedFromKillersThenFromVictims) {
  addPlayer("Ann");  // 0 red
  addPlayer("Bob");  // 1 blue
  addPlayer("Cat");  // 2
  addPlayer("Dan");  // 3
  addPlayer("Eve");  // 4
  addPlayer("Fay");  // 5
  q3players[0].team = TEAM_RED;
  q3players[1].team = TEAM_BLUE;
  PlayerRecord& cat = q3players[2];
  PlayerRecord& dan = q3players[3];
  PlayerRecord& eve = q3players[4];
  PlayerRecord& fay = q3players[5];
  // Cat: railed by Ann (row 6) and grenaded by Bob (row 3); rows come first, so Bob decides.
  cat.deathTable[6][0] = 1;
  cat.deathTable[3][1] = 1;
  // Dan: shot by Cat, who has no team yet when Dan is examined (the pass runs from the last
  // slot down); nailed by Ann, but the nail gun row is never searched.
  dan.deathTable[2][2] = 1;
  dan.deathTable[9][0] = 4;
  dan.killTable[0][4] = 1;  // Dan gauntleted Eve
  // Eve killed Ann: examined first in the kills pass, she becomes blue, which Dan then sees.
  eve.killTable[5][0] = 1;
  fay.killTable[11][1] = 2;  // telefrags are not searched either

  testing::internal::CaptureStdout();
  assignTeamToUnknownPlayers();
  EXPECT_EQ(
      "Trying to guess-timate team for player (deaths): Fay\n"
      "Trying to guess-timate team for player (deaths): Eve\n"
      "Trying to guess-timate team for player (deaths): Dan\n"
      "Trying to guess-timate team for player (deaths): Cat\n"
      "Trying to guess-timate team for player  (kills): Fay\n"
      "Trying to guess-timate team for player  (kills): Eve\n"
      "Trying to guess-timate team for player  (kills): Dan\n",
      testing::internal::GetCapturedStdout());
  EXPECT_EQ(TEAM_RED, cat.team);
  EXPECT_EQ(TEAM_BLUE, eve.team);
  EXPECT_EQ(TEAM_RED, dan.team);  // opposite Eve
  EXPECT_EQ(TEAM_NONE, fay.team);
  EXPECT_EQ("Cat" + kGuessMarker, cat.rawName.view());
  EXPECT_EQ("Dan" + kGuessMarker, dan.rawName.view());
  EXPECT_EQ("Fay", fay.rawName.view());
  EXPECT_EQ("Cat", cat.name.view());
  EXPECT_EQ("Ann", q3players[0].rawName.view());
}

TEST_F(Reconcile, NoGuessingWithoutBothTeamsAndATeamlessPlayer) {
  addPlayer("Ann");
  addPlayer("Cat");
  q3players[0].team = TEAM_RED;
  q3players[1].deathTable[6][0] = 1;  // killed by a red player, but nobody is blue
  testing::internal::CaptureStdout();
  assignTeamToUnknownPlayers();
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_EQ(TEAM_NONE, q3players[1].team);

  q3players[1].team = TEAM_BLUE;  // everybody has a team
  testing::internal::CaptureStdout();
  assignTeamToUnknownPlayers();
  EXPECT_EQ("", testing::internal::GetCapturedStdout());
  EXPECT_EQ("Cat", q3players[1].rawName.view());
}

TEST_F(Reconcile, BlankNamesAreMarked) {
  addPlayer("^7");   // name "" once the colour code is stripped
  addPlayer("   ");
  addPlayer(" a ");
  fixPlayerNames();
  EXPECT_EQ("\\_", q3players[0].name.view());
  EXPECT_EQ("^7^7<font color=#CC6600>_</font>", q3players[0].rawName.view());
  EXPECT_EQ("   \\_", q3players[1].name.view());
  EXPECT_EQ("   ^7<font color=#CC6600>_</font>", q3players[1].rawName.view());
  EXPECT_EQ(" a ", q3players[2].name.view());
  EXPECT_EQ(" a ", q3players[2].rawName.view());
}

}  // namespace
