#include "store/sql_connection.h"

#include <gtest/gtest.h>

#include "fixture_database.h"
#include "store/errors.h"
#include "store/read_only_query.h"

namespace tavrin::store {
namespace {

using testing::MakeMessageDatabase;
using testing::SqlFixture;
using testing::TempFolder;

class ConnectionTest : public ::testing::Test {
 protected:
  // Opens `query` over `path` the way the export does for each database.
  void Point(const std::string& path) {
    connection.SetConnected(false);
    connection.SetDatabase(path);
    connection.SetConnected(true);
  }
  std::string OnlyBody() {
    query.SetSQL("select body_xml from messages");
    query.Open();
    return std::string(query.Fields(0).AsString());
  }

  TempFolder folder;
  TSQLConnection connection;
  TReadOnlyQuery query{"zq"};

  void SetUp() override { query.SetConnection(&connection); }
};

TEST_F(ConnectionTest, StartsDisconnectedWithItsFixedProtocol) {
  EXPECT_FALSE(connection.Connected());
  EXPECT_EQ(connection.Protocol(), "sqlite-3");
  EXPECT_TRUE(connection.Database().empty());
}

TEST_F(ConnectionTest, ConnectAndDisconnectFollowConnected) {
  const std::string path = folder.File("main.db");
  MakeMessageDatabase(path);
  connection.SetDatabase(path);
  connection.SetConnected(true);
  EXPECT_TRUE(connection.Connected());
  connection.SetConnected(true);  // nothing happens
  EXPECT_TRUE(connection.Connected());
  connection.SetConnected(false);
  EXPECT_FALSE(connection.Connected());
  connection.SetConnected(false);
  EXPECT_FALSE(connection.Connected());
}

TEST_F(ConnectionTest, DisconnectClosesTheQuery) {
  const std::string path = folder.File("main.db");
  MakeMessageDatabase(path, "INSERT INTO messages(body_xml) VALUES ('one');");
  Point(path);
  EXPECT_EQ(OnlyBody(), "one");
  connection.Disconnect();
  EXPECT_FALSE(query.Active());
  EXPECT_EQ(query.FieldCount(), 0u);
  EXPECT_TRUE(query.Eof());
}

TEST_F(ConnectionTest, NewPathTakesEffectAtTheNextConnectOnly) {
  const std::string first = folder.File("first.db");
  const std::string second = folder.File("second.db");
  MakeMessageDatabase(first, "INSERT INTO messages(body_xml) VALUES ('first');");
  MakeMessageDatabase(second, "INSERT INTO messages(body_xml) VALUES ('second');");
  Point(first);
  connection.SetDatabase(second);
  EXPECT_EQ(OnlyBody(), "first");  // still the file connected to
  Point(second);
  EXPECT_EQ(OnlyBody(), "second");
}

TEST_F(ConnectionTest, ReconnectingReadsTheFileAnew) {
  const std::string path = folder.File("main.db");
  MakeMessageDatabase(path, "INSERT INTO messages(body_xml) VALUES ('before');");
  Point(path);
  EXPECT_EQ(OnlyBody(), "before");
  SqlFixture(path).Run("UPDATE messages SET body_xml = 'after';");
  Point(path);
  EXPECT_EQ(OnlyBody(), "after");
}

TEST_F(ConnectionTest, NonAsciiPathOpens) {
  const std::string path = folder.File("\xD0\xBF\xD1\x80\xD0\xBE\xD1\x84\xD0\xB8\xD0\xBB\xD1\x8C caf\xC3\xA9.db");
  MakeMessageDatabase(path, "INSERT INTO messages(body_xml) VALUES ('found');");
  Point(path);
  EXPECT_EQ(OnlyBody(), "found");
}

TEST_F(ConnectionTest, FolderPathFailsAtConnectAndStaysDisconnected) {
  connection.SetDatabase(folder.Path().string());
  try {
    connection.Connect();
    FAIL() << "no exception";
  } catch (const ESQLException& e) {
    EXPECT_STREQ(e.what(), "SQL Error: unable to open database file");
    EXPECT_EQ(e.ErrorCode(), 14);
  }
  EXPECT_FALSE(connection.Connected());
}

TEST_F(ConnectionTest, QueryOutlivingItsConnectionIsUnbound) {
  TReadOnlyQuery orphan;
  {
    TSQLConnection shortLived;
    orphan.SetConnection(&shortLived);
  }
  EXPECT_EQ(orphan.Connection(), nullptr);
  orphan.SetSQL("select 1");
  EXPECT_THROW(orphan.Open(), EDatabaseError);
}

TEST_F(ConnectionTest, OpenConnectsWhenNotConnected) {
  const std::string path = folder.File("main.db");
  MakeMessageDatabase(path, "INSERT INTO messages(body_xml) VALUES ('auto');");
  connection.SetDatabase(path);
  EXPECT_EQ(OnlyBody(), "auto");
  EXPECT_TRUE(connection.Connected());
}

}  // namespace
}  // namespace tavrin::store
