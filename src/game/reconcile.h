// End-of-game repairs of the player table: cut names joined, missing teams guessed, blank names marked.
#pragma once

class PlayerTable;

// Joins the cut-name record `slot` (29 bytes) with its whole-name twin; returns the merged
// slot, or NO_PLAYER when nothing was merged.
int mergeIdenticalPlayerChopped(PlayerTable& players, int slot);
// For the whole-name record `slot`, finds its cut twin and merges the pair; as above.
int mergeIdenticalPlayerNonChopped(PlayerTable& players, int slot);
// Merges every mergeable pair in the table.
void mergeAllIdenticalPlayers(PlayerTable& players);
// In a team game, gives players without a team the side opposite a player they met.
void assignTeamToUnknownPlayers(PlayerTable& players);
// Marks names that are empty or made of spaces.
void fixPlayerNames(PlayerTable& players);
