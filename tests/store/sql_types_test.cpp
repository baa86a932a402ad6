#include "store/sql_types.h"

#include <gtest/gtest.h>

namespace tavrin::store {
namespace {

using enum TSQLType;

struct TypeCase {
  const char* declared;
  TSQLColumnKind expected;
};

void PrintTo(const TypeCase& c, std::ostream* os) { *os << '"' << c.declared << '"'; }

class DeclaredType : public testing::TestWithParam<TypeCase> {};

TEST_P(DeclaredType, GivesItsKind) {
  const TSQLColumnKind kind = ConvertSQLiteTypeToSQLType(GetParam().declared);
  EXPECT_EQ(kind.type, GetParam().expected.type);
  EXPECT_EQ(kind.size, GetParam().expected.size);
  EXPECT_EQ(kind.scale, GetParam().expected.scale);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DeclaredType,
    testing::Values(
        // No type at all (an expression) and unknown types: a string of 255 characters.
        TypeCase{"", {stString, 255, 0}}, TypeCase{"NVARCHAR", {stString, 255, 0}},
        TypeCase{"WHATEVER", {stString, 255, 0}},
        // The rules in their order; matching ignores letter case.
        TypeCase{"boolean", {stBoolean, 0, 0}}, TypeCase{"TINYINT", {stByte, 0, 0}},
        TypeCase{"SMALLINT", {stShort, 0, 0}}, TypeCase{"MEDIUMINT", {stInteger, 0, 0}},
        TypeCase{"INTEGER", {stInteger, 0, 0}}, TypeCase{"int", {stInteger, 0, 0}},
        TypeCase{"BIGINT", {stLong, 0, 0}}, TypeCase{"REAL", {stDouble, 0, 0}},
        TypeCase{"FLOAT8", {stDouble, 0, 0}}, TypeCase{"NUMERIC", {stDouble, 0, 0}},
        TypeCase{"DECIMAL(10,2)", {stDouble, 10, 2}}, TypeCase{"NUMBER", {stDouble, 0, 0}},
        TypeCase{"DOUBLE PRECISION", {stDouble, 0, 0}}, TypeCase{"MONEY", {stBigDecimal, 0, 0}},
        TypeCase{"CHARACTER(12)", {stString, 12, 0}}, TypeCase{"varchar(40)", {stString, 40, 0}},
        TypeCase{"VARCHAR", {stString, 255, 0}}, TypeCase{"VARBINARY(8)", {stBytes, 8, 0}},
        TypeCase{"BINARY", {stBytes, 0, 0}}, TypeCase{"DATE", {stDate, 0, 0}},
        TypeCase{"TIME", {stTime, 0, 0}}, TypeCase{"TIMESTAMP", {stTimestamp, 0, 0}},
        TypeCase{"DATETIME", {stTimestamp, 0, 0}}, TypeCase{"BLOB", {stBinaryStream, 0, 0}},
        TypeCase{"LONGBLOB", {stBinaryStream, 0, 0}}, TypeCase{"CLOB", {stAsciiStream, 0, 0}},
        TypeCase{"TEXT", {stAsciiStream, 0, 0}}, TypeCase{"MEDIUMTEXT", {stAsciiStream, 0, 0}},
        // Earlier rules win: "INT" before "TEXT", "CHAR" before "TEXT".
        TypeCase{"INTTEXT", {stInteger, 0, 0}}, TypeCase{"CHARTEXT", {stString, 255, 0}},
        // The size narrows an integer column.
        TypeCase{"INT(2)", {stByte, 2, 0}}, TypeCase{"INT(4)", {stShort, 4, 0}},
        TypeCase{"INT(9)", {stInteger, 9, 0}}, TypeCase{"INTEGER(10)", {stLong, 10, 0}},
        // Sizes that are no number read as 0; blanks around a number are fine.
        TypeCase{"VARCHAR(abc)", {stString, 255, 0}}, TypeCase{"NUMERIC( 10, 2 )", {stDouble, 10, 2}},
        // Only the text before "(" is matched, and only with both parentheses.
        TypeCase{"TEXT(20)", {stAsciiStream, 20, 0}}, TypeCase{"VARCHAR(40", {stString, 255, 0}}));

TEST(DeclaredType, BlankBeforeParenthesisKeepsExactMatchesFromMatching) {
  // "NUMERIC " is not "NUMERIC": the rule table compares whole words.
  EXPECT_EQ(ConvertSQLiteTypeToSQLType("NUMERIC (10,2)").type, stString);
}

}  // namespace
}  // namespace tavrin::store
