// The games index: which file names are taken for game pages (the index itself, the game types
// and the names' fields are checked end to end, by the kx-index cases).
#include "kx-index/games_index.h"

#include <gtest/gtest.h>

#include <string>

namespace kxindex {
namespace {

TEST(PageName, OnlyMainPagesOfTheProgramsOwnNamingAreListed) {
  PageName p;
  for (const char* other : {"index.html", "kalimostats_2001_08_10_12_00_00_1003_CTF_RED_vs_BLUE_wpn.html",
                            "kalimostats_2001_08_10_12_00_1003_FFA_PUB_main.html",  // a stamp field short
                            "kalimostats_2001_08_10_12_00_00_x_FFA_PUB_main.html",
                            "kalimostats_2001_08_10_12_00_00_1001_FFA PUB_main.html",
                            "kalimostats_2001_08_10_12_00_00_1001_FFA_PUB_main."}) {
    EXPECT_FALSE(parsePageName(other, &p)) << other;
  }
}

}  // namespace
}  // namespace kxindex
