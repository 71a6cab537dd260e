// A weapon page that cannot be created (its name holds the run's time, so no end-to-end case
// can block it in advance).
#include "out/weapon_page.h"

#include <gtest/gtest.h>

#include <string>

#include "html_test_support.h"

namespace {

using html_test::readFile;

class WeaponPageTest : public testing::Test {
 protected:
  void SetUp() override {
    html_test::resetHtmlState();
    g_config_use_name_colors = "no";
    out_filename_stats = "main.html";
    out_filename_wepns = "wpn.html";
  }
  html_test::ScratchDirectory dir_;
};

TEST_F(WeaponPageTest, WeaponPageThatCannotBeCreatedStopsTheRunAfterSavingTheMainPage) {
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
