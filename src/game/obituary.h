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

// Looks up both names cut from the line in the player table (line.victim, line.attacker).
void resolveSlots(const PlayerTable& players, LineRecord& line);
