// A thin owner of a SQLite connection and its prepared statements, with errors as text.
#include "kx-site/sqlite_db.h"

#include <utility>

namespace kxsite {

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
    error_ = sqlite3_errmsg(db);
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), stmt_(std::exchange(other.stmt_, nullptr)), error_(std::move(other.error_)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(stmt_);
    db_ = other.db_;
    stmt_ = std::exchange(other.stmt_, nullptr);
    error_ = std::move(other.error_);
  }
  return *this;
}

Statement& Statement::bind(int i, int64_t v) {
  sqlite3_bind_int64(stmt_, i, v);
  return *this;
}

Statement& Statement::bind(int i, double v) {
  sqlite3_bind_double(stmt_, i, v);
  return *this;
}

Statement& Statement::bind(int i, std::string_view v) {
  sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
  return *this;
}

Statement& Statement::bind(int i, std::optional<int64_t> v) {
  return v ? bind(i, *v) : bindNull(i);
}

Statement& Statement::bindNull(int i) {
  sqlite3_bind_null(stmt_, i);
  return *this;
}

bool Statement::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) error_ = sqlite3_errmsg(db_);
  return false;
}

bool Statement::run() {
  const int rc = sqlite3_step(stmt_);
  const bool ok = rc == SQLITE_DONE || rc == SQLITE_ROW;
  if (!ok) error_ = sqlite3_errmsg(db_);
  reset();
  return ok;
}

void Statement::reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int64_t Statement::integer(int col) const { return sqlite3_column_int64(stmt_, col); }
double Statement::real(int col) const { return sqlite3_column_double(stmt_, col); }
bool Statement::isNull(int col) const { return sqlite3_column_type(stmt_, col) == SQLITE_NULL; }

std::string Statement::text(int col) const {
  const unsigned char* p = sqlite3_column_text(stmt_, col);
  if (p == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_column_bytes(stmt_, col)));
}

Database::~Database() { close(); }

bool Database::open(const std::string& path, std::string* err) {
  close();
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    *err = path + ": " + (db_ != nullptr ? sqlite3_errmsg(db_) : "cannot open the database");
    close();
    return false;
  }
  sqlite3_busy_timeout(db_, 10000);
  return true;
}

void Database::close() {
  if (db_ != nullptr) sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool Database::exec(std::string_view sql, std::string* err) {
  char* msg = nullptr;
  const std::string text(sql);
  if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &msg) != SQLITE_OK) {
    *err = msg != nullptr ? msg : sqlite3_errmsg(db_);
    sqlite3_free(msg);
    return false;
  }
  return true;
}

Statement Database::prepare(std::string_view sql, std::string* err) {
  Statement s(db_, sql);
  if (!s.ok()) *err = s.error();
  return s;
}

int64_t Database::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }

int Database::userVersion() {
  Statement s(db_, "PRAGMA user_version");
  return s.ok() && s.step() ? static_cast<int>(s.integer(0)) : -1;
}

}  // namespace kxsite
