// Reads players' teams off team joins, team-coloured entries and capture-the-flag announcements.
#include "game/teams.h"

#include "read/line_record.h"
#include "read/vocabulary.h"
#include "game/obituary.h"
#include "game/player_table.h"
#include "game/game.h"

void assignTeam(Game& game, const LineRecord& line, const LinePlayers& who) {
  // A name not in the table resolves to NO_PLAYER, whose sink record absorbs the change.
  int v = who.victimSlot(line);
  if (v < 0 || v >= kTableSlots) v = NO_PLAYER;
  PlayerRecord& player = game.players[v];

  const TextScan& texts = line.raw.scan;
  if (texts.has(kTextOnTeam)) {
    // The team name stands where a killer's name would.
    const std::string_view teamName = line.attackerName();
    if (teamName == "RED") {
      player.team = TEAM_RED;
    } else if (teamName == "BLUE") {
      player.team = TEAM_BLUE;
    }
    return;
  }
  if (texts.has(kTextEnteredRed)) {
    player.team = TEAM_RED;
    return;
  }
  if (texts.has(kTextEnteredBlue)) {
    player.team = TEAM_BLUE;
    return;
  }
  // Every flag announcement betrays the actor's side, and only CTF prints them.
  if (texts.first(kCtfRedStrings) >= 0) {
    game.state.g_gametype = GT_CTF;
    player.team = TEAM_RED;
    return;
  }
  if (texts.first(kCtfBlueStrings) >= 0) {
    game.state.g_gametype = GT_CTF;
    player.team = TEAM_BLUE;
  }
}

int getTeamTotalPlayers(const PlayerTable& players, int team) {
  int count = 0;
  for (int s = 0; s < MAX_PLAYERS && !players[s].rawName.empty(); ++s) {
    if (players[s].team == team) ++count;
  }
  return count;
}
