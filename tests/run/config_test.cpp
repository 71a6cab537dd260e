// The configuration file: key lines with their value lines, defaults, and the printed block.
#include "run/config.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "run/main_loop.h"

namespace {

// Writes `text` as the configuration file, reads it, and returns what was printed.
std::string readConfigText(const std::string& text) {
  // ctest runs tests of this file side by side: each needs a file of its own.
  const std::string path = testing::TempDir() + "kx_config_test_" +
                           testing::UnitTest::GetInstance()->current_test_info()->name() + ".cfg";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  g_run.g_config = path;
  // Leftovers from an earlier test must not survive: readConfig starts from the defaults.
  g_config_stylesheet = "left over";
  testing::internal::CaptureStdout();
  readConfig();
  std::string out = testing::internal::GetCapturedStdout();
  std::remove(path.c_str());
  return out;
}

TEST(Config, EmptyFileAndUnrecognisedLinesKeepTheDefaults) {
  readConfigText("");
  EXPECT_EQ("c-kalimo.css", g_config_stylesheet.view());
  // A key with its value on the same line, a key with a trailing blank, a key in capitals:
  // none is a key line, so nothing changes.
  readConfigText("stylesheet: site.css\nfile_extension: \nhtm\nSTYLESHEET:\nx.css\n\n");
  EXPECT_EQ("html", g_config_file_extension.view());
  EXPECT_EQ("c-kalimo.css", g_config_stylesheet.view());
  EXPECT_TRUE(isYes(g_config_use_weapon_colors));
  EXPECT_TRUE(isYes(g_config_use_name_colors));
  EXPECT_FALSE(isYes(g_config_display_unknown_team_players));
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
      "Yes\n"  // only the exact "yes" switches an option on
      "#use_name_colors:\n"  // "#" before a key hides it...
      "footer_file:\n"       // ...and the next line is examined as a key again
      "foot.html\n");
  EXPECT_EQ("htm", g_config_file_extension.view());
  EXPECT_EQ("  spaced.css  ", g_config_stylesheet.view());
  EXPECT_EQ("#head.html", g_config_header_file.view());
  EXPECT_FALSE(isYes(g_config_make_weapon_stats));
  EXPECT_EQ("foot.html", g_config_footer_file.view());
}

TEST(Config, CrLfDuplicatesAndAMissingLastValue) {
  readConfigText("file_extension:\r\nphp\r\nfooter_file:\r\nfoot.html\r\n");
  EXPECT_EQ("php", g_config_file_extension.view());
  EXPECT_EQ("foot.html", g_config_footer_file.view());
  // The later value wins; a key on the last line keeps what it had.
  readConfigText("stylesheet:\nfirst.css\nstylesheet:\nsecond.css\nstylesheet:\n");
  EXPECT_EQ("second.css", g_config_stylesheet.view());
  readConfigText("footer_file:");
  EXPECT_EQ("c-footer.html", g_config_footer_file.view());
}



}  // namespace
