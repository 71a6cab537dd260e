// How names and the means of death are read out of obituaries and other player events.
#include "game/obituary.h"

#include <gtest/gtest.h>

#include <string>

#include "players_test_support.h"

namespace {

std::string shown(std::string_view name) { return name == kSentinelName ? "-" : std::string(name); }

// The wordings kx-preparse writes are read back in tools/kx_preparse_test.cpp, and which
// message a line is in log/line_record_test.cpp; these are the wordings only a client log
// holds, and the rules that pick among overlapping texts.
TEST(Obituary, EachLineNamesVictimAttackerAndWeapon) {
  players_test::freshGame();
  const struct {
    const char* line;
    const char* victim;    // "-": the missing-name marker
    const char* attacker;  // nullptr: not checked
    int weapon;
  } cases[] = {
      {"A^7 was swimming too close to B^7's", "A", nullptr, WP_LIGHTNING},  // the weapon only
      {"A^7 tried to invade B^7's personal space", "A", "B", WP_TELEFRAG},
      {"A^7 cratered.", "A", "A", WP_SUICIDE},
      {"A^7 blew herself up.", "A", "A", WP_ROCKET},
      {"A^7 tripped on her own grenade.", "A", "A", WP_GRENADE},
      {"A^7 pressed the wrong button.", "A", "A", WP_LIGHTNING},
      // "melted himself." also holds "melted.": the plasma rule is tested first.
      {"A^7 melted himself.", "A", "A", WP_PLASMA},
      {"A^7 melted.", "A", "A", WP_SUICIDE},
      {"A^7 killed herself.", "A", "A", WP_SUICIDE},
      // " ate " without a weapon word names no killer, but the weapon still reads "shrapnel".
      {"A^7 ate B^7's shrapnel", "A", "-", WP_GRENADE},
      // " ate " stands before " was railed by " among the two-name messages.
      {"Kate ate mate^7 was railed by Bob^7 rocket", "Kate", "mate^7 was railed by Bob^7 rocket",
       WP_ROCKET},
      // Only one trailing colour code is trimmed.
      {"^1A^7^3 cratered.", "^1A^7", nullptr, WP_SUICIDE},
      {"A^^ cratered.", "A^^", nullptr, WP_SUICIDE},
      {"A^7 was railed by ^1Red^7Fox^7", "A", "^1Red^7Fox", WP_RAILGUN},
      // Other player events use the same cutters.
      {"Old^7 renamed to New", "Old", "New", WP_UNKNOWN},
      {"Ann^7 entered the game (^1RED^7)", "Ann", nullptr, WP_UNKNOWN},
      {"sv_hostname changed", "-", "-", WP_UNKNOWN},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.victim, shown(getVictimName(c.line))) << c.line;
    if (c.attacker != nullptr) {
      EXPECT_EQ(c.attacker, shown(getAttackerName(c.line))) << c.line;
    }
    EXPECT_EQ(c.weapon, getWeapon(c.line)) << c.line;
  }
  resetScratchPool();
  EXPECT_EQ(NO_PLAYER, getVictim(players(), ScannedText("sv_hostname changed")));
  EXPECT_EQ(NO_PLAYER, getAttacker(players(), ScannedText("A^7 ate B^7's shrapnel")));
  EXPECT_EQ(0, liveMallocs());  // nothing cut, nothing counted
}

}  // namespace
