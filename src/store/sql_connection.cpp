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
  const int openResult = api.open(database_.c_str(), &handle);
  if (handle == nullptr) CheckSQLiteError(detail::kSQLiteError);
  auto database = std::make_unique<detail::SQLiteDatabase>(api, handle);  // closes on failure

  // A file SQLite could not open still yields a handle, and its failure shows at the first
  // statement. That statement then only reports "library routine called out of sequence", so
  // the user is told the reason the open itself gave ("unable to open database file").
  char* message = nullptr;
  const int result = api.exec(handle, kConnectPragma, nullptr, nullptr, &message);
  try {
    detail::CheckExecResult(api, result, message);
  } catch (const ESQLException&) {
    if (openResult != detail::kSQLiteOk) CheckSQLiteError(openResult);
    throw;
  }
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
