// Name resolvers: the players of the table that a line's names stand for.
#include "game/obituary.h"

#include "base/scratch_pool.h"
#include "game/player_table.h"

int slotOfName(const PlayerTable& players, std::string_view name) {
  if (name == kSentinelName) return NO_PLAYER;
  return players.getPlayerIndex(name);
}

LinePlayers resolveSlots(const PlayerTable& players, const LineRecord& line) {
  LinePlayers found;
  found.victim = slotOfName(players, line.victimCut.name);
  found.attacker = slotOfName(players, line.attackerCut.name);
  return found;
}

int LinePlayers::victimSlot(const LineRecord& line) const {
  storeMallocs(line.victimCut.scratch);
  return victim;
}

int LinePlayers::attackerSlot(const LineRecord& line) const {
  storeMallocs(line.attackerCut.scratch);
  return attacker;
}

int getVictim(const PlayerTable& players, const ScannedText& line) {
  return slotOfName(players, getVictimName(line));
}

int getAttacker(const PlayerTable& players, const ScannedText& line) {
  return slotOfName(players, getAttackerName(line));
}
