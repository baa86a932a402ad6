#pragma once
// The SQLite C functions the store calls, looked up by name in the library loaded at run time,
// and owners for the two SQLite handles. sqlite3.h is used for its types only: nothing here
// links against SQLite.

#include <sqlite3.h>

#include <string_view>
#include <utility>

namespace tavrin::store::detail {

struct SQLiteApi {
  decltype(&::sqlite3_open) open = nullptr;
  decltype(&::sqlite3_exec) exec = nullptr;
  decltype(&::sqlite3_free) free = nullptr;
  decltype(&::sqlite3_prepare) prepare = nullptr;
  decltype(&::sqlite3_step) step = nullptr;
  decltype(&::sqlite3_column_count) column_count = nullptr;
  decltype(&::sqlite3_column_name) column_name = nullptr;
  decltype(&::sqlite3_column_decltype) column_decltype = nullptr;
  decltype(&::sqlite3_column_text) column_text = nullptr;
  decltype(&::sqlite3_column_blob) column_blob = nullptr;
  decltype(&::sqlite3_column_bytes) column_bytes = nullptr;
  decltype(&::sqlite3_finalize) finalize = nullptr;
  decltype(&::sqlite3_close) close = nullptr;
};

// Result codes the store tells apart.
inline constexpr int kSQLiteOk = SQLITE_OK;
inline constexpr int kSQLiteError = SQLITE_ERROR;
inline constexpr int kSQLiteRow = SQLITE_ROW;
inline constexpr int kSQLiteDone = SQLITE_DONE;

// An open SQLite connection handle; closed when the owner goes away.
class SQLiteDatabase {
 public:
  SQLiteDatabase(const SQLiteApi& api, sqlite3* handle) : api_(&api), handle_(handle) {}
  ~SQLiteDatabase() { api_->close(handle_); }  // its result is of no use at this point
  SQLiteDatabase(const SQLiteDatabase&) = delete;
  SQLiteDatabase& operator=(const SQLiteDatabase&) = delete;

  sqlite3* Get() const { return handle_; }

 private:
  const SQLiteApi* api_;
  sqlite3* handle_;
};

// A prepared statement; finalized when the owner goes away unless Finalize ran before.
class SQLiteStatement {
 public:
  SQLiteStatement(const SQLiteApi& api, sqlite3_stmt* handle) : api_(&api), handle_(handle) {}
  ~SQLiteStatement() {
    if (handle_ != nullptr) api_->finalize(handle_);
  }
  SQLiteStatement(const SQLiteStatement&) = delete;
  SQLiteStatement& operator=(const SQLiteStatement&) = delete;

  sqlite3_stmt* Get() const { return handle_; }

  // Releases the statement and gives SQLite's result code.
  int Finalize() { return api_->finalize(std::exchange(handle_, nullptr)); }

 private:
  const SQLiteApi* api_;
  sqlite3_stmt* handle_;
};

// CheckSQLiteError for a result of sqlite3_exec: `message` was allocated by SQLite (or is
// null) and is freed here whether the check passes or throws.
void CheckExecResult(const SQLiteApi& api, int code, char* message);

}  // namespace tavrin::store::detail
