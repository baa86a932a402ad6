// Files named main.db that are no sound message database, and values no export expects: each
// fails with the exact text the user sees, or reads without harm.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "fixture_database.h"
#include "store/errors.h"
#include "store/message_query.h"
#include "store/read_only_query.h"
#include "store/sql_connection.h"

namespace tavrin::store {
namespace {

using testing::MakeMessageDatabase;
using testing::SqlFixture;
using testing::TempFolder;
using testing::WriteFile;

void MakeMultiPageDatabase(const std::string& path) {
  std::string rows;
  for (int i = 0; i < 400; ++i) {
    rows += "INSERT INTO messages(chatname, timestamp, body_xml) VALUES ('chat', " +
            std::to_string(i) + ", printf('%.500c', 'x'));";
  }
  MakeMessageDatabase(path, "BEGIN;" + rows + "COMMIT;");
}

void MakeTruncatedDatabase(const std::string& path) {
  MakeMultiPageDatabase(path);
  std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
}

// The schema is intact, so the text prepares; the damage shows while stepping.
void MakeDatabaseWithDamagedDataPage(const std::string& path) {
  MakeMultiPageDatabase(path);
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(static_cast<std::streamoff>(std::filesystem::file_size(path) / 2 / 4096 * 4096));
  const std::string garbage(4096, '\xFF');
  file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
}

struct BadFileCase {
  const char* label;
  std::function<void(const std::string& path)> make;
  const char* message;
  int code;
};

class BadFile : public ::testing::TestWithParam<BadFileCase> {};

// Connect succeeds for every file SQLite can open; the failure shows at Open, leaves the
// query closed with nothing cached and the connection connected.
TEST_P(BadFile, ConnectsThenFailsAtOpenWithTheExactText) {
  TempFolder folder;
  const std::string path = folder.File("main.db");
  GetParam().make(path);

  TSQLConnection connection;
  TReadOnlyQuery zq("zq");
  zq.SetConnection(&connection);
  connection.SetDatabase(path);
  ASSERT_NO_THROW(connection.SetConnected(true));
  zq.SetSQL(kMessageQuery);
  try {
    zq.Open();
    FAIL() << "no exception";
  } catch (const ESQLException& e) {
    EXPECT_STREQ(e.what(), GetParam().message);
    EXPECT_EQ(e.ErrorCode(), GetParam().code);
  }
  EXPECT_TRUE(connection.Connected());
  EXPECT_FALSE(zq.Active());
  EXPECT_EQ(zq.FieldCount(), 0u);
  EXPECT_EQ(zq.RecordCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFile,
    ::testing::Values(
        BadFileCase{"notADatabase",
                    [](const std::string& p) { WriteFile(p, std::string(4096, 'T')); },
                    "SQL Error: file is encrypted or is not a database", 26},
        BadFileCase{"shortTextFile", [](const std::string& p) { WriteFile(p, "hello\n"); },
                    "SQL Error: file is encrypted or is not a database", 26},
        // SQLite reads an empty file as an empty database: it has no messages table.
        BadFileCase{"emptyFile", [](const std::string& p) { WriteFile(p, ""); },
                    "SQL Error: SQL logic error or missing database", 1},
        BadFileCase{"truncatedDatabase", MakeTruncatedDatabase,
                    "SQL Error: database disk image is malformed", 11},
        // Stepping reports damage only as the generic code 1; nothing of the rows is kept.
        BadFileCase{"damagedDataPage", MakeDatabaseWithDamagedDataPage,
                    "SQL Error: SQL logic error or missing database", 1},
        BadFileCase{"noMessagesTable",
                    [](const std::string& p) { SqlFixture(p).Run("CREATE TABLE Chats(id);"); },
                    "SQL Error: SQL logic error or missing database", 1},
        BadFileCase{"missingColumn",
                    [](const std::string& p) {
                      SqlFixture(p).Run(
                          "CREATE TABLE Messages(chatname TEXT, author TEXT, timestamp INTEGER,"
                          " body_xml TEXT);");
                    },
                    "SQL Error: SQL logic error or missing database", 1}),
    [](const ::testing::TestParamInfo<BadFileCase>& info) { return info.param.label; });

class BadValueTest : public ::testing::Test {
 protected:
  void SetUp() override { zq.SetConnection(&connection); }

  // Opens the message query over a database holding the one body given as an SQL expression.
  std::string BodyOf(const std::string& sqlExpression) {
    const std::string path = folder.File("main.db");
    std::filesystem::remove(path);
    MakeMessageDatabase(path, "INSERT INTO messages(chatname, timestamp, body_xml) VALUES "
                              "('c', 0, " + sqlExpression + ");");
    connection.SetConnected(false);
    connection.SetDatabase(path);
    zq.SetSQL(kMessageQuery);
    zq.Open();
    return std::string(zq.FieldByName("msg").AsString());
  }

  TempFolder folder;
  TSQLConnection connection;
  TReadOnlyQuery zq{"zq"};
  std::unique_ptr<platform::CodePage> utf8 = platform::MakeCodePage("UTF-8");
  std::unique_ptr<platform::CodePage> ascii = platform::MakeCodePage("ANSI_X3.4-1968");
};

TEST_F(BadValueTest, BodyOfTenThousandCharactersReadsWhole) {
  connection.SetCodePage(*utf8);
  const std::string body = BodyOf("printf('%.10000c', 'b') || '\xC3\xA9'");
  EXPECT_EQ(body, std::string(10000, 'b') + "\xC3\xA9");
}

TEST_F(BadValueTest, BodyWithANulReadsUpToIt) {
  connection.SetCodePage(*utf8);
  EXPECT_EQ(BodyOf("CAST(X'6265666F726500616674657221' AS TEXT)"), "before");
}

TEST_F(BadValueTest, MalformedUtf8ReadsWithReplacementCharacters) {
  connection.SetCodePage(*utf8);
  EXPECT_EQ(BodyOf("CAST(X'61FF62C3' AS TEXT)"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  connection.SetCodePage(*ascii);  // which then narrow like any character the set lacks
  EXPECT_EQ(BodyOf("CAST(X'61FF62C3' AS TEXT)"), "a?b?");
}

TEST_F(BadValueTest, NonAsciiUnderAnAsciiCodePageBecomesQuestionMarks) {
  connection.SetCodePage(*ascii);
  EXPECT_EQ(BodyOf("'\xF0\x9F\x98\x80 \xE4\xB8\xAD!'"), "? ?!");
}

TEST_F(BadValueTest, BlobInATextColumnReadsAsText) {
  connection.SetCodePage(*utf8);
  EXPECT_EQ(BodyOf("X'68690A'"), "hi\n");
}

TEST(LockedDatabase, WriterWithAnExclusiveLockFailsTheOpenAtOnce) {
  TempFolder folder;
  const std::string path = folder.File("main.db");
  MakeMessageDatabase(path, "INSERT INTO messages(chatname, body_xml) VALUES ('c', 'x');");

  TSQLConnection connection;
  TReadOnlyQuery zq("zq");
  zq.SetConnection(&connection);
  connection.SetDatabase(path);
  zq.SetSQL(kMessageQuery);
  {
    SqlFixture writer(path);
    writer.Run("BEGIN EXCLUSIVE;");
    try {
      zq.Open();
      FAIL() << "no exception";
    } catch (const ESQLException& e) {
      EXPECT_STREQ(e.what(), "SQL Error: database is locked");
      EXPECT_EQ(e.ErrorCode(), 5);
    }
    EXPECT_TRUE(connection.Connected());
    EXPECT_FALSE(zq.Active());
    writer.Run("ROLLBACK;");
  }
  // Once the writer is done the same connection reads; nothing was left half open.
  zq.Open();
  EXPECT_EQ(zq.FieldByName("msg").AsString(), "x");
}

TEST(LockedDatabase, WriterHoldingOnlyAReservedLockLetsTheReaderIn) {
  TempFolder folder;
  const std::string path = folder.File("main.db");
  MakeMessageDatabase(path, "INSERT INTO messages(chatname, body_xml) VALUES ('c', 'old');");
  SqlFixture writer(path);
  writer.Run("BEGIN IMMEDIATE; UPDATE messages SET body_xml = 'uncommitted';");

  TSQLConnection connection;
  TReadOnlyQuery zq("zq");
  zq.SetConnection(&connection);
  connection.SetDatabase(path);
  zq.SetSQL(kMessageQuery);
  zq.Open();
  EXPECT_EQ(zq.FieldByName("msg").AsString(), "old");
  writer.Run("ROLLBACK;");
}

}  // namespace
}  // namespace tavrin::store
