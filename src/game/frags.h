// Counts kills and suicides as they are read: per-opponent tables, streaks, team kills and ratings.
#pragma once

struct Game;
struct LinePlayers;
struct LineRecord;

// Weapon weight of a kill, as the weapon table gives it; 0.0 for suicides and any code
// outside the table.
float getKalimoPoints(int weapon);

// Counts one obituary line; does nothing unless both players are in the table and the means
// of death is a countable weapon code (0..12).
void updateTables(Game& game, const LineRecord& line, const LinePlayers& who);
