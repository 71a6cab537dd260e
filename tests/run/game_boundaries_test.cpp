// Where games end, which of them earn a page (written by the run's outputs), and what is cleared for the next one.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "../out/html_test_support.h"
#include "base/scratch_pool.h"
#include "game/tracker.h"
#include "read/means_of_death.h"
#include "run/config.h"
#include "run/game.h"

namespace {

constexpr std::string_view kRunStamp = "2001-08-10,12-00-00";

// The default configuration with main pages only, without the site's header and footer.
PageOptions mainPagesOnly() {
  Config config;
  config.g_config_make_weapon_stats = "no";
  config.g_config_header_file = "no-such-header.html";
  config.g_config_footer_file = "no-such-footer.html";
  return config.pageOptions();
}

// Each case runs in a scratch directory, so that a game that earns a page can write it.
class GameBoundary : public testing::Test {
 protected:
  void SetUp() override {
    resetScratchPool();
    tracker_ = std::make_unique<Tracker>("test.log", kRunStamp);
    sql_ = std::tmpfile();
  }
  void TearDown() override { std::fclose(sql_); }
  // Runs the boundary step on `line`, starting at `offset` of the log (and, for a game that
  // earns one, its pages) and returns what it printed.
  std::string boundary(const std::string& text, std::uint64_t offset = 0) {
    line_.setText(text);
    line_.span.offset = offset;
    testing::internal::CaptureStdout();
    if (tracker_->boundary(line_) == TrackerEvent::kGameFinished) {
      outputs_.writeGame(tracker_->result(), sql_);
      tracker_->startNextGame();
    }
    return testing::internal::GetCapturedStdout();
  }
  // Registers a player directly in the next free slot of the tracker's table.
  PlayerRecord& addTestPlayer(std::string_view rawName, int team) {
    PlayerTable& players = tracker_->game().players;
    PlayerRecord& p = players[players.getTotalPlayers()];
    p.rawName = rawName;
    p.name = rawName;
    p.team = team;
    return p;
  }
  // Two players, the first of whom railed the second.
  void twoPlayersWithAKill(int team) {
    addTestPlayer("A", team).killTable[6][1] = 1;
    addTestPlayer("B", team).deathTable[6][0] = 1;
  }
  std::FILE* sql_ = nullptr;
  GameOutputs outputs_{mainPagesOnly()};
  html_test::ScratchDirectory dir_;
  std::unique_ptr<Tracker> tracker_;
  LineRecord line_;
};

TEST_F(GameBoundary, EndingLinesEndTheGameAndOnlyGamesWithEnoughPlayersGetAPage) {
  const struct {
    const char* line;
    int type, players, team, osp, connect;
    bool ends, page;
  } cases[] = {
      // A warm-up text with more around it, an entry and an obituary end nothing.
      {"Server: ^3Match has begun!", GT_CA, 2, TEAM_RED, 0, 0, false, false},
      {"C^7 entered the game", GT_CA, 2, TEAM_RED, 0, 0, false, false},
      {"A^7 was railed by B^7", GT_CA, 2, TEAM_RED, 0, 0, false, false},
      // The exact warm-up lines drop the game without a page.
      {"^3Match has begun!", GT_FFA, 2, TEAM_NONE, 0, 0, true, false},
      {"^3All players ready!^7 Match starting...", GT_FFA, 2, TEAM_NONE, 0, 0, true, false},
      // MATCH COMPLETE ends a game only under OSP.
      {"MATCH COMPLETE", GT_FFA, 1, TEAM_NONE, 0, 0, false, false},
      {"MATCH COMPLETE", GT_FFA, 1, TEAM_NONE, 1, 0, true, false},
      {"Timelimit hit.", GT_FFA, 1, TEAM_NONE, 0, 0, true, false},
      {"Timelimit hit.", GT_FFA, 2, TEAM_NONE, 0, 0, true, true},
      // Capture the flag asks for both teams; two red players in a game still of type 0 are
      // judged as a free for all, because the type becomes team deathmatch only in the totals.
      {"ERROR: Disconnected from server", GT_CTF, 2, TEAM_RED, 0, 0, true, false},
      {"Timelimit hit.", GT_FFA, 2, TEAM_RED, 0, 0, true, true},
      {"RE_Shutdown( 0 )", GT_FFA, 1, TEAM_NONE, 0, kGameEnded, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Game& game = tracker_->game();
    game.players.initPlayers();
    if (c.players == 2) twoPlayersWithAKill(c.team);
    if (c.players == 1) game.players.addPlayer("A");
    game.state.g_gametype = c.type;
    game.state.g_connect_sequence = c.connect;
    game.state.g_mapname = "q3dm17";
    game.state.g_ca_win_red = 3;
    game.log.g_mod = c.osp;
    const std::string out = boundary(c.line);
    EXPECT_EQ(c.page, out.find("Generating Stats") != std::string::npos) << out;
    EXPECT_EQ(c.ends ? 0 : c.players, game.players.getTotalPlayers());
    // A game's values go with it; the OSP mark outlives it.
    EXPECT_EQ(c.ends, game.state.g_mapname.empty());
    EXPECT_EQ(c.ends ? 0 : 3, game.state.g_ca_win_red);
    EXPECT_EQ(c.osp, game.log.g_mod);
  }
}

// Of the server's final scores, a game takes those of its end line's offset, as its players'
// scores only, and only for the names they were logged under.
TEST_F(GameBoundary, ServerScoresGoToTheGameThatEndsAtTheirOffset) {
  tracker_->useServerScores(ServerScores::fromText("100 7 A\n300 -2 A\n300 5 B\n300 9 C\n"));
  // "score kills" of the finished game's player `name`.
  const auto figures = [this](std::string_view name) {
    for (const PlayerRecord& p : tracker_->result().players) {
      if (p.rawName.view() == name) return std::to_string(p.frags) + " " + std::to_string(p.kills);
    }
    return std::string("no player");
  };
  // A railed B: by the events A scores 1, B 0.
  twoPlayersWithAKill(TEAM_NONE);
  boundary("Timelimit hit.", 300);
  EXPECT_EQ("-2 1", figures("A"));
  EXPECT_EQ("5 0", figures("B"));
  twoPlayersWithAKill(TEAM_NONE);
  boundary("Timelimit hit.", 200);
  EXPECT_EQ("1 1", figures("A"));
  EXPECT_EQ("0 0", figures("B"));
}

TEST_F(GameBoundary, IdsWrapAfterTheLastOne) {
  tracker_ = std::make_unique<Tracker>("test.log", kRunStamp, kLastGameId);
  twoPlayersWithAKill(TEAM_NONE);
  EXPECT_NE(std::string::npos, boundary("Timelimit hit.").find("<GAME ID 1001>"));
  EXPECT_EQ(1001, tracker_->gameCount());
}

TEST_F(GameBoundary, AReconnectForcesThePageAndSaysSo) {
  twoPlayersWithAKill(TEAM_NONE);
  tracker_->game().state.g_connect_sequence = kGameEnded;
  EXPECT_EQ(0u, boundary("RE_Shutdown( 0 )")
                    .find("\nServer connect/reconnect detected:\nForcing html stats generation.\n"
                          "\nGenerating Stats ----------------<GAME ID 1001>-----\n"));
}

}  // namespace

namespace {

// Feeds `text` to `tracker` as the reader hands a line over: prepared from the bytes read.
TrackerEvent feed(Tracker& tracker, LineRecord& line, const std::string& text) {
  std::memcpy(line.rawBuffer, text.c_str(), text.size() + 1);
  line.prepare(text.size());
  return tracker.feed(line);
}

// Under OSP the lines after a match's end are its report: they fill the players' records and
// nothing else sees them, and the game ends with the report's last line, or with the log.
TEST(OspReport, IsAStateOfTheTrackerThatEndsTheGameAfterIt) {
  for (const bool logEndsInReport : {false, true}) {
    SCOPED_TRACE(logEndsInReport ? "the log ends inside the report" : "the report ends");
    resetScratchPool();
    auto tracker = std::make_unique<Tracker>("osp.log", "2001-08-10,12-00-00");
    auto line = std::make_unique<LineRecord>();
    testing::internal::CaptureStdout();
    for (const char* text : {"Loaded OSP Client Version: 1.03a", "^1Ann^7 entered the game",
                             "^4Bob^7 entered the game", "^4Bob^7 was railed by ^1Ann^7"}) {
      EXPECT_EQ(TrackerEvent::kNone, feed(*tracker, *line, text)) << text;
    }
    EXPECT_EQ(TrackerEvent::kNone, feed(*tracker, *line, "Timelimit hit."));
    EXPECT_TRUE(tracker->inReport());
    for (const char* text : {"Accuracy info for: Ann", "Railgun: 35.0 7/20", "Total damage given: 1890",
                             // A kill line inside the report is a line of the report only.
                             "^1Ann^7 was railed by ^4Bob^7", "Map: q3dm6"}) {
      EXPECT_EQ(TrackerEvent::kNone, feed(*tracker, *line, text)) << text;
    }
    const TrackerEvent end =
        logEndsInReport ? tracker->endOfLog() : feed(*tracker, *line, "MATCH COMPLETE");
    const std::string console = testing::internal::GetCapturedStdout();
    ASSERT_EQ(TrackerEvent::kGameFinished, end) << console;
    EXPECT_FALSE(tracker->inReport());
    EXPECT_NE(std::string::npos, console.find("\nscanning OSP stats:\nMAP: q3dm6\n")) << console;
    const GameResult& game = tracker->result();
    ASSERT_EQ(2, game.playerCount());
    const PlayerRecord& ann = game.players[0];  // one kill: the higher skill
    EXPECT_EQ("^1Ann", std::string(ann.rawName.view()));
    EXPECT_EQ(1, ann.kills);
    EXPECT_EQ(0, ann.deaths);
    EXPECT_EQ(7, ann.hits[WP_RAILGUN]);
    EXPECT_EQ(20, ann.shots[WP_RAILGUN]);
    EXPECT_EQ(1890, ann.damageGiven);
    EXPECT_EQ(0, game.players[1].kills);
    EXPECT_EQ("q3dm6", std::string(game.mapName.view()));
    EXPECT_EQ(1001, game.gameId);
  }
}

}  // namespace
