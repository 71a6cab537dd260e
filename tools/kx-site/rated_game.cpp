// Rating one game: the pairings and results of each player, then one Glicko-2 period each.
#include "kx-site/rated_game.h"

namespace kxsite {

namespace {

using Side = RatingInput::Side;

bool isTeamGame(GameType type) { return type != GameType::kFreeForAll; }

// One entry per player: the same person twice in a game (two of his aliases, or a name logged
// twice) is one player with his frags and score added up, on the first team he was seen in.
std::vector<Side> mergedPlayers(const RatingInput& game) {
  std::vector<Side> merged;
  for (const Side& p : game.players) {
    Side* same = nullptr;
    for (Side& m : merged) {
      if (m.key == p.key) same = &m;
    }
    if (same == nullptr) {
      merged.push_back(p);
      continue;
    }
    same->score += p.score;
    same->kills += p.kills;
    if (same->team == 0) same->team = p.team;
  }
  return merged;
}

// The score of a result as the period counts it: 1 won, 0.5 drawn, 0 lost.
double resultScore(long long mine, long long theirs) {
  if (mine > theirs) return 1.0;
  if (mine < theirs) return 0.0;
  return 0.5;
}

// The other team of a team game; 0 for a player of no known team, who meets nobody.
int otherTeam(int team) {
  if (team == 1) return 2;
  if (team == 2) return 1;
  return 0;
}

long long teamScore(const RatingInput& game, int team) { return team == 1 ? game.redScore : game.blueScore; }

}  // namespace

std::optional<UnratedReason> unratedReason(const RatingInput& game) {
  const std::vector<Side> players = mergedPlayers(game);
  if (isTeamGame(game.type)) {
    bool red = false, blue = false;
    for (const Side& p : players) {
      red = red || p.team == 1;
      blue = blue || p.team == 2;
    }
    if (!red || !blue) return UnratedReason::kFewerThanTwoPlayers;
  } else if (players.size() < 2) {
    return UnratedReason::kFewerThanTwoPlayers;
  }
  long long kills = 0;
  for (const Side& p : players) kills += p.kills > 0 ? p.kills : 0;
  if (kills == 0) return UnratedReason::kNoKill;
  return std::nullopt;
}

std::vector<std::string> ratedPlayers(const RatingInput& game) {
  std::vector<std::string> keys;
  if (unratedReason(game)) return keys;
  for (const Side& p : mergedPlayers(game)) {
    if (!isTeamGame(game.type) || otherTeam(p.team) != 0) keys.push_back(p.key);
  }
  return keys;
}

void rateGame(const RatingInput& game, std::map<std::string, Glicko>* ratings) {
  if (unratedReason(game)) return;
  const std::vector<Side> players = mergedPlayers(game);
  const bool team = isTeamGame(game.type);

  // Every period is computed against the ratings from before the game, so all are taken
  // first and stored only at the end.
  std::vector<Glicko> before;
  for (const Side& p : players) {
    const auto it = ratings->find(p.key);
    before.push_back(it == ratings->end() ? Glicko() : it->second);
  }

  std::vector<std::pair<std::string, Glicko>> after;
  for (std::size_t i = 0; i < players.size(); ++i) {
    const Side& me = players[i];
    if (team && otherTeam(me.team) == 0) continue;
    std::vector<GlickoResult> results;
    for (std::size_t j = 0; j < players.size(); ++j) {
      const Side& them = players[j];
      double score;
      if (team) {
        if (them.team != otherTeam(me.team)) continue;
        score = resultScore(teamScore(game, me.team), teamScore(game, them.team));
      } else {
        if (j == i) continue;
        score = resultScore(me.score, them.score);
      }
      results.push_back(GlickoResult{before[j].rating, before[j].rd, score});
    }
    after.emplace_back(me.key, ratePeriod(before[i], results));
  }
  for (auto& [key, glicko] : after) (*ratings)[key] = glicko;
}

}  // namespace kxsite
