#include "fixture_database.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace tavrin::store::testing {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tavrin-store-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

SqlFixture::SqlFixture(const std::string& path) {
  if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
    ADD_FAILURE() << "cannot open fixture " << path << ": " << sqlite3_errmsg(db_);
  }
}

SqlFixture::~SqlFixture() { sqlite3_close(db_); }

void SqlFixture::Run(const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    ADD_FAILURE() << "fixture SQL failed: " << (message ? message : "") << "\n" << sql;
  }
  sqlite3_free(message);
}

void MakeMessageDatabase(const std::string& path, const std::string& inserts) {
  SqlFixture db(path);
  db.Run(kMessagesTable);
  if (!inserts.empty()) db.Run(inserts);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace tavrin::store::testing
