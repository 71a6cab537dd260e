// The game label of the page file names, built from the teams' common clan tags.
#include "players/clans.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "players/player_table.h"
#include "run/game.h"
#include "run/scratch_pool.h"

namespace {

class Clans : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    g_gametype = 0;
    resetScratchPool();
  }
  static void add(const std::string& name, int team) {
    addPlayer(name);
    q3players[getPlayerIndex(name)].team = team;
  }
  static std::string label() {
    char dest[510];
    detectClans(dest);
    return dest;
  }
};

TEST_F(Clans, AllMatchedIsASubstringTestOverOneTeam) {
  add("[AB]Joe", TEAM_RED);
  add("[AB]Max", TEAM_RED);
  add("Joe", TEAM_BLUE);
  EXPECT_EQ(1, allMatched(TEAM_RED, "[AB]"));
  EXPECT_EQ(0, allMatched(TEAM_RED, "Joe"));
  EXPECT_EQ(0, allMatched(TEAM_RED, "[ab]"));  // case counts
  EXPECT_EQ(1, allMatched(TEAM_BLUE, "Joe"));
  EXPECT_EQ(1, allMatched(TEAM_NONE, "anything"));  // a team without players
}

TEST_F(Clans, TwoClansInACtfGame) {
  add("[AB]Joe", TEAM_RED);
  add("=XY=one", TEAM_BLUE);
  add("[AB]Max", TEAM_RED);
  add("=XY=two", TEAM_BLUE);
  add("[AB]Zed", TEAM_RED);
  g_gametype = 2;
  resetScratchPool();
  EXPECT_EQ("CTF_[AB]_vs_=XY=", label());
  // Every substring of each team's first name is one scratch string: 2 x (7 * 8 / 2).
  EXPECT_EQ(56, liveMallocs());
}

TEST_F(Clans, LabelsByGameTypeAndPlayerCount) {
  // One against one: the whole names.
  add("Ann", TEAM_RED);
  add("Bob", TEAM_BLUE);
  g_gametype = 1;
  EXPECT_EQ("TDM_Ann_vs_Bob", label());
  g_gametype = 3;
  EXPECT_EQ("CA_Ann_vs_Bob", label());
  g_gametype = 0;
  EXPECT_EQ("FFA_PUB", label());
  g_gametype = 7;
  EXPECT_EQ("FFA_PUB", label());

  // Exactly three players, a player without a team included: the colour words.
  add("Cid", TEAM_NONE);
  g_gametype = 1;
  EXPECT_EQ("TDM_RED_vs_BLUE", label());
  q3players[2].team = TEAM_RED;
  EXPECT_EQ("TDM_RED_vs_BLUE", label());
}

TEST_F(Clans, ShortOrMissingTagsFallBackToTheColourWord) {
  g_gametype = 1;
  add("Abc", TEAM_RED);
  add("Axy", TEAM_RED);   // red players share only "A"
  add("Bob", TEAM_BLUE);
  add("Rob", TEAM_BLUE);  // blue players share "ob"
  EXPECT_EQ("TDM_RED_vs_ob", label());

  initPlayers();
  g_gametype = 2;
  add("[AB]Joe", TEAM_RED);
  add("[AB]Max", TEAM_RED);
  add("Cid", TEAM_NONE);
  add("Dan", TEAM_NONE);
  EXPECT_EQ("CTF_[AB]_vs_BLUE", label());
}

TEST_F(Clans, EarliestOfTheLongestCommonTexts) {
  g_gametype = 1;
  add("abXcd", TEAM_RED);
  add("cdYab", TEAM_RED);
  add("xx1", TEAM_BLUE);
  add("xx2", TEAM_BLUE);
  EXPECT_EQ("TDM_ab_vs_xx", label());
}

TEST_F(Clans, LongTagsAreCutToTheBuffer) {
  g_gametype = 2;
  const std::string red(300, 'r');
  const std::string blue(300, 'b');
  add(red, TEAM_RED);
  add(red + "x", TEAM_RED);
  add(blue, TEAM_BLUE);
  add("y" + blue, TEAM_BLUE);
  resetScratchPool();

  testing::internal::CaptureStdout();
  const std::string got = label();
  const std::string out = testing::internal::GetCapturedStdout();

  EXPECT_EQ(509u, got.size());
  EXPECT_EQ(("CTF_" + red + "_vs_" + blue).substr(0, 509), got);
  // 2 x (300 * 301 / 2) = 90300 candidates; the pool takes 999, the rest are refused aloud.
  std::size_t refused = 0;
  for (std::size_t at = out.find("cant store anymore\n"); at != std::string::npos;
       at = out.find("cant store anymore\n", at + 1)) {
    ++refused;
  }
  EXPECT_EQ(90300u - 999u, refused);
  EXPECT_EQ(999, liveMallocs());
}

}  // namespace
