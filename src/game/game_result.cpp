// The finished game taken out of the table, for the outputs that read it as one value.
#include "game/game_result.h"

#include "game/clans.h"
#include "game/game_type.h"
#include "game/totals.h"
#include "game/game.h"

int GameResult::teamPlayers(int team) const {
  int count = 0;
  for (const PlayerRecord& p : players) count += p.team == team ? 1 : 0;
  return count;
}

int GameResult::teamScore(int team) const {
  if (gameType == GT_CA) return team == TEAM_RED ? caRoundsRed : caRoundsBlue;
  int sum = 0;
  for (const PlayerRecord& p : players) {
    if (p.team == team) sum += gameType == GT_CTF ? p.caps : p.frags;
  }
  return sum;
}

void takeGameResult(const Game& game, GameResult& result) {
  const int n = game.players.getTotalPlayers();
  result.gameType = game.state.g_gametype;
  result.mapName = game.state.g_mapname;
  result.caRoundsRed = game.state.g_ca_win_red;
  result.caRoundsBlue = game.state.g_ca_win_blue;
  char label[kTextSize];
  detectClans(game, label);
  label[kTextSize - 1] = '\0';
  result.label.assign(label);
  result.serverLog = game.log.g_log_type != 0 || game.log.clientLogConverted;
  result.firstByte = game.state.lines.firstByte();
  result.lastByte = game.state.lines.lastByte();
  game.state.lines.hex(result.fingerprint);
  result.players.clear();
  for (int s = 0; s < n; ++s) result.players.push_back(game.players[s]);
  result.easiestPrey.resize(static_cast<std::size_t>(n));
  result.worstEnemy.resize(static_cast<std::size_t>(n));
  for (int s = 0; s < n; ++s) {
    result.easiestPrey[static_cast<std::size_t>(s)] = getEasiestPrey(game.players, s);
    result.worstEnemy[static_cast<std::size_t>(s)] = getWorstEnemy(game.players, s);
  }
}
