// Tests of page assembly in a team game: the statistic row, the weapon row and the page that follows it.
// (Free-for-all pages are compared byte for byte by the end-to-end cases.)
#include "html/page.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"
#include "players/player_table.h"
#include "run/config.h"
#include "run/game.h"
#include "run/main_loop.h"

namespace {

using html_test::endsWith;
using html_test::inOrder;
using html_test::readFile;

TEST(PageTest, TeamGameWithWeaponPage) {
  html_test::resetHtmlState();
  html_test::ScratchDirectory dir;
  g_run.g_time_now = "2001-08-10,12-00-00";
  g_run.g_game_count = 1001;
  g_run.fp_sql_gamestats = std::fopen("db_sql_gamestats.txt", "a");
  g_game.g_gametype = 1;
  g_config_make_weapon_stats = "yes";
  html_test::addTestPlayer("R", TEAM_RED);
  html_test::addTestPlayer("B", TEAM_BLUE);
  makeHtml();
  EXPECT_EQ(nullptr, fpw);  // the main page is closed
  std::fclose(g_run.fp_sql_gamestats);
  g_run.fp_sql_gamestats = nullptr;

  // No clan tags: the sides are named RED and BLUE.
  const std::string stem = "kalimostats_2001_08_10_12_00_00_1001_TDM_RED_vs_BLUE_";
  const std::string main = readFile("html/" + stem + "main.html");
  // The player list row, the statistic row, the weapon row (the link, closed with a line end
  // after the weapon page was written), then the credits and the closing tags.
  EXPECT_TRUE(inOrder(main, {"</table><br></td></tr><tr><td><br>\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 "
                             "WIDTH=100%>\n",
                             "<A name=\"stat-R\">",
                             "</tr>\n</table></td></tr><tr><td><br><center><IMG SRC=images/break.gif><BR>[<A HREF=" +
                                 stem + "wpn.html>view weapon stats</A>]</center><BR><BR></td></tr>\n"
                                        "<tr><td>\n<table  CLASS=\"neutralHighlight\""}));
  EXPECT_TRUE(endsWith(main, "</table>\n</td></tr>\n</table>\n</center>\n</body>\n</html>\n"));
  EXPECT_EQ(1, html_test::countOf(main, "<html>"));

  // The weapon page is a complete page of its own that links back to the statistic blocks.
  const std::string weapons = readFile("html/" + stem + "wpn.html");
  EXPECT_EQ(0u, weapons.find("<html>\n<head><title>kalimo stats - (weapon stats)</title>\n"));
  EXPECT_TRUE(inOrder(weapons, {"<A href=\"" + stem + "main.html#stat-R\">"}));
  EXPECT_TRUE(endsWith(weapons, "</table>\n</center>\n</body>\n</html>\n"));
}

}  // namespace
