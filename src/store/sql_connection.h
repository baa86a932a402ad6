#pragma once
// One connection to one SQLite database file at a time.
//
// States: Disconnected (no handle) and Connected (an open SQLite handle). Connect binds the
// SQLite library if needed, opens `Database` and runs one harmless pragma; it neither begins a
// transaction nor installs a busy handler, so a locked file fails the next query at once.
// Disconnect closes every query bound to the connection first. The destructor disconnects.

#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "store/sqlite_library.h"

namespace tavrin::store {

class TReadOnlyQuery;

namespace detail {
class SQLiteDatabase;
}

class TSQLConnection {
 public:
  // Uses the program's SQLite binding and the host's code page.
  TSQLConnection();
  // Uses `library` instead, e.g. one with other candidate file names.
  explicit TSQLConnection(std::shared_ptr<SQLiteLibrary> library);
  ~TSQLConnection();
  TSQLConnection(const TSQLConnection&) = delete;
  TSQLConnection& operator=(const TSQLConnection&) = delete;

  // "sqlite-3": SQLite is the only store there is; the value is kept for the form data only.
  const std::string& Protocol() const { return protocol_; }
  void SetProtocol(std::string protocol) { protocol_ = std::move(protocol); }

  // The database file's path (UTF-8). Takes effect at the next connect.
  const std::string& Database() const { return database_; }
  void SetDatabase(std::string path) { database_ = std::move(path); }

  bool Connected() const { return handle_ != nullptr; }
  // true: Connect(); false: Disconnect().
  void SetConnected(bool connected);

  // Does nothing when connected. Throws ELibraryNotFound when SQLite cannot be bound and
  // ESQLException when SQLite cannot open the file; stays Disconnected then.
  void Connect();
  // Does nothing when disconnected. Never throws.
  void Disconnect() noexcept;

  // The code page every text value passes through once. The connection does not own it; it
  // must outlive the connection. Defaults to platform::HostCodePage().
  const platform::CodePage& CodePage() const { return *codePage_; }
  void SetCodePage(const platform::CodePage& codePage) { codePage_ = &codePage; }

  // For the queries bound to this connection.
  const SQLiteLibrary& Library() const { return *library_; }
  detail::SQLiteDatabase& DatabaseHandle() const { return *handle_; }

 private:
  friend class TReadOnlyQuery;
  void Attach(TReadOnlyQuery& query);
  void Detach(TReadOnlyQuery& query) noexcept;

  std::shared_ptr<SQLiteLibrary> library_;
  const platform::CodePage* codePage_;
  std::string protocol_ = "sqlite-3";
  std::string database_;
  std::unique_ptr<detail::SQLiteDatabase> handle_;
  std::vector<TReadOnlyQuery*> queries_;
};

}  // namespace tavrin::store
