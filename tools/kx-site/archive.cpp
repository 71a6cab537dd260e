// The site's archive, DIR/kalimostats.db: every published game once, its players' figures,
// the logs read, the ratings and the games left unrated, in SQLite (tables in doc/archive.md).
#include "kx-site/archive.h"

#include <algorithm>
#include <set>

#include "kx-site/rated_game.h"

namespace kxsite {
namespace {

// Version 0 to 1: the first tables. A later version adds a step to this list; a step never
// drops what an earlier one made.
constexpr const char kSchemaV1[] = R"(
CREATE TABLE games(
  id INTEGER PRIMARY KEY,
  fingerprint TEXT NOT NULL UNIQUE,
  processed TEXT NOT NULL,
  game_type TEXT NOT NULL,
  map TEXT NOT NULL,
  main_page TEXT NOT NULL,
  weapon_page TEXT,
  log TEXT NOT NULL,
  first_byte INTEGER,
  last_byte INTEGER,
  red_score INTEGER,
  blue_score INTEGER,
  rated INTEGER NOT NULL);
CREATE TABLE players(
  id INTEGER PRIMARY KEY,
  key TEXT NOT NULL UNIQUE,
  name TEXT NOT NULL);
CREATE TABLE game_players(
  game INTEGER NOT NULL REFERENCES games(id),
  slot INTEGER NOT NULL,
  player INTEGER NOT NULL REFERENCES players(id),
  name TEXT NOT NULL,
  team TEXT NOT NULL,
  outcome TEXT NOT NULL,
  score INTEGER NOT NULL, kills INTEGER NOT NULL, deaths INTEGER NOT NULL,
  suicides INTEGER NOT NULL, team_kills INTEGER NOT NULL, captures INTEGER NOT NULL,
  skill REAL NOT NULL, combat REAL NOT NULL,
  PRIMARY KEY(game, slot)) WITHOUT ROWID;
CREATE INDEX game_players_by_player ON game_players(player, game);
CREATE TABLE weapons(
  game INTEGER NOT NULL, slot INTEGER NOT NULL, weapon TEXT NOT NULL,
  kills INTEGER NOT NULL, deaths INTEGER NOT NULL, shots INTEGER NOT NULL, hits INTEGER NOT NULL,
  PRIMARY KEY(game, slot, weapon)) WITHOUT ROWID;
CREATE TABLE opponents(
  game INTEGER NOT NULL, slot INTEGER NOT NULL, opponent INTEGER NOT NULL REFERENCES players(id),
  kills INTEGER NOT NULL, deaths INTEGER NOT NULL,
  PRIMARY KEY(game, slot, opponent)) WITHOUT ROWID;
CREATE TABLE awards(
  game INTEGER NOT NULL, slot INTEGER NOT NULL, award TEXT NOT NULL);
CREATE INDEX awards_by_game ON awards(game, slot);
CREATE TABLE logs(
  path TEXT PRIMARY KEY,
  head_size INTEGER NOT NULL,
  head_hash TEXT NOT NULL,
  next_offset INTEGER,
  last_fingerprint TEXT NOT NULL,
  origin TEXT NOT NULL);
CREATE TABLE unrated(
  id INTEGER PRIMARY KEY,
  game INTEGER REFERENCES games(id),
  reason TEXT NOT NULL,
  log TEXT NOT NULL,
  seen TEXT NOT NULL,
  warm_up TEXT UNIQUE);
CREATE TABLE ratings(
  player INTEGER NOT NULL REFERENCES players(id),
  game_type TEXT NOT NULL,
  rating REAL NOT NULL, rd REAL NOT NULL, volatility REAL NOT NULL,
  games INTEGER NOT NULL,
  PRIMARY KEY(player, game_type)) WITHOUT ROWID;
CREATE TABLE rating_history(
  player INTEGER NOT NULL, game_type TEXT NOT NULL, game INTEGER NOT NULL,
  rating REAL NOT NULL, rd REAL NOT NULL, volatility REAL NOT NULL,
  PRIMARY KEY(player, game_type, game)) WITHOUT ROWID;
CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE pending(final TEXT PRIMARY KEY, staged TEXT NOT NULL, sql TEXT NOT NULL, seq INTEGER NOT NULL);
CREATE TABLE stale_pages(page TEXT PRIMARY KEY);
)";

const char* const kMigrations[] = {kSchemaV1};
static_assert(sizeof kMigrations / sizeof kMigrations[0] == kArchiveVersion, "one step per version");

const char* const kReasonCodes[] = {"fewer_than_two_players", "osp_warm_up", "no_kill"};

const char* teamCode(int team) { return team == 1 ? "red" : team == 2 ? "blue" : "none"; }

// Where the game ended for each player (see Outcome in site_model.h).
std::vector<const char*> outcomes(const GameRecord& r) {
  std::vector<const char*> out;
  int64_t best = 0;
  bool any = false;
  for (const RecordPlayer& p : r.players) {
    if (!any || p.score > best) best = p.score;
    any = true;
  }
  for (const RecordPlayer& p : r.players) {
    if (!r.teamGame) {
      out.push_back(p.score == best ? "win" : "loss");
    } else if (p.team == 0 || r.redScore == r.blueScore) {
      out.push_back("draw");
    } else {
      out.push_back((p.team == 1) == (r.redScore > r.blueScore) ? "win" : "loss");
    }
  }
  return out;
}

}  // namespace

const char* unratedReasonCode(UnratedReason reason) { return kReasonCodes[static_cast<int>(reason)]; }

bool Archive::open(const std::string& path, std::string* err) {
  statements_.clear();
  if (!db_.open(path, err)) return false;
  if (!db_.exec("PRAGMA foreign_keys = OFF", err)) return false;
  return migrate(err);
}

bool Archive::migrate(std::string* err) {
  const int version = db_.userVersion();
  if (version < 0) {
    *err = "not a SQLite database, or one that cannot be read";
    return false;
  }
  if (version > kArchiveVersion) {
    *err = "archive of version " + std::to_string(version) + ", newer than this kx-site knows (" +
           std::to_string(kArchiveVersion) + ")";
    return false;
  }
  for (int v = version; v < kArchiveVersion; ++v) {
    const std::string step = std::string("BEGIN IMMEDIATE;") + kMigrations[v] +
                             "PRAGMA user_version = " + std::to_string(v + 1) + ";COMMIT;";
    if (!db_.exec(step, err)) {
      std::string ignored;
      db_.exec("ROLLBACK", &ignored);
      *err = "cannot bring the archive to version " + std::to_string(v + 1) + ": " + *err;
      return false;
    }
  }
  return true;
}

void Archive::rollback() {
  std::string ignored;
  db_.exec("ROLLBACK", &ignored);
}

Statement& Archive::sql(const char* text) {
  auto it = statements_.find(text);
  if (it == statements_.end()) {
    it = statements_.emplace(text, std::make_unique<Statement>(db_.handle(), text)).first;
  }
  it->second->reset();
  return *it->second;
}

int64_t Archive::gameWithFingerprint(const std::string& fingerprint) {
  Statement& s = sql("SELECT id FROM games WHERE fingerprint = ?");
  s.bind(1, fingerprint);
  const int64_t id = s.step() ? s.integer(0) : 0;
  s.reset();
  return id;
}

int64_t Archive::playerId(const std::string& key, const std::string& name, std::string* err) {
  Statement& find = sql("SELECT id, name FROM players WHERE key = ?");
  find.bind(1, key);
  if (find.step()) {
    const int64_t id = find.integer(0);
    const bool renamed = find.text(1) != name;
    find.reset();
    if (renamed) {
      // His name shows on the pages of everyone he met: they are stale too.
      Statement& upd = sql("UPDATE players SET name = ? WHERE id = ?");
      Statement& met = sql(
          "INSERT OR IGNORE INTO stale_pages(page) SELECT DISTINCT 'player ' || b.player FROM game_players a "
          "JOIN game_players b ON b.game = a.game WHERE a.player = ?");
      if (!upd.bind(1, name).bind(2, id).run() || !met.bind(1, id).run()) {
        *err = upd.error().empty() ? met.error() : upd.error();
        return 0;
      }
      for (int t = 0; t < kGameTypeCount; ++t) {
        if (!markStale(std::string("ranking ") + gameTypeCode(static_cast<GameType>(t)), err)) return 0;
      }
    }
    return id;
  }
  Statement& add = sql("INSERT INTO players(key, name) VALUES(?, ?)");
  if (!add.bind(1, key).bind(2, name).run()) {
    *err = add.error();
    return 0;
  }
  return db_.lastInsertId();
}

bool Archive::addGame(const GameRecord& r, const std::string& logPath, const Aliases& aliases, int64_t* id,
                      std::string* err) {
  Statement& game = sql(
      "INSERT INTO games(fingerprint, processed, game_type, map, main_page, weapon_page, log, first_byte, "
      "last_byte, red_score, blue_score, rated) VALUES(?,?,?,?,?,?,?,?,?,?,?,0)");
  std::string processed = r.processed;
  std::replace(processed.begin(), processed.end(), 'T', ' ');
  game.bind(1, r.fingerprint).bind(2, processed).bind(3, gameTypeCode(r.type)).bind(4, r.map).bind(5, r.mainPage);
  if (r.weaponPage.empty()) {
    game.bindNull(6);
  } else {
    game.bind(6, r.weaponPage);
  }
  game.bind(7, logPath).bind(8, r.firstByte).bind(9, r.lastByte);
  if (r.teamGame) {
    game.bind(10, r.redScore).bind(11, r.blueScore);
  } else {
    game.bindNull(10).bindNull(11);
  }
  if (!game.run()) {
    *err = game.error();
    return false;
  }
  *id = db_.lastInsertId();

  std::vector<std::string> keys;
  std::vector<int64_t> ids;
  for (const RecordPlayer& p : r.players) {
    keys.push_back(aliases.resolve(playerKey(p.name)));
    const int64_t pid = playerId(keys.back(), p.name, err);
    if (pid == 0) return false;
    ids.push_back(pid);
  }
  const std::vector<const char*> outcome = outcomes(r);
  Statement& gp = sql(
      "INSERT INTO game_players(game, slot, player, name, team, outcome, score, kills, deaths, suicides, "
      "team_kills, captures, skill, combat) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
  Statement& wp = sql(
      "INSERT INTO weapons(game, slot, weapon, kills, deaths, shots, hits) VALUES(?,?,?,?,?,?,?) "
      "ON CONFLICT(game, slot, weapon) DO UPDATE SET kills = kills + excluded.kills, "
      "deaths = deaths + excluded.deaths, shots = shots + excluded.shots, hits = hits + excluded.hits");
  Statement& op = sql(
      "INSERT INTO opponents(game, slot, opponent, kills, deaths) VALUES(?,?,?,?,?) "
      "ON CONFLICT(game, slot, opponent) DO UPDATE SET kills = kills + excluded.kills, "
      "deaths = deaths + excluded.deaths");
  Statement& aw = sql("INSERT INTO awards(game, slot, award) VALUES(?,?,?)");
  Statement& stale = sql("INSERT OR IGNORE INTO stale_pages(page) VALUES(?)");
  for (size_t i = 0; i < r.players.size(); ++i) {
    const RecordPlayer& p = r.players[i];
    const int slot = static_cast<int>(i);
    gp.bind(1, *id).bind(2, slot).bind(3, ids[i]).bind(4, p.name).bind(5, teamCode(p.team)).bind(6, outcome[i]);
    gp.bind(7, p.score).bind(8, p.kills).bind(9, p.deaths).bind(10, p.suicides).bind(11, p.teamKills);
    gp.bind(12, p.captures).bind(13, p.skill).bind(14, p.combat);
    bool ok = gp.run() && stale.bind(1, "player " + std::to_string(ids[i])).run();
    for (const RecordWeapon& w : p.weapons) {
      ok = ok && wp.bind(1, *id).bind(2, slot).bind(3, w.weapon).bind(4, w.kills).bind(5, w.deaths)
                     .bind(6, w.shots).bind(7, w.hits).run();
    }
    for (const RecordOpponent& o : p.opponents) {
      const int64_t oid = playerId(aliases.resolve(playerKey(o.name)), o.name, err);
      if (oid == 0) return false;
      ok = ok && op.bind(1, *id).bind(2, slot).bind(3, oid).bind(4, o.kills).bind(5, o.deaths).run();
    }
    for (const std::string& a : p.awards) ok = ok && aw.bind(1, *id).bind(2, slot).bind(3, a).run();
    if (!ok) {
      *err = "cannot archive the game: " + std::string(sqlite3_errmsg(db_.handle()));
      return false;
    }
  }
  return markStale("index", err) && rate(*id, r, ids, keys, logPath, processed, err);
}

bool Archive::rate(int64_t gameId, const GameRecord& r, const std::vector<int64_t>& ids,
                   const std::vector<std::string>& keys, const std::string& logPath, const std::string& seen,
                   std::string* err) {
  RatingInput input;
  input.type = r.type;
  input.redScore = r.redScore;
  input.blueScore = r.blueScore;
  for (size_t i = 0; i < r.players.size(); ++i) {
    input.players.push_back({keys[i], r.players[i].team, r.players[i].score, r.players[i].kills});
  }
  if (const std::optional<UnratedReason> reason = unratedReason(input)) {
    Statement& s = sql("INSERT INTO unrated(game, reason, log, seen) VALUES(?, ?, ?, ?)");
    if (!s.bind(1, gameId).bind(2, unratedReasonCode(*reason)).bind(3, logPath).bind(4, seen).run()) {
      *err = s.error();
      return false;
    }
    return markStale("unrated", err);
  }
  const char* type = gameTypeCode(r.type);
  std::map<std::string, int64_t> idOf;
  for (size_t i = 0; i < keys.size(); ++i) idOf.emplace(keys[i], ids[i]);
  std::map<std::string, Glicko> ratings;
  Statement& get = sql("SELECT rating, rd, volatility FROM ratings WHERE player = ? AND game_type = ?");
  for (const auto& [key, pid] : idOf) {
    get.bind(1, pid).bind(2, type);
    if (get.step()) ratings[key] = Glicko{get.real(0), get.real(1), get.real(2)};
    get.reset();
  }
  rateGame(input, &ratings);
  Statement& put = sql(
      "INSERT INTO ratings(player, game_type, rating, rd, volatility, games) VALUES(?,?,?,?,?,1) "
      "ON CONFLICT(player, game_type) DO UPDATE SET rating = excluded.rating, rd = excluded.rd, "
      "volatility = excluded.volatility, games = games + 1");
  Statement& hist = sql(
      "INSERT INTO rating_history(player, game_type, game, rating, rd, volatility) VALUES(?,?,?,?,?,?)");
  for (const auto& [key, pid] : idOf) {
    const auto it = ratings.find(key);
    if (it == ratings.end()) continue;
    const Glicko& g = it->second;
    if (!put.bind(1, pid).bind(2, type).bind(3, g.rating).bind(4, g.rd).bind(5, g.volatility).run() ||
        !hist.bind(1, pid).bind(2, type).bind(3, gameId).bind(4, g.rating).bind(5, g.rd).bind(6, g.volatility).run()) {
      *err = "cannot store a rating: " + std::string(sqlite3_errmsg(db_.handle()));
      return false;
    }
  }
  Statement& rated = sql("UPDATE games SET rated = 1 WHERE id = ?");
  if (!rated.bind(1, gameId).run()) {
    *err = rated.error();
    return false;
  }
  return markStale(std::string("ranking ") + type, err);
}

bool Archive::addWarmUp(const std::string& key, const std::string& log, const std::string& seen, std::string* err) {
  Statement& s = sql("INSERT OR IGNORE INTO unrated(game, reason, log, seen, warm_up) VALUES(NULL, ?, ?, ?, ?)");
  if (!s.bind(1, unratedReasonCode(UnratedReason::kOspWarmUp)).bind(2, log).bind(3, seen).bind(4, key).run()) {
    *err = s.error();
    return false;
  }
  return sqlite3_changes(db_.handle()) == 0 || markStale("unrated", err);
}

std::optional<LogState> Archive::logState(const std::string& path) {
  Statement& s = sql("SELECT head_size, head_hash, next_offset, last_fingerprint, origin FROM logs WHERE path = ?");
  s.bind(1, path);
  if (!s.step()) return std::nullopt;
  LogState st;
  st.path = path;
  st.headSize = s.integer(0);
  st.headHash = s.text(1);
  if (!s.isNull(2)) st.nextOffset = s.integer(2);
  st.lastFingerprint = s.text(3);
  st.origin = s.text(4);
  s.reset();
  return st;
}

bool Archive::saveLogState(const LogState& st, std::string* err) {
  Statement& s = sql(
      "INSERT OR REPLACE INTO logs(path, head_size, head_hash, next_offset, last_fingerprint, origin) "
      "VALUES(?,?,?,?,?,?)");
  if (!s.bind(1, st.path).bind(2, st.headSize).bind(3, st.headHash).bind(4, st.nextOffset).bind(5, st.lastFingerprint)
           .bind(6, st.origin).run()) {
    *err = s.error();
    return false;
  }
  return true;
}

std::string Archive::setting(const std::string& key) {
  Statement& s = sql("SELECT value FROM settings WHERE key = ?");
  s.bind(1, key);
  std::string v = s.step() ? s.text(0) : std::string();
  s.reset();
  return v;
}

bool Archive::saveSetting(const std::string& key, const std::string& value, std::string* err) {
  Statement& s = sql("INSERT OR REPLACE INTO settings(key, value) VALUES(?, ?)");
  if (!s.bind(1, key).bind(2, value).run()) {
    *err = s.error();
    return false;
  }
  return true;
}

bool Archive::addPending(const PendingFile& f, std::string* err) {
  Statement& s = sql("INSERT OR REPLACE INTO pending(final, staged, sql, seq) "
                     "VALUES(?, ?, ?, (SELECT COUNT(*) FROM pending))");
  if (!s.bind(1, f.final).bind(2, f.staged).bind(3, f.sql).run()) {
    *err = s.error();
    return false;
  }
  return true;
}

std::vector<PendingFile> Archive::pending() {
  std::vector<PendingFile> out;
  Statement& s = sql("SELECT staged, final, sql FROM pending ORDER BY seq");
  while (s.step()) out.push_back({s.text(0), s.text(1), s.text(2)});
  s.reset();
  return out;
}

bool Archive::clearPending(std::string* err) { return db_.exec("DELETE FROM pending", err); }

bool Archive::markStale(const std::string& page, std::string* err) {
  Statement& s = sql("INSERT OR IGNORE INTO stale_pages(page) VALUES(?)");
  if (!s.bind(1, page).run()) {
    *err = s.error();
    return false;
  }
  return true;
}

std::vector<std::string> Archive::stalePages() {
  std::vector<std::string> out;
  Statement& s = sql("SELECT page FROM stale_pages ORDER BY page");
  while (s.step()) out.push_back(s.text(0));
  s.reset();
  return out;
}

bool Archive::clearStale(std::string* err) { return db_.exec("DELETE FROM stale_pages", err); }

}  // namespace kxsite
