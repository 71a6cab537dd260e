// Tests of page assembly: the order of the main page's parts, the shared title, map and credits fragments.
#include "html/page.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"
#include "players/player_table.h"
#include "run/config.h"
#include "run/game.h"
#include "run/main_loop.h"
#include "run/strutil.h"

namespace {

using html_test::addTestPlayer;
using html_test::countOf;
using html_test::PageCapture;
using html_test::readFile;
using html_test::ScratchDirectory;
using html_test::writeFile;

class PageTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_time_now = "2001-08-10,12-00-00";
    g_game_count = 1001;
  }
  void TearDown() override {
    fpw = nullptr;
    fpclose(fp_sql_gamestats);
    fp_sql_gamestats = nullptr;
  }

  // Writes the main page in a scratch directory and returns it.
  std::string makePage() {
    fpclose(fp_sql_gamestats);
    fp_sql_gamestats = std::fopen("db_sql_gamestats.txt", "a");
    makeHtml();
    EXPECT_EQ(nullptr, fpw);  // the page is closed
    return readFile("html/" + std::string(out_filename_stats.view()));
  }
};

const std::string kPageStart =
    "<html>\n<head><title>kalimo stats</title>\n"
    "<LINK REL=stylesheet HREF=\"c-kalimo.css\" TYPE=\"text/css\">\n"
    "<script language=\"JavaScript\">\nfunction loadDefaultMap()\n"
    "{\tdocument.MAP.src=\"images/maps/default.gif\"; }\n</script>\n"
    "</head>\n<body>\n<center>\n";
const std::string kCreditsStart =
    "<tr><td>\n<table  CLASS=\"neutralHighlight\" WIDTH=100% BORDER=0 CELLSPACING=0 CELLPADDING=2>\n";

TEST_F(PageTest, FreeForAllPageInOrder) {
  ScratchDirectory dir;
  // The header's percent sign and the footer reach the page unchanged.
  writeFile("c-header.html", "<div width=100%>%s header</div>\n");
  writeFile("c-footer.html", "<p>footer %d</p>\n");
  g_config_header_file = "c-header.html";
  g_config_footer_file = "c-footer.html";
  g_gametype = 0;
  g_mapname = "q3dm17";
  addTestPlayer("Solo", TEAM_NONE);

  const std::string page = makePage();
  EXPECT_EQ("kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main.html",
            std::string(out_filename_stats.view()));
  const std::string start = kPageStart + "<div width=100%>%s header</div>\n" +
                            "\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n<tr>\n<td>\n"
                            "\n<table  BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100% >\n";
  EXPECT_EQ(start, page.substr(0, start.size()));

  // Team table row, title row, player list row, then directly the credits row: a
  // free-for-all game has no statistic blocks, and the weapon page is off.
  const std::size_t teamTable = page.find("<img src=images/flag_ffa.gif>");
  const std::size_t titleRow = page.find("</table><br></td>\n</tr><tr>\n<td>\n\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n");
  const std::size_t listRow = page.find("<br></td>\n</tr><tr><td><tr><td>\n<table  BORDER=0 CELLSPACING=1");
  const std::size_t credits = page.find("</table></td></tr></td></tr>" + kCreditsStart);
  ASSERT_NE(std::string::npos, teamTable);
  ASSERT_NE(std::string::npos, titleRow);
  ASSERT_NE(std::string::npos, listRow);
  ASSERT_NE(std::string::npos, credits);
  EXPECT_LT(teamTable, titleRow);
  EXPECT_LT(titleRow, listRow);
  EXPECT_LT(listRow, credits);
  EXPECT_EQ(std::string::npos, page.find("<tr><td><br>"));

  const std::string end = "</table>\n</td></tr>\n</table>\n</center>\n<p>footer %d</p>\n</body>\n</html>\n";
  EXPECT_EQ(end, page.substr(page.size() - end.size()));
}

TEST_F(PageTest, TeamGameHasStatisticRowAndOptionalWeaponRow) {
  ScratchDirectory dir;
  g_gametype = 1;
  addTestPlayer("R", TEAM_RED);
  addTestPlayer("B", TEAM_BLUE);

  std::string page = makePage();
  // The statistic row follows the player list; without weapon page it closes without a line
  // end before the credits row.
  EXPECT_NE(std::string::npos, page.find("</table><br></td></tr><tr><td><br>"));
  EXPECT_NE(std::string::npos, page.find("</td></tr>" + kCreditsStart));
  EXPECT_EQ(std::string::npos, page.find("</td></tr>\n" + kCreditsStart));

  g_config_make_weapon_stats = "yes";
  g_game_count = 1002;
  page = makePage();
  EXPECT_EQ("kalimostats_2001_08_10_12_00_00_1002_TDM_RED_vs_BLUE_main.html",
            std::string(out_filename_stats.view()));
  // The weapon row closes with a line end, right before the credits.
  EXPECT_NE(std::string::npos, page.find("<tr><td><br>"));
  EXPECT_NE(std::string::npos, page.find("</td></tr>\n" + kCreditsStart));
  const std::string end = "</center>\n</body>\n</html>\n";
  EXPECT_EQ(end, page.substr(page.size() - end.size()));
  EXPECT_EQ(1, countOf(page, "<html>"));
}

TEST_F(PageTest, MapPictureWritesTheNameLiterally) {
  PageCapture page;
  g_mapname = "q3%s%n";
  htmlPrintMapImage();
  g_mapname = "";
  htmlPrintMapImage();
  EXPECT_EQ(
      "<IMG name=MAP src=images/maps/q3%s%n.jpg WIDTH=160 HEIGHT=128 onError=\"loadDefaultMap();\">"
      "<IMG name=MAP src=images/maps/.jpg WIDTH=160 HEIGHT=128 onError=\"loadDefaultMap();\">",
      page.text());
}

TEST_F(PageTest, TitleTableLayout) {
  PageCapture capture;
  htmlTitleTable();
  const std::string page = capture.text();
  const std::string start =
      "\n<table BORDER=0 CELLSPACING=0 CELLPADDING=0 WIDTH=100%>\n<tr>\n"
      "<td CLASS=\"neutral\" align=left  ><div align=left >&nbsp;<a href=\"";
  EXPECT_EQ(start, page.substr(0, start.size()));
  EXPECT_NE(std::string::npos, page.find("\">kalimo stats</a>"));
  const std::size_t right = page.find("</div></td><td CLASS=\"neutral\" align=right ><div align=right><a href=\"");
  EXPECT_NE(std::string::npos, right);
  const std::string end = "</a>&nbsp;</div></td></tr>\n</table>\n";
  EXPECT_EQ(end, page.substr(page.size() - end.size()));
}

TEST_F(PageTest, CreditsTableLayout) {
  PageCapture capture;
  htmlDrawCreditsTable();
  const std::string page = capture.text();
  const std::string start =
      "\n<table  CLASS=\"neutralHighlight\" WIDTH=100% BORDER=0 CELLSPACING=0 CELLPADDING=2>\n"
      "<tr>\n<td CLASS=\"neutralHighlight\" COLSPAN=3>";
  EXPECT_EQ(start, page.substr(0, start.size()));
  EXPECT_NE(std::string::npos, page.find(">kalimo stats</a>"));
  // The logo row: three thirds, the OSP logo first, each ending the same way.
  const std::size_t first = page.find("<td WIDTH=33.33% VALIGN=BOTTOM CLASS=\"neutral\"><center><br><a href=\"");
  const std::size_t osp = page.find("<img src=images/logo-osp.gif border=0 title=\"");
  const std::size_t middle = page.find("<td WIDTH=33.33% CLASS=\"neutral\"><center><br><a href=\"");
  ASSERT_NE(std::string::npos, first);
  ASSERT_NE(std::string::npos, osp);
  ASSERT_NE(std::string::npos, middle);
  EXPECT_LT(first, osp);
  EXPECT_LT(osp, middle);
  EXPECT_EQ(2, countOf(page, "<td WIDTH=33.33% VALIGN=BOTTOM CLASS=\"neutral\">"));
  EXPECT_EQ(3, countOf(page, "</a><br><br></center></td>"));
  // The last row: two bracketed thanks around an empty middle cell.
  EXPECT_NE(std::string::npos,
            page.find(" ]</center></td><td CLASS=\"neutralHighlight\">&nbsp;</td>"
                      "<td CLASS=\"neutralHighlight\"><center>[ "));
  EXPECT_EQ(3, countOf(page, "</tr>\n"));
  const std::string end = " ]</center></td></tr>\n</table>\n";
  EXPECT_EQ(end, page.substr(page.size() - end.size()));
}

}  // namespace
