// Name resolvers: the players of the table that a line's names stand for.
#include "game/obituary.h"

#include "game/player_table.h"

int slotOfName(std::string_view name) {
  if (name == kSentinelName) return NO_PLAYER;
  return getPlayerIndex(name);
}

void resolveSlots(LineRecord& line) {
  line.victim = slotOfName(line.victimCut.name);
  line.attacker = slotOfName(line.attackerCut.name);
}

int getVictim(const ScannedText& line) { return slotOfName(getVictimName(line)); }

int getAttacker(const ScannedText& line) { return slotOfName(getAttackerName(line)); }

int getVictim(std::string_view line) { return getVictim(ScannedText(line)); }
int getAttacker(std::string_view line) { return getAttacker(ScannedText(line)); }
