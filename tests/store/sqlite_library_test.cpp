#include "store/sqlite_library.h"

#include <gtest/gtest.h>

#include "store/errors.h"
#include "store/sql_connection.h"

namespace tavrin::store {
namespace {

constexpr const char* kMissingMessage =
    "None of the dynamic libraries can be found: libsqlite3.so.0, libsqlite.so.0";

TEST(SQLiteLibrary, CandidatesAreTheSQLite3NameFirstThenThePlainOne) {
  EXPECT_EQ(SQLiteLibrary::DefaultCandidateNames(),
            (std::vector<std::string>{"libsqlite3.so.0", "libsqlite.so.0"}));
}

TEST(SQLiteLibrary, LoadsTheSystemLibrary) {
  SQLiteLibrary library;
  library.Load();
  EXPECT_TRUE(library.IsLoaded());
  EXPECT_EQ(library.LoadedName(), "libsqlite3.so.0");
}

TEST(SQLiteLibrary, NoLoadableCandidateNamesThemAll) {
  SQLiteLibrary library({"libtavrin-none-1.so", "libtavrin-none-2.so"});
  try {
    library.Load();
    FAIL() << "no exception";
  } catch (const ELibraryNotFound& e) {
    EXPECT_STREQ(e.what(),
                 "None of the dynamic libraries can be found: libtavrin-none-1.so, "
                 "libtavrin-none-2.so");
  }
  EXPECT_FALSE(library.IsLoaded());
}

TEST(SQLiteLibrary, ALibraryWithoutTheFunctionsDoesNotCount) {
  // The C library loads, but exports no SQLite function: calling through it would crash.
  SQLiteLibrary library({"libc.so.6", "libsqlite3.so.0"});
  library.Load();
  EXPECT_EQ(library.LoadedName(), "libsqlite3.so.0");

  SQLiteLibrary onlyLibc({"libc.so.6"});
  EXPECT_THROW(onlyLibc.Load(), ELibraryNotFound);
}

// Stands for a machine without SQLite until `available` is set; counts every attempt.
struct FakeMachine {
  bool available = false;
  std::vector<std::string> attempts;

  SQLiteLibrary::Loader Loader() {
    return [this](const std::string& name) {
      attempts.push_back(name);
      return available ? platform::DynamicLibrary::Load(name)
                       : platform::DynamicLibrary::Load("/nonexistent/" + name);
    };
  }
};

TEST(SQLiteLibrary, EveryConnectTriesAgainUntilALibraryIsFound) {
  FakeMachine machine;
  auto library =
      std::make_shared<SQLiteLibrary>(SQLiteLibrary::DefaultCandidateNames(), machine.Loader());
  TSQLConnection connection(library);
  connection.SetDatabase(":memory:");
  for (int attempt = 1; attempt <= 2; ++attempt) {
    try {
      connection.Connect();
      FAIL() << "no exception";
    } catch (const ELibraryNotFound& e) {
      EXPECT_STREQ(e.what(), kMissingMessage);
    }
    EXPECT_FALSE(connection.Connected());
    EXPECT_FALSE(library->IsLoaded());
    EXPECT_EQ(machine.attempts.size(), 2u * attempt);  // both names, in order, every time
    EXPECT_EQ(machine.attempts.back(), "libsqlite.so.0");
  }
  EXPECT_EQ(machine.attempts.front(), "libsqlite3.so.0");

  machine.available = true;
  machine.attempts.clear();
  connection.Connect();
  EXPECT_TRUE(connection.Connected());
  EXPECT_EQ(library->LoadedName(), "libsqlite3.so.0");
  EXPECT_EQ(machine.attempts, std::vector<std::string>{"libsqlite3.so.0"});  // the first loads

  // Bound once, the library is never looked for again.
  connection.Disconnect();
  connection.Connect();
  EXPECT_EQ(machine.attempts.size(), 1u);
}

}  // namespace
}  // namespace tavrin::store
