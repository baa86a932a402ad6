#include "store/errors.h"

#include <gtest/gtest.h>

namespace tavrin::store {
namespace {

TEST(ErrorString, CoversEveryCodeOfTheTable) {
  EXPECT_EQ(ErrorString(0), "not an error");
  EXPECT_EQ(ErrorString(1), "SQL logic error or missing database");
  EXPECT_EQ(ErrorString(5), "database is locked");
  EXPECT_EQ(ErrorString(11), "database disk image is malformed");
  EXPECT_EQ(ErrorString(14), "unable to open database file");
  EXPECT_EQ(ErrorString(21), "library routine called out of sequence");
  EXPECT_EQ(ErrorString(26), "file is encrypted or is not a database");
  EXPECT_EQ(ErrorString(27), "unknown error");
  EXPECT_EQ(ErrorString(-1), "unknown error");
  EXPECT_EQ(ErrorString(261), "unknown error");  // an extended code is not in the table
  for (int code = 0; code <= 26; ++code) {
    EXPECT_NE(ErrorString(code), "unknown error") << code;
  }
}

TEST(CheckSQLiteError, SuccessRowAndDonePass) {
  EXPECT_NO_THROW(CheckSQLiteError(0));
  EXPECT_NO_THROW(CheckSQLiteError(100));
  EXPECT_NO_THROW(CheckSQLiteError(101, "ignored"));
}

struct FailureCase {
  int code;
  const char* message;
  const char* expected;
};

class CheckFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(CheckFailure, ThrowsWithCodeAndText) {
  try {
    CheckSQLiteError(GetParam().code, GetParam().message);
    FAIL() << "no exception";
  } catch (const ESQLException& e) {
    EXPECT_EQ(e.ErrorCode(), GetParam().code);
    EXPECT_STREQ(e.what(), GetParam().expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckFailure,
    testing::Values(FailureCase{5, "", "SQL Error: database is locked"},
                    FailureCase{26, "", "SQL Error: file is encrypted or is not a database"},
                    FailureCase{99, "", "SQL Error: unknown error"},
                    // SQLite's own message wins, trimmed of blanks and control characters.
                    FailureCase{1, " \t near \"x\": syntax error\r\n", "SQL Error: near \"x\": syntax error"},
                    // A message that is only blanks counts as none.
                    FailureCase{14, " \n ", "SQL Error: unable to open database file"}));

TEST(ESQLException, IsADatabaseError) {
  EXPECT_THROW(CheckSQLiteError(1), EDatabaseError);
}

}  // namespace
}  // namespace tavrin::store
