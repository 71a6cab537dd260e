// End-of-game repairs: cut and whole names joined, missing teams guessed, blank names marked.
#include "game/reconcile.h"

#include <gtest/gtest.h>

#include <string>

#include "players_test_support.h"

namespace {

using players_test::kCutName;
using players_test::kWholeName;
const std::string kMergeSeparator = "<font color=#CC6600> / </font>";
const std::string kMergeMarker = "^7<font color=#CC6600>&nbsp;+</font>";
const std::string kGuessMarker = "^7&nbsp;<font color=#CC6600>~</font>";

std::string mergeMessage(const std::string& cut, const std::string& whole) {
  return "\nPossible Duplicate Player detected:\n" + cut + "\n" + whole + "\nMerging Players.\n\n";
}

std::string merged(const std::string& cut, const std::string& whole) {
  return whole + kMergeSeparator + cut + kMergeMarker;
}

using players_test::printed;

TEST(Reconcile, LongNameSeenCutAndWholeBecomesOneRecord) {
  players_test::freshGame({"Ann", kCutName, kWholeName});
  PlayerRecord& cut = players()[1];    // the obituaries' record
  PlayerRecord& whole = players()[2];  // the team and flag announcements' record
  const struct {
    int PlayerRecord::*field;
    int cut, whole, merged;
  } fields[] = {
      {&PlayerRecord::kills, 7, 3, 7},  // the kills are the cut record's
      {&PlayerRecord::frags, -1, 2, 1},
      {&PlayerRecord::suicides, 1, 2, 3},
      {&PlayerRecord::holdKills, 2, 1, 3},
      {&PlayerRecord::touches, 1, 3, 4},
      {&PlayerRecord::caps, 0, 2, 2},
      {&PlayerRecord::returns, 1, 1, 2},
      {&PlayerRecord::efcKills, 2, 1, 3},
      {&PlayerRecord::efcKillAssists, 0, 1, 1},
      {&PlayerRecord::returnAssists, 1, 2, 3},
      {&PlayerRecord::fcDefends, 0, 1, 1},
      {&PlayerRecord::fcDefendsAgr, 3, 1, 4},
      {&PlayerRecord::baseDefends, 1, 4, 5},
      {&PlayerRecord::carrierDefends, 0, 4, 0},  // not carried over
      {&PlayerRecord::haveFlag, 1, 0, 1},
      {&PlayerRecord::team, TEAM_NONE, TEAM_BLUE, TEAM_BLUE},
  };
  for (const auto& f : fields) {
    cut.*f.field = f.cut;
    whole.*f.field = f.whole;
  }
  players()[0].skill = 20.0f;
  cut.skill = 14.5f;
  cut.combat = 12.0f;
  whole.skill = 20.25f;
  whole.combat = 10.5f;

  EXPECT_EQ(mergeMessage(kCutName, kWholeName), printed([] { mergeAllIdenticalPlayers(players()); }));
  // The merged record (skill 14.5 + 20.25 = 34.75) sorts above Ann (20).
  ASSERT_EQ(2, players().getTotalPlayers());
  const PlayerRecord& m = players()[0];
  EXPECT_EQ(merged(kCutName, kWholeName), m.rawName.view());
  EXPECT_EQ(kWholeName, m.name.view());
  for (const auto& f : fields) EXPECT_EQ(f.merged, m.*f.field) << f.cut << " " << f.whole;
  EXPECT_EQ(34.75f, m.skill);
  EXPECT_EQ(22.5f, m.combat);       // 12 + 10.5
  EXPECT_EQ("Ann", players()[1].rawName.view());
  EXPECT_TRUE(players()[2].rawName.empty());
}

TEST(Reconcile, BothEntriesReturnTheMergedSlot) {
  players_test::freshGame({"Ann", kCutName, kWholeName});
  players()[0].skill = 20.0f;
  players()[1].skill = 15.0f;
  int slot = -1;
  printed([&] { slot = mergeIdenticalPlayerNonChopped(players(), 2); });
  EXPECT_EQ(0, slot);  // 15 + 10 = 25 > 20: the merged record ends in slot 0
  EXPECT_EQ(NO_PLAYER, mergeIdenticalPlayerNonChopped(players(), 1));  // Ann contains no cut name
  EXPECT_EQ(NO_PLAYER, mergeIdenticalPlayerChopped(players(), NO_PLAYER));

  players_test::freshGame({kCutName, "Ann", kWholeName});
  players()[1].skill = 30.0f;
  printed([&] { slot = mergeIdenticalPlayerChopped(players(), 0); });
  EXPECT_EQ(1, slot);  // 10 + 10 = 20 < 30: Ann moves to slot 0
  EXPECT_EQ(merged(kCutName, kWholeName), players()[1].rawName.view());
}

TEST(Reconcile, MergeAllJoinsEveryPairAndOnlyPairs) {
  // 29 characters, the last a caret: a colour code cut in half. The key without the caret
  // matches the whole name, which has no caret after "Quak".
  const std::string caretCut = "^1Reginald_Fragsworth_OfQuak^";
  const std::string caretWhole = "^1Reginald_Fragsworth_OfQuake3";
  players_test::freshGame({kCutName, "Ann", caretCut, kWholeName, caretWhole,
                "ExactlyTwentyNineCharactersXY",  // 29, contained in no other name
                "TwentyEightCharacterNameHere",   // 28: never a cut name
                "TwentyEightCharacterNameHere_and_more"});
  // Names are printed without colour codes; a caret at the end vanishes.
  EXPECT_EQ(mergeMessage(kCutName, kWholeName) +
                mergeMessage("Reginald_Fragsworth_OfQuak", "Reginald_Fragsworth_OfQuake3"),
            printed([] { mergeAllIdenticalPlayers(players()); }));
  ASSERT_EQ(6, players().getTotalPlayers());
  // Merged ratings are 20, the others 10: the two merged records lead, in their original order.
  EXPECT_EQ(merged(kCutName, kWholeName), players()[0].rawName.view());
  EXPECT_EQ(merged(caretCut, caretWhole), players()[1].rawName.view());
  EXPECT_EQ("ExactlyTwentyNineCharactersXY", players()[3].rawName.view());
}

TEST(Reconcile, TwoLongNamesSharingTheCutAreAmbiguous) {
  players_test::freshGame({kCutName, kWholeName, kCutName + "akeLive"});
  players()[0].team = TEAM_RED;
  players()[2].team = TEAM_BLUE;
  EXPECT_EQ("", printed([] { mergeAllIdenticalPlayers(players()); }));
  EXPECT_EQ(3, players().getTotalPlayers());
  EXPECT_EQ(TEAM_NONE, players()[0].team);

  // Once one of them has left (its record is marked), the other is the only partner.
  players()[1].rawName.append("^7<font color=#CC6600>&nbsp;x</font>");
  EXPECT_EQ(mergeMessage(kCutName, kCutName + "akeLive"), printed([] { mergeAllIdenticalPlayers(players()); }));
  EXPECT_EQ(TEAM_BLUE, players()[0].team);
}

TEST(Reconcile, MergedNameTooLongForItsFieldIsCutAndStillFound) {
  const std::string whole = kCutName + std::string(461, 'x');  // 490 characters
  int slot = -1;
  printed([&] {  // stripping a name this long overflows the scratch pool, which says so
    players_test::freshGame({kCutName, whole});
    resetScratchPool();
    slot = mergeIdenticalPlayerChopped(players(), 0);
  });
  ASSERT_EQ(0, slot);
  // 490 + 30 + 29 + 36 = 585 bytes do not fit; the field keeps 509.
  EXPECT_EQ(whole + kMergeSeparator.substr(0, 19), players()[0].rawName.view());
}

TEST(Reconcile, TeamsGuessedFromKillersThenFromVictims) {
  players_test::freshGame({"Ann", "Bob", "Cat", "Dan", "Eve", "Fay"});
  players()[0].team = TEAM_RED;
  players()[1].team = TEAM_BLUE;
  PlayerRecord& cat = players()[2];
  PlayerRecord& dan = players()[3];
  PlayerRecord& eve = players()[4];
  PlayerRecord& fay = players()[5];
  // Cat: railed by red Ann (row 6), grenaded by blue Bob (row 3); rows come first: red.
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

  const std::string deaths = "Trying to guess-timate team for player (deaths): ";
  const std::string kills = "Trying to guess-timate team for player  (kills): ";
  EXPECT_EQ(deaths + "Fay\n" + deaths + "Eve\n" + deaths + "Dan\n" + deaths + "Cat\n" + kills +
                "Fay\n" + kills + "Eve\n" + kills + "Dan\n",
            printed([] { assignTeamToUnknownPlayers(players()); }));
  EXPECT_EQ(TEAM_BLUE, eve.team);
  EXPECT_EQ(TEAM_RED, dan.team);  // opposite Eve
  EXPECT_EQ(TEAM_NONE, fay.team);
  EXPECT_EQ("Cat" + kGuessMarker, cat.rawName.view());
  EXPECT_EQ("Cat", cat.name.view());
  EXPECT_EQ("Fay", fay.rawName.view());
}

TEST(Reconcile, NoGuessingWithoutBothTeams) {
  players_test::freshGame({"Ann", "Cat"});
  players()[0].team = TEAM_RED;
  players()[1].deathTable[6][0] = 1;  // killed by a red player, but nobody is blue
  EXPECT_EQ("", printed([] { assignTeamToUnknownPlayers(players()); }));
  EXPECT_EQ(TEAM_NONE, players()[1].team);
  EXPECT_EQ("Cat", players()[1].rawName.view());
}

TEST(Reconcile, BlankNamesAreMarked) {
  players_test::freshGame({"^7", "   ", " a "});  // "^7" is "" once the colour code is stripped
  fixPlayerNames(players());
  EXPECT_EQ("\\_", players()[0].name.view());
  EXPECT_EQ("^7^7<font color=#CC6600>_</font>", players()[0].rawName.view());
  EXPECT_EQ("   \\_", players()[1].name.view());
  EXPECT_EQ("   ^7<font color=#CC6600>_</font>", players()[1].rawName.view());
  EXPECT_EQ(" a ", players()[2].rawName.view());
}

}  // namespace
