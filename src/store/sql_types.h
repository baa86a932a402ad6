#pragma once
// Column kinds of a query result, and how a SQLite declared type maps onto them.

#include <string_view>

namespace tavrin::store {

enum class TSQLType {
  stUnknown,
  stBoolean,
  stByte,
  stShort,
  stInteger,
  stLong,
  stDouble,
  stBigDecimal,
  stString,
  stBytes,
  stDate,
  stTime,
  stTimestamp,
  stAsciiStream,   // text without a length limit (a "memo")
  stBinaryStream,  // raw bytes
};

struct TSQLColumnKind {
  TSQLType type = TSQLType::stString;
  int size = 255;  // characters for stString and stBytes; the size in parentheses otherwise
  int scale = 0;   // the number after "," in the parentheses

  friend bool operator==(const TSQLColumnKind&, const TSQLColumnKind&) = default;
};

// The kind SQLite's declared type gives a column: "TEXT" a memo column, "VARCHAR(40)" a string
// of 40 characters, "INTEGER" a 32-bit integer, "INT(12)" a 64-bit one, an empty type (an
// expression such as datetime(...)) a string of 255 characters.
TSQLColumnKind ConvertSQLiteTypeToSQLType(std::string_view declaredType);

}  // namespace tavrin::store
