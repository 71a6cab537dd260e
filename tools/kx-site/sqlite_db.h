// A thin owner of a SQLite connection and its prepared statements, with errors as text.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kxsite {

// One prepared statement. Bind values by position (from 1), step, read columns (from 0).
class Statement {
 public:
  Statement() = default;
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;

  bool ok() const { return stmt_ != nullptr; }
  Statement& bind(int i, int64_t v);
  Statement& bind(int i, int v) { return bind(i, static_cast<int64_t>(v)); }
  Statement& bind(int i, double v);
  Statement& bind(int i, std::string_view v);
  Statement& bind(int i, const char* v) { return bind(i, std::string_view(v)); }
  Statement& bind(int i, const std::string& v) { return bind(i, std::string_view(v)); }
  Statement& bind(int i, std::optional<int64_t> v);
  Statement& bindNull(int i);
  // True while a row is there; false at the end or on an error (then error() is set).
  bool step();
  // Steps once and resets: for statements that return no rows. False on an error.
  bool run();
  void reset();

  int64_t integer(int col) const;
  double real(int col) const;
  std::string text(int col) const;
  bool isNull(int col) const;
  const std::string& error() const { return error_; }

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
  std::string error_;
};

// The connection. Every failure is kept in the text given back by error().
class Database {
 public:
  Database() = default;
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Opens (creating when missing) the file; false with the reason in `err`.
  bool open(const std::string& path, std::string* err);
  void close();
  // Runs statements that return nothing; false with SQLite's message in `err`.
  bool exec(std::string_view sql, std::string* err);
  // A statement, or one whose ok() is false with the message in `err`.
  Statement prepare(std::string_view sql, std::string* err);
  sqlite3* handle() const { return db_; }
  int64_t lastInsertId() const;
  int userVersion();

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace kxsite
