#include "widgets/fill/fill_storage.h"

#include "widgets/fill/fill_errors.h"

namespace tavrin {
namespace {

int32_t HexDigit(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  throw EConvertError("No Hex-Number");
}

}  // namespace

std::string StreamToString(const std::vector<uint8_t>& stream) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(stream.size() * 2);
  for (uint8_t b : stream) {
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 0x0F]);
  }
  return text;
}

void StringToStream(std::string_view text, std::vector<uint8_t>& stream) {
  stream.clear();
  stream.reserve(text.size() / 2);
  for (std::size_t k = 0; 2 * k + 2 <= text.size(); ++k) {
    stream.push_back(static_cast<uint8_t>(HexToInt(text.substr(2 * k, 2))));
  }
}

int32_t HexToInt(std::string_view text) {
  if (text.size() < 2) throw EConvertError("No Hex-Number");
  return HexDigit(text[0]) * 16 + HexDigit(text[1]);
}

}  // namespace tavrin
