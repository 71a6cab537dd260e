// Tests of the team sums and of the team statistics banner for each game type.
#include "html/team_table.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"
#include "players/player_table.h"
#include "run/game.h"

namespace {

using html_test::addTestPlayer;
using html_test::PageCapture;

class TeamTableTest : public testing::Test {
 protected:
  void SetUp() override { html_test::resetHtmlState(); }
};

std::string drawTeamTable() {
  PageCapture page;
  htmlDrawTeamStatTable();
  return page.text();
}

// One comparison line of the banner, written out from its three cell templates.
std::string comparison(const std::string& red, const std::string& label, const std::string& blue) {
  return "<tr>\n<td CLASS=\"red\"><CENTER>" + red + "</CENTER></td>\n" +
         "<td CLASS=\"neutralCtf\"><center>" + label + "</center></td>\n" +
         "<td CLASS=\"blue\"><CENTER>" + blue + "</CENTER></td>\n</tr>\n";
}

std::string bigFigures(const std::string& red, const std::string& blue, const std::string& map) {
  return "<td WIDTH=20% CLASS=\"red\"><CENTER><p style=\"font-size: 30pt; color: red\">" + red +
         "</p></CENTER></td>\n" + "<td WIDTH=60% CLASS=\"neutralCtf\"><center><div align=center>" +
         "<b>map : " + map + "</b><br><IMG name=MAP src=images/maps/" + map +
         ".jpg WIDTH=160 HEIGHT=128 onError=\"loadDefaultMap();\"></div></center></td>\n" +
         "<td WIDTH=20% CLASS=\"blue\"><CENTER><p style=\"font-size: 30pt; color: blue\">" + blue +
         "</p></CENTER></td>\n";
}

// A team deathmatch-like game: red 12.5 + 8.25 skill, blue 10.0, one player without team.
void addTeamGamePlayers() {
  PlayerRecord& a = addTestPlayer("A", TEAM_RED);
  a.frags = 10;
  a.kills = 12;
  a.deaths = 4;
  a.skill = 12.5f;
  a.combat = 11.0f;
  PlayerRecord& b = addTestPlayer("B", TEAM_RED);
  b.frags = 5;
  b.kills = 6;
  b.deaths = 9;
  b.skill = 8.25f;
  b.combat = 9.5f;
  PlayerRecord& c = addTestPlayer("C", TEAM_BLUE);
  c.frags = 7;
  c.kills = 8;
  c.deaths = 11;
  c.skill = 10.0f;
  c.combat = 7.75f;
  PlayerRecord& d = addTestPlayer("D", TEAM_NONE);
  d.frags = 100;
  d.kills = 100;
  d.skill = 1.0f;
}

TEST_F(TeamTableTest, SumsPerSide) {
  addTeamGamePlayers();
  PlayerRecord& a = q3players[0];
  a.fcDefends = 1;
  a.fcDefendsAgr = 2;
  a.caps = 3;
  a.suicides = 2;
  q3players[2].caps = 1;
  q3players[3].caps = 9;

  EXPECT_EQ(15, getStats("frags_red"));
  EXPECT_EQ(7, getStats("frags_blue"));
  EXPECT_EQ(100, getStats("frags_noteam"));
  EXPECT_EQ(18, getStats("kills_red"));
  EXPECT_EQ(13, getStats("deaths_red"));
  EXPECT_EQ(3, getStats("fcdefends_red"));  // both kinds of carrier defence
  EXPECT_EQ(3, getStats("caps_red"));
  EXPECT_EQ(1, getStats("caps_blue"));
  EXPECT_EQ(2, getStats("suicides_red"));
  // Keys that do not exist give 0: capture-the-flag and suicide keys have no "_noteam".
  EXPECT_EQ(0, getStats("caps_noteam"));
  EXPECT_EQ(0, getStats("suicides_noteam"));
  EXPECT_EQ(0, getStats("kill_red"));
  EXPECT_EQ(0, getStats(""));

  EXPECT_DOUBLE_EQ(20.75, getStatsDouble("kalimo_red"));
  EXPECT_DOUBLE_EQ(10.0, getStatsDouble("kalimo_blue"));
  EXPECT_DOUBLE_EQ(1.0, getStatsDouble("kalimo_noteam"));
  EXPECT_DOUBLE_EQ(31.75, getStatsDouble("kalimo"));  // 12.5 + 8.25 + 10 + 1
  EXPECT_DOUBLE_EQ(20.5, getStatsDouble("combat_red"));
  EXPECT_DOUBLE_EQ(0.0, getStatsDouble("kalimo_green"));
  EXPECT_EQ(0, getStats("kalimo_red"));  // each function knows only its own keys
}

TEST_F(TeamTableTest, CaptureTheFlagBanner) {
  g_gametype = 2;
  g_mapname = "q3wctf1";
  PlayerRecord& a = addTestPlayer("A", TEAM_RED);
  a.caps = 2;
  a.touches = 3;
  a.holdKills = 1;
  a.fcDefends = 1;
  a.fcDefendsAgr = 2;
  a.efcKills = 4;
  a.returns = 5;
  a.baseDefends = 6;
  PlayerRecord& b = addTestPlayer("B", TEAM_RED);
  b.caps = 1;
  b.touches = 1;
  PlayerRecord& c = addTestPlayer("C", TEAM_BLUE);
  c.touches = 2;
  c.returns = 1;
  addTestPlayer("D", TEAM_NONE).caps = 9;  // counts for neither side

  const std::string expected =
      "\n<table CLASS=\"neutralHighlightCtf\" BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n"
      "<tr>\n<td COLSPAN=3 CLASS=\"redHighlight\">&nbsp;</td>\n</tr>\n"
      "<tr>\n<td VALIGN=TOP CLASS=\"red\"><img src=images/flag_ctf_red.jpg></td>\n"
      "<td VALIGN=MIDDLE WIDTH=100%>\n"
      "\n<table BORDER=0 CELLSPACING=1 CELLPADDING=1 WIDTH=100%>\n"
      "<tr>\n" +
      bigFigures("3", "0", "q3wctf1") + "</tr>\n" + comparison("4", "flag touches", "2") +
      comparison("1", "flag hold kills", "0") + comparison("3", "flag carrier defends", "0") +
      comparison("4", "flag carrier kills", "0") + comparison("5", "flag returns", "1") +
      comparison("6", "base defends", "0") +
      "</table>\n</td>\n"
      "<td VALIGN=TOP CLASS=\"blue\"><img src=images/flag_ctf_blue.jpg></td>\n</tr>\n"
      "<tr>\n<td COLSPAN=3 CLASS=\"blueHighlight\">&nbsp;</td>\n</tr>\n</table>\n";
  EXPECT_EQ(expected, drawTeamTable());
}

TEST_F(TeamTableTest, TeamDeathmatchShowsSummedScoresWithoutScoreLine) {
  g_gametype = 1;
  g_mapname = "q3dm6";
  addTeamGamePlayers();
  const std::string page = drawTeamTable();

  EXPECT_NE(std::string::npos, page.find("<td VALIGN=TOP CLASS=\"red\"><img src=images/flag_tdm_red.gif></td>\n"));
  EXPECT_NE(std::string::npos, page.find("<td VALIGN=TOP CLASS=\"blue\"><img src=images/flag_tdm_blue.gif></td>\n"));
  // Large figures are the summed frags: 10 + 5 against 7; combat 11 + 9.5 against 7.75.
  EXPECT_NE(std::string::npos,
            page.find("<tr>\n" + bigFigures("15", "7", "q3dm6") + "</tr>\n" +
                      comparison("20.75", "skill", "10.00") +
                      comparison("20.50", "combat", "7.75") + comparison("18", "kills", "8") +
                      comparison("13", "deaths", "11") + "</table>\n</td>\n"));
  EXPECT_EQ(std::string::npos, page.find("score"));
}

TEST_F(TeamTableTest, ClanArenaShowsRoundsWonAndAScoreLine) {
  g_gametype = 3;
  g_mapname = "q3dm17";
  g_ca_win_red = 4;
  g_ca_win_blue = 6;
  addTeamGamePlayers();
  const std::string page = drawTeamTable();

  EXPECT_NE(std::string::npos, page.find("images/flag_tdm_red.gif"));
  EXPECT_NE(std::string::npos,
            page.find("<tr>\n" + bigFigures("4", "6", "q3dm17") + "</tr>\n" +
                      comparison("20.75", "skill", "10.00") +
                      comparison("20.50", "combat", "7.75") + comparison("15", "score", "7") +
                      comparison("18", "kills", "8") + comparison("13", "deaths", "11") +
                      "</table>\n</td>\n"));
}

TEST_F(TeamTableTest, TeamWithoutPlayersShowsZeroes) {
  g_gametype = 1;
  g_mapname = "q3dm6";
  addTestPlayer("A", TEAM_RED).frags = 3;
  const std::string page = drawTeamTable();
  EXPECT_NE(std::string::npos, page.find(comparison("10.00", "skill", "0.00")));
  EXPECT_NE(std::string::npos, page.find(comparison("0", "kills", "0")));
}

TEST_F(TeamTableTest, FreeForAllBannerWithoutMapName) {
  g_gametype = 0;
  // No caption without a map name, but the picture (with an empty name) is still there.
  EXPECT_EQ(
      "\n<table  BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n"
      "<tr>\n<td COLSPAN=3 CLASS=\"neutralHighlight\">&nbsp;</td>\n</tr>\n"
      "<tr>\n<td VALIGN=TOP CLASS=\"neutral\"><div align=left><img src=images/flag_ffa.gif></div></td>"
      "<td VALIGN=TOP CLASS=\"neutral\"><div align=center><br><br>"
      "<IMG name=MAP src=images/maps/.jpg WIDTH=160 HEIGHT=128 onError=\"loadDefaultMap();\">"
      "</div><div align=center></div></td>\n"
      "<td VALIGN=TOP CLASS=\"neutral\"><div align=right><img src=images/flag_ffa.gif></div></td>"
      "</tr>\n"
      "<tr>\n<td COLSPAN=3 CLASS=\"neutralHighlight\">&nbsp;</td>\n</tr>\n</table>",
      drawTeamTable());
}

TEST_F(TeamTableTest, MapNameIsWrittenLiterally) {
  g_gametype = 0;
  g_mapname = "q3%s%dm";
  const std::string page = drawTeamTable();
  EXPECT_NE(std::string::npos,
            page.find("<br><b>map : q3%s%dm</b><br><IMG name=MAP src=images/maps/q3%s%dm.jpg "));
}

TEST_F(TeamTableTest, UnknownGameTypeWritesNothing) {
  g_gametype = 5;
  EXPECT_EQ("", drawTeamTable());
}

}  // namespace
