#include "store/read_only_query.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include "fixture_database.h"
#include "store/errors.h"
#include "store/message_query.h"
#include "store/sql_connection.h"

namespace tavrin::store {
namespace {

using testing::MakeMessageDatabase;
using testing::TempFolder;

// Local time is the process's: the fixtures pin it.
class FixedTimeZone {
 public:
  explicit FixedTimeZone(const char* tz) {
    if (const char* old = getenv("TZ")) saved_ = old;
    setenv("TZ", tz, 1);
    tzset();
  }
  ~FixedTimeZone() {
    if (saved_.empty()) {
      unsetenv("TZ");
    } else {
      setenv("TZ", saved_.c_str(), 1);
    }
    tzset();
  }

 private:
  std::string saved_;
};

class QueryTest : public ::testing::Test {
 protected:
  void SetUp() override { query.SetConnection(&connection); }

  void OpenMessages(const std::string& inserts) {
    const std::string path = folder.File("main.db");
    MakeMessageDatabase(path, inserts);
    connection.SetDatabase(path);
    connection.SetConnected(true);
    query.SetSQL(kMessageQuery);
    query.Open();
  }

  void OpenSql(const std::string& setup, const std::string& select) {
    const std::string path = folder.File("other.db");
    testing::SqlFixture(path).Run(setup);
    connection.SetDatabase(path);
    connection.SetConnected(true);
    query.SetSQL(select);
    query.Open();
  }

  // Every row as "mdate|from_dispname|msg|chatname".
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    const TField& date = query.FieldByName("mdate");
    const TField& sender = query.FieldByName("from_dispname");
    const TField& body = query.FieldByName("msg");
    const TField& chat = query.FieldByName("chatname");
    for (; !query.Eof(); query.Next()) {
      rows.push_back(std::string(date.AsString()) + "|" + std::string(sender.AsString()) + "|" +
                     std::string(body.AsString()) + "|" + std::string(chat.AsString()));
    }
    return rows;
  }

  FixedTimeZone utc{"UTC0"};
  TempFolder folder;
  TSQLConnection connection;
  TReadOnlyQuery query{"zq"};
};

TEST_F(QueryTest, MessageQueryTextIsExact) {
  EXPECT_EQ(kMessageQuery,
            " select datetime(timestamp, 'unixepoch', 'localtime') as mdate,author,from_dispname,"
            "body_xml as msg,chatname  from messages msg  order by chatname,timestamp desc ");
  query.SetSQL(kMessageQuery);
  EXPECT_EQ(query.SQLText(), std::string(kMessageQuery) + "\r\n");
}

TEST_F(QueryTest, ReadsEveryMessageByChatThenNewestFirst) {
  OpenMessages(
      "INSERT INTO messages(chatname, author, from_dispname, timestamp, body_xml) VALUES"
      " ('#b/$c;2', 'bob', 'Bob', 86400, 'later chat'),"
      " ('#a/$b;1', 'ann', 'Ann', 0, 'oldest'),"
      " ('#a/$b;1', 'bob', 'Bob', 3661, 'newest'),"
      " ('#a/$b;1', 'ann', 'Ann', NULL, 'undated');");
  EXPECT_TRUE(query.Active());
  EXPECT_EQ(query.RecordCount(), 4u);
  EXPECT_EQ(Rows(), (std::vector<std::string>{
                        "1970-01-01 01:01:01|Bob|newest|#a/$b;1",
                        "1970-01-01 00:00:00|Ann|oldest|#a/$b;1",
                        "|Ann|undated|#a/$b;1",  // NULL time stamps come last
                        "1970-01-02 00:00:00|Bob|later chat|#b/$c;2",
                    }));
}

TEST_F(QueryTest, DateIsTheProcessLocalTime) {
  FixedTimeZone tokyo("JST-9");
  OpenMessages("INSERT INTO messages(chatname, timestamp, body_xml) VALUES ('c', 0, 'x');");
  EXPECT_EQ(query.FieldByName("mdate").AsString(), "1970-01-01 09:00:00");
}

TEST_F(QueryTest, FieldsAreNamedByLabelWithTheirKinds) {
  OpenMessages("");
  ASSERT_EQ(query.FieldCount(), 5u);
  const char* names[] = {"mdate", "author", "from_dispname", "msg", "chatname"};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(query.Fields(i).FieldName(), names[i]);
  EXPECT_EQ(query.Fields(0).DataType(), TSQLType::stString);  // an expression
  EXPECT_EQ(query.Fields(0).Size(), 255);
  for (std::size_t i = 1; i < 5; ++i) {
    EXPECT_EQ(query.Fields(i).DataType(), TSQLType::stAsciiStream) << i;  // TEXT columns
  }
}

TEST_F(QueryTest, EmptyTableOpensAtEof) {
  OpenMessages("");
  EXPECT_TRUE(query.Active());
  EXPECT_TRUE(query.Eof());
  EXPECT_EQ(query.RecordCount(), 0u);
  EXPECT_EQ(query.FieldByName("msg").AsString(), "");
  EXPECT_FALSE(query.FieldByName("msg").IsNull());
}

TEST_F(QueryTest, NextOnTheLastRowSetsEofAndStays) {
  OpenMessages("INSERT INTO messages(chatname, body_xml) VALUES ('c', 'one'), ('c', 'two');");
  EXPECT_FALSE(query.Eof());
  query.Next();
  EXPECT_EQ(query.RecNo(), 1u);
  EXPECT_FALSE(query.Eof());
  const std::string last(query.FieldByName("msg").AsString());
  query.Next();
  EXPECT_TRUE(query.Eof());
  EXPECT_EQ(query.RecNo(), 1u);
  EXPECT_EQ(query.FieldByName("msg").AsString(), last);
}

TEST_F(QueryTest, FieldLookupIgnoresLetterCase) {
  OpenMessages("INSERT INTO messages(chatname, body_xml) VALUES ('c', 'hello');");
  EXPECT_EQ(&query.FieldByName("MSG"), &query.FieldByName("msg"));
  EXPECT_EQ(query.FieldByName("Msg").AsString(), "hello");
  EXPECT_EQ(query.FindField("nope"), nullptr);
}

TEST_F(QueryTest, UnknownFieldFailsWithTheQueryNameAndKeepsTheCursor) {
  OpenMessages("INSERT INTO messages(chatname, body_xml) VALUES ('c', 'a'), ('c', 'b');");
  query.Next();
  try {
    query.FieldByName("body_xml");
    FAIL() << "no exception";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "zq: Field 'body_xml' not found");
  }
  EXPECT_TRUE(query.Active());
  EXPECT_EQ(query.RecNo(), 1u);

  query.SetName("");
  EXPECT_THROW(
      try { query.FieldByName("x"); } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'x' not found");
        throw;
      },
      EDatabaseError);
}

TEST_F(QueryTest, RepeatedAndEmptyLabelsAreNumbered) {
  OpenSql("CREATE TABLE t(a);", "select 1 as x, 2 as x, 3 as X, 4 as \"\", 5 as \"\"");
  std::vector<std::string> names;
  for (std::size_t i = 0; i < query.FieldCount(); ++i) names.push_back(query.Fields(i).FieldName());
  EXPECT_EQ(names, (std::vector<std::string>{"x", "x_1", "X_2", "Column", "Column_1"}));
  EXPECT_EQ(query.FieldByName("x_1").AsString(), "2");
}

TEST_F(QueryTest, NullsAndEmptyTextBothReadEmpty) {
  OpenMessages(
      "INSERT INTO messages(chatname, author, from_dispname, timestamp, body_xml) VALUES"
      " (NULL, NULL, NULL, NULL, NULL), ('c', '', '', 0, '');");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"|||", "1970-01-01 00:00:00|||c"}));
  query.Open();  // reopen: back on the first row, the all-NULL one
  for (const char* name : {"mdate", "author", "from_dispname", "msg", "chatname"}) {
    EXPECT_TRUE(query.FieldByName(name).IsNull()) << name;
  }
  query.Next();
  EXPECT_FALSE(query.FieldByName("msg").IsNull());
}

TEST_F(QueryTest, ExpressionColumnHoldsAtMost255Characters) {
  OpenSql("CREATE TABLE t(body TEXT); INSERT INTO t VALUES (printf('%.300c', 'x'));",
          "select body, body || '' as expr from t");
  EXPECT_EQ(query.Fields(0).AsString().size(), 300u);
  EXPECT_EQ(query.Fields(1).AsString(), std::string(255, 'x'));
}

TEST_F(QueryTest, DeclaredKindsShapeTheText) {
  OpenSql(
      "CREATE TABLE t(i INTEGER, small INT(2), flag BOOLEAN, code VARCHAR(3), raw BLOB);"
      "INSERT INTO t VALUES (42, 300, 'yes', 'abcdef', X'616263');"
      "INSERT INTO t VALUES ('n/a', 7, 0, 'xy', X'');",
      "select * from t");
  auto row = [&] {
    std::vector<std::string> values;
    for (std::size_t i = 0; i < query.FieldCount(); ++i) values.emplace_back(query.Fields(i).AsString());
    return values;
  };
  EXPECT_EQ(query.Fields(4).DataType(), TSQLType::stBinaryStream);
  EXPECT_EQ(row(), (std::vector<std::string>{"42", "0", "True", "abc", "abc"}));
  query.Next();
  EXPECT_EQ(row(), (std::vector<std::string>{"0", "7", "False", "xy", ""}));
  EXPECT_FALSE(query.Fields(4).IsNull());  // an empty blob is no NULL
}

TEST_F(QueryTest, TextPassesThroughTheConnectionsCodePage) {
  const std::string text = "caf\xC3\xA9 \xF0\x9F\x98\x80";
  auto latin1 = platform::MakeCodePage("ISO-8859-1");
  connection.SetCodePage(*latin1);
  OpenMessages("INSERT INTO messages(chatname, body_xml) VALUES ('c', '" + text + "');");
  EXPECT_EQ(query.FieldByName("msg").AsString(), "caf\xC3\xA9 ?");

  auto utf8 = platform::MakeCodePage("UTF-8");
  connection.SetCodePage(*utf8);
  query.Open();
  EXPECT_EQ(query.FieldByName("msg").AsString(), text);
}

TEST_F(QueryTest, AssigningTheTextClosesEvenWhenItIsTheSame) {
  OpenMessages("INSERT INTO messages(chatname, body_xml) VALUES ('c', 'x');");
  query.SetSQL(kMessageQuery);
  EXPECT_FALSE(query.Active());
  EXPECT_TRUE(query.Eof());
  EXPECT_EQ(query.FieldCount(), 0u);
  query.Open();
  EXPECT_EQ(query.FieldByName("msg").AsString(), "x");
}

TEST_F(QueryTest, EmptyOrBlankTextIsRefused) {
  for (const char* text : {"", "   ", "\r\n\t"}) {
    query.SetSQL(text);
    try {
      query.Open();
      FAIL() << "no exception for '" << text << "'";
    } catch (const EDatabaseError& e) {
      EXPECT_STREQ(e.what(), "SQL Query is empty");
    }
    EXPECT_FALSE(query.Active());
  }
}

TEST_F(QueryTest, TextLinesAreSentEachWithCrLf) {
  query.SetSQL("select 1\nas one\r\n");
  EXPECT_EQ(query.SQL(), (std::vector<std::string>{"select 1", "as one"}));
  EXPECT_EQ(query.SQLText(), "select 1\r\nas one\r\n");
}

TEST_F(QueryTest, OnlyTheFirstStatementRuns) {
  OpenSql("CREATE TABLE t(a); INSERT INTO t VALUES (1);",
          "select a from t; DELETE FROM t;");
  EXPECT_EQ(query.Fields(0).AsString(), "1");
  query.Open();
  EXPECT_EQ(query.RecordCount(), 1u);  // the DELETE never ran
}

TEST_F(QueryTest, ReopenAfterFailureStartsClean) {
  OpenMessages("INSERT INTO messages(chatname, body_xml) VALUES ('c', 'x');");
  query.SetSQL("select nothing from nowhere");
  EXPECT_THROW(query.Open(), ESQLException);
  EXPECT_FALSE(query.Active());
  EXPECT_EQ(query.FieldCount(), 0u);
  EXPECT_TRUE(connection.Connected());
  query.SetSQL(kMessageQuery);
  query.Open();
  EXPECT_EQ(query.RecordCount(), 1u);
}

}  // namespace
}  // namespace tavrin::store
