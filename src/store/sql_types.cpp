#include "store/sql_types.h"

#include <charconv>
#include <string>

namespace tavrin::store {

namespace {

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// A decimal number, or 0 when the text is not one. Blanks around it are allowed, as in
// "NUMERIC(10, 2)".
int DecimalOrZero(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return value;
}

TSQLType KindOfTypeName(std::string_view name) {
  auto is = [&](std::string_view word) { return name == word; };
  auto startsWith = [&](std::string_view word) { return name.starts_with(word); };
  auto contains = [&](std::string_view word) { return name.find(word) != std::string_view::npos; };

  if (startsWith("BOOL")) return TSQLType::stBoolean;
  if (is("TINYINT")) return TSQLType::stByte;
  if (is("SMALLINT")) return TSQLType::stShort;
  if (is("MEDIUMINT")) return TSQLType::stInteger;
  if (startsWith("INT")) return TSQLType::stInteger;
  if (is("BIGINT")) return TSQLType::stLong;
  if (startsWith("REAL") || startsWith("FLOAT")) return TSQLType::stDouble;
  if (is("NUMERIC") || is("DECIMAL") || is("NUMBER")) return TSQLType::stDouble;
  if (startsWith("DOUB")) return TSQLType::stDouble;
  if (is("MONEY")) return TSQLType::stBigDecimal;
  if (startsWith("CHAR") || is("VARCHAR")) return TSQLType::stString;
  if (is("VARBINARY") || is("BINARY")) return TSQLType::stBytes;
  if (is("DATE")) return TSQLType::stDate;
  if (is("TIME")) return TSQLType::stTime;
  if (is("TIMESTAMP") || is("DATETIME")) return TSQLType::stTimestamp;
  if (contains("BLOB")) return TSQLType::stBinaryStream;
  if (contains("CLOB")) return TSQLType::stAsciiStream;
  if (contains("TEXT")) return TSQLType::stAsciiStream;
  return TSQLType::stString;
}

TSQLType IntegerKindForSize(int size) {
  if (size <= 2) return TSQLType::stByte;
  if (size <= 4) return TSQLType::stShort;
  if (size <= 9) return TSQLType::stInteger;
  return TSQLType::stLong;
}

}  // namespace

TSQLColumnKind ConvertSQLiteTypeToSQLType(std::string_view declaredType) {
  const std::string upper = UpperCase(declaredType);
  std::string_view name = upper;
  TSQLColumnKind kind{TSQLType::stString, 0, 0};

  const std::size_t open = name.find('(');
  const std::size_t close = name.find(')', open == std::string_view::npos ? 0 : open);
  if (open != std::string_view::npos && close != std::string_view::npos) {
    std::string_view inside = name.substr(open + 1, close - open - 1);
    const std::size_t comma = inside.find(',');
    kind.size = DecimalOrZero(inside.substr(0, comma));
    if (comma != std::string_view::npos) kind.scale = DecimalOrZero(inside.substr(comma + 1));
    name = name.substr(0, open);
  }

  kind.type = KindOfTypeName(name);
  if (kind.type == TSQLType::stInteger && kind.size != 0) kind.type = IntegerKindForSize(kind.size);
  if (kind.type == TSQLType::stString && kind.size == 0) kind.size = 255;
  return kind;
}

}  // namespace tavrin::store
