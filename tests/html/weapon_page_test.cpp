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

TEST_F(WeaponPageTest, WeaponNamesAndColouredCounts) {
  const auto stat = [](int weapon, int value) {
    return html_test::written([=] { htmlPrintWeaponStat(weapon, value); });
  };
  g_config_use_weapon_colors = "yes";
  EXPECT_EQ("<font size=-2 color=#00FFFF>Gauntlet</font>", std::string(getWeaponName(0)));
  EXPECT_EQ("<font size=-2 color=#054DA3>BFG</font>", std::string(getWeaponName(8)));
  EXPECT_EQ("", std::string(getWeaponName(13)));
  EXPECT_EQ("", std::string(getWeaponName(-1)));
  EXPECT_EQ("<font color=#00FF00>3</font>", stat(6, 3));
  EXPECT_EQ("14", stat(13, 14));  // no colour outside 0..12
  g_config_use_weapon_colors = "Yes";  // only the exact "yes" turns colours on
  EXPECT_EQ("Rail Gun", std::string(getWeaponName(6)));
  EXPECT_EQ("3", stat(6, 3));
}

TEST_F(WeaponPageTest, FreeForAllTablesWithEveryWeaponRule) {
  ScratchDirectory dir;
  g_game.g_gametype = 0;
  // Two players: every table has 2 opponent pairs, the player himself included.
  // W = 100 / (2 + 3) = 20.00, W/2 = 10.00, W/3 = 6.67.  Totals are in column N = 2.
  // Names reach anchors and links as text.
  PlayerRecord& a = addTestPlayer("A%s", TEAM_NONE);
  PlayerRecord& b = addTestPlayer("B%n", TEAM_NONE);
  a.killTable[0][1] = a.killTable[0][2] = 2;  // gauntlet kills of B, no gauntlet hits
  a.deathTable[0][1] = a.deathTable[0][2] = 1;
  a.hits[6] = 10, a.shots[6] = 40;            // rail used through its shots only
  a.killTable[8][1] = a.killTable[8][2] = 1;  // BFG kill, no BFG shots
  a.killTable[9][1] = a.killTable[9][2] = 1;  // nail gun kill
  a.killTable[13][1] = 4, a.deathTable[13][1] = 1;
  a.kills = 4, a.deaths = 1, a.totalHits = 10, a.totalShots = 40;
  b.hits[0] = 4;  // gauntlet hits show on B's gauntlet line
  b.killTable[0][0] = b.killTable[0][2] = 1;
  b.totalHits = 4;
  const std::string page = drawWeaponPage();

  const auto cell = [](const std::string& width, const std::string& cls, const std::string& align,
                       const std::string& v) {
    return "<td WIDTH=\"" + width + "%\" CLASS=\"" + cls + "\"><div align=" + align + ">" + v + "</div></td>\n";
  };
  const auto pair = [&](const std::string& kill, const std::string& death) {
    return cell("10.00", "neutral", "right", kill) + cell("10.00", "neutralLowlight", "left", death);
  };
  // The six summary cells, W/3 wide, that close a line.
  const auto summary = [&](std::initializer_list<std::string> values) {
    const char* const aligns[] = {"right", "left", "right", "right", "left", "right"};
    std::string cells;
    int i = 0;
    for (const std::string& v : values) cells += cell("6.67", "neutral", aligns[i++], "<b>" + v + "</b>");
    return cells + "</tr>\n";
  };
  const auto weapon = [](const std::string& name) {
    return "<tr>\n<td WIDTH=\"20.00%\" CLASS=\"neutral\">" + name + "</td>\n";
  };
  const auto opponent = [](const std::string& name) {
    return "<td WIDTH=\"20.00%\" COLSPAN=2 CLASS=\"neutralLowlight\"><center><font size=-2><A href=\"#weapons-" +
           name + "\"><font size=\"0\">" + name + "</font></A></font></center></td>\n";
  };
  const auto heading = [](const std::string& cls, const std::string& text) {
    return "<td WIDTH=\"6.67%\" CLASS=\"" + cls + "\" >" + text + "</DIV></td>\n";
  };

  EXPECT_TRUE(inOrder(
      page,
      {"<tr><td CLASS=\"neutralHighlight\"><div align=center><b>WEAPON STATS</b></div></td></tr>\n</table>\n<BR></td>\n"
       "</tr>\n<tr>\n<td>\n<center>\n\n"
       "<table CLASS=\"neutralHighlight\" WIDTH=\"100%\" BORDER=0 CELLSPACING=2 CELLPADDING=2>\n"
       "<tr>\n<td WIDTH=\"20.00%\" CLASS=\"neutralHighlight\"><A name=\"weapons-A%s\">"
       "<A href=\"main.html#list-A%s\"><font size=\"0\">A%s</font></A></A></td>\n" +
           opponent("A%s") + opponent("B%n") + heading("neutral", "<DIV ALIGN=right>&nbsp;kills") +
           heading("neutral", "<DIV ALIGN=left>death") + heading("neutralHighlight", "<DIV ALIGN=right><b>eff. %</b>") +
           heading("neutral", "<DIV ALIGN=right>hits") + heading("neutral", "<DIV ALIGN=left>atts") +
           heading("neutralHighlight", "<DIV ALIGN=right><b>acc. %</b>") + "</tr>\n" +
           // Weapons used in the game, in code order: 0, 6, 8, 9.
           // Gauntlet: 100 * 2 / (2 + 0.001 + 1) = 66.64; no hits: "-"; never shots or accuracy.
           weapon("Gauntlet") + pair("0", "0") + pair("2", "1") + summary({"2", "1", "66.64 %", "-", "-", "-"}) +
           // Rail: no kills, 0.00 %; 10 of 40 hit: 25.00 %.
           weapon("Rail Gun") + pair("0", "0") + pair("0", "0") + summary({"0", "0", "0.00 %", "10", "40", "25.00 %"}) +
           // BFG: 100 * 1 / 1.001 = 99.90; no hits: "-"; the shot count shows even when 0.
           weapon("BFG") + pair("0", "0") + pair("1", "0") + summary({"1", "0", "99.90 %", "-", "0", "-"}) +
           // Nail gun: no OSP figures at all.
           weapon("Nail Gun") + pair("0", "0") + pair("1", "0") + summary({"1", "0", "99.90 %", "-", "-", "-"}) +
           // TOTAL: 100 * 4 / (4 + 1 + 0 + 0 + 0.001) = 79.98.
           "<tr>\n<td WIDTH=\"20.00%\" CLASS=\"neutral\"><b>TOTAL</b></td>\n" + pair("0", "0") + pair("4", "1") +
           summary({"4", "1", "79.98 %", "10", "40", "25.00 %"}) + "</table>\n</center>\n<br>\n</td>\n</tr>\n",
       // B: gauntlet hits shown; no kills or deaths at all: 0.00 %; no shots: "-".
       weapon("Gauntlet") + pair("1", "0") + pair("0", "0") + summary({"1", "0", "99.90 %", "4", "-", "-"}),
       "<b>TOTAL</b></td>\n" + pair("0", "0") + pair("0", "0") + summary({"0", "0", "0.00 %", "4", "0", "-"})}));
  EXPECT_EQ(2, countOf(page, "<A name=\"weapons-"));
}

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

TEST_F(WeaponPageTest, PageSwitchWritesBothPages) {
  ScratchDirectory dir;
  html_test::writeFile("c-header.html", "<p>100% header</p>\n");
  html_test::writeFile("c-footer.html", "<p>%d footer</p>\n");
  g_config_header_file = "c-header.html";
  g_config_footer_file = "c-footer.html";
  g_game.g_gametype = 7;  // unknown game type: no banner, no tables
  const std::string page = drawWeaponPage();

  EXPECT_EQ("MAIN\n<center><IMG SRC=images/break.gif><BR>[<A HREF=wpn.html>view weapon stats</A>]</center><BR><BR>"
            "AFTER\n",
            mainPage);
  EXPECT_EQ(0u, page.find("<html>\n<head><title>kalimo stats - (weapon stats)</title>\n"
                          "<LINK REL=stylesheet HREF=\"c-kalimo.css\" TYPE=\"text/css\">\n</head>\n<body>\n<center>\n"
                          "<p>100% header</p>\n\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n<tr>\n<td>\n"
                          "\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n"));
  EXPECT_TRUE(inOrder(page, {"</table>\n<BR>\n</td>\n</tr>\n<tr>\n<td>\n<center><IMG SRC=images/break.gif><BR>"
                             "[<A HREF=main.html>back to main stats</A>]</center><BR></td>\n</tr>\n"
                             "<tr>\n<td>\n<BR><center><IMG SRC=images/break.gif><BR>"
                             "[<A HREF=main.html>back to main stats</A>]</center><BR><BR>"
                             "\n<table  CLASS=\"neutralHighlight\""}));
  EXPECT_EQ(std::string::npos, page.find("WEAPON STATS"));
  EXPECT_TRUE(
      html_test::endsWith(page, "</table>\n</td>\n</tr>\n</table>\n</center>\n<p>%d footer</p>\n</body>\n</html>\n"));
}

TEST_F(WeaponPageTest, WeaponPageThatCannotBeCreatedStopsTheRunAfterSavingTheMainPage) {
  ScratchDirectory dir;
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
