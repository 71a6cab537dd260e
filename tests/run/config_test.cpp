// The configuration file as a user writes it, and what the run and its outputs make of it.
#include "run/config.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "../out/html_test_support.h"

namespace {

const std::string kRule = "     ------------------------------------------------------------\n";

// Reads `text` as a configuration file named "site.cfg"; returns the block it printed.
std::string readText(const std::string& text, Config* config) {
  std::string copy = text;
  std::FILE* f = fmemopen(copy.data(), copy.size(), "r");
  EXPECT_NE(nullptr, f);
  testing::internal::CaptureStdout();
  readConfigFrom(f, Text510("site.cfg"), config);
  std::fclose(f);
  return testing::internal::GetCapturedStdout();
}

void writeFile(const char* path, const std::string& text) {
  std::FILE* f = std::fopen(path, "w");
  ASSERT_NE(nullptr, f);
  std::fputs(text.c_str(), f);
  std::fclose(f);
}

TEST(ConfigFile, KeyLinesTakeTheWholeNextLineAndOnlyKeyLinesCanBeComments) {
  Config config;
  readText(
      "# a comment\n"
      "stylesheet:\n"
      "# not a comment: the value of stylesheet:\n"
      "file_extension: \n"      // trailing space: not a key, ignored
      "make_weapon_stats:\n"    // examined as a key, since the line before was no key
      "  no  \n"
      "header_file:\n"
      "top.html\r\n"          // written on Windows
      "use_name_colors:\n"
      "yes\n"
      "use_name_colors:\n"
      "no\n"                   // a key given twice: the later value wins
      "footer_file:\n",         // the last line: no value, the default stays
      &config);
  EXPECT_EQ("# not a comment: the value of stylesheet:", config.g_config_stylesheet.view());
  EXPECT_EQ("html", config.g_config_file_extension.view());
  EXPECT_EQ("  no  ", config.g_config_make_weapon_stats.view());
  EXPECT_EQ("top.html", config.g_config_header_file.view());
  EXPECT_EQ("no", config.g_config_use_name_colors.view());
  EXPECT_EQ("c-footer.html", config.g_config_footer_file.view());
  EXPECT_EQ("yes", config.g_config_use_weapon_colors.view());
  EXPECT_EQ("no", config.g_config_write_game_records.view());
}

TEST(ConfigFile, ALongValueKeepsItsFirst509BytesAndTheRestIsReadAsALine) {
  Config config;
  // The rest of the long line is "stylesheet:", so it takes the line after it.
  readText("file_extension:\n" + std::string(509, 'x') + "stylesheet:\nlong.css\n", &config);
  EXPECT_EQ(std::string(509, 'x'), config.g_config_file_extension.view());
  EXPECT_EQ("long.css", config.g_config_stylesheet.view());
}

TEST(ConfigFile, TheBlockShowsTheFileAndSixOfTheValuesInItsColumns) {
  Config config;
  const std::string block = readText("use_name_colors:\nno\nfile_extension:\nhtm\n", &config);
  EXPECT_EQ(kRule +
                "                             Configuration\n" + kRule +
                "                       config file: site.cfg\n"
                "                    file extension: htm\n"
                "                        stylesheet: c-kalimo.css\n"
                "                make weapon stats?: yes\n"
                "     display unknown team players?: no\n"
                "                       header file: c-header.html\n"
                "                       footer file: c-footer.html\n" +
                kRule,
            block);
}

TEST(ConfigFile, OnlyTheExactWordYesSwitchesAnOutputOn) {
  Config config;
  readText(
      "make_weapon_stats:\nYes\n"
      "use_weapon_colors:\nyes \n"
      "use_name_colors:\n\n"
      "display_unknown_team_players:\nyes\n"
      "write_game_records:\nyes\n"
      "file_extension:\nphp\n"
      "stylesheet:\ndark.css\n",
      &config);
  const PageOptions options = config.pageOptions();
  EXPECT_FALSE(options.weaponPage);
  EXPECT_FALSE(config.weaponPages());
  EXPECT_FALSE(options.weaponColors);
  EXPECT_FALSE(options.nameColors);
  EXPECT_TRUE(options.unknownTeamPlayers);
  EXPECT_TRUE(options.gameRecords);
  EXPECT_EQ("php", options.fileExtension);
  EXPECT_EQ("dark.css", options.styleSheet);
  EXPECT_EQ("c-header.html", options.headerFile);

  // The defaults: weapon pages and both colour switches on, records off.
  const PageOptions defaults = Config().pageOptions();
  EXPECT_TRUE(defaults.weaponPage);
  EXPECT_TRUE(defaults.weaponColors);
  EXPECT_TRUE(defaults.nameColors);
  EXPECT_FALSE(defaults.unknownTeamPlayers);
  EXPECT_FALSE(defaults.gameRecords);
  EXPECT_EQ("html", defaults.fileExtension);
}

TEST(ConfigFile, WhatEndsTheRunAndWhatOnlyWarns) {
  html_test::ScratchDirectory dir;
  Config config;

  // A file named on the command line that is not there ends the run.
  testing::internal::CaptureStdout();
  EXPECT_FALSE(readConfig(Text510("missing.cfg"), true, &config));
  EXPECT_EQ("ERROR: could not open config file \"missing.cfg\"\n", testing::internal::GetCapturedStdout());

  // Without any file under the default name, the defaults and one line saying so.
  testing::internal::CaptureStdout();
  EXPECT_TRUE(readConfig(Text510("c-default.cfg"), false, &config));
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(0u, said.find("No c-default.cfg in the working directory: the built-in defaults are used"));
  EXPECT_NE(std::string::npos, said.find("config file: c-default.cfg\n"));

  // An extension that is not letters and digits would reach file names and SQL lines.
  writeFile("bad.cfg", "file_extension:\nhtml';--\n");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(readConfig(Text510("bad.cfg"), true, &config));
  const std::string refused = testing::internal::GetCapturedStdout();
  EXPECT_NE(std::string::npos, refused.find("ERROR: file_extension must be letters and digits, not \"html';--\"\n"));

  // A header that cannot be read warns once and the run goes on without it.
  writeFile("footer.html", "<p>bye</p>\n");
  writeFile("good.cfg", "header_file:\nnone.html\nfooter_file:\nfooter.html\n");
  testing::internal::CaptureStdout();
  EXPECT_TRUE(readConfig(Text510("good.cfg"), true, &config));
  const std::string warned = testing::internal::GetCapturedStdout();
  EXPECT_NE(std::string::npos, warned.find("WARNING: could not read header file \"none.html\": No such file or "
                                           "directory; the pages are written without it\n"));
  EXPECT_EQ(std::string::npos, warned.find("footer file \"footer.html\":"));
  EXPECT_EQ("footer.html", config.g_config_footer_file.view());
}

}  // namespace
