// Award icons: which pictures a family's flags produce, and in which order.
#include "osp/award_icons.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "html/writer.h"
#include "osp_test_support.h"

namespace {

const std::string kBlank = "<IMG src=images/awards/blank.gif>&nbsp;";

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

TEST(AwardIcons, BlankIconForAnEmptyFamilyAndNothingForAnUnknownOne) {
  // A weapon award says nothing about the other families.
  EXPECT_EQ(kBlank, icons({6}, "player"));
  EXPECT_EQ(kBlank, icons({6}, "accuracy"));
  EXPECT_EQ(kBlank, icons({3}, "weapons", 2));  // only a flag of exactly 1 is held
  for (const char* family : {"Player", "players", ""}) EXPECT_EQ("", icons({21}, family));
}

}  // namespace
