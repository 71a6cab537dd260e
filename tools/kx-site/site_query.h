// The site model read out of the archive: games for the index, a player's profile, the
// rankings and the unrated games.
#pragma once

#include <cstdint>
#include <vector>

#include "kx-site/archive.h"
#include "kx-site/site_model.h"

namespace kxsite {

// Every published game, newest first.
std::vector<GameSummary> allGames(Archive& archive);
// The games with these archive numbers, in the order given (numbers not archived are left out).
std::vector<GameSummary> gamesById(Archive& archive, const std::vector<int64_t>& ids);

// The profile of the player with this archive number; false when there is none.
bool playerProfile(Archive& archive, int64_t playerId, PlayerProfile* out);
// Every player's archive number.
std::vector<int64_t> allPlayers(Archive& archive);

// Every rating of that game type (the page keeps those that qualify).
std::vector<RankingRow> ranking(Archive& archive, GameType type);
// The games left unrated, newest first.
std::vector<UnratedGame> unratedGames(Archive& archive);

}  // namespace kxsite
