// The game label of the page file names, built from the teams' common clan tags.
#include "game/clans.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "players_test_support.h"

namespace {

using Roster = std::vector<std::pair<std::string, int>>;  // name and team, in slot order

// The label of a game of `type` played by `roster`.
std::string label(int type, const Roster& roster) {
  players().initPlayers();
  testing::internal::CaptureStdout();  // long names fill the scratch pool, which says so
  for (const auto& [name, team] : roster) {
    players().addPlayer(name);
    players()[players().getPlayerIndex(name)].team = team;
  }
  testGame().state.g_gametype = type;
  resetScratchPool();
  char dest[510];
  detectClans(testGame(), dest);
  testing::internal::GetCapturedStdout();
  return dest;
}

constexpr int R = TEAM_RED;
constexpr int B = TEAM_BLUE;

TEST(Clans, LabelsByGameTypeAndTags) {
  const struct {
    int type;
    Roster roster;
    const char* expected;
  } cases[] = {
      {2, {{"[AB]Joe", R}, {"=XY=one", B}, {"[AB]Max", R}, {"=XY=two", B}, {"[AB]Zed", R}},
       "CTF_[AB]_vs_=XY="},
      // One against one: the whole names.
      {1, {{"Ann", R}, {"Bob", B}}, "TDM_Ann_vs_Bob"},
      {3, {{"Ann", R}, {"Bob", B}}, "CA_Ann_vs_Bob"},
      {0, {{"Ann", R}, {"Bob", B}}, "FFA_PUB"},
      {7, {{"Ann", R}, {"Bob", B}}, "FFA_PUB"},
      // Exactly three players, a player without a team included: the colour words.
      {1, {{"[AB]Joe", R}, {"[AB]Max", R}, {"Bob", B}}, "TDM_RED_vs_BLUE"},
      {1, {{"Ann", R}, {"Bob", B}, {"Cid", TEAM_NONE}}, "TDM_RED_vs_BLUE"},
      // Red players share only single characters ("[AB]" is not "[ab]"), blue ones "ob".
      {1, {{"[AB]Joe", R}, {"[ab]Max", R}, {"Bob", B}, {"Rob", B}}, "TDM_RED_vs_ob"},
      // A team without players.
      {2, {{"[AB]Joe", R}, {"[AB]Max", R}, {"Cid", 0}, {"Dan", 0}}, "CTF_[AB]_vs_BLUE"},
      // "ab" and "cd" are both longest; the earlier in the first red name wins.
      {1, {{"abXcd", R}, {"cdYab", R}, {"xx1", B}, {"xx2", B}}, "TDM_ab_vs_xx"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, label(c.type, c.roster));
}

TEST(Clans, LongTagsAreCutToTheBuffer) {
  const std::string red(300, 'r');
  const std::string blue(300, 'b');
  // 4 + 300 + 4 + 300 characters are cut to the 509 the buffer holds.
  EXPECT_EQ(("CTF_" + red + "_vs_" + blue).substr(0, 509),
            label(2, {{red, R}, {red + "x", R}, {blue, B}, {"y" + blue, B}}));
}

}  // namespace
