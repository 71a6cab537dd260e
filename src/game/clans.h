// Builds the game label of the page file names from the teams' common clan tags.
#pragma once

#include <string_view>

struct Game;
class PlayerTable;

// 1 when the name of every player of `team` contains `text` (also when the team is empty).
int allMatched(const PlayerTable& players, int team, std::string_view text);

// Writes the game label ("FFA_PUB", or "TDM_"/"CTF_"/"CA_" + red tag + "_vs_" + blue tag)
// into `dest`, which holds 510 bytes.
void detectClans(const Game& game, char* dest);
