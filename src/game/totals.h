// Turns the per-opponent tables into game totals, and answers rivalry and weapon-use questions.
#pragma once

struct Game;
class PlayerTable;
struct PlayerRecord;

// Fills the all-weapons row and the totals column of every player's tables, the kill,
// death and suicide counts, the final ratings and the score; settles free-for-all versus
// team deathmatch. Must run exactly once per game.
void addUpTables(Game& game);

// 1 when weapon code `weapon` killed someone this game (or, for codes 0..7, the OSP figures
// show it was used); 0 otherwise.
int weaponUsed(const PlayerTable& players, int weapon);
// The same over the `n` records from `players` (a finished game's).
int weaponUsed(const PlayerRecord* players, int n, int weapon);

// The first slot that killed `slot` most often, or `slot` itself when nobody killed it more
// often than it killed itself.
int getWorstEnemy(const PlayerTable& players, int slot);

// The first slot that `slot` killed most often, or `slot` itself when it killed nobody.
int getEasiestPrey(const PlayerTable& players, int slot);

