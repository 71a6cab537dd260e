// Tests of the weapon page: weapon names and colours, column widths, weapon and TOTAL lines, and the switch between the two pages.
#include "html/weapon_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "html/page.h"
#include "html_test_support.h"
#include "players/player_table.h"
#include "run/config.h"
#include "run/game.h"
#include "run/main_loop.h"

namespace {

using html_test::addTestPlayer;
using html_test::countOf;
using html_test::PageCapture;
using html_test::readFile;
using html_test::ScratchDirectory;
using html_test::writeFile;

class WeaponPageTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_config_use_name_colors = "no";
    g_config_use_weapon_colors = "no";
    g_time_now = "2001-08-10,12-00-00";
    g_game_count = 1001;
  }
  void TearDown() override {
    if (fpw != nullptr) std::fclose(fpw);
    fpw = nullptr;
  }

  // Runs the page switch from an open main page "html/main.html" holding "MAIN\n"; returns
  // the weapon page and leaves the main page's text in mainPage.
  std::string drawWeaponPage() {
    out_filename_stats = "main.html";
    out_filename_wepns = "wpn.html";
    fpw = std::fopen("html/main.html", "w");
    wr("MAIN\n");
    htmlDrawWeaponTable();
    wr("AFTER\n");
    std::fclose(fpw);
    fpw = nullptr;
    mainPage = readFile("html/main.html");
    return readFile("html/wpn.html");
  }

  std::string mainPage;
};

std::string stat(int weapon, int value) {
  PageCapture page;
  htmlPrintWeaponStat(weapon, value);
  return page.text();
}

TEST_F(WeaponPageTest, WeaponNamesAndColouredCounts) {
  g_config_use_weapon_colors = "yes";
  EXPECT_EQ("<font size=-2 color=#00FFFF>Gauntlet</font>", std::string(getWeaponName(0)));
  EXPECT_EQ("<font size=-2 color=#054DA3>BFG</font>", std::string(getWeaponName(8)));
  EXPECT_EQ("<font size=-2 color=#FFFFFF>Suicide</font>", std::string(getWeaponName(12)));
  EXPECT_EQ("", std::string(getWeaponName(13)));
  EXPECT_EQ("", std::string(getWeaponName(-1)));
  EXPECT_EQ("<font color=#00FF00>3</font>", stat(6, 3));
  EXPECT_EQ("<font color=#FCCD03>0</font>", stat(2, 0));
  EXPECT_EQ("14", stat(13, 14));  // no colour outside 0..12

  g_config_use_weapon_colors = "Yes";  // only the exact "yes" turns colours on
  EXPECT_EQ("Rail Gun", std::string(getWeaponName(6)));
  EXPECT_EQ("Grenade Launcher", std::string(getWeaponName(3)));
  EXPECT_EQ("3", stat(6, 3));
}

TEST_F(WeaponPageTest, FreeForAllTablesWithEveryWeaponRule) {
  ScratchDirectory dir;
  g_gametype = 0;
  // Two players: every table has 2 opponent pairs, the player himself included.
  // W = 100 / (2 + 3) = 20.00, W/2 = 10.00, W/3 = 6.67.  Totals are in column N = 2.
  PlayerRecord& a = addTestPlayer("A", TEAM_NONE);
  PlayerRecord& b = addTestPlayer("B", TEAM_NONE);
  a.killTable[0][1] = 2;  // gauntlet kills of B, no gauntlet hits
  a.killTable[0][2] = 2;
  a.deathTable[0][1] = 1;
  a.deathTable[0][2] = 1;
  a.hits[6] = 10;  // rail used through its shots only
  a.shots[6] = 40;
  a.killTable[8][1] = 1;  // BFG kill, no BFG shots
  a.killTable[8][2] = 1;
  a.killTable[9][1] = 1;  // nail gun kill
  a.killTable[9][2] = 1;
  a.killTable[13][1] = 4;
  a.deathTable[13][1] = 1;
  a.kills = 4;
  a.deaths = 1;
  a.totalHits = 10;
  a.totalShots = 40;
  b.hits[0] = 4;  // gauntlet hits show on B's gauntlet line
  b.killTable[0][0] = 1;
  b.killTable[0][2] = 1;
  b.totalHits = 4;

  const std::string page = drawWeaponPage();

  auto cell = [](const std::string& width, const std::string& cls, const std::string& align,
                 const std::string& v) {
    return "<td WIDTH=\"" + width + "%\" CLASS=\"" + cls + "\"><div align=" + align + ">" + v +
           "</div></td>\n";
  };
  auto pair = [&](const std::string& kill, const std::string& death) {
    return cell("10.00", "neutral", "right", kill) + cell("10.00", "neutralLowlight", "left", death);
  };
  auto summary = [&](const std::string& kills, const std::string& deaths, const std::string& eff,
                     const std::string& hits, const std::string& shots, const std::string& acc) {
    return cell("6.67", "neutral", "right", "<b>" + kills + "</b>") +
           cell("6.67", "neutral", "left", "<b>" + deaths + "</b>") +
           cell("6.67", "neutral", "right", "<b>" + eff + "</b>") +
           cell("6.67", "neutral", "right", "<b>" + hits + "</b>") +
           cell("6.67", "neutral", "left", "<b>" + shots + "</b>") +
           cell("6.67", "neutral", "right", "<b>" + acc + "</b>");
  };
  auto weapon = [](const std::string& name) {
    return "<tr>\n<td WIDTH=\"20.00%\" CLASS=\"neutral\">" + name + "</td>\n";
  };
  auto opponentHeader = [](const std::string& name) {
    return "<td WIDTH=\"20.00%\" COLSPAN=2 CLASS=\"neutralLowlight\"><center><font size=-2>"
           "<A href=\"#weapons-" + name + "\"><font size=\"0\">" + name +
           "</font></A></font></center></td>\n";
  };
  const std::string headerCells =
      "<td WIDTH=\"6.67%\" CLASS=\"neutral\" ><DIV ALIGN=right>&nbsp;kills</DIV></td>\n"
      "<td WIDTH=\"6.67%\" CLASS=\"neutral\" ><DIV ALIGN=left>death</DIV></td>\n"
      "<td WIDTH=\"6.67%\" CLASS=\"neutralHighlight\" ><DIV ALIGN=right><b>eff. %</b></DIV></td>\n"
      "<td WIDTH=\"6.67%\" CLASS=\"neutral\" ><DIV ALIGN=right>hits</DIV></td>\n"
      "<td WIDTH=\"6.67%\" CLASS=\"neutral\" ><DIV ALIGN=left>atts</DIV></td>\n"
      "<td WIDTH=\"6.67%\" CLASS=\"neutralHighlight\" ><DIV ALIGN=right><b>acc. %</b></DIV></td>\n";

  const std::string tableOfA =
      "<tr>\n<td>\n<center>\n"
      "\n<table CLASS=\"neutralHighlight\" WIDTH=\"100%\" BORDER=0 CELLSPACING=2 CELLPADDING=2>\n"
      "<tr>\n<td WIDTH=\"20.00%\" CLASS=\"neutralHighlight\"><A name=\"weapons-A\">"
      "<A href=\"main.html#list-A\"><font size=\"0\">A</font></A></A></td>\n" +
      opponentHeader("A") + opponentHeader("B") + headerCells + "</tr>\n" +
      // Weapons used in the game, in code order: 0, 6, 8, 9.
      // Gauntlet: 100 * 2 / (2 + 0.001 + 1) = 66.64; no hits: "-"; never shots or accuracy.
      weapon("Gauntlet") + pair("0", "0") + pair("2", "1") +
      summary("2", "1", "66.64 %", "-", "-", "-") + "</tr>\n" +
      // Rail: no kills, 0.00 %; 10 of 40 hit: 25.00 %.
      weapon("Rail Gun") + pair("0", "0") + pair("0", "0") +
      summary("0", "0", "0.00 %", "10", "40", "25.00 %") + "</tr>\n" +
      // BFG: 100 * 1 / 1.001 = 99.90; no hits: "-"; the shot count shows even when 0.
      weapon("BFG") + pair("0", "0") + pair("1", "0") +
      summary("1", "0", "99.90 %", "-", "0", "-") + "</tr>\n" +
      // Nail gun: no OSP figures at all.
      weapon("Nail Gun") + pair("0", "0") + pair("1", "0") +
      summary("1", "0", "99.90 %", "-", "-", "-") + "</tr>\n" +
      // TOTAL: 100 * 4 / (4 + 1 + 0 + 0 + 0.001) = 79.98.
      "<tr>\n<td WIDTH=\"20.00%\" CLASS=\"neutral\"><b>TOTAL</b></td>\n" + pair("0", "0") +
      pair("4", "1") + summary("4", "1", "79.98 %", "10", "40", "25.00 %") + "</tr>\n" +
      "</table>\n</center>\n<br>\n</td>\n</tr>\n";
  EXPECT_NE(std::string::npos, page.find(tableOfA));

  // B: gauntlet hits shown; no kills or deaths at all: 0.00 %; no shots: "-".
  EXPECT_NE(std::string::npos, page.find(weapon("Gauntlet") + pair("1", "0") + pair("0", "0") +
                                         summary("1", "0", "99.90 %", "4", "-", "-")));
  EXPECT_NE(std::string::npos, page.find(pair("0", "0") + pair("0", "0") +
                                         summary("0", "0", "0.00 %", "4", "0", "-")));
  EXPECT_EQ(2, countOf(page, "<A name=\"weapons-"));
}

TEST_F(WeaponPageTest, FreeForAllWithFivePlayers) {
  ScratchDirectory dir;
  g_gametype = 0;
  for (const char* name : {"P1", "P2", "P3", "P4", "P5"}) addTestPlayer(name, TEAM_NONE);
  const std::string page = drawWeaponPage();
  // W = 100 / (5 + 3) = 12.50; five tables of five opponent pairs each.
  EXPECT_EQ(5, countOf(page, "<td WIDTH=\"12.50%\" CLASS=\"neutralHighlight\"><A name=\"weapons-"));
  EXPECT_EQ(25, countOf(page, "<td WIDTH=\"12.50%\" COLSPAN=2 CLASS=\"neutralLowlight\">"));
  EXPECT_EQ(25, countOf(page, "<td WIDTH=\"6.25%\" CLASS=\"neutral\"><div align=right>0</div></td>\n"));
  EXPECT_EQ(5, countOf(page, "<td WIDTH=\"4.17%\" CLASS=\"neutral\"><div align=right><b>0.00 %</b></div></td>\n"));
}

TEST_F(WeaponPageTest, TeamGameTablesRedAgainstBlueThenBlueAgainstRed) {
  ScratchDirectory dir;
  g_gametype = 1;
  for (const char* name : {"B1", "R1", "B2", "R2", "B3", "R3", "B4"}) {
    addTestPlayer(name, name[0] == 'R' ? TEAM_RED : TEAM_BLUE);
  }
  addTestPlayer("Watcher", TEAM_NONE);
  const std::string page = drawWeaponPage();

  // Red tables: 4 blue opponents, W = 100 / 7 = 14.29, W/3 = 4.76.
  // Blue tables: 3 red opponents, W = 100 / 6 = 16.67, W/3 = 5.56.
  EXPECT_EQ(3, countOf(page, "<td WIDTH=\"14.29%\" CLASS=\"redHighlight\"><A name=\"weapons-R"));
  EXPECT_EQ(12, countOf(page, "<td WIDTH=\"14.29%\" COLSPAN=2 CLASS=\"blueHighlight\">"));
  EXPECT_EQ(3, countOf(page, "<td WIDTH=\"4.76%\" CLASS=\"redHighlight\" ><DIV ALIGN=right><b>eff. %"));
  EXPECT_EQ(4, countOf(page, "<td WIDTH=\"16.67%\" CLASS=\"blueHighlight\"><A name=\"weapons-B"));
  EXPECT_EQ(12, countOf(page, "<td WIDTH=\"16.67%\" COLSPAN=2 CLASS=\"redHighlight\">"));
  EXPECT_EQ(4, countOf(page, "<td WIDTH=\"5.56%\" CLASS=\"blueHighlight\" ><DIV ALIGN=right><b>eff. %"));
  // Team games link each table to the player's statistic block; the spectator has no table.
  EXPECT_NE(std::string::npos, page.find("<A name=\"weapons-R1\"><A href=\"main.html#stat-R1\">"));
  EXPECT_EQ(std::string::npos, page.find("weapons-Watcher"));
  // Red tables first, each in slot order.
  const std::size_t r3 = page.find("<A name=\"weapons-R3\">");
  const std::size_t b1 = page.find("<A name=\"weapons-B1\">");
  EXPECT_LT(page.find("<A name=\"weapons-R1\">"), r3);
  EXPECT_LT(r3, b1);
  EXPECT_LT(b1, page.find("<A name=\"weapons-B4\">"));
  // In R1's table the blue opponents come in slot order.
  const std::size_t r1Table = page.find("<A name=\"weapons-R1\">");
  EXPECT_LT(page.find("<A href=\"#weapons-B1\">", r1Table), page.find("<A href=\"#weapons-B4\">", r1Table));
}

TEST_F(WeaponPageTest, PageSwitchWritesBothPagesAndNamesLiterally) {
  ScratchDirectory dir;
  writeFile("c-header.html", "<p>100% header</p>\n");
  writeFile("c-footer.html", "<p>%d footer</p>\n");
  g_config_header_file = "c-header.html";
  g_config_footer_file = "c-footer.html";
  g_gametype = 7;  // unknown game type: no banner, no tables
  addTestPlayer("%s%n", TEAM_NONE);
  const std::string page = drawWeaponPage();

  EXPECT_EQ(
      "MAIN\n<center><IMG SRC=images/break.gif><BR>[<A HREF=wpn.html>view weapon stats</A>]"
      "</center><BR><BR>AFTER\n",
      mainPage);
  const std::string start =
      "<html>\n<head><title>kalimo stats - (weapon stats)</title>\n"
      "<LINK REL=stylesheet HREF=\"c-kalimo.css\" TYPE=\"text/css\">\n</head>\n<body>\n<center>\n"
      "<p>100% header</p>\n"
      "\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n<tr>\n<td>\n"
      "\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n";
  EXPECT_EQ(start, page.substr(0, start.size()));
  EXPECT_NE(std::string::npos,
            page.find("</table>\n<BR>\n</td>\n</tr>\n<tr>\n<td>\n<center><IMG SRC=images/break.gif><BR>"
                      "[<A HREF=main.html>back to main stats</A>]</center><BR></td>\n</tr>\n"
                      "<tr>\n<td>\n<BR><center><IMG SRC=images/break.gif><BR>"
                      "[<A HREF=main.html>back to main stats</A>]</center><BR><BR>"
                      "\n<table  CLASS=\"neutralHighlight\""));
  EXPECT_EQ(std::string::npos, page.find("WEAPON STATS"));
  const std::string end = "</table>\n</td>\n</tr>\n</table>\n</center>\n<p>%d footer</p>\n</body>\n</html>\n";
  EXPECT_EQ(end, page.substr(page.size() - end.size()));

  // In a game type the page knows, the player's name reaches anchors and links as text.
  g_gametype = 0;
  const std::string ffa = drawWeaponPage();
  EXPECT_NE(std::string::npos,
            ffa.find("<tr><td CLASS=\"neutralHighlight\"><div align=center><b>WEAPON STATS</b></div></td></tr>\n"
                     "</table>\n<BR></td>\n</tr>\n<tr>\n<td>\n<center>\n"));
  EXPECT_NE(std::string::npos, ffa.find("<A name=\"weapons-%s%n\"><A href=\"main.html#list-%s%n\">"
                                        "<font size=\"0\">%s%n</font></A></A></td>\n"));
  EXPECT_NE(std::string::npos, ffa.find("<A href=\"#weapons-%s%n\"><font size=\"0\">%s%n</font></A>"));
}

TEST_F(WeaponPageTest, MainPageContinuesAfterTheWeaponPage) {
  ScratchDirectory dir;
  g_gametype = 1;
  g_config_make_weapon_stats = "yes";
  addTestPlayer("R", TEAM_RED);
  addTestPlayer("B", TEAM_BLUE);
  makeHtml();
  ASSERT_EQ(nullptr, fpw);
  const std::string stem = "kalimostats_2001_08_10_12_00_00_1001_TDM_RED_vs_BLUE_";
  const std::string main = readFile("html/" + stem + "main.html");
  const std::string weapons = readFile("html/" + stem + "wpn.html");

  EXPECT_EQ(1, countOf(main, "<html>"));
  EXPECT_NE(std::string::npos, main.find("<tr><td><br><center><IMG SRC=images/break.gif><BR>[<A HREF=" +
                                         stem + "wpn.html>view weapon stats</A>]</center><BR><BR>"
                                         "</td></tr>\n<tr><td>\n<table  CLASS=\"neutralHighlight\""));
  const std::string mainEnd = "</table>\n</td></tr>\n</table>\n</center>\n</body>\n</html>\n";
  EXPECT_EQ(mainEnd, main.substr(main.size() - mainEnd.size()));

  EXPECT_EQ(0u, weapons.find("<html>\n<head><title>kalimo stats - (weapon stats)</title>\n"));
  EXPECT_EQ(2, countOf(weapons, "[<A HREF=" + stem + "main.html>back to main stats</A>]"));
  EXPECT_NE(std::string::npos, weapons.find("<A href=\"" + stem + "main.html#stat-R\">"));
  const std::string weaponsEnd = "</table>\n</td>\n</tr>\n</table>\n</center>\n</body>\n</html>\n";
  EXPECT_EQ(weaponsEnd, weapons.substr(weapons.size() - weaponsEnd.size()));
}

TEST_F(WeaponPageTest, WeaponPageThatCannotBeCreatedEndsTheRun) {
  ScratchDirectory dir(/*withHtmlDir=*/false);
  out_filename_stats = "main.html";
  out_filename_wepns = "wpn.html";
  EXPECT_EXIT(
      {
        if (std::freopen("stdout.txt", "w", stdout) == nullptr) std::exit(2);
        fpw = std::fopen("main.html", "w");
        htmlDrawWeaponTable();
      },
      testing::ExitedWithCode(1), "");
  EXPECT_EQ("ERROR: couldnt open file to write\n", readFile("stdout.txt"));
  // The link was written to the main page before it was closed.
  EXPECT_EQ("<center><IMG SRC=images/break.gif><BR>[<A HREF=wpn.html>view weapon stats</A>]"
            "</center><BR><BR>",
            readFile("main.html"));
}

}  // namespace
