// A weapon page that cannot be created (its name holds the run's time, so no end-to-end case
// can block it in advance).
#include "out/weapon_page.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"
#include "out/page.h"
#include "out/page_files.h"

namespace {

using html_test::readFile;

TEST(WeaponPageTest, WeaponPageThatCannotBeCreatedStopsTheRunAfterSavingTheMainPage) {
  html_test::ScratchDirectory dir;
  ASSERT_EQ(0, ::mkdir("html/wpn.html", 0777));  // a directory where the page should go
  GameResult game;
  html_test::addPlayer(game, "A", TEAM_NONE);
  html_test::addPlayer(game, "B", TEAM_NONE);
  PageOptions options;
  options.weaponPage = true;
  GameFiles files;
  OutputFile& main = files.add();
  main.name = "main.html";
  main.aroundNext = true;
  std::string page = html_test::written(options, [&](PageWriter& w) { main.writtenBeforeNext = writeMainPage(w, game); });
  main.bytes.assign(page.begin(), page.end());
  main.size = page.size();
  files.add().name = "wpn.html";
  EXPECT_EQ("ERROR: couldnt open file to write\n", writeGameFiles(files));
  // The main page holds what was written before the weapon page was begun: up to its link.
  const std::string link = "[<A HREF=wpn.html>view weapon stats</A>]</center><BR><BR>";
  page.resize(files.files[0].writtenBeforeNext);
  EXPECT_EQ(link, page.substr(page.size() - link.size()));
  EXPECT_EQ(page, readFile("html/main.html"));
}

}  // namespace
