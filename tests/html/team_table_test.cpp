// Tests of the team sums and of the team statistics banner of capture the flag and Clan Arena.
// (The free-for-all and team deathmatch banners are compared by the end-to-end cases.)
#include "html/team_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "html_test_support.h"

namespace {

using html_test::addTestPlayer;
using html_test::inOrder;
using html_test::written;

class TeamTableTest : public testing::Test {
 protected:
  void SetUp() override { html_test::resetHtmlState(); }
};

std::string drawTeamTable() { return written(htmlDrawTeamStatTable); }

// One comparison line of the banner, written out from its three cell templates.
std::string comparison(const std::string& red, const std::string& label, const std::string& blue) {
  return "<tr>\n<td CLASS=\"red\"><CENTER>" + red + "</CENTER></td>\n<td CLASS=\"neutralCtf\"><center>" + label +
         "</center></td>\n<td CLASS=\"blue\"><CENTER>" + blue + "</CENTER></td>\n</tr>\n";
}

std::string bigFigures(const std::string& red, const std::string& blue, const std::string& map) {
  return "<tr>\n<td WIDTH=20% CLASS=\"red\"><CENTER><p style=\"font-size: 30pt; color: red\">" + red +
         "</p></CENTER></td>\n<td WIDTH=60% CLASS=\"neutralCtf\"><center><div align=center><b>map : " + map +
         "</b><br><IMG name=MAP src=images/maps/" + map +
         ".jpg WIDTH=160 HEIGHT=128 onError=\"loadDefaultMap();\"></div></center></td>\n"
         "<td WIDTH=20% CLASS=\"blue\"><CENTER><p style=\"font-size: 30pt; color: blue\">" + blue +
         "</p></CENTER></td>\n</tr>\n";
}

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
  initPlayers();
  addTestPlayer("R1", TEAM_RED).skill = 1000000.0f;
  addTestPlayer("R2", TEAM_RED).skill = 0.3f;
  EXPECT_DOUBLE_EQ(1000000.0 + static_cast<double>(0.3f), getStatsDouble("kalimo_red"));
}

TEST_F(TeamTableTest, ClanArenaShowsRoundsWonAndAScoreLine) {
  g_game.g_gametype = 3;
  g_game.g_mapname = "q3dm17";
  g_game.g_ca_win_red = 4;
  g_game.g_ca_win_blue = 6;
  addRedAndUnknownPlayers();
  // Large figures are the rounds won; the summed frags (10 + 5) get a "score" line of their own.
  // The blue side has no player: 0 and 0.00.
  EXPECT_TRUE(inOrder(drawTeamTable(),
                      {"<td VALIGN=TOP CLASS=\"red\"><img src=images/flag_tdm_red.gif></td>\n",
                       bigFigures("4", "6", "q3dm17") + comparison("20.75", "skill", "0.00") +
                           comparison("20.50", "combat", "0.00") + comparison("15", "score", "0") +
                           comparison("18", "kills", "0") + comparison("13", "deaths", "0") + "</table>\n</td>\n",
                       "<td VALIGN=TOP CLASS=\"blue\"><img src=images/flag_tdm_blue.gif></td>\n"}));
}

TEST_F(TeamTableTest, MapCaptionAndPicture) {
  // The map name is written as text, never a format, and percent-encoded in the picture's
  // unquoted file name; an empty one leaves out the caption but keeps the picture.
  const std::pair<const char*, const char*> cases[] = {
      {"q3%s%dm", "<div align=center><br><b>map : q3%s%dm</b><br><IMG name=MAP src=images/maps/q3%25s%25dm.jpg "},
      {"q3dm6><b", "<b>map : q3dm6&gt;&lt;b</b><br><IMG name=MAP src=images/maps/q3dm6%3E%3Cb.jpg "},
      {"", "<div align=center><br><br><IMG name=MAP src=images/maps/.jpg WIDTH=160 HEIGHT=128 "
           "onError=\"loadDefaultMap();\"></div>"}};
  for (const auto& [map, fragment] : cases) {
    g_game.g_mapname = map;
    EXPECT_TRUE(inOrder(drawTeamTable(), {fragment}));
  }
  g_game.g_gametype = 5;  // a game type without a layout writes nothing
  EXPECT_EQ("", drawTeamTable());
}

}  // namespace
