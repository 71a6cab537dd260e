// Counts kills and suicides as they are read: per-opponent tables, streaks, team kills and ratings.
#pragma once

struct Game;
struct LineRecord;

// Weapon weight of a kill: 1.5 gauntlet and grapple, 1.1 rocket, 1.15 lightning, 1.2 rail,
// 0.8 BFG, 1.0 the other weapons, 0.0 suicides and anything else.
float getKalimoPoints(int weapon);

// Counts one obituary line; does nothing unless both players are in the table and the means
// of death is a countable weapon code (0..12).
void updateTables(Game& game, const LineRecord& line);
