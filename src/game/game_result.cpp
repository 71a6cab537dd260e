// The finished game taken out of the table, for the outputs that read it as one value, and the team sums they show.
#include "game/game_result.h"

#include <cstring>

#include "game/clans.h"
#include "game/game_type.h"
#include "game/totals.h"
#include "game/game.h"

namespace {

constexpr int kAnyTeam = -1;
// The BFG and later weapons count as used only by kills.

// An integer key sums one field, or two (the two kinds of carrier defence), over one side.
struct IntStatKey {
  const char* key;
  int team;
  int PlayerRecord::*field;
  int PlayerRecord::*secondField;  // nullptr when only one field counts
};

constexpr IntStatKey kIntStatKeys[] = {
    {"caps_red", TEAM_RED, &PlayerRecord::caps, nullptr},
    {"caps_blue", TEAM_BLUE, &PlayerRecord::caps, nullptr},
    {"touches_red", TEAM_RED, &PlayerRecord::touches, nullptr},
    {"touches_blue", TEAM_BLUE, &PlayerRecord::touches, nullptr},
    {"holdkills_red", TEAM_RED, &PlayerRecord::holdKills, nullptr},
    {"holdkills_blue", TEAM_BLUE, &PlayerRecord::holdKills, nullptr},
    {"returns_red", TEAM_RED, &PlayerRecord::returns, nullptr},
    {"returns_blue", TEAM_BLUE, &PlayerRecord::returns, nullptr},
    {"efckills_red", TEAM_RED, &PlayerRecord::efcKills, nullptr},
    {"efckills_blue", TEAM_BLUE, &PlayerRecord::efcKills, nullptr},
    {"fcdefends_red", TEAM_RED, &PlayerRecord::fcDefends, &PlayerRecord::fcDefendsAgr},
    {"fcdefends_blue", TEAM_BLUE, &PlayerRecord::fcDefends, &PlayerRecord::fcDefendsAgr},
    {"basedefends_red", TEAM_RED, &PlayerRecord::baseDefends, nullptr},
    {"basedefends_blue", TEAM_BLUE, &PlayerRecord::baseDefends, nullptr},
    {"kills_red", TEAM_RED, &PlayerRecord::kills, nullptr},
    {"kills_blue", TEAM_BLUE, &PlayerRecord::kills, nullptr},
    {"kills_noteam", TEAM_NONE, &PlayerRecord::kills, nullptr},
    {"deaths_red", TEAM_RED, &PlayerRecord::deaths, nullptr},
    {"deaths_blue", TEAM_BLUE, &PlayerRecord::deaths, nullptr},
    {"deaths_noteam", TEAM_NONE, &PlayerRecord::deaths, nullptr},
    {"suicides_red", TEAM_RED, &PlayerRecord::suicides, nullptr},
    {"suicides_blue", TEAM_BLUE, &PlayerRecord::suicides, nullptr},
    {"frags_red", TEAM_RED, &PlayerRecord::frags, nullptr},
    {"frags_blue", TEAM_BLUE, &PlayerRecord::frags, nullptr},
    {"frags_noteam", TEAM_NONE, &PlayerRecord::frags, nullptr},
};

struct FloatStatKey {
  const char* key;
  int team;  // kAnyTeam: every player
  float PlayerRecord::*field;
};

constexpr FloatStatKey kFloatStatKeys[] = {
    {"kalimo", kAnyTeam, &PlayerRecord::skill},
    {"kalimo_red", TEAM_RED, &PlayerRecord::skill},
    {"kalimo_blue", TEAM_BLUE, &PlayerRecord::skill},
    {"kalimo_noteam", TEAM_NONE, &PlayerRecord::skill},
    {"combat_red", TEAM_RED, &PlayerRecord::combat},
    {"combat_blue", TEAM_BLUE, &PlayerRecord::combat},
    {"combat_noteam", TEAM_NONE, &PlayerRecord::combat},
};

}  // namespace

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

int GameResult::getStats(const char* key) const {
  for (const IntStatKey& k : kIntStatKeys) {
    if (std::strcmp(key, k.key) != 0) continue;
    int sum = 0;
    for (const PlayerRecord& p : players) {
      if (p.team != k.team) continue;
      sum += p.*k.field;
      if (k.secondField != nullptr) sum += p.*k.secondField;
    }
    return sum;
  }
  return 0;
}

double GameResult::getStatsDouble(const char* key) const {
  for (const FloatStatKey& k : kFloatStatKeys) {
    if (std::strcmp(key, k.key) != 0) continue;
    double sum = 0.0;
    for (const PlayerRecord& p : players) {
      if (k.team != kAnyTeam && p.team != k.team) continue;
      sum += p.*k.field;
    }
    return sum;
  }
  return 0.0;
}

void GameResult::findWeaponsUsed() {
  for (int w = 0; w < kWeaponRows; ++w) weaponsUsed[w] = ::weaponUsed(players.data(), playerCount(), w) == 1;
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
  result.spanInLog = game.state.lines.inLog();
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
  result.findWeaponsUsed();
}
