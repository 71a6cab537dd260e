// Player statistics blocks of team games.
#include "html/player_stats.h"

// Not written yet.
void htmlDrawPlayerStatTable() {}
