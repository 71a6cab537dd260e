// How names and the means of death are read out of obituaries and other player events.
#include "players/obituary.h"

#include <gtest/gtest.h>

#include <string>

#include "players/player_table.h"
#include "run/scratch_pool.h"

namespace {

class Obituary : public testing::Test {
 protected:
  void SetUp() override {
    initPlayers();
    resetScratchPool();
  }
};

TEST_F(Obituary, TwoNameKillsGiveVictimAttackerAndWeapon) {
  const std::string rail = "A^7 was railed by B^7";
  EXPECT_EQ("A", getVictimName(rail));
  EXPECT_EQ("B", getAttackerName(rail));
  EXPECT_EQ(WP_RAILGUN, getWeapon(rail));

  const std::string rocket = "A^7 ate B^7's rocket";
  EXPECT_EQ("A", getVictimName(rocket));
  EXPECT_EQ("B", getAttackerName(rocket));
  EXPECT_EQ(WP_ROCKET, getWeapon(rocket));

  const std::string grenade = "A^7 ate B^7's grenade";
  EXPECT_EQ("B", getAttackerName(grenade));
  EXPECT_EQ(WP_GRENADE, getWeapon(grenade));

  const std::string tele = "A^7 tried to invade B^7's personal space";
  EXPECT_EQ("B", getAttackerName(tele));
  EXPECT_EQ(WP_TELEFRAG, getWeapon(tele));

  EXPECT_EQ(WP_GRENADE, getWeapon("A^7 was shredded by B^7's shrapnel"));
  EXPECT_EQ(WP_ROCKET, getWeapon("A^7 almost dodged B^7's rocket"));
  EXPECT_EQ(WP_PLASMA, getWeapon("A^7 was melted by B^7's plasmagun"));
  EXPECT_EQ(WP_BFG, getWeapon("A^7 was blasted by B^7's BFG"));
  EXPECT_EQ(WP_GAUNTLET, getWeapon("A^7 was pummeled by B^7"));
  EXPECT_EQ(WP_MACHINEGUN, getWeapon("A^7 was machinegunned by B^7"));
  EXPECT_EQ(WP_SHOTGUN, getWeapon("A^7 was gunned down by B^7"));
  EXPECT_EQ(WP_LIGHTNING, getWeapon("A^7 was electrocuted by B^7"));
  EXPECT_EQ(WP_NAILGUN, getWeapon("A^7 was impaled by B^7's shower of nails"));
  EXPECT_EQ("B", getAttackerName("A^7 was impaled by B^7's shower of nails"));
  EXPECT_EQ(WP_GRAPPLE, getWeapon("A^7 was disemboweled by B^7's grappling hook"));
  EXPECT_EQ(WP_LIGHTNING, getWeapon("A^7 was swimming too close to B^7's"));
}

TEST_F(Obituary, SelfInflictedDeathsNameTheVictimTwice) {
  const std::string crater = "A^7 cratered.";
  EXPECT_EQ("A", getVictimName(crater));
  EXPECT_EQ("A", getAttackerName(crater));
  EXPECT_EQ(WP_SUICIDE, getWeapon(crater));

  EXPECT_EQ(WP_ROCKET, getWeapon("A^7 blew himself up."));
  EXPECT_EQ("A", getAttackerName("A^7 blew himself up."));
  EXPECT_EQ(WP_GRENADE, getWeapon("A^7 tripped on her own grenade."));
  EXPECT_EQ(WP_BFG, getWeapon("A^7 should have used a smaller gun."));
  EXPECT_EQ(WP_LIGHTNING, getWeapon("A^7 pressed the wrong button."));
  // "melted himself." also holds "melted.": the plasma rule is tested first.
  EXPECT_EQ(WP_PLASMA, getWeapon("A^7 melted himself."));
  EXPECT_EQ(WP_SUICIDE, getWeapon("A^7 melted."));
  EXPECT_EQ(WP_SUICIDE, getWeapon("A^7 killed herself."));
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
  // A one-name message wins over any two-name message: "connected" (the capital D keeps
  // "disconnected" out) cuts the name, and the byte before it goes as if it were the blank.
  const std::string connected = "Disconnected^7 was railed by Bob^7";
  EXPECT_EQ("Di", getVictimName(connected));
  EXPECT_EQ("Bob", getAttackerName(connected));
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
  EXPECT_EQ("Ann", getVictimName("Ann is on team RED"));
  EXPECT_EQ("RED", getAttackerName("Ann is on team RED"));
  EXPECT_EQ("Ann", getVictimName("Ann^7 got the BLUE flag!"));
  EXPECT_EQ(std::string(kSentinelName), std::string(getAttackerName("Ann^7 got the BLUE flag!")));
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

TEST_F(Obituary, ResolversFindRegisteredPlayersOnly) {
  addPlayer("A");
  addPlayer("B");
  const std::string line = "A^7 was railed by B^7";
  EXPECT_EQ(0, getVictim(line));
  EXPECT_EQ(1, getAttacker(line));
  EXPECT_EQ(NO_PLAYER, getVictim("C^7 was railed by B^7"));
}

TEST_F(Obituary, EachCutNameCountsOneScratchString) {
  getVictimName("A^7 was railed by B^7");
  getAttackerName("A^7 was railed by B^7");
  getAttackerName("A^7 cratered.");  // the victim's name, cut once more
  EXPECT_EQ(3, liveMallocs());
}

}  // namespace
