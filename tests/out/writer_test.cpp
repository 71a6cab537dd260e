// Tests of the page writers: coloured names and page names (header and footer copies are
// checked end to end, in tdm-uneven-teams).
#include "out/writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/clans.h"
#include "html_test_support.h"
#include "run/main_loop.h"

namespace {

using html_test::readFile;
using html_test::ScratchDirectory;
using html_test::written;

class HtmlWriterTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_run.g_time_now = "2001-08-10,12-00-00";
    g_run.g_game_count = 1001;
  }
  void TearDown() override { g_run.fp_sql_gamestats = nullptr; }
};

TEST_F(HtmlWriterTest, NameRendering) {
  struct Case {
    const char* colours;
    const char* name;
    const char* expected;
  };
  const Case cases[] = {
      {"yes", "^1Red^7Guy", "<font color=#FFFFFF></font><font color=#FF0000>Red</font><font color=#FFFFFF>Guy</font>"},
      {"yes", "", "<font color=#FFFFFF></font>"},
      // A final colour code changes the colour and nothing follows it; a final lone '^' stays.
      {"yes", "abc^3", "<font color=#FFFFFF>abc</font><font color=#FFFF00></font>"},
      {"yes", "abc^", "<font color=#FFFFFF>abc^</font>"},
      // The first caret of "^^" is plain; the second starts the code ^1.
      {"yes", "a^^1b", "<font color=#FFFFFF>a^</font><font color=#FF0000>b</font>"},
      {"yes", "^0a^1b^2c^3d^4e^5f^6g^7h",
       "<font color=#FFFFFF></font><font color=#555555>a</font><font color=#FF0000>b</font><font color=#00FF00>c"
       "</font><font color=#FFFF00>d</font><font color=#4444FF>e</font><font color=#00FFFF>f</font>"
       "<font color=#FF00FF>g</font><font color=#FFFFFF>h</font>"},
      // Code characters select by value modulo 8: '8' is 56 -> 0, '9' is 57 -> 1, 'a' is 97 -> 1.
      {"yes", "^8p^9q^ar",
       "<font color=#FFFFFF></font><font color=#555555>p</font><font color=#FF0000>q</font>"
       "<font color=#FF0000>r</font>"},
      // 0xE9 as a signed byte is -23, -23 % 8 is -7: no colour, only the closing tag.
      {"yes", "x^\xE9y", "<font color=#FFFFFF>x</font>y</font>"},
      // 0x80 is -128, a multiple of 8: colour 0.
      {"yes", "x^\x80y", "<font color=#FFFFFF>x</font><font color=#555555>y</font>"},
      // Names are never used as formats; their '<' and '>' are shown as text.
      {"yes", "100%s<b>&\"", "<font color=#FFFFFF>100%s&lt;b&gt;&\"</font>"},
      // The program's own leave mark stays markup.
      {"yes", "Bob^7<font color=#CC6600>&nbsp;x</font>",
       "<font color=#FFFFFF>Bob</font><font color=#FFFFFF><font color=#CC6600>&nbsp;x</font></font>"},
      // Only the exact "yes" turns colours on; otherwise codes are dropped.
      {"Yes", "^1Red^7Guy", "<font size=\"0\">RedGuy</font>"},
      {"Yes", "a^^1b", "<font size=\"0\">a^b</font>"},
      {"Yes", "x^\xE9y", "<font size=\"0\">xy</font>"},
  };
  for (const Case& c : cases) {
    g_config_use_name_colors = c.colours;
    EXPECT_EQ(c.expected, written([&] { htmlWriteQ3String(c.name); })) << c.colours << " " << c.name;
  }
}

TEST_F(HtmlWriterTest, VeryLongClanTagsAreCutSoThePageCanStillBeCreated) {
  // Two 300-character tags give a label far beyond what a file name may hold (255 bytes).
  ScratchDirectory dir;
  g_game.g_gametype = 1;
  for (const char* side : {"R1", "R2", "B1", "B2"}) {
    html_test::addTestPlayer(std::string(300, side[0]) + side[1], side[0] == 'R' ? TEAM_RED : TEAM_BLUE);
  }
  char stem[kTextSize];
  char label[kTextSize];
  testing::internal::CaptureStdout();  // the tag search fills the scratch pool and says so
  detectClans(Game(), label);
  buildPageStem(stem, label);
  testing::internal::GetCapturedStdout();
  const std::string s(stem);
  EXPECT_EQ(255u, s.size() + std::strlen("main.html"));
  EXPECT_EQ(0u, s.find("kalimostats_2001_08_10_12_00_00_1001_TDM_RRR"));
  EXPECT_EQ('_', s.back());
  testing::internal::CaptureStdout();
  ASSERT_TRUE(beginPage(label));
  testing::internal::GetCapturedStdout();
  wr("<html>\n");
  finishPage();
  EXPECT_EQ("<html>\n", readFile("html/" + s + "main.html"));
}

}  // namespace
