// Tests of the player statistics blocks: frame, red and blue blocks, flag lines, figures, quotes and rival links.
#include "html/player_stats.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"
#include "players/player_table.h"
#include "run/config.h"
#include "run/game.h"

namespace {

using html_test::addTestPlayer;
using html_test::countOf;
using html_test::inOrder;

class PlayerStatsTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_config_use_name_colors = "no";
    out_filename_wepns = "w.html";
  }
};

std::string drawStats() { return html_test::written(htmlDrawPlayerStatTable); }

// Expected cells, each written out from its template.
const std::string kBlank = "<IMG src=images/awards/blank.gif>&nbsp;";

std::string label(const std::string& cls, const std::string& text) {
  return "<td WIDTH=25% CLASS=\"" + cls + "\">" + text + "</td>\n";
}
std::string line(const std::string& cls, const std::string& l1, const std::string& v1, const std::string& l2,
                 const std::string& v2) {
  const std::string value = "<td WIDTH=25% CLASS=\"" + cls + "\"><div align=center>";
  return "<tr>\n" + label(cls, l1) + value + v1 + "</div></td>\n" + label(cls, l2) + value + v2 +
         "</div></td>\n</tr>\n";
}
std::string shown(const std::string& name) { return "<font size=\"0\">" + name + "</font>"; }
std::string rivalLink(const std::string& cls, const std::string& rawName, const std::string& name) {
  return "<td WIDTH=25% CLASS=\"" + cls + "\"><div align=center><font size=-2><A href=\"#stat-" + rawName + "\">" +
         name + "</A></font></div></td>\n";
}
std::string quoteLine(const std::string& cls, const std::string& quote) {
  return "<tr>\n<td COLSPAN=4 CLASS=\"" + cls + "\"><DIV align=right>\" " + quote + " \"</DIV></td>\n</tr>\n";
}

const std::string kFrameStart =
    "\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n"
    "<tr><td COLSPAN=2 valign=center align=center><img SRC=images/break.gif><br><br></td></tr>"
    "<tr><td COLSPAN=2 >\n<table  BORDER=0 CELLSPACING=0 CELLPADDING=2 WIDTH=100%>\n"
    "<tr><td CLASS=\"neutralHighlight\"><div align=center><b>PLAYER STATS</b></div></td></tr>\n"
    "</table><br></td></tr><tr>\n"
    "<td VALIGN=TOP WIDTH=50%>\n\n<table  VALIGN=TOP BORDER=0 CELLSPACING=2 CELLPADDING=2 WIDTH=100% >\n<tr>\n<td>\n";
const std::string kRightColumnStart =
    "<td VALIGN=TOP WIDTH=50%>\n\n<table VALIGN=TOP BORDER=0 CELLSPACING=2 CELLPADDING=2 WIDTH=100% >\n<tr>\n<td>\n";
const std::string kColumnEnd = "</td></tr></table></td>\n";
const std::string kFrameEnd = "</tr>\n</table>";

TEST_F(PlayerStatsTest, TeamDeathmatchPageWithOneBlockPerSide) {
  g_game.g_gametype = 1;
  PlayerRecord& al = addTestPlayer("Al", TEAM_RED);   // slot 0
  PlayerRecord& bo = addTestPlayer("Bo", TEAM_BLUE);  // slot 1
  al.quote = "100%s sure that rail was mine!";         // 30 characters: shown whole, as text
  al.frags = 7, al.kills = 10, al.deaths = 5, al.suicides = 1, al.teamKills = 2;
  al.killStreak = 4, al.deathStreak = 2, al.damageGiven = 1200, al.damageReceived = 900;
  al.totalHits = 25, al.totalShots = 100, al.combat = 12.5f, al.skill = 14.25f;
  al.deathTable[13][0] = 1;   // own column: one suicide
  al.killTable[13][1] = 10;   // Bo is Al's easiest prey
  al.deathTable[13][1] = 5;   // and his worst enemy
  bo.deathTable[13][0] = 10;  // Bo killed nobody: his easiest prey is himself
  bo.deathTable[13][1] = 2;   // the Suicides cell reads this own column, not the suicides field
  al.awards[21] = 1;          // best killer

  const std::string redBlock =
      "\n<table CLASS=\"redHighlight\" VALIGN=TOP BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100% >\n"
      "<tr>\n<td COLSPAN=2 CLASS=\"redHighlight\"><A name=\"stat-Al\"><A href=\"w.html#weapons-Al\">" +
      shown("Al") + "</A></A></td>\n<td CLASS=\"redHighlight\" COLSPAN=2 ><DIV ALIGN=RIGHT>"
                    "<IMG src=images/awards/player_kills.jpg TITLE=\"best killer\">&nbsp;</DIV></td>\n</tr>\n" +
      quoteLine("red", "100%s sure that rail was mine!") +
      // A team deathmatch block: the seven general lines only.
      line("red", "Score", "7", "Kills / Deaths", "10 / 5") + line("red", "Kill Streak", "4", "Death Streak", "2") +
      line("red", "Suicides", "1", "Team Kills", "2") + line("red", "Damage Given", "1200", "Damage Recvd", "900") +
      // 100 * 10 / (10 + 0.001 + 5 + 1 + 2) = 55.552...; 25 of 100 shots hit.
      line("red", "Efficiency %", "55.55", "Accuracy %", "25.00") +
      line("red", "Combat", "12.50", "Skill", "14.25") + "<tr>\n" + label("red", "Easiest Prey") +
      rivalLink("red", "Bo", shown("Bo")) + label("red", "Worst Enemy") + rivalLink("red", "Bo", shown("Bo")) +
      "</tr>\n<tr>\n<td COLSPAN=2 CLASS=\"redHighlight\"><DIV ALIGN=LEFT>&nbsp;" + kBlank +
      "</DIV></td>\n<td COLSPAN=2 CLASS=\"redHighlight\"><DIV ALIGN=RIGHT>" + kBlank +
      "</DIV></td>\n</tr>\n</table><BR>";

  const std::string blueBlock =
      "\n<table CLASS=\"blueHighlight\" VALIGN=TOP BORDER=0 CELLSPACING=1 CELLPADDING=2 WIDTH=100% >\n"
      "<tr>\n<td COLSPAN=2 CLASS=\"blueHighlight\"><A name=\"stat-Bo\"><A href=\"w.html#weapons-Bo\">" +
      shown("Bo") + "</A></A></td>\n" +
      // The blue award cell has no space before its '>'.
      "<td CLASS=\"blueHighlight\" COLSPAN=2><DIV ALIGN=RIGHT>" + kBlank + "</DIV></td>\n</tr>\n" +
      // No quote: a quotation mark, two spaces and a quotation mark.
      quoteLine("blue", "") + line("blue", "Score", "0", "Kills / Deaths", "0 / 0") +
      line("blue", "Kill Streak", "0", "Death Streak", "0") + line("blue", "Suicides", "2", "Team Kills", "0") +
      line("blue", "Damage Given", "0", "Damage Recvd", "0") +
      // Nothing counted: 0 / 0.001 is 0.00; no shot count: "-".
      line("blue", "Efficiency %", "0.00", "Accuracy %", "-") + line("blue", "Combat", "10.00", "Skill", "10.00") +
      "<tr>\n" + label("blue", "Easiest Prey") + rivalLink("blue", "Bo", shown("Bo")) + label("blue", "Worst Enemy") +
      rivalLink("blue", "Al", shown("Al")) + "</tr>\n" +
      // Blue award cells close without a line end.
      "<tr>\n<td COLSPAN=2 CLASS=\"blueHighlight\"><DIV ALIGN=LEFT>&nbsp;" + kBlank +
      "</DIV></td><td COLSPAN=2 CLASS=\"blueHighlight\"><DIV ALIGN=RIGHT>" + kBlank + "</DIV></td></tr>\n</table><BR>";

  EXPECT_EQ(kFrameStart + redBlock + kColumnEnd + kRightColumnStart + blueBlock + kColumnEnd + kFrameEnd, drawStats());
}

TEST_F(PlayerStatsTest, CaptureTheFlagBlockStartsWithTheFlagLines) {
  g_game.g_gametype = 2;
  PlayerRecord& bo = addTestPlayer("Bo", TEAM_BLUE);
  bo.caps = 3, bo.touches = 5, bo.fcDefends = 2, bo.fcDefendsAgr = 1, bo.baseDefends = 4;
  bo.holdKills = 6, bo.efcKills = 7, bo.efcKillAssists = 8, bo.returns = 9, bo.returnAssists = 11;
  // 80 characters: the first 61 (positions 0 to 60) are shown, written as text.
  bo.quote = "abcdefghij" "klmnopqrst" "uvwxyzABCD" "EFGHIJKLMN" "OPQRSTUVWX" "YZ0123%s%n" "!<b>567890" "-tail-tail";
  const std::string page = drawStats();
  EXPECT_TRUE(inOrder(page, {quoteLine("blue", "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123%s%n!") +
                             line("blue", "Flag Captures", "3", "Flag Touches", "5") +
                             line("blue", "FC Defends", "2", "FC Defends agr.", "1") +
                             line("blue", "Base Defends", "4", "Flag Hold Kills", "6") +
                             line("blue", "EFC Kills", "7", "EFC&nbsp;Kill&nbsp;Assists", "8") +
                             line("blue", "Flag Returns", "9", "Return Assists", "11") + "<tr>\n" +
                             label("blue", "Score")}));
  EXPECT_EQ(12, countOf(page, "<tr>\n<td WIDTH=25%"));

  g_game.g_gametype = 3;  // Clan Arena is a team game without flags
  EXPECT_EQ(7, countOf(drawStats(), "<tr>\n<td WIDTH=25%"));
}

TEST_F(PlayerStatsTest, EmptyRedTeamAndLiteralNames) {
  g_game.g_gametype = 1;
  addTestPlayer("Watcher", TEAM_NONE);  // no team: no block
  addTestPlayer("%s^1B", TEAM_BLUE);
  const std::string page = drawStats();
  // The left column is empty; the right one is still written.
  EXPECT_EQ(0u, page.find(kFrameStart + kColumnEnd + kRightColumnStart + "\n<table CLASS=\"blueHighlight\""));
  EXPECT_TRUE(html_test::endsWith(page, kColumnEnd + kFrameEnd));
  EXPECT_EQ(1, countOf(page, "<A name=\"stat-"));
  // The name reaches anchors and links as text; killing and killed by nobody, he is his own rival.
  EXPECT_TRUE(inOrder(page, {"<A name=\"stat-%s^1B\"><A href=\"w.html#weapons-%s^1B\">" + shown("%sB") + "</A></A>",
                             rivalLink("blue", "%s^1B", shown("%sB")), rivalLink("blue", "%s^1B", shown("%sB"))}));
}

}  // namespace
