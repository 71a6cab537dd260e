// Counts capture-the-flag events and tracks who carries a flag.
#pragma once

struct Game;
struct LinePlayers;
struct LineRecord;
class PlayerTable;

// Applies the first matching flag event of the line to the player named first in it.
void updateCTFStats(Game& game, const LineRecord& line, const LinePlayers& who);

// No player of `team` carries a flag any more (nor the cut-name twin of any long name).
void resetHaveFlag(PlayerTable& players, int team);
