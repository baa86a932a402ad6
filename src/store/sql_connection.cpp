#include "store/sql_connection.h"

#include <algorithm>

#include "store/errors.h"
#include "store/read_only_query.h"
#include "store/sqlite_api_p.h"

namespace tavrin::store {

namespace {

// SQLite 3 does not know this pragma and ignores it without touching the file; it stays because
// it shows, before any query, whether SQLite could open the file at all.
constexpr const char* kConnectPragma = "PRAGMA show_datatypes = ON";

}  // namespace

TSQLConnection::TSQLConnection() : TSQLConnection(SQLiteLibrary::Default()) {}

TSQLConnection::TSQLConnection(std::shared_ptr<SQLiteLibrary> library)
    : library_(std::move(library)), codePage_(&platform::HostCodePage()) {}

TSQLConnection::~TSQLConnection() {
  Disconnect();
  for (TReadOnlyQuery* query : queries_) query->ConnectionGone();
}

void TSQLConnection::SetConnected(bool connected) {
  if (connected) {
    Connect();
  } else {
    Disconnect();
  }
}

void TSQLConnection::Connect() {
  if (Connected()) return;
  library_->Load();
  const detail::SQLiteApi& api = library_->Api();

  // Paths are handed over as their bytes: on this platform a file name is a byte string.
  sqlite3* handle = nullptr;
  api.open(database_.c_str(), &handle);  // a handle comes back even when the file fails to open
  if (handle == nullptr) CheckSQLiteError(detail::kSQLiteError);
  auto database = std::make_unique<detail::SQLiteDatabase>(api, handle);

  char* message = nullptr;
  const int result = api.exec(handle, kConnectPragma, nullptr, nullptr, &message);
  detail::CheckExecResult(api, result, message);  // a failure closes the handle on the way out
  handle_ = std::move(database);
}

void TSQLConnection::Disconnect() noexcept {
  if (!Connected()) return;
  for (TReadOnlyQuery* query : queries_) query->Close();
  handle_.reset();
}

void TSQLConnection::Attach(TReadOnlyQuery& query) { queries_.push_back(&query); }

void TSQLConnection::Detach(TReadOnlyQuery& query) noexcept {
  queries_.erase(std::remove(queries_.begin(), queries_.end(), &query), queries_.end());
}

}  // namespace tavrin::store
