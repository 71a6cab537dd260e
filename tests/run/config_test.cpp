// The configuration file: key lines with their value lines, defaults, and the printed block.
#include "run/config.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "run/main_loop.h"

namespace {

// Writes `text` as the configuration file, reads it, and returns what was printed.
std::string readConfigText(const std::string& text) {
  const std::string path = testing::TempDir() + "kx_config_test.cfg";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  g_config = path;
  // Leftovers from an earlier test must not survive: readConfig starts from the defaults.
  g_config_stylesheet = "left over";
  testing::internal::CaptureStdout();
  readConfig();
  std::string out = testing::internal::GetCapturedStdout();
  std::remove(path.c_str());
  return out;
}

void expectDefaults() {
  EXPECT_EQ("html", g_config_file_extension.view());
  EXPECT_EQ("c-kalimo.css", g_config_stylesheet.view());
  EXPECT_EQ("yes", g_config_make_weapon_stats.view());
  EXPECT_EQ("yes", g_config_use_weapon_colors.view());
  EXPECT_EQ("yes", g_config_use_name_colors.view());
  EXPECT_EQ("no", g_config_display_unknown_team_players.view());
  EXPECT_EQ("c-header.html", g_config_header_file.view());
  EXPECT_EQ("c-footer.html", g_config_footer_file.view());
}

TEST(Config, EmptyFileAndUnrecognisedLinesKeepTheDefaults) {
  readConfigText("");
  expectDefaults();
  // A key with its value on the same line, a key with a trailing blank, a key in capitals:
  // none is a key line, so nothing changes.
  readConfigText("stylesheet: site.css\nfile_extension: \nhtm\nSTYLESHEET:\nx.css\n\n");
  expectDefaults();
}

TEST(Config, KeysTakeTheWholeNextLine) {
  readConfigText(
      "# site settings\n"
      "file_extension:\n"
      "htm\n"
      "stylesheet:\n"
      "  spaced.css  \n"
      "header_file:\n"
      "#head.html\n"  // a value line is never a comment
      "make_weapon_stats:\n"
      "Yes\n"
      "use_name_colors:\n"
      "no\n");
  EXPECT_EQ("htm", g_config_file_extension.view());
  EXPECT_EQ("  spaced.css  ", g_config_stylesheet.view());
  EXPECT_EQ("#head.html", g_config_header_file.view());
  EXPECT_EQ("Yes", g_config_make_weapon_stats.view());
  EXPECT_FALSE(isYes(g_config_make_weapon_stats));
  EXPECT_FALSE(isYes(g_config_use_name_colors));
  EXPECT_TRUE(isYes(g_config_use_weapon_colors));
  EXPECT_EQ("c-footer.html", g_config_footer_file.view());
}

TEST(Config, CrLfLineEndsAreRemovedFromKeysAndValues) {
  readConfigText("file_extension:\r\nphp\r\nfooter_file:\r\nfoot.html\r\n");
  EXPECT_EQ("php", g_config_file_extension.view());
  EXPECT_EQ("foot.html", g_config_footer_file.view());
}

TEST(Config, LaterDuplicateWinsAndAKeyWithoutValueKeepsWhatItHad) {
  readConfigText("stylesheet:\nfirst.css\nstylesheet:\nsecond.css\nstylesheet:\n");
  EXPECT_EQ("second.css", g_config_stylesheet.view());
  readConfigText("footer_file:");  // last line, no newline, no value
  EXPECT_EQ("c-footer.html", g_config_footer_file.view());
}

TEST(Config, CommentsAreOnlyRecognisedOnKeyLines) {
  // "#" before the key hides it; the line after a comment is examined as a key again.
  readConfigText("#stylesheet:\nfile_extension:\nxhtml\n#\nstylesheet:\nok.css\n");
  EXPECT_EQ("xhtml", g_config_file_extension.view());
  EXPECT_EQ("ok.css", g_config_stylesheet.view());
}

TEST(Config, PrintsTheConfigurationBlockWithValuesAsText) {
  const std::string out = readConfigText(
      "stylesheet:\n100%s.css\ndisplay_unknown_team_players:\nyes\nuse_weapon_colors:\nno\n");
  const std::string rule = "     " + std::string(60, '-') + "\n";
  const std::string expected = rule +
                               "                             Configuration\n" + rule +
                               "                       config file: " + g_config.c_str() + "\n"
                               "                    file extension: html\n"
                               "                        stylesheet: 100%s.css\n"
                               "                make weapon stats?: yes\n"
                               "     display unknown team players?: yes\n"
                               "                       header file: c-header.html\n"
                               "                       footer file: c-footer.html\n" +
                               rule;
  EXPECT_EQ(expected, out);
}

TEST(ConfigDeathTest, MissingFileEndsTheRunWithStatusOne) {
  g_config = "/nonexistent/dir/none.cfg";
  EXPECT_EXIT(readConfig(), testing::ExitedWithCode(1), "");
}

}  // namespace
