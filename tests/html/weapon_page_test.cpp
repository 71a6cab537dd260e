// Tests of the weapon page: names and colours, column widths, weapon and TOTAL lines, the switch between pages.
#include "html/weapon_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>

#include "html_test_support.h"
#include "players/player_table.h"
#include "run/config.h"
#include "run/game.h"

namespace {

using html_test::addTestPlayer;
using html_test::countOf;
using html_test::inOrder;
using html_test::readFile;
using html_test::ScratchDirectory;

class WeaponPageTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_config_use_name_colors = "no";
    g_config_use_weapon_colors = "no";
    out_filename_stats = "main.html";
    out_filename_wepns = "wpn.html";
  }

  // Runs the page switch from an open main page "html/main.html" holding "MAIN\n"; returns
  // the weapon page and leaves the main page's text in mainPage.
  std::string drawWeaponPage() {
    EXPECT_TRUE(createMainPage());
    wr("MAIN\n");
    EXPECT_TRUE(htmlDrawWeaponTable());
    wr("AFTER\n");
    finishPage();
    mainPage = readFile("html/main.html");
    return readFile("html/wpn.html");
  }

  std::string mainPage;
};



TEST_F(WeaponPageTest, ColumnWidthsFollowTheNumberOfOpponents) {
  ScratchDirectory dir;
  g_game.g_gametype = 0;
  for (const char* name : {"P1", "P2", "P3", "P4", "P5"}) addTestPlayer(name, TEAM_NONE);
  std::string page = drawWeaponPage();
  // Free for all, five players: W = 100 / (5 + 3) = 12.50; five tables of five opponent pairs.
  EXPECT_EQ(5, countOf(page, "<td WIDTH=\"12.50%\" CLASS=\"neutralHighlight\"><A name=\"weapons-"));
  EXPECT_EQ(25, countOf(page, "<td WIDTH=\"12.50%\" COLSPAN=2 CLASS=\"neutralLowlight\">"));

  // Team game, 3 red against 4 blue: red tables first, blue opponents, W = 100 / 7 = 14.29;
  // then blue tables, red opponents, W = 100 / 6 = 16.67. The player without a team has none.
  initPlayers();
  g_game.g_gametype = 1;
  for (const char* name : {"B1", "R1", "B2", "R2", "B3", "R3", "B4"}) {
    addTestPlayer(name, name[0] == 'R' ? TEAM_RED : TEAM_BLUE);
  }
  addTestPlayer("Watcher", TEAM_NONE);
  page = drawWeaponPage();
  EXPECT_EQ(3, countOf(page, "<td WIDTH=\"14.29%\" CLASS=\"redHighlight\"><A name=\"weapons-R"));
  EXPECT_EQ(12, countOf(page, "<td WIDTH=\"14.29%\" COLSPAN=2 CLASS=\"blueHighlight\">"));
  EXPECT_EQ(4, countOf(page, "<td WIDTH=\"16.67%\" CLASS=\"blueHighlight\"><A name=\"weapons-B"));
  EXPECT_EQ(12, countOf(page, "<td WIDTH=\"16.67%\" COLSPAN=2 CLASS=\"redHighlight\">"));
  EXPECT_EQ(std::string::npos, page.find("weapons-Watcher"));
  // Tables and opponents in slot order; team tables link to the statistic block.
  EXPECT_TRUE(inOrder(page, {"<A name=\"weapons-R1\"><A href=\"main.html#stat-R1\">", "#weapons-B1", "#weapons-B4",
                             "<A name=\"weapons-R3\">", "<A name=\"weapons-B1\">", "<A name=\"weapons-B4\">"}));
}


TEST_F(WeaponPageTest, WeaponPageThatCannotBeCreatedStopsTheRunAfterSavingTheMainPage) {
  ScratchDirectory dir;
  ASSERT_TRUE(createMainPage());
  ASSERT_EQ(0, ::mkdir("html/wpn.html", 0777));  // a directory where the page should go
  testing::internal::CaptureStdout();
  EXPECT_FALSE(htmlDrawWeaponTable());
  EXPECT_EQ("ERROR: couldnt open file to write\n", testing::internal::GetCapturedStdout());
  EXPECT_EQ(nullptr, fpw);
  // The link was written to the main page before it was closed.
  EXPECT_EQ("<center><IMG SRC=images/break.gif><BR>[<A HREF=wpn.html>view weapon stats</A>]</center><BR><BR>",
            readFile("html/main.html"));
}

}  // namespace
