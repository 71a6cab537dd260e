// Tests of the player statistics blocks where no end-to-end page looks: the quote cut, the flag lines by game type, literal names and a player who is his own rival.
#include "html/player_stats.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"

namespace {

using html_test::addTestPlayer;
using html_test::countOf;
using html_test::inOrder;

std::string drawStats() { return html_test::written(htmlDrawPlayerStatTable); }

class PlayerStatsTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_config_use_name_colors = "no";
    out_filename_wepns = "w.html";
  }
};

TEST_F(PlayerStatsTest, QuoteIsCutAfter61CharactersAndWrittenAsText) {
  g_game.g_gametype = 1;
  addTestPlayer("Bo", TEAM_BLUE).quote =
      "abcdefghij" "klmnopqrst" "uvwxyzABCD" "EFGHIJKLMN" "OPQRSTUVWX" "YZ0123%s%n" "!<b>567890" "-tail";
  EXPECT_TRUE(inOrder(drawStats(), {"<DIV align=right>\" abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123%s%n! \"</DIV>"}));
}

TEST_F(PlayerStatsTest, OnlyCaptureTheFlagAddsTheFiveFlagLines) {
  addTestPlayer("Bo", TEAM_BLUE);
  const std::pair<int, int> linesByType[] = {{GT_CTF, 12}, {GT_TDM, 7}, {GT_CA, 7}};
  for (const auto& [type, lines] : linesByType) {
    g_game.g_gametype = type;
    EXPECT_EQ(lines, countOf(drawStats(), "<tr>\n<td WIDTH=25%")) << type;
  }
}

TEST_F(PlayerStatsTest, EmptyRedTeamKeepsItsColumnAndNamesStayLiteral) {
  g_game.g_gametype = 1;
  addTestPlayer("Watcher", TEAM_NONE);  // no team: no block
  addTestPlayer("%s^1B", TEAM_BLUE);
  const std::string page = drawStats();
  EXPECT_TRUE(inOrder(page, {"<td VALIGN=TOP WIDTH=50%>\n\n<table  VALIGN=TOP BORDER=0 CELLSPACING=2 CELLPADDING=2 "
                             "WIDTH=100% >\n<tr>\n<td>\n</td></tr></table></td>\n<td VALIGN=TOP WIDTH=50%>"}));
  EXPECT_EQ(1, countOf(page, "<A name=\"stat-"));
  // Killing and killed by nobody, he is his own easiest prey and worst enemy.
  EXPECT_EQ(2, countOf(page, "<A href=\"#stat-%s^1B\"><font size=\"0\">%sB</font></A>"));
  EXPECT_TRUE(inOrder(page, {"<A name=\"stat-%s^1B\"><A href=\"w.html#weapons-%s^1B\">"}));
}

}  // namespace
