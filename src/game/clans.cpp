// Builds the game label of the page file names from the teams' common clan tags.
#include "game/clans.h"

#include <cstring>

#include "game/player_table.h"
#include "base/fixed_string.h"
#include "game/game.h"
#include "base/strutil.h"

namespace {

constexpr std::size_t kShortestTag = 2;
constexpr int kTagsIgnoredAtPlayers = 3;

// The longest text that every player of `team` has in the name, taken from the first such
// player's name; the earliest one on a tie; empty when the team has no player.
std::string_view commonTag(const PlayerTable& players, int team) {
  const int n = players.getTotalPlayers();
  int first = -1;
  for (int s = 0; s < n; ++s) {
    if (players[s].team == team) {
      first = s;
      break;
    }
  }
  if (first < 0) return std::string_view();

  const std::string_view name = players[first].name.view();
  const int len = static_cast<int>(name.size());
  std::string_view tag;
  for (int start = 0; start < len; ++start) {
    // Once a text is missing from someone's name, so are the longer ones from this start;
    // every candidate still takes its scratch string, so the enumeration itself goes on.
    bool stillMatching = true;
    for (int end = start; end < len; ++end) {
      const std::string_view candidate = substring(name, start, end);
      if (!stillMatching || candidate.size() <= tag.size()) continue;
      if (allMatched(players, team, candidate) == 1) {
        tag = candidate;
      } else {
        stillMatching = false;
      }
    }
  }
  return tag;
}

}  // namespace

int allMatched(const PlayerTable& players, int team, std::string_view text) {
  const int n = players.getTotalPlayers();
  for (int s = 0; s < n; ++s) {
    if (players[s].team == team && !containsText(players[s].name.view(), text)) return 0;
  }
  return 1;
}

void detectClans(const Game& game, char* dest) {
  Text510 label;
  const char* prefix = nullptr;
  if (game.state.g_gametype == GT_TDM) {
    prefix = "TDM_";
  } else if (game.state.g_gametype == GT_CTF) {
    prefix = "CTF_";
  } else if (game.state.g_gametype == GT_CA) {
    prefix = "CA_";
  }
  if (prefix == nullptr) {
    label.assign("FFA_PUB");
  } else {
    std::string_view red = commonTag(game.players, TEAM_RED);
    std::string_view blue = commonTag(game.players, TEAM_BLUE);
    // With three players one team is a single player, whose whole name says nothing of a clan.
    const bool threePlayers = game.players.getTotalPlayers() == kTagsIgnoredAtPlayers;
    if (red.size() < kShortestTag || threePlayers) red = "RED";
    if (blue.size() < kShortestTag || threePlayers) blue = "BLUE";
    label.assign(prefix);
    label.append(red);  // append cuts at the buffer's width
    label.append("_vs_");
    label.append(blue);
  }
  std::memcpy(dest, label.c_str(), label.size() + 1);
}
