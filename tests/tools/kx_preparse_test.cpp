// How the server-log pre-parser turns a dedicated server's log into lines our reader counts.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "kx-preparse/converter.h"
#include "kx-preparse/flag_scan.h"
#include "kx-preparse/server_line.h"
#include "read/line_filter.h"
#include "read/vocabulary.h"
#include "read/weapons.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "run/game.h"
#include "base/scratch_pool.h"

namespace {

class CollectSink : public LineSink {
 public:
  void writeLine(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

// Both passes over an inline log, as the program makes them over a file; the lines written.
std::vector<std::string> convertLines(const std::string& log) {
  std::vector<std::string> lines;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  FlagLineGames flagGames;
  for (const std::string& l : lines) flagGames.scanLine(l);
  CollectSink sink;
  Converter converter(sink, &flagGames);
  for (const std::string& l : lines) converter.feed(l);
  converter.finish();
  return sink.lines;
}

std::string lastLine(const std::string& log) {
  const std::vector<std::string> lines = convertLines(log);
  return lines.empty() ? "" : lines.back();
}

}  // namespace

TEST(KxPreparseLine, KindsAndFieldsWithOrWithoutATime) {
  ServerLine s;
  for (const char* line : {" 20:34 Kill: 2 1 7: twist", "1230:04 Kill: 2 1 7: twist", "45.1 Kill: 2 1 7: twist",
                           "Kill: 2 1 7: twist"}) {  // console logs of servers have no time
    ASSERT_TRUE(readServerLine(line, s)) << line;
    EXPECT_EQ("Kill", s.kind);
    EXPECT_EQ("2 1 7: twist", s.fields);
  }
  // A line cut and glued to the next, separators and console chatter have no kind.
  for (const char* garbled : {"26  0:00 -----------------", "  0:00 -----------------", "6601 files in pk3 files",
                              "^3ServerEd:^7 config found", ""}) {
    EXPECT_FALSE(readServerLine(garbled, s)) << garbled;
  }
}

// Every means gives the client's wording for a killer who is another player ("3"), the victim
// himself ("2") or the world ("1022"), and our reader reads each written obituary back as the
// same death: the filter passes it, the names come back as written, the weapon is the right row.
TEST(KxPreparseDeaths, EachMeansInTheClientWordingOurReaderReadsBack) {
  const char* const himself = "V^7 killed himself.";
  struct Case {
    const char* means;
    const char* byOther;  // V the victim, K the killer; null: left out
    const char* byHimself;
    int weapon;
  };
  // A weapon that killed with the world as the killer is left out (the client's "died.").
  const Case weapons[] = {
      {"MOD_GAUNTLET", "V^7 was pummeled by K^7", himself, WP_GAUNTLET},
      {"MOD_MACHINEGUN", "V^7 was machinegunned by K^7", himself, WP_MACHINEGUN},
      {"MOD_SHOTGUN", "V^7 was gunned down by K^7", himself, WP_SHOTGUN},
      {"MOD_GRENADE", "V^7 ate K^7's grenade", himself, WP_GRENADE},
      {"MOD_GRENADE_SPLASH", "V^7 was shredded by K^7's shrapnel", "V^7 tripped on his own grenade.", WP_GRENADE},
      {"MOD_ROCKET", "V^7 ate K^7's rocket", himself, WP_ROCKET},
      {"MOD_ROCKET_SPLASH", "V^7 almost dodged K^7's rocket", "V^7 blew himself up.", WP_ROCKET},
      {"MOD_PLASMA", "V^7 was melted by K^7's plasmagun", himself, WP_PLASMA},
      {"MOD_PLASMA_SPLASH", "V^7 was melted by K^7's plasmagun", "V^7 melted himself.", WP_PLASMA},
      {"MOD_RAILGUN", "V^7 was railed by K^7", himself, WP_RAILGUN},
      {"MOD_LIGHTNING", "V^7 was electrocuted by K^7", himself, WP_LIGHTNING},
      {"MOD_BFG", "V^7 was blasted by K^7's BFG", himself, WP_BFG},
      {"MOD_BFG_SPLASH", "V^7 was blasted by K^7's BFG", "V^7 should have used a smaller gun.", WP_BFG},
      {"MOD_TELEFRAG", "V^7 tried to invade K^7's personal space", himself, WP_TELEFRAG},
      {"MOD_NAIL", "V^7 was impaled by K^7's shower of nails", himself, WP_NAILGUN},
      {"MOD_GRAPPLE", "V^7 was disemboweled by K^7's grappling hook", himself, WP_GRAPPLE},
      {"MOD_CHAINGUN", "V^7 was machinegunned by K^7", himself, WP_MACHINEGUN},
      {"MOD_PROXIMITY_MINE", "V^7 was shredded by K^7's shrapnel", "V^7 tripped on his own grenade.", WP_GRENADE},
      {"MOD_KAMIKAZE", nullptr, himself, 0},
      // A team change is no death; unknown means are left out.
      {"MOD_SWITCHTEAM", nullptr, nullptr, 0},
      {"MOD_JUICED", nullptr, nullptr, 0},
      {"MOD_NO_SUCH_THING", nullptr, nullptr, 0},
  };
  // Deaths by the surroundings have the same words whoever the killer is. Our reader knows
  // neither the client's "suicides" (/kill) nor "saw the light": the nearest deaths stand in.
  const std::pair<const char*, const char*> surroundings[] = {
      {"MOD_WATER", "V^7 sank like a rock."}, {"MOD_SLIME", "V^7 melted."},
      {"MOD_LAVA", "V^7 does a back flip into the lava."}, {"MOD_CRUSH", "V^7 was squished."},
      {"MOD_FALLING", "V^7 cratered."}, {"MOD_TRIGGER_HURT", "V^7 was in the wrong place."},
      {"MOD_TARGET_LASER", "V^7 was in the wrong place."}, {"MOD_SUICIDE", himself}};
  resetScratchPool();
  // Names with colour codes inside and at the end: the trailing "^7" is what the reader trims.
  const std::string victim = "^1Vi^2c^1";
  const std::string killer = "K^3il";
  const auto check = [&](const std::string& means, const char* killerSlot, const char* written, int weapon) {
    SCOPED_TRACE(means + " by " + killerSlot);
    const std::string obituary = lastLine("ClientUserinfoChanged: 2 n\\" + victim + "\\t\\0\n" +
                                          "ClientUserinfoChanged: 3 n\\" + killer + "\\t\\0\n" + "Kill: " +
                                          killerSlot + " 2 1: x killed y by " + means + " 2\n");
    if (written == nullptr) {
      EXPECT_EQ("", obituary);  // nothing happened: not even the players entered
      return;
    }
    std::string expected = std::string(written).replace(0, 1, victim);
    const std::size_t k = expected.find("K^7");
    if (k != std::string::npos) expected.replace(k, 1, killer);
    EXPECT_EQ(expected, obituary);
    freeMallocs();
    EXPECT_EQ(1, validLine(obituary));
    // The plain self-kill names no weapon.
    EXPECT_EQ(std::strcmp(written, himself) == 0 ? WP_SUICIDE : weapon, getWeapon(obituary));
    EXPECT_EQ(victim, getVictimName(obituary));
    EXPECT_EQ(k != std::string::npos ? killer : victim, getAttackerName(obituary));
  };
  for (const Case& c : weapons) {
    check(c.means, "3", c.byOther, c.weapon);
    check(c.means, "2", c.byHimself, c.weapon);
    check(c.means, "1022", nullptr, 0);
  }
  for (const auto& [means, written] : surroundings) {
    for (const char* killerSlot : {"3", "2", "1022"}) check(means, killerSlot, written, WP_SUICIDE);
  }
  freeMallocs();
}

// Whatever rows the weapon table gains, a kill by each means name comes out of the pre-parser
// as a line our reader counts for the weapon that row names, by the killer, of the victim.
TEST(KxPreparseDeaths, EveryRowOfTheWeaponTableReadsBackAsItsWeapon) {
  for (int i = 0; i < serverMeansCount(); ++i) {
    const ServerMeans& m = serverMeans()[i];
    SCOPED_TRACE(m.name);
    const std::string obituary = lastLine(std::string("ClientUserinfoChanged: 2 n\\Vic\\t\\0\n") +
                                          "ClientUserinfoChanged: 3 n\\Kil\\t\\0\n" + "Kill: 3 2 1: x killed y by " +
                                          m.name + "\n");
    resetScratchPool();
    if (m.world || m.byOther != nullptr) {
      EXPECT_EQ(1, validLine(obituary)) << obituary;
      EXPECT_EQ("Vic", getVictimName(obituary));
    }
    if (m.world || m.byOther != nullptr) {
      EXPECT_EQ(m.world ? "Vic" : "Kil", getAttackerName(obituary));
      EXPECT_EQ(m.weapon, getWeapon(obituary));  // a world death's row is the suicides'
    } else {
      EXPECT_EQ("", obituary);  // no kill of another by this means is worded
    }
  }
  freeMallocs();
}
