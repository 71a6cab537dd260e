// The finished game taken out of the table, for the outputs that read it as one value.
#include "game/game_result.h"

#include "game/clans.h"
#include "game/game_type.h"
#include "game/totals.h"
#include "run/state.h"

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

void takeGameResult(GameResult& result) {
  const int n = getTotalPlayers();
  result.gameType = g_game.g_gametype;
  result.mapName = g_game.g_mapname;
  result.caRoundsRed = g_game.g_ca_win_red;
  result.caRoundsBlue = g_game.g_ca_win_blue;
  char label[kTextSize];
  detectClans(label);
  label[kTextSize - 1] = '\0';
  result.label.assign(label);
  result.gameId = g_run.g_game_count;
  result.runStamp = g_run.g_time_now;
  result.logName = g_run.g_logfile;
  result.serverLog = g_run.g_log_type != 0 || g_run.clientLogConverted;
  result.firstByte = g_game.lines.firstByte();
  result.lastByte = g_game.lines.lastByte();
  g_game.lines.hex(result.fingerprint);
  result.players.assign(q3players, q3players + n);
  result.easiestPrey.resize(static_cast<std::size_t>(n));
  result.worstEnemy.resize(static_cast<std::size_t>(n));
  for (int s = 0; s < n; ++s) {
    result.easiestPrey[static_cast<std::size_t>(s)] = getEasiestPrey(s);
    result.worstEnemy[static_cast<std::size_t>(s)] = getWorstEnemy(s);
  }
}
