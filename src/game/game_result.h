// A finished game: everything an output needs, taken from the game once it is reconciled, totalled, awarded and sorted.
#pragma once

#include <cstdint>
#include <vector>

#include "base/fixed_string.h"
#include "game/player_table.h"

struct GameResult {
  int gameType = 0;         // GT_* after the totals (a team deathmatch is known by then)
  Text510 mapName;          // lower case; empty when the log never named it
  int caRoundsRed = 0;      // Clan Arena rounds won
  int caRoundsBlue = 0;
  Text510 label;            // the game label, before it is filtered for a file name
  int gameId = 0;
  Text510 runStamp;         // the run's start, "%Y-%m-%d,%H-%M-%S"
  Text510 logName;          // the log as given on the command line
  bool serverLog = false;   // read through the pre-parser
  bool spanInLog = false;   // firstByte and lastByte are offsets in the log as given
  std::uint64_t firstByte = 0;
  std::uint64_t lastByte = 0;
  char fingerprint[33] = "";

  // The players in page order (by skill), slots as in the table: the per-opponent tables'
  // columns index this vector, column size() holds the totals.
  std::vector<PlayerRecord> players;
  // Per player: the slot of the easiest prey and the worst enemy (the player's own slot when
  // there is none), as the pages show them.
  std::vector<int> easiestPrey;
  std::vector<int> worstEnemy;
  // Per weapon code: some player killed with it, or (codes 0 to 7) the OSP figures show it
  // was used. Filled by takeGameResult() from the players above (see findWeaponsUsed()).
  bool weaponsUsed[kWeaponRows] = {};

  int playerCount() const { return static_cast<int>(players.size()); }
  int teamPlayers(int team) const;
  // The large figure of a team's banner: captures, frags or Clan Arena rounds won.
  int teamScore(int team) const;
  bool weaponUsed(int weapon) const { return weapon >= 0 && weapon < kWeaponRows && weaponsUsed[weapon]; }

  // Sum of one integer field over one side, chosen by stat key ("caps_red", "kills_noteam",
  // ...); 0 for an unknown key.
  int getStats(const char* key) const;
  // Sum of skill or combat over one side ("kalimo_blue", "combat_red", "kalimo" for all),
  // the float figures added up in double; 0.0 for an unknown key.
  double getStatsDouble(const char* key) const;

  // Sets weaponsUsed from the players' tables and OSP figures.
  void findWeaponsUsed();
};

struct Game;
// Copies the finished game (players and per-game values) into `result`; to be called after the
// end-of-game steps have run. The run's values (id, stamp, log name) are the caller's.
void takeGameResult(const Game& game, GameResult& result);
