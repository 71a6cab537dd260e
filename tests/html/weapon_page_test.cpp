// Tests of the weapon page where no end-to-end page looks: unequal teams and a page that cannot be created.
#include "html/weapon_page.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"

namespace {

using html_test::addTestPlayer;
using html_test::countOf;
using html_test::readFile;

class WeaponPageTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_config_use_name_colors = "no";
    out_filename_stats = "main.html";
    out_filename_wepns = "wpn.html";
  }
  html_test::ScratchDirectory dir_;
};

TEST_F(WeaponPageTest, EachTeamsColumnsAreSharedByTheOtherTeamsPlayers) {
  g_game.g_gametype = GT_TDM;
  for (const char* name : {"B1", "R1", "B2", "R2", "B3", "R3", "B4"}) {
    addTestPlayer(name, name[0] == 'R' ? TEAM_RED : TEAM_BLUE);
  }
  addTestPlayer("Watcher", TEAM_NONE);
  ASSERT_TRUE(createMainPage());
  ASSERT_TRUE(htmlDrawWeaponTable());
  finishPage();
  const std::string page = readFile("html/wpn.html");
  // 3 red tables of 4 blue opponents: W = 100 / (4 + 3) = 14.29; 4 blue tables of 3 red
  // opponents: W = 100 / (3 + 3) = 16.67. The player without a team has no table.
  EXPECT_EQ(3, countOf(page, "<td WIDTH=\"14.29%\" CLASS=\"redHighlight\"><A name=\"weapons-R"));
  EXPECT_EQ(12, countOf(page, "<td WIDTH=\"14.29%\" COLSPAN=2 CLASS=\"blueHighlight\">"));
  EXPECT_EQ(4, countOf(page, "<td WIDTH=\"16.67%\" CLASS=\"blueHighlight\"><A name=\"weapons-B"));
  EXPECT_EQ(12, countOf(page, "<td WIDTH=\"16.67%\" COLSPAN=2 CLASS=\"redHighlight\">"));
  EXPECT_EQ(std::string::npos, page.find("weapons-Watcher"));
  EXPECT_TRUE(html_test::inOrder(page, {"<A name=\"weapons-R1\"><A href=\"main.html#stat-R1\">", "#weapons-B1",
                                        "#weapons-B4", "<A name=\"weapons-R3\">", "<A name=\"weapons-B1\">"}));
}

TEST_F(WeaponPageTest, WeaponPageThatCannotBeCreatedStopsTheRunAfterSavingTheMainPage) {
  ASSERT_EQ(0, ::mkdir("html/wpn.html", 0777));  // a directory where the page should go
  EXPECT_TRUE(createMainPage());
  wr("MAIN\n");
  EXPECT_TRUE(htmlDrawWeaponTable());
  wr("AFTER\n");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(finishPage());
  EXPECT_EQ("ERROR: couldnt open file to write\n", testing::internal::GetCapturedStdout());
  EXPECT_EQ(nullptr, fpw);
  // The main page holds what was written before the weapon page was begun: the link.
  EXPECT_EQ("MAIN\n<center><IMG SRC=images/break.gif><BR>[<A HREF=wpn.html>view weapon stats</A>]</center><BR><BR>",
            readFile("html/main.html"));
}

}  // namespace
