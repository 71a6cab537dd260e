// Tests of the team sums no banner shows (the banners themselves are compared by the end-to-end
// cases, Clan Arena's in clan-arena-rounds).
#include "out/team_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "html_test_support.h"

namespace {

using html_test::addTestPlayer;

class TeamTableTest : public testing::Test {
 protected:
  void SetUp() override { html_test::resetHtmlState(); }
};

// Two red players (skill 12.5 + 8.25, combat 11 + 9.5) and one without a team; no blue player.
void addRedAndUnknownPlayers() {
  PlayerRecord& a = addTestPlayer("A", TEAM_RED);
  a.frags = 10, a.kills = 12, a.deaths = 4, a.skill = 12.5f, a.combat = 11.0f, a.suicides = 2;
  PlayerRecord& b = addTestPlayer("B", TEAM_RED);
  b.frags = 5, b.kills = 6, b.deaths = 9, b.skill = 8.25f, b.combat = 9.5f;
  PlayerRecord& d = addTestPlayer("D", TEAM_NONE);
  d.frags = 100, d.kills = 100, d.deaths = 3, d.skill = 1.0f, d.combat = 2.5f, d.caps = 9, d.suicides = 4;
}

TEST_F(TeamTableTest, SumsOfTheSidesThatNoBannerShows) {
  addRedAndUnknownPlayers();
  addTestPlayer("C", TEAM_BLUE).skill = 10.0f;
  const std::pair<const char*, int> sums[] = {
      {"frags_noteam", 100}, {"kills_noteam", 100}, {"deaths_noteam", 3}, {"suicides_red", 2},
      // Unknown keys give 0: capture-the-flag and suicide keys have no "_noteam" form, and
      // each function knows only its own keys.
      {"caps_noteam", 0}, {"suicides_noteam", 0}, {"kill_red", 0}, {"", 0}, {"kalimo_red", 0}};
  for (const auto& [key, sum] : sums) EXPECT_EQ(sum, getStats(key)) << key;
  const std::pair<const char*, double> doubleSums[] = {
      {"kalimo", 31.75},  // 12.5 + 8.25 + 1 + 10: every player
      {"kalimo_noteam", 1.0}, {"combat_noteam", 2.5}, {"kalimo_green", 0.0}, {"frags_red", 0.0}};
  for (const auto& [key, sum] : doubleSums) EXPECT_DOUBLE_EQ(sum, getStatsDouble(key)) << key;
  // The floats are added up in double: 1000000 + 0.3f is 1000000.30000001..., where a float
  // sum would round to the nearest sixteenth, 1000000.3125, and print 1000000.31.
  q3players.initPlayers();
  addTestPlayer("R1", TEAM_RED).skill = 1000000.0f;
  addTestPlayer("R2", TEAM_RED).skill = 0.3f;
  EXPECT_DOUBLE_EQ(1000000.0 + static_cast<double>(0.3f), getStatsDouble("kalimo_red"));
}

}  // namespace
