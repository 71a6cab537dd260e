// Award icons: which pictures a family's flags produce, and in which order.
#include "osp/award_icons.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "html/writer.h"
#include "players/player_table.h"

namespace {

const std::string kBlank = "<IMG src=images/awards/blank.gif>&nbsp;";

std::string icon(const std::string& picture, const std::string& title) {
  return "<IMG src=images/awards/" + picture + ".jpg TITLE=\"" + title + "\">&nbsp;";
}

// The icons that `family` writes for a player whose flags `held` are 1 (or `value`).
std::string icons(std::initializer_list<int> held, const char* family, int value = 1) {
  int awards[kAwardSlots] = {};
  for (int slot : held) awards[slot] = value;
  PageBuffer page;
  fpw = &page;
  htmlPrintAwards(awards, family);
  fpw = nullptr;
  return std::string(page.view());
}

TEST(AwardIcons, FamiliesWriteTheirIconsInTableOrder) {
  EXPECT_EQ("<IMG src=images/awards/carnage_gauntlet.jpg TITLE=\"best killer with gauntlet\">&nbsp;",
            icons({0}, "weapons"));
  // The table order is not the slot order.
  EXPECT_EQ(icon("carnage_rail", "best killer with rail gun") +
                icon("carnage_lightning", "best killer with lightning gun"),
            icons({5, 6}, "weapons"));
  EXPECT_EQ(icon("accuracy_rail", "best accuracy with rail gun") +
                icon("accuracy_lightning", "best accuracy with lightning gun"),
            icons({16, 17}, "accuracy"));
  EXPECT_EQ(icon("player_kills", "best killer") + icon("ctf_defense", "best defender") +
                icon("player_kalimo", "most valuable player"),
            icons({24, 25, 21}, "player"));
}

TEST(AwardIcons, BlankIconForAnEmptyFamilyAndNothingForAnUnknownOne) {
  // A weapon award says nothing about the other families.
  EXPECT_EQ(kBlank, icons({6}, "player"));
  EXPECT_EQ(kBlank, icons({6}, "accuracy"));
  EXPECT_EQ(kBlank, icons({3}, "weapons", 2));  // only a flag of exactly 1 is held
  for (const char* family : {"Player", "players", ""}) EXPECT_EQ("", icons({21}, family));
}

}  // namespace
