// Award icons: which pictures a family's flags produce, and in which order.
#include "osp/award_icons.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "html/writer.h"
#include "log/match_info.h"
#include "players/player_table.h"
#include "run/game.h"
#include "run/main_loop.h"
#include "run/scratch_pool.h"

namespace {

const std::string kBlank = "<IMG src=images/awards/blank.gif>&nbsp;";

class AwardIcons : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    initGlobals();
    g_mod = 0;
    resetScratchPool();
    fp.close();
  }
  void TearDown() override { closePage(); }

  // The icons one family of `awards` writes into the page.
  std::string icons(const char* family) {
    fpw = open_memstream(&buffer_, &size_);
    htmlPrintAwards(awards, family);
    closePage();
    std::string text(buffer_, size_);
    std::free(buffer_);
    buffer_ = nullptr;
    return text;
  }

  int awards[kAwardSlots] = {};

 private:
  void closePage() {
    if (fpw != nullptr) std::fclose(fpw);
    fpw = nullptr;
  }
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
};

TEST_F(AwardIcons, IconTextNamesThePictureAndTitle) {
  awards[0] = 1;
  EXPECT_EQ("<IMG src=images/awards/carnage_gauntlet.jpg TITLE=\"best killer with gauntlet\">&nbsp;",
            icons("weapons"));
}

TEST_F(AwardIcons, TableOrderIsNotSlotOrder) {
  awards[5] = 1;
  awards[6] = 1;
  EXPECT_EQ(
      "<IMG src=images/awards/carnage_rail.jpg TITLE=\"best killer with rail gun\">&nbsp;"
      "<IMG src=images/awards/carnage_lightning.jpg TITLE=\"best killer with lightning gun\">&nbsp;",
      icons("weapons"));

  awards[21] = 1;
  awards[24] = 1;
  awards[25] = 1;
  EXPECT_EQ(
      "<IMG src=images/awards/player_kills.jpg TITLE=\"best killer\">&nbsp;"
      "<IMG src=images/awards/ctf_defense.jpg TITLE=\"best defender\">&nbsp;"
      "<IMG src=images/awards/player_kalimo.jpg TITLE=\"most valuable player\">&nbsp;",
      icons("player"));

  awards[16] = 1;
  awards[17] = 1;
  EXPECT_EQ(
      "<IMG src=images/awards/accuracy_rail.jpg TITLE=\"best accuracy with rail gun\">&nbsp;"
      "<IMG src=images/awards/accuracy_lightning.jpg TITLE=\"best accuracy with lightning gun\">&nbsp;",
      icons("accuracy"));
}

TEST_F(AwardIcons, EmptyFamilyGetsOneBlankIcon) {
  awards[6] = 1;  // a weapon award says nothing about the other families
  EXPECT_EQ(kBlank, icons("player"));
  EXPECT_EQ(kBlank, icons("accuracy"));

  // Only a flag of exactly 1 is held.
  awards[6] = 0;
  awards[3] = 2;
  EXPECT_EQ(kBlank, icons("weapons"));
}

TEST_F(AwardIcons, UnknownFamilyWritesNothing) {
  awards[21] = 1;
  EXPECT_EQ("", icons("Player"));
  EXPECT_EQ("", icons("players"));
  EXPECT_EQ("", icons(""));
}

}  // namespace
