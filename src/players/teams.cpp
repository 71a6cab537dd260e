// Reads players' teams off team joins, team-coloured entries and capture-the-flag announcements.
#include "players/teams.h"

#include "log/text_match.h"
#include "log/vocabulary.h"
#include "players/obituary.h"
#include "players/player_table.h"
#include "run/game.h"

namespace {
constexpr int kGameTypeCtf = 2;
}  // namespace

void assignTeam(std::string_view line) {
  // A name not in the table resolves to NO_PLAYER, whose sink record absorbs the change.
  int v = getVictim(line);
  if (v < 0 || v >= kTableSlots) v = NO_PLAYER;
  PlayerRecord& player = q3players[v];

  static const TextId kOnTeam = textId(" is on team ");
  static const TextId kEnteredRed = textId(" entered the game (^1RED^7)");
  static const TextId kEnteredBlue = textId(" entered the game (^4BLUE^7)");
  const TextScan& texts = scanTexts(line);
  if (texts.has(kOnTeam)) {
    // The team name stands where a killer's name would.
    const std::string_view teamName = getAttackerName(line);
    if (teamName == "RED") {
      player.team = TEAM_RED;
    } else if (teamName == "BLUE") {
      player.team = TEAM_BLUE;
    }
    return;
  }
  if (texts.has(kEnteredRed)) {
    player.team = TEAM_RED;
    return;
  }
  if (texts.has(kEnteredBlue)) {
    player.team = TEAM_BLUE;
    return;
  }
  // Every flag announcement betrays the actor's side, and only CTF prints them.
  if (texts.firstOf(ctf_red_strings) >= 0) {
    g_gametype = kGameTypeCtf;
    player.team = TEAM_RED;
    return;
  }
  if (texts.firstOf(ctf_blue_strings) >= 0) {
    g_gametype = kGameTypeCtf;
    player.team = TEAM_BLUE;
  }
}

int getTeamTotalPlayers(int team) {
  int count = 0;
  for (int s = 0; s < MAX_PLAYERS && !q3players[s].rawName.empty(); ++s) {
    if (q3players[s].team == team) ++count;
  }
  return count;
}
