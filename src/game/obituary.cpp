// Name resolvers: the players of the table that a line's names stand for.
#include "game/obituary.h"

#include "game/player_table.h"

int slotOfName(const PlayerTable& players, std::string_view name) {
  if (name == kSentinelName) return NO_PLAYER;
  return players.getPlayerIndex(name);
}

void resolveSlots(const PlayerTable& players, LineRecord& line) {
  line.victim = slotOfName(players, line.victimCut.name);
  line.attacker = slotOfName(players, line.attackerCut.name);
}

int getVictim(const PlayerTable& players, const ScannedText& line) {
  return slotOfName(players, getVictimName(line));
}

int getAttacker(const PlayerTable& players, const ScannedText& line) {
  return slotOfName(players, getAttackerName(line));
}
