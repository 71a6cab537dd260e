// Tests of the player list: team tables with padding and totals, the unknown-team table, and the free-for-all ranking.
#include "html/player_list.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"
#include "players/player_table.h"
#include "run/config.h"
#include "run/game.h"

namespace {

using html_test::addTestPlayer;
using html_test::countOf;
using html_test::PageCapture;

class PlayerListTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    out_filename_wepns = "k_1001_FFA_PUB_wpn.html";
  }
};

std::string drawPlayerList() {
  PageCapture page;
  htmlDrawPlayerListTable();
  return page.text();
}

// The cells below are written out from their templates, one helper per template.
std::string header(const std::string& cls, const std::string& label) {
  return "<td CLASS=\"" + cls + "\"><div align=center><b>" + label + "</b></div></td>";
}
std::string cell(const std::string& cls, const std::string& value) {
  return "<td CLASS=\"" + cls + "\"><div align=center>" + value + "</div></td>\n";
}
std::string totalCell(const std::string& cls, const std::string& value) {
  return "<td CLASS=\"" + cls + "\"><div align=center><b>" + value + "</b></div></td>\n";
}

PlayerRecord& addScoredPlayer(std::string_view name, int team, int frags, int kills, int deaths,
                              int caps, float combat, float skill) {
  PlayerRecord& p = addTestPlayer(name, team);
  p.frags = frags;
  p.kills = kills;
  p.deaths = deaths;
  p.caps = caps;
  p.combat = combat;
  p.skill = skill;
  return p;
}

TEST_F(PlayerListTest, CaptureTheFlagTeamTables) {
  g_gametype = 2;
  addScoredPlayer("^1Red^7Guy", TEAM_RED, 7, 9, 3, 2, 12.5f, 14.25f);
  addScoredPlayer("Bob", TEAM_BLUE, 4, 5, 6, 0, 10.0f, 11.5f);
  addScoredPlayer("Al%s", TEAM_BLUE, 1, 2, 8, 1, 9.0f, 8.0f);

  const std::string redHeader = "<td CLASS=\"redHighlight\"><b>NAME</b></td>" +
                                header("redHighlight", "SCORE") + header("redHighlight", "KILLS") +
                                header("redHighlight", "DEATHS") + header("redHighlight", "CAPS") +
                                header("redHighlight", "COMBAT") + header("redHighlight", "SKILL");
  const std::string blueHeader =
      "<td CLASS=\"blueHighlight\"><b>NAME</b></td>" + header("blueHighlight", "SCORE") +
      header("blueHighlight", "KILLS") + header("blueHighlight", "DEATHS") +
      header("blueHighlight", "CAPS") + header("blueHighlight", "COMBAT") +
      header("blueHighlight", "SKILL");
  const std::string expected =
      "\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n<tr>\n<td VALIGN=TOP WIDTH=50%>\n"
      "\n<table  CLASS=\"redHighlight\" BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=99.50% >\n<tr>\n" +
      redHeader + "</tr>\n" +
      // The anchor and link carry the name verbatim; the cell shows it coloured.
      "<tr>\n<td CLASS=\"red\"><div align=left><A name=\"list-^1Red^7Guy\"><A href=\"#stat-^1Red^7Guy\">"
      "<font color=#FFFFFF></font><font color=#FF0000>Red</font><font color=#FFFFFF>Guy</font>"
      "</A></A></div></td>\n" +
      cell("red", "7") + cell("red", "9") + cell("red", "3") + cell("red", "2") +
      cell("red", "12.50") + cell("red", "14.25") + "</tr>\n" +
      // Blue has one player more: one padding line of seven cells (CAPS included).
      "<tr>\n" + "<td CLASS=\"red\">&nbsp;</td><td CLASS=\"red\">&nbsp;</td><td CLASS=\"red\">&nbsp;</td>"
      "<td CLASS=\"red\">&nbsp;</td><td CLASS=\"red\">&nbsp;</td><td CLASS=\"red\">&nbsp;</td>"
      "<td CLASS=\"red\">&nbsp;</td></tr>\n" +
      "<tr>\n<td CLASS=\"redHighlight\"><b>TOTAL</b></td>" + totalCell("redHighlight", "7") +
      totalCell("redHighlight", "9") + totalCell("redHighlight", "3") +
      totalCell("redHighlight", "2") + totalCell("redHighlight", "12.50") +
      totalCell("redHighlight", "14.25") + "</tr>\n</table></td>\n" +
      "<td VALIGN=TOP WIDTH=50%>\n"
      "\n<table ALIGN=RIGHT  CLASS=\"blueHighlight\" BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=99.50% >\n"
      "<tr>\n" +
      blueHeader + "</tr>\n" +
      "<tr>\n<td CLASS=\"blue\"><div align=left><A name=\"list-Bob\"><A href=\"#stat-Bob\">"
      "<font color=#FFFFFF>Bob</font></A></A></div></td>\n" +
      cell("blue", "4") + cell("blue", "5") + cell("blue", "6") + cell("blue", "0") +
      cell("blue", "10.00") + cell("blue", "11.50") + "</tr>\n" +
      "<tr>\n<td CLASS=\"blue\"><div align=left><A name=\"list-Al%s\"><A href=\"#stat-Al%s\">"
      "<font color=#FFFFFF>Al%s</font></A></A></div></td>\n" +
      cell("blue", "1") + cell("blue", "2") + cell("blue", "8") + cell("blue", "1") +
      cell("blue", "9.00") + cell("blue", "8.00") + "</tr>\n" +
      // TOTAL: 4+1 frags, 5+2 kills, 6+8 deaths, 0+1 caps, 10+9 combat, 11.5+8 skill.
      "<tr>\n<td CLASS=\"blueHighlight\"><b>TOTAL</b></td>" + totalCell("blueHighlight", "5") +
      totalCell("blueHighlight", "7") + totalCell("blueHighlight", "14") +
      totalCell("blueHighlight", "1") + totalCell("blueHighlight", "19.00") +
      totalCell("blueHighlight", "19.50") + "</tr>\n</table></td>\n" + "</tr>\n</table><br>";
  EXPECT_EQ(expected, drawPlayerList());
}

TEST_F(PlayerListTest, SmallerTeamIsPaddedToTheLargerOne) {
  g_gametype = 1;
  addScoredPlayer("r1", TEAM_RED, 0, 0, 0, 0, 10.0f, 10.0f);
  addScoredPlayer("r2", TEAM_RED, 0, 0, 0, 0, 10.0f, 10.0f);
  for (const char* name : {"b1", "b2", "b3", "b4", "b5"}) {
    addScoredPlayer(name, TEAM_BLUE, 0, 0, 0, 0, 10.0f, 10.0f);
  }
  const std::string page = drawPlayerList();
  // Team deathmatch: six cells per padding line, no CAPS column anywhere.
  const std::string redPadding =
      "<tr>\n<td CLASS=\"red\">&nbsp;</td><td CLASS=\"red\">&nbsp;</td><td CLASS=\"red\">&nbsp;</td>"
      "<td CLASS=\"red\">&nbsp;</td><td CLASS=\"red\">&nbsp;</td><td CLASS=\"red\">&nbsp;</td></tr>\n";
  EXPECT_EQ(3, countOf(page, redPadding));  // 5 - 2
  std::string sevenCells;
  for (int c = 0; c < 7; ++c) sevenCells += "<td CLASS=\"red\">&nbsp;</td>";
  EXPECT_EQ(0, countOf(page, sevenCells));
  EXPECT_EQ(0, countOf(page, "<td CLASS=\"blue\">&nbsp;</td>"));
  EXPECT_EQ(0, countOf(page, "CAPS"));
  EXPECT_EQ(7, countOf(page, "<A name=\"list-"));
  // The red padding sits between the last red player and the red TOTAL line.
  EXPECT_NE(std::string::npos,
            page.find(cell("red", "10.00") + "</tr>\n" + redPadding + redPadding + redPadding +
                      "<tr>\n<td CLASS=\"redHighlight\"><b>TOTAL</b></td>"));
}

TEST_F(PlayerListTest, UnknownTeamPlayersOnlyWhenConfigured) {
  g_gametype = 3;
  addScoredPlayer("R", TEAM_RED, 0, 0, 0, 0, 10.0f, 10.0f);
  addScoredPlayer("B", TEAM_BLUE, 0, 0, 0, 0, 10.0f, 10.0f);
  PlayerRecord& z = addScoredPlayer("^2Zed", TEAM_NONE, 1, 2, 3, 0, 7.5f, 8.5f);
  z.suicides = 4;
  z.killStreak = 5;
  z.deathStreak = 6;

  g_config_display_unknown_team_players = "no";
  std::string page = drawPlayerList();
  EXPECT_EQ("</tr>\n</table><br>", page.substr(page.size() - 18));
  EXPECT_EQ(std::string::npos, page.find("Zed"));

  g_config_display_unknown_team_players = "yes";
  page = drawPlayerList();
  const std::string unknownTable =
      "</tr>\n</table><br>"
      "<tr><td>\n<table  BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100%  CLASS=\"neutralHighlight\">\n"
      "<tr>\n<td CLASS=\"neutralHighlight\"><b>NAME</b></td>" +
      header("neutralHighlight", "SCORE") + header("neutralHighlight", "KILLS") +
      header("neutralHighlight", "DEATHS") + header("neutralHighlight", "SUICIDES") +
      header("neutralHighlight", "KILL STREAK") + header("neutralHighlight", "DEATH STREAK") +
      header("neutralHighlight", "COMBAT") + header("neutralHighlight", "SKILL") + "</tr>\n" +
      // No anchor, no link for a player without a team.
      "<tr>\n<td CLASS=\"neutral\"><font color=#FFFFFF></font><font color=#00FF00>Zed</font>"
      "</div></td>\n" +
      cell("neutral", "1") + cell("neutral", "2") + cell("neutral", "3") + cell("neutral", "4") +
      cell("neutral", "5") + cell("neutral", "6") + cell("neutral", "7.50") +
      cell("neutral", "8.50") + "</tr>\n" +
      "<tr>\n<td COLSPAN=9 CLASS=\"neutralHighlight\">&nbsp;</td></tr>\n</table></td></tr>";
  ASSERT_GE(page.size(), unknownTable.size());
  EXPECT_EQ(unknownTable, page.substr(page.size() - unknownTable.size()));
  EXPECT_EQ(std::string::npos, page.find("list-^2Zed"));

  // Configured on, but everyone has a team: no third table.
  z.team = TEAM_RED;
  page = drawPlayerList();
  EXPECT_EQ("</tr>\n</table><br>", page.substr(page.size() - 18));
}

TEST_F(PlayerListTest, FreeForAllRanking) {
  g_gametype = 0;
  PlayerRecord& a = addScoredPlayer("^1A", TEAM_NONE, 5, 5, 12, 0, 11.0f, 15.5f);
  a.suicides = 1;
  a.killStreak = 3;
  a.deathStreak = 0;
  PlayerRecord& b = addScoredPlayer("B%n", TEAM_NONE, 120, 123, 7, 0, 10.0f, 12.0f);
  // B killed A twice and nobody else: B's easiest prey and A's worst enemy.
  b.killTable[kAllWeapons][0] = 2;
  a.deathTable[kAllWeapons][1] = 2;
  addScoredPlayer("T", TEAM_RED, 0, 0, 0, 0, 10.0f, 11.0f);  // has a team: not listed
  addScoredPlayer("D", TEAM_NONE, 0, 0, 0, 0, 10.0f, 9.0f);

  const std::string page = drawPlayerList();
  const std::string head =
      "<tr><td>\n<table  BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100%  CLASS=\"neutralHighlight\">\n"
      "<tr>\n" +
      header("neutralHighlight", "#") + "<td CLASS=\"neutralHighlight\"><b>NAME</b></td>" +
      header("neutralHighlight", "SKILL") + header("neutralHighlight", "SCORE") +
      header("neutralHighlight", "KILLS&nbsp;/<br>DEATHS") + header("neutralHighlight", "SUICIDES") +
      header("neutralHighlight", "KILL&nbsp;/&nbsp;DEATH<BR>STREAK") +
      header("neutralHighlight", "PLAYER<br>AWARDS") + header("neutralHighlight", "WEAPON<br>AWARDS") +
      header("neutralHighlight", "EASIEST<br>PREY") + header("neutralHighlight", "WORST<br>ENEMY") +
      "</tr>\n";
  EXPECT_EQ(head, page.substr(0, head.size()));

  const std::string aName = "<font color=#FFFFFF></font><font color=#FF0000>A</font>";
  const std::string bName = "<font color=#FFFFFF>B%n</font>";
  // Slot 0 is a low-light line: rank 1, counts padded to two digits.
  const std::string aLine =
      "<tr>\n" + cell("neutralLowlight", "1") +
      "<td CLASS=\"neutralLowlight\"><A name=\"list-^1A\">"
      "<A href=\"k_1001_FFA_PUB_wpn.html#weapons-^1A\">" +
      aName + "</A></A></div></td>\n" + cell("neutralLowlight", "15.50") +
      cell("neutralLowlight", "5") + cell("neutralLowlight", "05 / 12") +
      cell("neutralLowlight", "1") + cell("neutralLowlight", "03 / 00") +
      "<td CLASS=\"neutralLowlight\"><div align=center>";
  const std::string aRivals =
      "<td CLASS=\"neutralLowlight\"><div align=center><font size=-2>" + aName +
      "</font></div></td>\n"  // killed nobody: his own easiest prey
      "<td CLASS=\"neutralLowlight\"><div align=center><font size=-2>" + bName +
      "</font></div></td>\n</tr>\n";
  const std::string bLine =
      "<tr>\n<td CLASS=\"neutral\"><div align=center>2</div></td>\n"
      "<td CLASS=\"neutral\"><A name=\"list-B%n\"><A href=\"k_1001_FFA_PUB_wpn.html#weapons-B%n\">" +
      bName + "</A></A></div></td>\n" + cell("neutral", "12.00") + cell("neutral", "120") +
      cell("neutral", "123 / 07") + cell("neutral", "0") + cell("neutral", "00 / 00");
  const std::string bRivals = "<td CLASS=\"neutral\"><div align=center><font size=-2>" + aName +
                              "</font></div></td>\n"
                              "<td CLASS=\"neutral\"><div align=center><font size=-2>" + bName +
                              "</font></div></td>\n</tr>\n";
  // Slot 3 is listed after the skipped slot 2 and keeps the class of its slot (odd).
  const std::string dLine = "<tr>\n<td CLASS=\"neutral\"><div align=center>4</div></td>\n";

  const std::size_t aAt = page.find(aLine);
  const std::size_t aRivalsAt = page.find(aRivals);
  const std::size_t bAt = page.find(bLine);
  const std::size_t bRivalsAt = page.find(bRivals);
  const std::size_t dAt = page.find(dLine);
  ASSERT_NE(std::string::npos, aAt);
  ASSERT_NE(std::string::npos, aRivalsAt);
  ASSERT_NE(std::string::npos, bAt);
  ASSERT_NE(std::string::npos, bRivalsAt);
  ASSERT_NE(std::string::npos, dAt);
  EXPECT_LT(aAt, aRivalsAt);
  EXPECT_LT(aRivalsAt, bAt);
  EXPECT_LT(bAt, bRivalsAt);
  EXPECT_LT(bRivalsAt, dAt);
  EXPECT_EQ(std::string::npos, page.find("list-T\""));
  EXPECT_EQ(3, countOf(page, "</A></A></div></td>\n"));

  const std::string tail =
      "<tr>\n<td COLSPAN=11 CLASS=\"neutralHighlight\">&nbsp;</td></tr>\n</table></td></tr>";
  EXPECT_EQ(tail, page.substr(page.size() - tail.size()));
}

TEST_F(PlayerListTest, UnknownGameTypeWritesNothing) {
  g_gametype = 4;
  addTestPlayer("x", TEAM_NONE);
  EXPECT_EQ("", drawPlayerList());
}

}  // namespace
