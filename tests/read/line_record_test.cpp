// The record of one line: which message it is, the names it carries, their slots, the weapon.
#include "read/line_record.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "read/line_filter.h"
#include "read/vocabulary.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "base/scratch_pool.h"

namespace {

struct LineCase {
  const char* line;
  const char* message;  // the first text of valid_strings in table order, or "" for none
  const char* victim;   // as cut; "-" for the missing-name marker
  const char* attacker;
  int victimSlot;       // Ann is slot 0, Bob slot 1
  int attackerSlot;
  int weapon;
};

std::string shown(std::string_view name) { return name == kSentinelName ? "-" : std::string(name); }

TEST(LineRecord, EveryKindOfLineIsCutAndResolvedOnce) {
  const LineCase cases[] = {
      {"Ann^7 was railed by Bob^7", " was railed by ", "Ann", "Bob", 0, 1, WP_RAILGUN},
      // The possessive after the killer's name is not part of it.
      {"Ann^7 ate Bob^7's rocket", " ate ", "Ann", "Bob", 0, 1, WP_ROCKET},
      {"Ann^7 was shredded by Bob^7's shrapnel", " was shredded by ", "Ann", "Bob", 0, 1, WP_GRENADE},
      // A death by one's own hand names the victim as the killer too.
      {"Ann^7 blew herself up.", "blew herself up.", "Ann", "Ann", 0, 0, WP_ROCKET},
      {"Ann^7 cratered.", "cratered.", "Ann", "Ann", 0, 0, WP_SUICIDE},
      // One-name messages are tried first: a victim whose name ends in "connected" is cut there,
      // and "connected" is also the line's first filter text in table order.
      {"Disconnected^7 was railed by Bob^7", "connected", "Di", "Bob", NO_PLAYER, 1, WP_RAILGUN},
      // "disconnected" is listed before "connected": the earlier entry decides the cut.
      {"Bob^7 disconnected", "disconnected", "Bob", "-", 1, NO_PLAYER, WP_UNKNOWN},
      // " ate " without a weapon word is chat: no killer, and no other connector is tried.
      {"Bob^7 ate pizza was railed by Ann", "", "Bob", "-", 1, NO_PLAYER, WP_RAILGUN},
      {"Ann^7 captured the BLUE flag!", "captured the BLUE flag!", "Ann", "-", 0, NO_PLAYER, WP_UNKNOWN},
      // A team join: the team name stands where a killer's name would.
      {"Bob^7 is on team BLUE", " is on team ", "Bob", "BLUE", 1, NO_PLAYER, WP_UNKNOWN},
      {"Ann^7 accuracy statistics Railgun 20 7", " accuracy statistics ", "Ann", "Railgun 20 7", 0,
       NO_PLAYER, WP_UNKNOWN},
      {"Zed^7 tried to invade Ann^7's personal space", " tried to invade ", "Zed", "Ann",
       NO_PLAYER, 0, WP_TELEFRAG},
      {"Timelimit hit.", "Timelimit hit.", "-", "-", NO_PLAYER, NO_PLAYER, WP_UNKNOWN},
  };
  const auto table = std::make_unique<PlayerTable>();  // large: kept off the stack
  PlayerTable& players = *table;
  players.addPlayer("Ann");
  players.addPlayer("Bob");
  static LineRecord record;
  for (const LineCase& c : cases) {
    record.setText(c.line);
    const LinePlayers who = resolveSlots(players, record);
    const int valid = record.message();
    EXPECT_EQ(c.message, std::string(valid >= 0 && validLine(record.raw) ? valid_strings[valid] : ""))
        << c.line;
    EXPECT_EQ(c.victim, shown(record.victimCut.name)) << c.line;
    EXPECT_EQ(c.attacker, shown(record.attackerCut.name)) << c.line;
    EXPECT_EQ(c.victimSlot, who.victim) << c.line;
    EXPECT_EQ(c.attackerSlot, who.attacker) << c.line;
    EXPECT_EQ(c.weapon, record.weapon) << c.line;
  }
}


}  // namespace
