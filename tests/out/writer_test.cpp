// Tests of the page writers: coloured names and page names (header and footer copies are
// checked end to end, in tdm-uneven-teams).
#include "out/writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "html_test_support.h"
#include "out/page_files.h"
#include "out/page_names.h"

namespace {

using html_test::readFile;
using html_test::written;

TEST(HtmlWriterTest, NameRendering) {
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
    PageOptions options;
    options.nameColors = std::string_view(c.colours) == "yes";
    EXPECT_EQ(c.expected, written(options, [&](PageWriter& w) { w.name(c.name); })) << c.colours << " " << c.name;
  }
}

TEST(HtmlWriterTest, VeryLongClanTagsAreCutSoThePageCanStillBeCreated) {
  // Two 300-character tags give a label far beyond what a file name may hold (255 bytes).
  html_test::ScratchDirectory dir;
  GameResult game;
  game.runStamp = "2001-08-10,12-00-00";
  game.gameId = 1001;
  game.label = "TDM_" + std::string(300, 'R') + "_vs_" + std::string(300, 'B');
  const PageNames names = pageNames(game, "html");
  const std::string main(names.main.view());
  EXPECT_EQ(255u, main.size());
  EXPECT_EQ(0u, main.find("kalimostats_2001_08_10_12_00_00_1001_TDM_RRR"));
  EXPECT_EQ("_main.html", main.substr(main.size() - 10));
  EXPECT_EQ("_wpn.html", std::string(names.weapon.view().substr(main.size() - 10)));
  GameFiles files;
  OutputFile& page = files.add();
  page.name = main;
  page.bytes.assign(7, 'x');
  page.size = 7;
  EXPECT_EQ("", writeGameFiles(files));
  EXPECT_EQ("xxxxxxx", readFile("html/" + main));
}

}  // namespace
