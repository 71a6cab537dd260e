// kx-site's two commands over a site directory: update (publish the new games of some logs)
// and rebuild (everything again from the archived game records).
#include "kx-site/site_update.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "kx-site/archive.h"
#include "kx-site/log_source.h"
#include "kx-site/site_dir.h"
#include "kx-site/site_writer.h"
#include "kx-site/staging.h"
#include "run/run_stamp.h"

namespace fs = std::filesystem;

namespace kxsite {
namespace {

constexpr const char kArchiveName[] = "kalimostats.db";
constexpr const char kSqlName[] = "db_sql_gamestats.txt";
constexpr const char kAliasesHashKey[] = "aliases_hash";
// Names the moment at which a test wants the update killed ("after-commit", "after-renames").
constexpr const char kTestKillVariable[] = "KX_SITE_TEST_KILL";

void testKill(const char* moment) {
  const char* want = std::getenv(kTestKillVariable);
  if (want != nullptr && std::strcmp(want, moment) == 0) ::kill(::getpid(), SIGKILL);
}

void complain(const std::string& what) { std::fprintf(stderr, "kx-site: %s\n", what.c_str()); }

std::string readFile(const std::string& path, bool* ok) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  *ok = static_cast<bool>(in) || in.eof();
  return s.str();
}

std::string nowText() {
  const std::time_t t = std::time(nullptr);
  std::tm tm {};
  localtime_r(&t, &tm);
  char out[32];
  std::strftime(out, sizeof out, "%Y-%m-%d %H:%M:%S", &tm);
  return out;
}

// A staged game: its record and the SQL lines of its main page.
struct StagedGame {
  GameRecord record;
  std::string recordFile;  // below the staging html/
  std::string sql;
};

// One log as this update read it.
struct LogBatch {
  std::string given;       // as on the command line
  std::string path;        // absolute, the logs table's key
  LogHead head;
  std::optional<LogState> known;
  std::optional<int64_t> tailFrom;
  std::vector<StagedGame> games;
  std::vector<WarmUpSeen> warmUps;
  std::string origin;      // names the log's start for its warm-ups before any game
  int heldBack = 0;         // games that end where the log ends, inside a report that may go on
};

// The SQL lines of each main page in the staging db_sql_gamestats.txt: a page's UPDATE line
// names it, and the line before it belongs to it.
std::map<std::string, std::string> sqlLinesByPage(const std::string& path) {
  std::map<std::string, std::string> out;
  std::ifstream in(path, std::ios::binary);
  std::string line, previous;
  while (std::getline(in, line)) {
    const size_t at = line.find("SET html='");
    if (at != std::string::npos) {
      const size_t from = at + 10;
      const size_t end = line.find('\'', from);
      if (end != std::string::npos) out[line.substr(from, end - from)] = previous + "\n" + line + "\n";
    }
    previous = line;
  }
  return out;
}

// A string as the game records write it: printable ASCII as is, '"' and '\\' escaped, every
// other byte as \u00XX.
std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char u[8];
      std::snprintf(u, sizeof u, "\\u%04x", c);
      out += u;
    }
  }
  return out + "\"";
}

std::string optionalNumber(const std::optional<int64_t>& v) { return v ? std::to_string(*v) : "null"; }

// Rewrites the record's "log" object (the writer's own compact form) with the log's name and
// the game's place in it, through a temporary file.
bool restateLog(const std::string& path, const std::string& text, const std::string& logName, const GameRecord& r,
                std::string* err) {
  const size_t from = text.find("\"log\":{");
  const size_t to = from == std::string::npos ? from : text.find('}', text.find("\"fingerprint\":", from));
  if (from == std::string::npos || to == std::string::npos) {
    *err = path + ": a game record without its log";
    return false;
  }
  const std::string log = "\"log\":{\"name\":" + jsonString(logName) + ",\"kind\":" + jsonString(r.logKind) +
                          ",\"first_byte\":" + optionalNumber(r.firstByte) + ",\"last_byte\":" +
                          optionalNumber(r.lastByte) + ",\"fingerprint\":" + jsonString(r.fingerprint) + "}";
  const std::string dir = fs::path(path).parent_path().string();
  return writeFileAtomically(dir, fs::path(path).filename().string(), text.substr(0, from) + log + text.substr(to + 1),
                             err);
}

class Site {
 public:
  explicit Site(const std::string& dir) : dir_(dir), html_(dir + "/html") {}

  bool open(std::string* err) {
    std::error_code ec;
    fs::create_directories(html_, ec);
    if (ec) {
      *err = "cannot make " + html_ + ": " + ec.message();
      return false;
    }
    if (!lock_.take(dir_, err)) return false;
    return openArchive(err);
  }

  bool openArchive(std::string* err) {
    if (archive_.open(dir_ + "/" + kArchiveName, err)) return true;
    *err = dir_ + "/" + kArchiveName + ": " + *err;
    return false;
  }

  // Moves the files of committed games into html/ and appends their SQL lines, as far as a
  // killed update left them undone (`repairing`) or as this update just committed them.
  bool finishPending(bool repairing, std::string* err) {
    const std::vector<PendingFile> files = archive_.pending();
    if (files.empty()) return true;
    bool ok = true;
    std::string sqlText;
    if (repairing) sqlText = readFile(dir_ + "/" + kSqlName, &ok);
    std::ofstream sql;
    for (const PendingFile& f : files) {
      const std::string staged = dir_ + "/" + f.staged;
      const std::string final = html_ + "/" + f.final;
      std::error_code ec;
      if (!fs::exists(final, ec)) {
        if (fs::exists(staged, ec)) {
          fs::rename(staged, final, ec);
          if (ec) {
            *err = "cannot move " + staged + " into " + html_ + ": " + ec.message();
            return false;
          }
        } else {
          complain("the file " + f.final + " of an archived game is missing from " + html_ + " and cannot be restored");
        }
      }
      if (f.sql.empty()) continue;
      // A repair appends only the lines the killed update had not appended yet.
      if (repairing && sqlText.find("'" + f.final.substr(0, f.final.size() - 9) + "main.html'") != std::string::npos) {
        continue;
      }
      if (!sql.is_open()) sql.open(dir_ + "/" + kSqlName, std::ios::binary | std::ios::app);
      sql << f.sql;
      sql.flush();
      if (!sql) {
        *err = dir_ + "/" + kSqlName + ": cannot be written";
        return false;
      }
    }
    return archive_.clearPending(err);
  }

  bool writePages(int* written, std::string* err) { return writeStalePages(archive_, html_, written, err); }

  // Reads the aliases file; with `rebuildWhenChanged`, a changed file rebuilds the archive.
  bool loadAliases(bool rebuildWhenChanged, bool* rebuilt, std::string* err) {
    std::string text;
    if (!readAliasesFile(dir_, &text, &aliasesHash_, err)) return false;
    if (!aliases_.parse(text, err)) {
      *err = dir_ + "/aliases: " + *err;
      return false;
    }
    *rebuilt = false;
    if (!rebuildWhenChanged || archive_.setting(kAliasesHashKey) == aliasesHash_) return true;
    if (gameCount() == 0) {
      return archive_.saveSetting(kAliasesHashKey, aliasesHash_, err);
    }
    std::printf("%s/aliases changed: everything is worked out again\n", dir_.c_str());
    *rebuilt = true;
    return rebuildArchive(err);
  }

  int64_t gameCount() {
    Statement& s = archive_.sql("SELECT COUNT(*) FROM games");
    const int64_t n = s.step() ? s.integer(0) : 0;
    s.reset();
    return n;
  }

  // A fresh archive from the records in html/, in the order the old archive published
  // them (records it does not know after them, by time processed and game id); the logs
  // read and the OSP warm-ups seen are kept. Replaces the old archive in one rename.
  bool rebuildArchive(std::string* err);

  bool publish(const std::vector<std::string>& logs, const std::string& kit, int* published, int* skipped,
               std::string* err);

  std::string dir_, html_;
  SiteLock lock_;
  Archive archive_;
  Aliases aliases_;
  std::string aliasesHash_;

 private:
  bool readLog(Staging& staging, const std::string& program, const std::string& given, LogBatch* batch,
               std::string* err);
  bool archiveBatch(const LogBatch& batch, const Staging& staging, const std::string& seen, int* published,
                    int* skipped, std::string* err);
};

bool Site::readLog(Staging& staging, const std::string& program, const std::string& given, LogBatch* batch,
                   std::string* err) {
  batch->given = given;
  std::error_code ec;
  batch->path = fs::absolute(given, ec).lexically_normal().string();
  if (!readHead(batch->path, &batch->head, err)) return false;
  batch->known = archive_.logState(batch->path);
  if (batch->known) batch->tailFrom = tailStart(batch->path, *batch->known);
  // The same log, grown: its warm-ups before its first game keep the names they were given.
  batch->origin = batch->head.hash;
  LogHead before;
  std::string ignored;
  if (batch->known && !batch->known->origin.empty() &&
      readHead(batch->path, &before, &ignored, batch->known->headSize) && before.hash == batch->known->headHash) {
    batch->origin = batch->known->origin;
  }
  std::string readPath = batch->path;
  if (batch->tailFrom) {
    readPath = staging.dir() + "/tail-" + std::to_string(::getpid()) + "-" + fs::path(given).filename().string();
    if (!writeTail(batch->path, *batch->tailFrom, readPath, err)) return false;
  }
  // Page names carry the run's second: wait for one no page in html/ has yet.
  while (stampTaken(html_.c_str(), std::time(nullptr))) ::usleep(100000);
  ProgramRun run;
  if (!staging.run(program, readPath, &run, err)) return false;
  const std::map<std::string, std::string> sql = sqlLinesByPage(staging.dir() + "/" + kSqlName);
  for (const std::string& name : run.records) {
    bool ok = true;
    const std::string text = readFile(staging.dir() + "/html/" + name, &ok);
    StagedGame g;
    if (!ok || !parseGameRecord(text, &g.record, err)) {
      *err = staging.dir() + "/html/" + name + ": " + *err;
      return false;
    }
    if (batch->tailFrom) {
      if (g.record.firstByte) *g.record.firstByte += *batch->tailFrom;
      if (g.record.lastByte) *g.record.lastByte += *batch->tailFrom;
    }
    // The record names the log as the update was given it, and places the game in it, not in
    // the staged copy of its end.
    if (!restateLog(staging.dir() + "/html/" + name, text, given, g.record, err)) return false;
    g.recordFile = name;
    const auto it = sql.find(g.record.mainPage);
    if (it != sql.end()) g.sql = it->second;
    batch->games.push_back(std::move(g));
  }
  batch->warmUps = run.warmUps;
  // Under the OSP client a game's end is followed by its report; a log that ends there may
  // only not have the rest of the report yet, and kalimostats-c ends the game with what there
  // is. Such a game waits for an update that sees a line after it.
  if (!batch->games.empty() && !isGzip(batch->path)) {
    const GameRecord& last = batch->games.back().record;
    const int64_t size = fileSize(readPath) + batch->tailFrom.value_or(0);
    if (last.lastByte && *last.lastByte + 1 >= size && ospAnnouncedBefore(batch->path, *last.lastByte + 1)) {
      batch->heldBack = 1;
      batch->games.pop_back();
    }
  }
  return true;
}

bool Site::archiveBatch(const LogBatch& batch, const Staging& staging, const std::string& seen, int* published,
                        int* skipped, std::string* err) {
  const std::string stagedHtml = fs::path(staging.dir()).filename().string() + "/html/";
  for (const StagedGame& g : batch.games) {
    std::error_code ec;
    for (const std::string* name : {&g.record.mainPage, &g.record.weaponPage, &g.recordFile}) {
      if (!name->empty() && fs::exists(html_ + "/" + *name, ec) && archive_.gameWithFingerprint(g.record.fingerprint) == 0) {
        *err = batch.given + ": the page name " + *name + " is taken in " + html_ + "; try again";
        return false;
      }
    }
  }
  std::map<int64_t, std::string> fingerprintOfRun;
  for (const StagedGame& g : batch.games) {
    fingerprintOfRun[g.record.gameId] = g.record.fingerprint;
    if (archive_.gameWithFingerprint(g.record.fingerprint) != 0) {
      ++*skipped;
      continue;
    }
    int64_t id = 0;
    if (!archive_.addGame(g.record, batch.given, aliases_, &id, err)) return false;
    ++*published;
    // Pages first, the record last and the SQL lines with it: a record in html/ says its
    // game's pages are there.
    for (const std::string* name : {&g.record.mainPage, &g.record.weaponPage}) {
      if (!name->empty() && !archive_.addPending({stagedHtml + *name, *name, ""}, err)) return false;
    }
    if (!archive_.addPending({stagedHtml + g.recordFile, g.recordFile, g.sql}, err)) {
      return false;
    }
  }
  const std::string start = batch.tailFrom ? batch.known->lastFingerprint : "head " + batch.origin;
  for (const WarmUpSeen& w : batch.warmUps) {
    const auto it = fingerprintOfRun.find(w.afterGameId);
    const std::string after = it != fingerprintOfRun.end() ? it->second : start;
    if (!archive_.addWarmUp(after + " " + std::to_string(w.ordinal), batch.given, seen, err)) return false;
  }

  LogState state;
  state.path = batch.path;
  state.headSize = batch.head.size;
  state.headHash = batch.head.hash;
  state.origin = batch.origin;
  if (batch.games.empty()) {
    if (batch.tailFrom) {
      state.nextOffset = batch.known->nextOffset;
      state.lastFingerprint = batch.known->lastFingerprint;
    }
  } else {
    const GameRecord& last = batch.games.back().record;
    const bool allKnown = std::all_of(batch.games.begin(), batch.games.end(),
                                      [](const StagedGame& g) { return g.record.lastByte.has_value(); });
    if (allKnown) state.nextOffset = *last.lastByte + 1;
    state.lastFingerprint = last.fingerprint;
  }
  return archive_.saveLogState(state, err);
}

bool Site::publish(const std::vector<std::string>& logs, const std::string& kit, int* published, int* skipped,
                   std::string* err) {
  Staging staging;
  if (!staging.create(dir_, kit, err)) return false;
  const std::string program = programBesideSelf("kalimostats-c");
  std::vector<LogBatch> batches;
  bool allRead = true;
  for (const std::string& log : logs) {
    LogBatch batch;
    std::string why;
    if (!readLog(staging, program, log, &batch, &why)) {
      complain(log + ": " + why);
      allRead = false;
      continue;
    }
    std::printf("%s: %zu game%s read%s%s\n", log.c_str(), batch.games.size(), batch.games.size() == 1 ? "" : "s",
                batch.tailFrom ? (" from byte " + std::to_string(*batch.tailFrom)).c_str() : "",
                batch.heldBack > 0 ? "; the last, whose report may go on, waits for the next update" : "");
    batches.push_back(std::move(batch));
  }
  const std::string seen = nowText();
  if (!archive_.begin(err)) return false;
  for (const LogBatch& batch : batches) {
    if (!archiveBatch(batch, staging, seen, published, skipped, err)) {
      archive_.rollback();
      return false;
    }
  }
  if (!archive_.commit(err)) {
    archive_.rollback();
    return false;
  }
  testKill("after-commit");
  if (!finishPending(false, err)) return false;
  testKill("after-renames");
  staging.remove();
  if (!allRead) *err = "some logs could not be read";
  return allRead;
}

bool Site::rebuildArchive(std::string* err) {
  struct Known {
    int64_t id;
    std::string log;
  };
  std::map<std::string, Known> known;
  {
    Statement& s = archive_.sql("SELECT fingerprint, id, log FROM games");
    while (s.step()) known[s.text(0)] = {s.integer(1), s.text(2)};
    s.reset();
  }
  std::vector<std::pair<GameRecord, std::string>> records;
  std::error_code ec;
  for (fs::directory_iterator it(html_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() < 10 || name.compare(name.size() - 10, 10, "_game.json") != 0) continue;
    bool ok = true;
    const std::string text = readFile(it->path().string(), &ok);
    GameRecord r;
    std::string why;
    if (!ok || !parseGameRecord(text, &r, &why)) {
      complain(it->path().string() + ": left out: " + why);
      continue;
    }
    records.emplace_back(std::move(r), name);
  }
  auto order = [&](const std::pair<GameRecord, std::string>& a) {
    const auto k = known.find(a.first.fingerprint);
    return std::make_tuple(k == known.end() ? 1 : 0, k == known.end() ? 0 : k->second.id, a.first.processed,
                           a.first.gameId, a.second);
  };
  std::sort(records.begin(), records.end(), [&](const auto& a, const auto& b) { return order(a) < order(b); });

  const std::string path = dir_ + "/" + kArchiveName;
  const std::string fresh = path + ".rebuild";
  fs::remove(fresh, ec);
  fs::remove(fresh + "-journal", ec);
  {
    Archive next;
    if (!next.open(fresh, err) || !next.begin(err)) return false;
    for (const auto& [record, name] : records) {
      if (next.gameWithFingerprint(record.fingerprint) != 0) continue;
      const auto k = known.find(record.fingerprint);
      int64_t id = 0;
      if (!next.addGame(record, k != known.end() ? k->second.log : record.logName, aliases_, &id, err)) {
        next.rollback();
        return false;
      }
    }
    Statement& a = next.sql("ATTACH DATABASE ? AS old");
    a.bind(1, path);
    if (!a.run() ||
        !next.db().exec("INSERT INTO logs SELECT * FROM old.logs;"
                        "INSERT INTO unrated(game, reason, log, seen, warm_up) SELECT NULL, reason, log, seen, "
                        "warm_up FROM old.unrated WHERE warm_up IS NOT NULL ORDER BY id;"
                        "INSERT OR REPLACE INTO settings SELECT * FROM old.settings;",
                        err) ||
        !next.saveSetting(kAliasesHashKey, aliasesHash_, err) || !markAllStale(next, err) || !next.commit(err)) {
      if (err->empty()) *err = a.error();
      next.rollback();
      return false;
    }
  }
  fs::rename(fresh, path, ec);
  if (ec) {
    *err = "cannot replace " + path + ": " + ec.message();
    return false;
  }
  if (!openArchive(err)) return false;
  // Pages of names the aliases merged away would still link the old figures.
  std::set<std::string> current;
  {
    Statement& s = archive_.sql("SELECT key FROM players");
    while (s.step()) current.insert(playerPageName(s.text(0)));
    s.reset();
  }
  for (fs::directory_iterator it(html_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind("player_", 0) == 0 && current.count(name) == 0) fs::remove(it->path(), ec);
  }
  return true;
}

// What both commands share: the site opened, locked, repaired and its kit in place.
bool prepare(Site& site, std::string* kit, std::string* err) {
  if (!site.open(err) || !site.finishPending(true, err)) return false;
  const int stale = removeStagingDirs(site.dir_, "");
  if (stale > 0) std::printf("%d unfinished staging director%s removed\n", stale, stale == 1 ? "y" : "ies");
  *kit = findSiteKit();
  if (kit->empty()) {
    *err = "the site kit (c-kalimo.css, c-header.html, images/) is nowhere to be found: set KX_SITE_KIT";
    return false;
  }
  return copySiteKit(*kit, site.html_, err);
}

}  // namespace

int runUpdate(const SiteOptions& options) {
  Site site(options.siteDir);
  std::string err, kit;
  bool rebuilt = false;
  if (!prepare(site, &kit, &err) || !site.loadAliases(true, &rebuilt, &err)) {
    complain(err);
    return 1;
  }
  int published = 0, skipped = 0;
  const bool ok = site.publish(options.logs, kit, &published, &skipped, &err);
  if (!ok) complain(err);
  int written = 0;
  std::string pageErr;
  if (!site.writePages(&written, &pageErr)) {
    complain(pageErr);
    return 1;
  }
  std::printf("%d new game%s published, %d already published; %d site page%s written in %s\n", published,
              published == 1 ? "" : "s", skipped, written, written == 1 ? "" : "s", site.html_.c_str());
  return ok ? 0 : 1;
}

int runRebuild(const SiteOptions& options) {
  Site site(options.siteDir);
  std::string err, kit;
  bool rebuilt = false;
  if (!prepare(site, &kit, &err) || !site.loadAliases(false, &rebuilt, &err) || !site.rebuildArchive(&err)) {
    complain(err);
    return 1;
  }
  int written = 0;
  if (!site.writePages(&written, &err)) {
    complain(err);
    return 1;
  }
  std::printf("%lld game%s archived again; %d site page%s written in %s\n",
              static_cast<long long>(site.gameCount()), site.gameCount() == 1 ? "" : "s", written,
              written == 1 ? "" : "s", site.html_.c_str());
  return 0;
}

}  // namespace kxsite
