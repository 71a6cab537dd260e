// Rating one published game: who met whom with which result, and why a game is left unrated.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "kx-site/glicko2.h"
#include "kx-site/site_model.h"

namespace kxsite {

// The figures of one game that rating needs, with players already resolved to their keys.
struct RatingInput {
  GameType type = GameType::kFreeForAll;
  struct Side {
    std::string key;
    int team = 0;        // 0 free for all or unknown team, 1 red, 2 blue
    long long score = 0; // final score (free for all)
    long long kills = 0;
  };
  std::vector<Side> players;
  int redScore = 0, blueScore = 0;   // team games: captures, frags or rounds won (Clan Arena)
};

// Why the game cannot be rated, or nothing when it can: fewer than two players (after the
// aliases merge; in a team game, a team without a known player), or no kill at all.
std::optional<UnratedReason> unratedReason(const RatingInput& game);

// Rates one game as one rating period for each of its players against the opponents'
// ratings from before the game: free for all, every pair by final score (1, 0.5, 0); team
// games, each player against each player of the other team with his team's result. Players
// not in `ratings` start at the initial values; players not in the game are unchanged.
// Does nothing for a game unratedReason refuses.
// The same key twice in one game (two names of one aliases line) is one player, his score and
// kills added up, on the first team known for him. In a team game a player of no known team
// meets nobody and is left as he was.
void rateGame(const RatingInput& game, std::map<std::string, Glicko>* ratings);

// The keys rateGame gives a new rating to, each once, in the order of the game's players:
// none for a game unratedReason refuses.
std::vector<std::string> ratedPlayers(const RatingInput& game);

}  // namespace kxsite
