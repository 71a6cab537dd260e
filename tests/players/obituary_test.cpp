// How names and the means of death are read out of obituaries and other player events.
#include "players/obituary.h"

#include <gtest/gtest.h>

#include <string>

#include "players_test_support.h"

namespace {

class Obituary : public testing::Test {
 protected:
  void SetUp() override { players_test::freshGame(); }
};

// The wordings kx-preparse writes are read back in tools/kx_preparse_test.cpp; these are the
// ones only a client log holds, and the rules that pick among overlapping texts.
TEST_F(Obituary, EachDeathNamesVictimAttackerAndWeapon) {
  const struct {
    const char* line;
    const char* victim;
    const char* attacker;
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
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.victim, getVictimName(c.line)) << c.line;
    if (c.attacker != nullptr) {
      EXPECT_EQ(c.attacker, getAttackerName(c.line)) << c.line;
    }
    EXPECT_EQ(c.weapon, getWeapon(c.line)) << c.line;
  }
}

TEST_F(Obituary, AteWithoutAWeaponWordHasNoAttacker) {
  const std::string line = "A^7 ate B^7's shrapnel";
  EXPECT_EQ(std::string(kSentinelName), std::string(getAttackerName(line)));
  EXPECT_EQ(NO_PLAYER, getAttacker(line));
  EXPECT_EQ(WP_GRENADE, getWeapon(line));  // the weapon still reads "shrapnel"
  EXPECT_EQ("A", getVictimName(line));
}

TEST_F(Obituary, TableOrderNotLinePositionDecidesTheSplit) {
  // " ate " stands before " was railed by " among the two-name messages.
  const std::string line = "Kate ate mate^7 was railed by Bob^7 rocket";
  EXPECT_EQ("Kate", getVictimName(line));
  EXPECT_EQ("mate^7 was railed by Bob^7 rocket", getAttackerName(line));
  // (One-name messages before two-name ones, and resolving names to slots: line_record_test.)
}

TEST_F(Obituary, OnlyOneTrailingColourCodeIsTrimmed) {
  EXPECT_EQ("^1A^7", getVictimName("^1A^7^3 cratered."));
  EXPECT_EQ("A^^", getVictimName("A^^ cratered."));
  EXPECT_EQ("^1Red^7Fox", getAttackerName("A^7 was railed by ^1Red^7Fox^7"));
}

TEST_F(Obituary, OtherPlayerEventsUseTheSameCutters) {
  EXPECT_EQ("Old", getVictimName("Old^7 renamed to New"));
  EXPECT_EQ("New", getAttackerName("Old^7 renamed to New"));
  EXPECT_EQ("Ann", getVictimName("Ann^7 entered the game (^1RED^7)"));
}

TEST_F(Obituary, UnknownLinesNameNobody) {
  const std::string line = "sv_hostname changed";
  EXPECT_EQ(std::string(kSentinelName), std::string(getVictimName(line)));
  EXPECT_EQ(std::string(kSentinelName), std::string(getAttackerName(line)));
  EXPECT_EQ(NO_PLAYER, getVictim(line));
  EXPECT_EQ(NO_PLAYER, getAttacker(line));
  EXPECT_EQ(WP_UNKNOWN, getWeapon(line));
  EXPECT_EQ(0, liveMallocs());  // nothing cut, nothing counted
}

}  // namespace
