#include "store/value_text_p.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace tavrin::store::detail {

namespace {

std::string_view RoundTrip(std::string_view text, const platform::CodePage& codePage,
                           std::string& scratch) {
  // Nearly every value under a UTF-8 locale: already what the code page holds, no copy.
  if (codePage.IsUtf8() && platform::IsValidUtf8(text)) return text;
  scratch.clear();
  codePage.AppendRoundTrip(text, scratch);
  return scratch;
}

struct IntegerRange {
  std::int64_t min;
  std::int64_t max;
};

template <typename T>
constexpr IntegerRange RangeOf() {
  return {std::numeric_limits<T>::min(), std::numeric_limits<T>::max()};
}

IntegerRange RangeOfKind(TSQLType type) {
  switch (type) {
    case TSQLType::stByte: return RangeOf<std::int8_t>();
    case TSQLType::stShort: return RangeOf<std::int16_t>();
    case TSQLType::stInteger: return RangeOf<std::int32_t>();
    default: return RangeOf<std::int64_t>();
  }
}

// A decimal integer within the kind's width, or 0 when the text is not one.
std::int64_t IntegerOrZero(std::string_view text, TSQLType type) {
  if (text.starts_with('+')) text.remove_prefix(1);
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  const IntegerRange range = RangeOfKind(type);
  return value < range.min || value > range.max ? 0 : value;
}

bool BooleanOf(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (upper == "Y" || upper == "YES" || upper == "T" || upper == "TRUE") return true;
  return IntegerOrZero(text, TSQLType::stLong) != 0;
}

std::string_view DecimalText(std::int64_t value, std::string& scratch) {
  char digits[24];
  auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  scratch.assign(digits, end);
  return scratch;
}

}  // namespace

std::string_view CutToUtf16Units(std::string_view utf8, std::size_t units) {
  if (utf8.size() <= units) return utf8;  // never more units than bytes
  std::size_t used = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::size_t needed = length == 4 ? 2 : 1;
    if (used + needed > units) break;
    used += needed;
    i += length;
  }
  return utf8.substr(0, i);
}

std::string_view ValueText(const TSQLColumnKind& kind, std::string_view text,
                           const platform::CodePage& codePage, std::string& scratch) {
  switch (kind.type) {
    case TSQLType::stString:
      return CutToUtf16Units(RoundTrip(text, codePage, scratch),
                             static_cast<std::size_t>(kind.size < 0 ? 0 : kind.size));
    case TSQLType::stByte:
    case TSQLType::stShort:
    case TSQLType::stInteger:
    case TSQLType::stLong:
      return DecimalText(IntegerOrZero(text, kind.type), scratch);
    case TSQLType::stBoolean:
      return BooleanOf(text) ? "True" : "False";
    case TSQLType::stBinaryStream:
      return BinaryText(text, codePage, scratch);
    default:
      // Memo text and the kinds the export never reads (numbers, dates, byte strings): the
      // text as SQLite gives it, through the code page.
      return RoundTrip(text, codePage, scratch);
  }
}

std::string_view BinaryText(std::string_view bytes, const platform::CodePage& codePage,
                            std::string& scratch) {
  if (codePage.IsUtf8() && platform::IsValidUtf8(bytes)) return bytes;
  scratch = codePage.Widen(bytes);
  return scratch;
}

}  // namespace tavrin::store::detail
