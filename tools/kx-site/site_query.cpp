// The site model read out of the archive: games for the index, a player's profile, the
// rankings and the unrated games.
#include "kx-site/site_query.h"

#include <algorithm>
#include <map>
#include <string>

#include "kx-site/identity.h"

namespace kxsite {
namespace {

constexpr int kRecentGames = 20;
constexpr int kTopOpponents = 10;

PlayerRef refOf(const std::string& key, const std::string& name) { return {key, name, playerPageName(key)}; }

GameSummary summaryOfRow(Statement& s) {
  GameSummary g;
  g.id = s.integer(0);
  g.processed = s.text(1);
  gameTypeOf(s.text(2), &g.type);
  g.map = s.text(3);
  g.mainPage = s.text(4);
  g.weaponPage = s.text(5);
  g.redScore = static_cast<int>(s.integer(6));
  g.blueScore = static_cast<int>(s.integer(7));
  return g;
}

void addPlayerRow(GameSummary& g, const std::string& team, const std::string& outcome, const PlayerRef& ref) {
  if (team == "red") {
    g.red.push_back(ref);
  } else if (team == "blue") {
    g.blue.push_back(ref);
  } else {
    g.others.push_back(ref);
  }
  if (g.type == GameType::kFreeForAll && outcome == "win") g.winners.push_back(ref);
}

// Free for all keeps the winner's score in redScore.
void fillFreeForAllScore(Archive& archive, GameSummary& g) {
  if (g.type != GameType::kFreeForAll) return;
  Statement& s = archive.sql("SELECT MAX(score) FROM game_players WHERE game = ?");
  s.bind(1, g.id);
  if (s.step()) g.redScore = static_cast<int>(s.integer(0));
  s.reset();
}

constexpr const char kGameColumns[] =
    "SELECT id, processed, game_type, map, main_page, IFNULL(weapon_page, ''), IFNULL(red_score, 0), "
    "IFNULL(blue_score, 0) FROM games";

}  // namespace

std::vector<GameSummary> allGames(Archive& archive) {
  std::vector<GameSummary> games;
  std::map<int64_t, size_t> at;
  static const std::string kAll = std::string(kGameColumns) + " ORDER BY id DESC";
  Statement& s = archive.sql(kAll.c_str());
  while (s.step()) {
    at[s.integer(0)] = games.size();
    games.push_back(summaryOfRow(s));
  }
  s.reset();
  Statement& p = archive.sql(
      "SELECT gp.game, gp.team, gp.outcome, p.key, p.name, gp.score FROM game_players gp "
      "JOIN players p ON p.id = gp.player ORDER BY gp.game, gp.slot");
  while (p.step()) {
    const auto it = at.find(p.integer(0));
    if (it == at.end()) continue;
    GameSummary& g = games[it->second];
    addPlayerRow(g, p.text(1), p.text(2), refOf(p.text(3), p.text(4)));
    if (g.type == GameType::kFreeForAll && p.text(2) == "win") g.redScore = static_cast<int>(p.integer(5));
  }
  p.reset();
  return games;
}

std::vector<GameSummary> gamesById(Archive& archive, const std::vector<int64_t>& ids) {
  std::vector<GameSummary> games;
  static const std::string kOne = std::string(kGameColumns) + " WHERE id = ?";
  for (int64_t id : ids) {
    Statement& s = archive.sql(kOne.c_str());
    s.bind(1, id);
    if (!s.step()) continue;
    GameSummary g = summaryOfRow(s);
    s.reset();
    Statement& p = archive.sql(
        "SELECT gp.team, gp.outcome, p.key, p.name FROM game_players gp JOIN players p ON p.id = gp.player "
        "WHERE gp.game = ? ORDER BY gp.slot");
    p.bind(1, id);
    while (p.step()) addPlayerRow(g, p.text(0), p.text(1), refOf(p.text(2), p.text(3)));
    p.reset();
    fillFreeForAllScore(archive, g);
    games.push_back(std::move(g));
  }
  return games;
}

std::vector<int64_t> allPlayers(Archive& archive) {
  std::vector<int64_t> out;
  Statement& s = archive.sql("SELECT id FROM players ORDER BY id");
  while (s.step()) out.push_back(s.integer(0));
  s.reset();
  return out;
}

bool playerProfile(Archive& archive, int64_t playerId, PlayerProfile* out) {
  PlayerProfile p;
  Statement& who = archive.sql("SELECT key, name FROM players WHERE id = ?");
  who.bind(1, playerId);
  if (!who.step()) return false;
  p.player = refOf(who.text(0), who.text(1));
  who.reset();

  // A name merged by the aliases can stand twice in one game: each game counts once.
  Statement& totals = archive.sql(
      "SELECT COUNT(*), IFNULL(SUM(o = 'win'), 0), IFNULL(SUM(o = 'loss'), 0), IFNULL(SUM(o = 'draw'), 0), "
      "IFNULL(SUM(k), 0), IFNULL(SUM(d), 0), IFNULL(SUM(s), 0), IFNULL(SUM(c), 0) FROM "
      "(SELECT game, MIN(outcome) AS o, SUM(kills) AS k, SUM(deaths) AS d, SUM(suicides) AS s, "
      "SUM(captures) AS c FROM game_players WHERE player = ? GROUP BY game)");
  totals.bind(1, playerId);
  if (totals.step()) {
    p.games = totals.integer(0);
    p.wins = totals.integer(1);
    p.losses = totals.integer(2);
    p.draws = totals.integer(3);
    p.kills = totals.integer(4);
    p.deaths = totals.integer(5);
    p.suicides = totals.integer(6);
    p.captures = totals.integer(7);
  }
  totals.reset();

  Statement& names = archive.sql("SELECT DISTINCT name FROM game_players WHERE player = ? ORDER BY name");
  names.bind(1, playerId);
  while (names.step()) {
    if (names.text(0) != p.player.name) p.otherNames.push_back(names.text(0));
  }
  names.reset();

  Statement& weapons = archive.sql(
      "SELECT w.weapon, SUM(w.kills), SUM(w.shots), SUM(w.hits) FROM game_players gp JOIN weapons w "
      "ON w.game = gp.game AND w.slot = gp.slot WHERE gp.player = ? GROUP BY w.weapon "
      "HAVING SUM(w.kills) + SUM(w.shots) + SUM(w.hits) > 0 ORDER BY 2 DESC, w.weapon");
  weapons.bind(1, playerId);
  while (weapons.step()) {
    p.weapons.push_back({weapons.text(0), weapons.integer(1), weapons.integer(2), weapons.integer(3)});
  }
  weapons.reset();
  if (!p.weapons.empty() && p.weapons.front().kills > 0) p.favouriteWeapon = p.weapons.front().weapon;

  Statement& maps = archive.sql(
      "SELECT g.map, COUNT(DISTINCT g.id) FROM game_players gp JOIN games g ON g.id = gp.game "
      "WHERE gp.player = ? AND g.map != '' GROUP BY g.map ORDER BY 2 DESC, g.map");
  maps.bind(1, playerId);
  while (maps.step()) p.maps.emplace_back(maps.text(0), maps.integer(1));
  maps.reset();

  Statement& awards = archive.sql(
      "SELECT a.award, COUNT(*) FROM game_players gp JOIN awards a ON a.game = gp.game AND a.slot = gp.slot "
      "WHERE gp.player = ? GROUP BY a.award ORDER BY 2 DESC, a.award");
  awards.bind(1, playerId);
  while (awards.step()) p.awards.emplace_back(awards.text(0), awards.integer(1));
  awards.reset();

  // Kills for and against, over every game, by opponent.
  std::map<int64_t, std::pair<int64_t, int64_t>> duels;
  std::map<int64_t, PlayerRef> refs;
  Statement& duel = archive.sql(
      "SELECT o.opponent, SUM(o.kills), SUM(o.deaths), p.key, p.name FROM game_players gp JOIN opponents o "
      "ON o.game = gp.game AND o.slot = gp.slot JOIN players p ON p.id = o.opponent "
      "WHERE gp.player = ?1 AND o.opponent != ?1 GROUP BY o.opponent");
  duel.bind(1, playerId);
  while (duel.step()) {
    duels[duel.integer(0)] = {duel.integer(1), duel.integer(2)};
    refs[duel.integer(0)] = refOf(duel.text(3), duel.text(4));
  }
  duel.reset();
  for (const auto& [id, kd] : duels) {
    if (kd.second > p.nemesisKills) {
      p.nemesisKills = kd.second;
      p.nemesis = refs[id];
    }
    if (kd.first > p.favouriteVictimKills) {
      p.favouriteVictimKills = kd.first;
      p.favouriteVictim = refs[id];
    }
  }

  Statement& met = archive.sql(
      "SELECT b.player, COUNT(DISTINCT a.game), p.key, p.name FROM game_players a JOIN game_players b "
      "ON b.game = a.game AND b.player != a.player AND (a.team = 'none' OR b.team != a.team) "
      "JOIN players p ON p.id = b.player WHERE a.player = ? GROUP BY b.player ORDER BY 2 DESC, p.key LIMIT ?");
  met.bind(1, playerId).bind(2, kTopOpponents);
  while (met.step()) {
    OpponentFigures o;
    o.opponent = refOf(met.text(2), met.text(3));
    o.games = met.integer(1);
    const auto it = duels.find(met.integer(0));
    if (it != duels.end()) {
      o.killsFor = it->second.first;
      o.killsAgainst = it->second.second;
    }
    p.opponents.push_back(std::move(o));
  }
  met.reset();

  std::vector<int64_t> recentIds;
  std::vector<PlayerGame> recent;
  Statement& last = archive.sql(
      "SELECT game, MIN(outcome), SUM(score), SUM(kills), SUM(deaths) FROM game_players WHERE player = ? "
      "GROUP BY game ORDER BY game DESC LIMIT ?");
  last.bind(1, playerId).bind(2, kRecentGames);
  while (last.step()) {
    PlayerGame g;
    const std::string o = last.text(1);
    g.outcome = o == "win" ? Outcome::kWin : o == "loss" ? Outcome::kLoss : Outcome::kDraw;
    g.score = last.integer(2);
    g.kills = last.integer(3);
    g.deaths = last.integer(4);
    recentIds.push_back(last.integer(0));
    recent.push_back(std::move(g));
  }
  last.reset();
  std::vector<GameSummary> summaries = gamesById(archive, recentIds);
  for (size_t i = 0; i < recent.size() && i < summaries.size(); ++i) recent[i].game = std::move(summaries[i]);
  p.recent = std::move(recent);

  Statement& rates = archive.sql(
      "SELECT game_type, rating, rd, volatility, games FROM ratings WHERE player = ? ORDER BY game_type");
  rates.bind(1, playerId);
  while (rates.step()) {
    Rating r;
    gameTypeOf(rates.text(0), &r.type);
    r.rating = rates.real(1);
    r.rd = rates.real(2);
    r.volatility = rates.real(3);
    r.games = rates.integer(4);
    p.ratings.push_back(std::move(r));
  }
  rates.reset();
  for (Rating& r : p.ratings) {
    Statement& h = archive.sql(
        "SELECT game, rating, rd FROM rating_history WHERE player = ? AND game_type = ? ORDER BY game");
    h.bind(1, playerId).bind(2, gameTypeCode(r.type));
    while (h.step()) r.history.push_back({h.integer(0), h.real(1), h.real(2)});
    h.reset();
  }
  // Types in the order of the enum, free for all first.
  std::sort(p.ratings.begin(), p.ratings.end(), [](const Rating& a, const Rating& b) { return a.type < b.type; });
  *out = std::move(p);
  return true;
}

std::vector<RankingRow> ranking(Archive& archive, GameType type) {
  std::vector<RankingRow> rows;
  Statement& s = archive.sql(
      "SELECT p.key, p.name, r.rating, r.rd, r.games FROM ratings r JOIN players p ON p.id = r.player "
      "WHERE r.game_type = ? ORDER BY r.rating DESC, p.key");
  s.bind(1, gameTypeCode(type));
  while (s.step()) rows.push_back({refOf(s.text(0), s.text(1)), s.real(2), s.real(3), s.integer(4)});
  s.reset();
  return rows;
}

std::vector<UnratedGame> unratedGames(Archive& archive) {
  std::vector<UnratedGame> out;
  std::vector<int64_t> ids;
  Statement& s = archive.sql("SELECT IFNULL(game, 0), reason, log, seen FROM unrated ORDER BY id DESC");
  while (s.step()) {
    UnratedGame u;
    u.game.id = s.integer(0);
    const std::string reason = s.text(1);
    for (UnratedReason r : {UnratedReason::kFewerThanTwoPlayers, UnratedReason::kOspWarmUp, UnratedReason::kNoKill}) {
      if (reason == unratedReasonCode(r)) u.reason = r;
    }
    u.where = s.text(2) + ", " + s.text(3);
    ids.push_back(u.game.id);
    out.push_back(std::move(u));
  }
  s.reset();
  for (UnratedGame& u : out) {
    if (u.game.id == 0) continue;
    std::vector<GameSummary> g = gamesById(archive, {u.game.id});
    if (!g.empty()) u.game = std::move(g.front());
  }
  return out;
}

}  // namespace kxsite
