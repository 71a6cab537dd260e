// The games index: which file names are game pages, and their game types (the index itself is
// checked end to end).
#include "kx-index/games_index.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace kxindex {
namespace {

constexpr const char kCtfName[] = "kalimostats_2001_08_10_12_00_00_1003_CTF_RED_vs_BLUE_main.html";

TEST(PageName, SplitsAMainPageName) {
  PageName p;
  ASSERT_TRUE(parsePageName(kCtfName, &p));
  EXPECT_EQ("2001_08_10_12_00_00", p.stamp);
  EXPECT_EQ(1003, p.gameId);
  EXPECT_EQ("CTF_RED_vs_BLUE", p.label);
  EXPECT_EQ("html", p.ext);
  EXPECT_EQ("kalimostats_2001_08_10_12_00_00_1003_CTF_RED_vs_BLUE_wpn.html", weaponPageOf(kCtfName));
}

TEST(PageName, OnlyMainPagesOfTheProgramsOwnNamingAreListed) {
  PageName p;
  for (const char* other : {"index.html", "kalimostats_2001_08_10_12_00_00_1003_CTF_RED_vs_BLUE_wpn.html",
                            "kalimostats_2001_08_10_12_00_1003_FFA_PUB_main.html",  // a stamp field short
                            "kalimostats_2001_08_10_12_00_00_x_FFA_PUB_main.html",
                            "kalimostats_2001_08_10_12_00_00_1001_FFA PUB_main.html",
                            "kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main."}) {
    EXPECT_FALSE(parsePageName(other, &p)) << other;
  }
  const std::pair<const char*, const char*> types[] = {{"FFA_PUB", "free for all"},
                                                       {"TDM_RED_vs_BLUE", "team deathmatch"},
                                                       {"CA__AB__vs__XY_", "Clan Arena"},
                                                       {"XYZ", "unknown"}};
  for (const auto& [label, type] : types) EXPECT_EQ(type, gameTypeOf(label));
}

}  // namespace
}  // namespace kxindex
