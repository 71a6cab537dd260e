// The site's archive, DIR/kalimostats.db: every published game once, its players' figures,
// the logs read, the ratings and the games left unrated, in SQLite (tables in doc/archive.md).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kx-site/identity.h"
#include "kx-site/site_record.h"
#include "kx-site/sqlite_db.h"

namespace kxsite {

// The archive's text for a reason ("fewer_than_two_players", "osp_warm_up", "no_kill").
const char* unratedReasonCode(UnratedReason reason);

// The schema version this build writes, kept in PRAGMA user_version.
constexpr int kArchiveVersion = 1;

// What the archive remembers of a log it has read.
struct LogState {
  std::string path;
  int64_t headSize = 0;             // bytes fingerprinted at its start (at most 64 KiB)
  std::string headHash;
  std::optional<int64_t> nextOffset;  // just after the last game published from it
  std::string lastFingerprint;      // of that game
  std::string origin;               // its head's hash when first read: kept while it only grows
};

// A file to move into html/ once the transaction that archived its game has committed.
struct PendingFile {
  std::string staged;  // path below DIR
  std::string final;   // file name below DIR/html
  std::string sql;     // the game's SQL lines, kept with its main page only
};

class Archive {
 public:
  // Opens the file, creating the tables of a new archive or migrating an older one, one
  // version at a time. False with the reason for a file that is not a SQLite database or
  // whose version is newer than this build knows.
  bool open(const std::string& path, std::string* err);
  Database& db() { return db_; }

  bool begin(std::string* err) { return db_.exec("BEGIN IMMEDIATE", err); }
  bool commit(std::string* err) { return db_.exec("COMMIT", err); }
  void rollback();

  // The archive's number of the game with this fingerprint, or 0 when it has none.
  int64_t gameWithFingerprint(const std::string& fingerprint);

  // Adds a game with its players' figures (names resolved through `aliases`), rates it or
  // lists it as unrated, and marks the site pages it changes as stale. `logPath` is the log as
  // the update was given it. Inside a transaction.
  bool addGame(const GameRecord& record, const std::string& logPath, const Aliases& aliases, int64_t* id,
               std::string* err);
  // Lists an OSP warm-up seen in a log as unrated; `key` names it so that reading the log
  // again does not list it twice. False only on an error.
  bool addWarmUp(const std::string& key, const std::string& log, const std::string& seen, std::string* err);

  std::optional<LogState> logState(const std::string& path);
  bool saveLogState(const LogState& state, std::string* err);

  // A setting of the site ("aliases_hash"); empty when unset.
  std::string setting(const std::string& key);
  bool saveSetting(const std::string& key, const std::string& value, std::string* err);

  bool addPending(const PendingFile& file, std::string* err);
  std::vector<PendingFile> pending();
  bool clearPending(std::string* err);

  // Site pages to write again (file names below html/), kept until they are written.
  bool markStale(const std::string& page, std::string* err);
  std::vector<std::string> stalePages();
  bool clearStale(std::string* err);

  // Cached prepared statements by their text; ok() false (with error()) when it cannot be prepared.
  Statement& sql(const char* text);

 private:
  bool migrate(std::string* err);
  int64_t playerId(const std::string& key, const std::string& name, std::string* err);
  bool rate(int64_t gameId, const GameRecord& record, const std::vector<int64_t>& ids,
            const std::vector<std::string>& keys, const std::string& logPath, const std::string& seen,
            std::string* err);

  Database db_;
  std::map<const char*, std::unique_ptr<Statement>> statements_;
};

}  // namespace kxsite
