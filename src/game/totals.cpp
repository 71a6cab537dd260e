// Turns the per-opponent tables into game totals, and answers rivalry and weapon-use questions.
#include "game/totals.h"

#include "game/player_table.h"
#include "game/teams.h"
#include "game/game.h"

namespace {

constexpr int kLastCountedWeapon = 12;
constexpr int kLastShotWeapon = 7;  // the BFG and later weapons count as used only by kills
constexpr double kStartingRating = 10.0;
constexpr double kStreakBonus = 0.5;

bool validSlot(int slot) { return slot >= 0 && slot < kTableSlots; }

void addToRating(float& rating, double delta) {
  rating = static_cast<float>(static_cast<double>(rating) + delta);
}

void addUpPlayer(PlayerTable& players, int p, int n) {
  PlayerRecord& pl = players[p];
  // A record that shares P's rawName is P as far as its own kills are concerned.
  auto isSelf = [&](int j) { return players[j].rawName == pl.rawName.view(); };

  for (int w = 0; w <= kLastCountedWeapon; ++w) {
    for (int j = 0; j < n; ++j) {
      if (!isSelf(j)) pl.killTable[w][n] += pl.killTable[w][j];
      pl.deathTable[w][n] += pl.deathTable[w][j];
    }
  }
  for (int j = 0; j < n; ++j) {
    for (int w = 0; w <= kLastCountedWeapon; ++w) {
      if (!isSelf(j)) pl.killTable[kAllWeapons][j] += pl.killTable[w][j];
      pl.deathTable[kAllWeapons][j] += pl.deathTable[w][j];
    }
  }
  for (int j = 0; j < n; ++j) {
    pl.killTable[kAllWeapons][n] += pl.killTable[kAllWeapons][j];
    pl.deathTable[kAllWeapons][n] += pl.deathTable[kAllWeapons][j];
  }

  pl.suicides += pl.deathTable[kAllWeapons][p];
  pl.kills += pl.killTable[kAllWeapons][n];
  pl.deaths += pl.deathTable[kAllWeapons][n] - pl.suicides;

  // Both ratings started at 10; three separate stores, each rounded to float.
  addToRating(pl.combat, -kStartingRating);
  addToRating(pl.skill, -kStartingRating);
  addToRating(pl.skill, kStreakBonus * pl.killStreak);

  pl.frags += pl.kills + 5 * pl.caps + pl.returns + 2 * pl.efcKills + pl.fcDefends +
              2 * (pl.efcKillAssists + pl.fcDefendsAgr) + pl.returnAssists + pl.baseDefends +
              2 * pl.carrierDefends - pl.suicides;
}

// The first player column of `row` strictly above the player's own cell; the player itself
// when none is, so that on a tie with its own count a player is its own rival.
int firstHighestColumn(const PlayerTable& players, const int (&row)[kTableSlots], int self) {
  int best = self;
  int most = row[self];
  const int n = players.getTotalPlayers();
  for (int j = 0; j < n; ++j) {
    if (row[j] > most) {
      best = j;
      most = row[j];
    }
  }
  return best;
}

}  // namespace

void addUpTables(Game& game) {
  if (game.state.g_gametype == GT_FFA && getTeamTotalPlayers(game.players, TEAM_RED) > 0 &&
      getTeamTotalPlayers(game.players, TEAM_BLUE) > 0) {
    game.state.g_gametype = GT_TDM;
  }
  const int n = game.players.getTotalPlayers();
  for (int p = 0; p < n; ++p) addUpPlayer(game.players, p, n);
}

int weaponUsed(const PlayerTable& players, int weapon) {
  return weaponUsed(&players[0], players.getTotalPlayers(), weapon);
}

int weaponUsed(const PlayerRecord* players, int n, int weapon) {
  if (weapon < 0 || weapon >= kWeaponRows) return 0;
  for (int p = 0; p < n; ++p) {
    const PlayerRecord& pl = players[p];
    for (int j = 0; j < n; ++j) {
      if (pl.killTable[weapon][j] > 0) return 1;
    }
    if (weapon == 0 && pl.hits[0] > 0) return 1;
    if (weapon >= 1 && weapon <= kLastShotWeapon && pl.shots[weapon] > 0) return 1;
  }
  return 0;
}

int getWorstEnemy(const PlayerTable& players, int slot) {
  if (!validSlot(slot)) return slot;
  return firstHighestColumn(players, players[slot].deathTable[kAllWeapons], slot);
}

int getEasiestPrey(const PlayerTable& players, int slot) {
  if (!validSlot(slot)) return slot;
  return firstHighestColumn(players, players[slot].killTable[kAllWeapons], slot);
}
