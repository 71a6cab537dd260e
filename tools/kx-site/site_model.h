// What the site's pages show, read out of the archive: the bridge between the archive (which
// fills it) and the page writers (which only read it). Nothing here touches the database.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kxsite {

// The four rated kinds of game, as the game record names them ("ffa", "tdm", "ctf", "ca").
enum class GameType { kFreeForAll, kTeamDeathmatch, kCaptureTheFlag, kClanArena };
constexpr int kGameTypeCount = 4;

// A player as the site knows him: `key` is his identity (the name without colour codes, in
// lower case, or the main name of his aliases line), `name` the name to show (his most recent
// name as logged, colour codes kept), `page` his page's file name below html/ ("player_....html").
struct PlayerRef {
  std::string key;
  std::string name;
  std::string page;
};

// One published game, as listed on the index and on player pages.
struct GameSummary {
  int64_t id = 0;               // the archive's number of the game, in publishing order
  std::string processed;        // "2026-12-06 12:22:20" (when it was processed, from its record)
  GameType type = GameType::kFreeForAll;
  std::string map;              // lower case; empty when the log never named it
  std::string mainPage;         // file name below html/
  std::string weaponPage;       // empty without a weapon page
  // Team games: the two team scores (rounds won in Clan Arena). Free for all: redScore holds
  // the winner's score and blueScore is unused.
  int redScore = 0, blueScore = 0;
  std::vector<PlayerRef> red, blue, others;  // others: free for all, or team unknown
  std::vector<PlayerRef> winners;            // free for all: the players with the highest score
};

struct WeaponFigures {
  std::string weapon;  // as on the weapon page ("Railgun")
  int64_t kills = 0, shots = 0, hits = 0;
};

struct OpponentFigures {
  PlayerRef opponent;
  int64_t games = 0;   // games both played in
  int64_t killsFor = 0, killsAgainst = 0;
};

struct RatingPoint {
  int64_t gameId = 0;
  double rating = 0, rd = 0;
};

struct Rating {
  GameType type = GameType::kFreeForAll;
  double rating = 1500, rd = 350, volatility = 0.06;
  int64_t games = 0;                  // rated games of this type
  std::vector<RatingPoint> history;   // after each rated game, oldest first
};

// Where a player's game ended for him: his team won, lost or drew; in free for all, a win is
// the highest score of the game (shared or not), a draw never happens, anything else a loss.
enum class Outcome { kWin, kLoss, kDraw };

struct PlayerGame {
  GameSummary game;
  Outcome outcome = Outcome::kDraw;
  int64_t score = 0, kills = 0, deaths = 0;
};

struct PlayerProfile {
  PlayerRef player;
  std::vector<std::string> otherNames;   // names as logged he also played under
  int64_t games = 0, wins = 0, losses = 0, draws = 0;
  int64_t kills = 0, deaths = 0, suicides = 0, captures = 0;
  std::vector<WeaponFigures> weapons;    // every weapon with a figure, by kills, most first
  std::string favouriteWeapon;           // most kills; empty without any kill
  std::vector<std::pair<std::string, int64_t>> maps;    // map and games there, most first
  std::vector<std::pair<std::string, int64_t>> awards;  // award title and times won, most first
  PlayerRef nemesis, favouriteVictim;    // key empty when there is none
  int64_t nemesisKills = 0, favouriteVictimKills = 0;
  std::vector<OpponentFigures> opponents;  // the 10 most frequent, most games first
  std::vector<PlayerGame> recent;          // the 20 most recent, newest first
  std::vector<Rating> ratings;             // game types he has rated games in
};

struct RankingRow {
  PlayerRef player;
  double rating = 0, rd = 0;
  int64_t games = 0;
};

// Players listed on a ranking page: at least this many rated games and a deviation of at most
// kRankedMaxRd.
constexpr int kRankedMinGames = 5;
constexpr double kRankedMaxRd = 150;

enum class UnratedReason { kFewerThanTwoPlayers, kOspWarmUp, kNoKill };

struct UnratedGame {
  GameSummary game;        // for an OSP warm-up, which has no page: mainPage empty, id 0
  UnratedReason reason = UnratedReason::kNoKill;
  std::string where;       // for an OSP warm-up: the log and when the update saw it
};

}  // namespace kxsite
