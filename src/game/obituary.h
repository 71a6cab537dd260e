// Resolves the names a line gives to the players of the table.
#pragma once

#include <string_view>

#include "read/means_of_death.h"
#include "read/line_record.h"
#include "read/names.h"
#include "read/text_scan.h"

class PlayerTable;

// Slot of the victim / attacker name; NO_PLAYER for the sentinel or a name not in the table.
int getVictim(const PlayerTable& players, const ScannedText& line);
int getAttacker(const PlayerTable& players, const ScannedText& line);

// Slot of a name as the resolvers see it: NO_PLAYER for the sentinel.
int slotOfName(const PlayerTable& players, std::string_view name);

// The players of the game's table that a line names: facts of the game, which the line record
// (facts of the text alone) does not hold.
struct LinePlayers {
  int victim = 0;
  int attacker = 0;

  // The slots, with the scratch strings counted as a resolver call counts them (it cuts the
  // name from `line` first).
  int victimSlot(const LineRecord& line) const;
  int attackerSlot(const LineRecord& line) const;
};

// Looks up both names cut from the line in the player table.
LinePlayers resolveSlots(const PlayerTable& players, const LineRecord& line);
