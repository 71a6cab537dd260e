// Tests of the page writers: coloured names, literal text, header copies, page names and the SQL lines.
#include "html/writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "html_test_support.h"
#include "players/player_table.h"
#include "run/config.h"
#include "run/game.h"
#include "run/main_loop.h"

namespace {

using html_test::PageCapture;
using html_test::readFile;
using html_test::ScratchDirectory;
using html_test::writeFile;

std::string renderName(std::string_view name) {
  PageCapture page;
  htmlWriteQ3String(name);
  return page.text();
}

class HtmlWriterTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_time_now = "2001-08-10,12-00-00";
    g_game_count = 1001;
  }
  void TearDown() override {
    fpw = nullptr;
    fp_sql_gamestats = nullptr;
  }
};

TEST_F(HtmlWriterTest, NamesWithColoursOn) {
  EXPECT_EQ(
      "<font color=#FFFFFF></font><font color=#FF0000>Red</font><font color=#FFFFFF>Guy</font>",
      renderName("^1Red^7Guy"));
  EXPECT_EQ("<font color=#FFFFFF></font>", renderName(""));
  // A final colour code changes the colour and nothing follows it.
  EXPECT_EQ("<font color=#FFFFFF>abc</font><font color=#FFFF00></font>", renderName("abc^3"));
  EXPECT_EQ("<font color=#FFFFFF>abc^</font>", renderName("abc^"));
  EXPECT_EQ("<font color=#FFFFFF>x</font>", renderName("x"));
  // The first caret of "^^" is plain; the second starts the code ^1.
  EXPECT_EQ("<font color=#FFFFFF>a^</font><font color=#FF0000>b</font>", renderName("a^^1b"));
  // Code characters select by value modulo 8: '8' is 56 -> 0, '9' is 57 -> 1, 'a' is 97 -> 1.
  EXPECT_EQ("<font color=#FFFFFF></font><font color=#555555>p</font><font color=#FF0000>q"
            "</font><font color=#FF0000>r</font>",
            renderName("^8p^9q^ar"));
  // 0xE9 as a signed byte is -23; -23 % 8 is -7: no colour, only the closing tag.
  EXPECT_EQ("<font color=#FFFFFF>x</font>y</font>", renderName("x^\xE9y"));
  // 0x80 is -128, a multiple of 8: colour 0.
  EXPECT_EQ("<font color=#FFFFFF>x</font><font color=#555555>y</font>", renderName("x^\x80y"));
  // Names are never escaped nor used as formats.
  EXPECT_EQ("<font color=#FFFFFF>100%s<b>&\"</font>", renderName("100%s<b>&\""));
}

TEST_F(HtmlWriterTest, NamesWithColoursOff) {
  g_config_use_name_colors = "Yes";  // only the exact "yes" turns colours on
  EXPECT_EQ("<font size=\"0\">RedGuy</font>", renderName("^1Red^7Guy"));
  EXPECT_EQ("<font size=\"0\"></font>", renderName(""));
  EXPECT_EQ("<font size=\"0\">abc</font>", renderName("abc^3"));
  EXPECT_EQ("<font size=\"0\">a^b</font>", renderName("a^^1b"));
  EXPECT_EQ("<font size=\"0\">xy</font>", renderName("x^\xE9y"));
}

TEST_F(HtmlWriterTest, TemplatesAndLiteralText) {
  PageCapture page;
  wr("<td WIDTH=20%% CLASS=\"red\">%d</td>", 7);
  wrText("100%d %s%%");
  wrText(std::string_view("a\0b", 3));
  EXPECT_EQ("<td WIDTH=20% CLASS=\"red\">7</td>100%d %s%%" + std::string("a\0b", 3), page.text());
}

TEST_F(HtmlWriterTest, HeaderAndFooterAreCopiedByteForByte) {
  ScratchDirectory dir;
  // A percent sign, a NUL byte, a line longer than one 509-byte piece and a last line without
  // its line end.
  std::string header = "<table width=100%>\n";
  header += std::string("x\0y\n", 4);
  header += std::string(1200, 'L') + "\n";
  header += "\n%s%n tail";
  writeFile("c-header.html", header);
  writeFile("c-footer.html", "</div>\r\n");
  g_config_header_file = "c-header.html";
  g_config_footer_file = "c-footer.html";

  PageCapture page;
  htmlReadHeader();
  wr("|");
  htmlReadFooter();
  EXPECT_EQ(header + "|</div>\r\n", page.text());
}

TEST_F(HtmlWriterTest, MissingHeaderWritesNothing) {
  ScratchDirectory dir;
  g_config_header_file = "absent.html";
  g_config_footer_file = "";
  PageCapture page;
  htmlReadHeader();
  htmlReadFooter();
  EXPECT_EQ("", page.text());
}

TEST_F(HtmlWriterTest, FirstFragmentOpensTheMainPageAndRecordsIt) {
  ScratchDirectory dir;
  fp_sql_gamestats = std::fopen("db_sql_gamestats.txt", "a");
  ASSERT_NE(nullptr, fp_sql_gamestats);
  g_gametype = 0;

  wr("<html>%d%%\n", 1);
  wrText("%s");
  EXPECT_EQ("kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main.html", std::string(out_filename_stats.view()));
  EXPECT_EQ("kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_wpn.html", std::string(out_filename_wepns.view()));
  std::fclose(fpw);
  fpw = nullptr;
  EXPECT_EQ("<html>1%\n%s", readFile("html/kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main.html"));

  // The next game: a new id, new names, two more SQL lines. Its label comes from the clan
  // tags: "CTF_[AB]_vs_=XY=" filtered to "CTF__AB__vs__XY_", then the stem's final '_'.
  g_game_count = 1002;
  g_gametype = 2;
  html_test::addTestPlayer("[AB]Joe", TEAM_RED);
  html_test::addTestPlayer("[AB]Max", TEAM_RED);
  html_test::addTestPlayer("=XY=one", TEAM_BLUE);
  html_test::addTestPlayer("=XY=two", TEAM_BLUE);
  g_config_file_extension = "php";
  wr("x");
  std::fclose(fpw);
  fpw = nullptr;
  EXPECT_EQ("kalimostats_2001_08_10_12_00_00_1002_CTF__AB__vs__XY__main.php", std::string(out_filename_stats.view()));
  EXPECT_EQ("kalimostats_2001_08_10_12_00_00_1002_CTF__AB__vs__XY__wpn.php", std::string(out_filename_wepns.view()));
  EXPECT_EQ("x", readFile("html/" + std::string(out_filename_stats.view())));

  std::fclose(fp_sql_gamestats);
  fp_sql_gamestats = nullptr;
  EXPECT_EQ(
      "SELECT @oldestHtml:=MIN(html) from gamestats;\n"
      "UPDATE gamestats SET html='kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main.html' WHERE "
      "html=@oldestHtml LIMIT 1;\n"
      "SELECT @oldestHtml:=MIN(html) from gamestats;\n"
      "UPDATE gamestats SET html='kalimostats_2001_08_10_12_00_00_1002_CTF__AB__vs__XY__main.php' "
      "WHERE html=@oldestHtml LIMIT 1;\n",
      readFile("db_sql_gamestats.txt"));
}

TEST_F(HtmlWriterTest, ExtensionIsNotFiltered) {
  g_config_file_extension = "h%tm";
  char stem[kTextSize];
  buildPageStem(stem);
  EXPECT_STREQ("kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_", stem);
}

TEST_F(HtmlWriterTest, VeryLongClanTagsAreCutToKeepTheNamesInTheirFields) {
  // Two 300-character tags give a label far beyond 509 bytes.
  g_gametype = 1;
  const std::string redTag(300, 'R');
  const std::string blueTag(300, 'B');
  html_test::addTestPlayer(redTag + "1", TEAM_RED);
  html_test::addTestPlayer(redTag + "2", TEAM_RED);
  html_test::addTestPlayer(blueTag + "1", TEAM_BLUE);
  html_test::addTestPlayer(blueTag + "2", TEAM_BLUE);
  char stem[kTextSize];
  // The tag search fills the scratch pool with these names and says so on the console.
  testing::internal::CaptureStdout();
  buildPageStem(stem);
  testing::internal::GetCapturedStdout();
  const std::string s(stem);
  EXPECT_EQ(509u, s.size() + std::strlen("main.html"));
  EXPECT_EQ(0u, s.find("kalimostats_2001_08_10_12_00_00_1001_TDM_RRR"));
  EXPECT_EQ('_', s.back());
}

TEST_F(HtmlWriterTest, PageThatCannotBeCreatedEndsTheRun) {
  ScratchDirectory dir(/*withHtmlDir=*/false);
  g_gametype = 0;
  EXPECT_EXIT(
      {
        fp_sql_gamestats = std::fopen("sql.txt", "a");
        if (std::freopen("stdout.txt", "w", stdout) == nullptr) std::exit(2);
        wr("<html>\n");
      },
      testing::ExitedWithCode(1), "");
  EXPECT_EQ("ERROR: couldnt open file to write\n", readFile("stdout.txt"));
  // The page's SQL lines were written before the failure.
  EXPECT_EQ(
      "SELECT @oldestHtml:=MIN(html) from gamestats;\n"
      "UPDATE gamestats SET html='kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main.html' WHERE "
      "html=@oldestHtml LIMIT 1;\n",
      readFile("sql.txt"));
}

}  // namespace
