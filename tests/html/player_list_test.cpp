// Tests of the player list: capture-the-flag tables, padding, the unknown-team table and the free-for-all rules.
// (A team deathmatch list and a whole free-for-all list are compared by the end-to-end cases.)
#include "html/player_list.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"

namespace {

using html_test::addTestPlayer;
using html_test::countOf;
using html_test::inOrder;

class PlayerListTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_config_use_name_colors = "no";
    out_filename_wepns = "w.html";
  }
};

std::string drawPlayerList() { return html_test::written(htmlDrawPlayerListTable); }

// Rows written out from their cell templates.
std::string headers(const std::string& cls, std::initializer_list<const char*> labels) {
  std::string row = "<tr>\n<td CLASS=\"" + cls + "\"><b>NAME</b></td>";
  for (const char* label : labels) row += "<td CLASS=\"" + cls + "\"><div align=center><b>" + label + "</b></div></td>";
  return row + "</tr>\n";
}
std::string cells(const std::string& cls, std::initializer_list<const char*> values, const char* bold = "") {
  std::string row;
  for (const char* v : values) {
    row += "<td CLASS=\"" + cls + "\"><div align=center>" + bold + v + (*bold ? "</b>" : "") + "</div></td>\n";
  }
  return row + "</tr>\n";
}
std::string padding(const std::string& cls, int cellCount) {
  std::string row = "<tr>\n";
  for (int c = 0; c < cellCount; ++c) row += "<td CLASS=\"" + cls + "\">&nbsp;</td>";
  return row + "</tr>\n";
}
std::string teamLine(const std::string& cls, const std::string& name) {
  return "<tr>\n<td CLASS=\"" + cls + "\"><div align=left><A name=\"list-" + name + "\"><A href=\"#stat-" + name +
         "\"><font size=\"0\">" + name + "</font></A></A></div></td>\n";
}

PlayerRecord& addScoredPlayer(std::string_view name, int team, int frags, int kills, int deaths, int caps,
                              float combat, float skill) {
  PlayerRecord& p = addTestPlayer(name, team);
  p.frags = frags, p.kills = kills, p.deaths = deaths, p.caps = caps, p.combat = combat, p.skill = skill;
  return p;
}

TEST_F(PlayerListTest, SmallerTeamIsPaddedToTheLargerOne) {
  g_game.g_gametype = 1;
  for (const char* name : {"r1", "r2", "b1", "b2", "b3", "b4", "b5"}) {
    addScoredPlayer(name, name[0] == 'r' ? TEAM_RED : TEAM_BLUE, 0, 0, 0, 0, 10.0f, 10.0f);
  }
  const std::string page = drawPlayerList();
  // Team deathmatch: six cells per padding line, no CAPS column; 5 - 2 = 3 lines before the TOTAL.
  const std::string pad = padding("red", 6);
  EXPECT_TRUE(inOrder(page, {teamLine("red", "r2"),
                             "</tr>\n" + pad + pad + pad + "<tr>\n<td CLASS=\"redHighlight\"><b>TOTAL"}));
  EXPECT_EQ(18, countOf(page, "<td CLASS=\"red\">&nbsp;</td>"));
  EXPECT_EQ(0, countOf(page, "<td CLASS=\"blue\">&nbsp;</td>"));
  EXPECT_EQ(0, countOf(page, "CAPS"));
}

TEST_F(PlayerListTest, UnknownTeamPlayersOnlyWhenConfigured) {
  g_game.g_gametype = 3;
  addScoredPlayer("R", TEAM_RED, 0, 0, 0, 0, 10.0f, 10.0f);
  addScoredPlayer("B", TEAM_BLUE, 0, 0, 0, 0, 10.0f, 10.0f);
  PlayerRecord& z = addScoredPlayer("^2Zed", TEAM_NONE, 1, 2, 3, 0, 7.5f, 8.5f);
  z.suicides = 4, z.killStreak = 5, z.deathStreak = 6;
  const std::string twoTables = drawPlayerList();
  EXPECT_EQ("</tr>\n</table><br>", twoTables.substr(twoTables.size() - 18));
  EXPECT_EQ(std::string::npos, twoTables.find("Zed"));

  g_config_display_unknown_team_players = "yes";
  // A third table; the team-less name has no anchor and no link.
  EXPECT_EQ(twoTables +
                "<tr><td>\n<table  BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100%  CLASS=\"neutralHighlight\">\n" +
                headers("neutralHighlight", {"SCORE", "KILLS", "DEATHS", "SUICIDES", "KILL STREAK", "DEATH STREAK",
                                             "COMBAT", "SKILL"}) +
                "<tr>\n<td CLASS=\"neutral\"><font size=\"0\">Zed</font></div></td>\n" +
                cells("neutral", {"1", "2", "3", "4", "5", "6", "7.50", "8.50"}) +
                "<tr>\n<td COLSPAN=9 CLASS=\"neutralHighlight\">&nbsp;</td></tr>\n</table></td></tr>",
            drawPlayerList());

  z.team = TEAM_RED;  // configured on, but everyone has a team: no third table
  const std::string noThird = drawPlayerList();
  EXPECT_EQ("</tr>\n</table><br>", noThird.substr(noThird.size() - 18));
  g_game.g_gametype = 4;  // a game type without a layout writes nothing
  EXPECT_EQ("", drawPlayerList());
}

}  // namespace
