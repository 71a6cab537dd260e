// Where games end, which of them earn a page, and what is cleared for the next one.
#include "run/game.h"

#include <gtest/gtest.h>

#include <string>

#include "../html/html_test_support.h"
#include "log/match_info.h"
#include "players/player_table.h"
#include "run/main_loop.h"
#include "run/scratch_pool.h"

namespace {

class GameBoundary : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    initGlobals();
    resetScratchPool();
    g_run.g_mod = 0;
    g_run.g_game_count = kFirstGameId;
  }
  void TearDown() override { g_run.g_mod = 0; }

  // Runs the boundary step on `line` and returns what it printed.
  std::string boundary(const std::string& line) {
    testing::internal::CaptureStdout();
    checkForNewGameStart(line);
    return testing::internal::GetCapturedStdout();
  }
};


TEST_F(GameBoundary, OtherLinesLeaveTheGameRunning) {
  addPlayer("A");
  addPlayer("B");
  g_game.g_gametype = 3;
  // A warm-up text with more around it, an entry (a boundary text that acts on nothing) and an
  // obituary: none ends the game.
  for (const char* line : {"Server: ^3Match has begun!", "C^7 entered the game", "A^7 was railed by B^7"}) {
    EXPECT_EQ("", boundary(line)) << line;
    EXPECT_EQ(2, getTotalPlayers()) << line;
    EXPECT_EQ(0, g_game.g_reset_count) << line;
  }
  EXPECT_EQ(3, g_game.g_gametype);
}

TEST_F(GameBoundary, MatchCompleteEndsAGameOnlyUnderOsp) {
  addPlayer("A");
  EXPECT_EQ("", boundary("MATCH COMPLETE"));
  EXPECT_EQ(1, getTotalPlayers());
  g_run.g_mod = 1;
  EXPECT_EQ("", boundary("MATCH COMPLETE"));  // one player: ended without a page
  EXPECT_EQ(0, getTotalPlayers());
  EXPECT_EQ(1, g_run.g_mod);  // the OSP mark outlives the game
}

TEST_F(GameBoundary, GamesWithoutEnoughPlayersEndSilently) {
  addPlayer("Lonely");
  EXPECT_EQ("", boundary("Timelimit hit."));
  EXPECT_EQ(0, getTotalPlayers());
  EXPECT_EQ(kFirstGameId, g_run.g_game_count);

  // A CTF game whose players are all red: its type asks for both teams.
  addPlayer("A");
  addPlayer("B");
  q3players[0].team = TEAM_RED;
  q3players[1].team = TEAM_RED;
  g_game.g_gametype = 2;
  EXPECT_EQ("", boundary("ERROR: Disconnected from server"));
  EXPECT_EQ(0, getTotalPlayers());
  EXPECT_EQ(kFirstGameId, g_run.g_game_count);
}

TEST_F(GameBoundary, CompletedConnectSequenceEndsTheGame) {
  addPlayer("A");
  g_game.g_connect_sequence = kGameEnded;
  g_game.g_mapname = "q3dm17";
  g_game.g_ca_win_red = 3;
  EXPECT_EQ("", boundary("RE_Shutdown( 0 )"));
  EXPECT_EQ(0, getTotalPlayers());
  EXPECT_EQ(0, g_game.g_connect_sequence);
  EXPECT_TRUE(g_game.g_mapname.empty());
  EXPECT_EQ(0, g_game.g_ca_win_red);
}

// The end-of-game pipeline with a real page: run in a scratch directory.
class GamePage : public GameBoundary {
 protected:
  void SetUp() override {
    GameBoundary::SetUp();
    html_test::resetHtmlState();
    g_run.g_time_now = "2001-08-10,12-00-00";
    sql_ = std::tmpfile();
    g_run.fp_sql_gamestats = sql_;
  }
  void TearDown() override {
    g_run.fp_sql_gamestats = nullptr;
    std::fclose(sql_);
    GameBoundary::TearDown();
  }
  void twoPlayersWithAKill() {
    addPlayer("A");
    addPlayer("B");
    q3players[0].killTable[6][1] = 1;
    q3players[1].deathTable[6][0] = 1;
  }
  std::FILE* sql_ = nullptr;
  html_test::ScratchDirectory dir_;
};

TEST_F(GamePage, IdsWrapAfterTheLastOne) {
  g_run.g_game_count = kLastGameId;
  twoPlayersWithAKill();
  const std::string out = boundary("Timelimit hit.");
  EXPECT_NE(std::string::npos, out.find("\nGenerating Stats ----------------<GAME ID 1001>-----\n"
                                         "TOTAL PLAYERS -> 2\n"));
  EXPECT_EQ(1001, g_run.g_game_count);
  EXPECT_EQ(nullptr, fpw);
  EXPECT_EQ(0, getTotalPlayers());
}

TEST_F(GamePage, AReconnectForcesThePageAndSaysSo) {
  twoPlayersWithAKill();
  g_game.g_connect_sequence = kGameEnded;
  const std::string out = boundary("RE_Shutdown( 0 )");
  EXPECT_EQ(0u, out.find("\nServer connect/reconnect detected:\nForcing html stats generation.\n"
                        "\nGenerating Stats ----------------<GAME ID 1001>-----\n"));
}

TEST_F(GamePage, ATwoPlayerTeamDeathmatchIsJudgedAsFreeForAll) {
  // Both on red: still a page, because the game type only becomes team deathmatch later.
  twoPlayersWithAKill();
  q3players[0].team = TEAM_RED;
  q3players[1].team = TEAM_RED;
  EXPECT_NE(std::string::npos, boundary("Timelimit hit.").find("<GAME ID 1001>"));
}

}  // namespace
