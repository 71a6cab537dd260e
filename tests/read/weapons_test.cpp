// The weapon table's wordings: which client obituaries give each code, and how a server's means names are worded.
#include "read/weapons.h"

#include <gtest/gtest.h>

#include <string>

#include "read/means_of_death.h"
#include "read/names.h"

namespace {

std::string cutVictim(const std::string& line) { return std::string(cutVictimName(ScannedText(line)).name); }
std::string cutAttacker(const std::string& line) { return std::string(cutAttackerName(ScannedText(line)).name); }

TEST(Weapons, EveryClientWordingGivesItsCode) {
  const struct {
    const char* line;
    int weapon;
  } cases[] = {
      {"V^7 was pummeled by K^7", WP_GAUNTLET}, {"V^7 was machinegunned by K^7", WP_MACHINEGUN},
      {"V^7 was gunned down by K^7", WP_SHOTGUN}, {"V^7 tripped on its own grenade.", WP_GRENADE},
      {"V^7 ate K^7's grenade", WP_GRENADE}, {"V^7 was shredded by K^7's shrapnel", WP_GRENADE},
      {"V^7 blew itself up.", WP_ROCKET}, {"V^7 ate K^7's rocket", WP_ROCKET},
      {"V^7 almost dodged K^7's rocket", WP_ROCKET}, {"V^7 was electrocuted by K^7", WP_LIGHTNING},
      {"V^7 was railed by K^7", WP_RAILGUN}, {"V^7 was melted by K^7's plasmagun", WP_PLASMA},
      {"V^7 melted itself.", WP_PLASMA}, {"V^7 was blasted by K^7's BFG", WP_BFG},
      {"V^7 should have used a smaller gun.", WP_BFG}, {"V^7 was impaled by K^7's shower of nails", WP_NAILGUN},
      {"V^7 was disemboweled by K^7's grappling hook", WP_GRAPPLE},
      {"V^7 was in the wrong place.", WP_SUICIDE}, {"V^7 does a back flip into the lava.", WP_SUICIDE},
      {"V^7 was squished.", WP_SUICIDE}, {"V^7 sank like a rock.", WP_SUICIDE},
      // A plasma or BFG wording without its weapon word names nothing.
      {"V^7 was melted by K^7", WP_UNKNOWN}, {"V^7 was blasted by K^7", WP_UNKNOWN},
      // The world death is tested before the nail gun: a line holding both is a suicide.
      {"V^7 was impaled by K^7 cratered.", WP_SUICIDE},
  };
  for (const auto& c : cases) EXPECT_EQ(c.weapon, getWeapon(c.line)) << c.line;
}

// Every means name of a server log, written as the client would word it, reads back as the
// weapon the table gives it, with the victim and killer in their places.
TEST(Weapons, ServerMeansReadBackAsTheirWeapon) {
  ASSERT_GT(serverMeansCount(), 0);
  for (int i = 0; i < serverMeansCount(); ++i) {
    const ServerMeans& m = serverMeans()[i];
    SCOPED_TRACE(m.name);
    if (m.byOther != nullptr) {
      const std::string kill = std::string("Vic^7") + m.byOther + "Kil^7" + m.ending;
      EXPECT_EQ(m.weapon, getWeapon(kill));
      EXPECT_EQ("Vic", cutVictim(kill));
      EXPECT_EQ("Kil", cutAttacker(kill));
    }
    ASSERT_NE(nullptr, m.self);
    const std::string self = std::string("Vic^7 ") + m.self;
    // The plain self-kill is the client's word for any weapon without a message of its own.
    const bool plain = std::string(m.self) == "killed himself.";
    EXPECT_EQ(plain ? WP_SUICIDE : m.weapon, getWeapon(self));
    EXPECT_EQ("Vic", cutVictim(self));
    EXPECT_EQ("Vic", cutAttacker(self));
  }
  EXPECT_STREQ(" was railed by ", findServerMeans("MOD_RAILGUN")->byOther);
  // Means without a client wording of ours, and means names written in another case.
  for (const char* name : {"MOD_SWITCHTEAM", "MOD_UNKNOWN", "mod_railgun", "MOD_RAILGUN2", ""}) {
    EXPECT_EQ(nullptr, findServerMeans(name)) << name;
  }
}

}  // namespace
