// The lines that describe the match: announcements, map, rounds, connects, renames and leaves.
#include "game/match_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "players_test_support.h"
#include "base/strutil.h"

namespace {

class MatchInfo : public testing::Test {
 protected:
  void SetUp() override { TearDown(), players_test::freshGame(); }
  void TearDown() override { testGame().log.g_mod = testGame().log.g_log_type = 0; }

  // Feeds one raw line as the main loop would and returns the handler's verdict.
  static int feed(const std::string& text) {
    return updateMiscInfo(testGame(), lineOf(text)) == LineUse::kHandled ? 1 : 0;
  }
};

TEST_F(MatchInfo, ConnectStepsInOrderEndOnRendererRestart) {
  testGame().log.g_mod = 1;
  EXPECT_EQ(1, feed("]/connect 10.0.0.1"));
  EXPECT_EQ(1, testGame().state.g_connect_sequence);
  EXPECT_EQ(1, feed("10.0.0.1 resolved to 10.0.0.1:27960"));
  EXPECT_EQ(2, testGame().state.g_connect_sequence);
  EXPECT_EQ(0, feed("RE_Shutdown( 0 )"));  // passed on: the boundary step ends the game
  EXPECT_EQ(13, testGame().state.g_connect_sequence);
  EXPECT_EQ(0, testGame().log.g_mod);
  // The steps count only in order.
  testGame().state.g_connect_sequence = 0;
  EXPECT_EQ(0, feed("10.0.0.1 resolved to 10.0.0.1:27960"));
  EXPECT_EQ(0, testGame().state.g_connect_sequence);
  EXPECT_EQ(0, feed("]_connect 10.0.0.1"));  // a backslash command arrives as "_"
  EXPECT_EQ(0, testGame().state.g_connect_sequence);
}

TEST_F(MatchInfo, RenameKeepsTheRecordUnderItsNewName) {
  players().addPlayer("^1Old");
  players()[0].kills = 4;
  EXPECT_EQ(1, feed("^1Old^7 renamed to ^2New^7"));
  EXPECT_EQ("^2New", players()[0].rawName.view());
  EXPECT_EQ("New", players()[0].name.view());
  EXPECT_EQ(4, players()[0].kills);
  EXPECT_EQ(1, feed("Ghost^7 renamed to Spirit"));  // unknown: nothing visible
  EXPECT_EQ(1, players().getTotalPlayers());
}

TEST_F(MatchInfo, LeavingPlayersAreClosedUnderAMarker) {
  players().addPlayer("Bob");
  players().addPlayer("Kim");
  EXPECT_EQ(1, feed("Bob^7 disconnected"));
  EXPECT_EQ("Bob^7<font color=#CC6600>&nbsp;x</font>", players()[0].rawName.view());
  EXPECT_EQ(1, players()[0].disconnected);
  EXPECT_EQ(1, feed("Kim^7 was kicked"));
  EXPECT_EQ(1, players()[1].disconnected);
  EXPECT_EQ(1, feed("Stranger^7 disconnected"));
  EXPECT_EQ(2, players().getTotalPlayers());
}

TEST_F(MatchInfo, ReentryOnAnotherTeamIsNumberedInClientLogsOnly) {
  players().addPlayer("Ann");
  players()[0].team = TEAM_RED;
  EXPECT_EQ(0, feed("Ann^7 entered the game (^1RED^7)"));  // same team: nothing marked
  EXPECT_EQ("Ann", players()[0].rawName.view());
  EXPECT_EQ(0, feed("Ann^7 entered the game (^4BLUE^7)"));
  EXPECT_EQ("Ann^7<font color=#CC6600>&nbsp;1</font>", players()[0].rawName.view());
  EXPECT_EQ(1, players()[0].disconnected);
  EXPECT_EQ(1, testGame().state.g_int_swap);
  EXPECT_EQ(0, feed("Newbie^7 entered the game"));  // not yet registered: nothing to mark
  EXPECT_EQ(1, testGame().state.g_int_swap);
  // Server logs mark no re-entries.
  testGame().log.g_log_type = 1;
  players().addPlayer("Kim");
  players()[1].team = TEAM_RED;
  EXPECT_EQ(0, feed("Kim^7 entered the game (^4BLUE^7)"));
  EXPECT_EQ("Kim", players()[1].rawName.view());
}

TEST_F(MatchInfo, LongNamesLoseTwoBytesInDisconnectLines) {
  // The game prints a 31-byte name with two bytes too many at 29 and 30 here; once they are
  // gone the line names the 29-byte record.
  const std::string cut = "ABCDEFGHIJKLMNOPQRSTUVWXYZabc";  // 29 bytes
  players().addPlayer(cut);
  EXPECT_EQ(1, feed(cut + "xy^7 disconnected"));
  EXPECT_EQ(cut + "^7<font color=#CC6600>&nbsp;x</font>", players()[0].rawName.view());
}


}  // namespace
