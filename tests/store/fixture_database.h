#pragma once
// Small databases for the store's tests, built with SQL through the SQLite library linked into
// the test (the store itself binds SQLite at run time).

#include <sqlite3.h>

#include <filesystem>
#include <string>

namespace tavrin::store::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// An open connection of the test's own; aborts the test on any SQLite failure.
class SqlFixture {
 public:
  explicit SqlFixture(const std::string& path);
  ~SqlFixture();
  SqlFixture(const SqlFixture&) = delete;
  SqlFixture& operator=(const SqlFixture&) = delete;

  void Run(const std::string& sql);

 private:
  sqlite3* db_ = nullptr;
};

// The client's messages table with the columns the query reads (and one it does not).
inline constexpr const char* kMessagesTable =
    "CREATE TABLE Messages(id INTEGER PRIMARY KEY, chatname TEXT, author TEXT, "
    "from_dispname TEXT, timestamp INTEGER, body_xml TEXT);";

// Creates `path` holding the messages table and then runs `inserts`.
void MakeMessageDatabase(const std::string& path, const std::string& inserts = "");

void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace tavrin::store::testing
