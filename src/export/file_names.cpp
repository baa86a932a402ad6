#include "export/file_names.h"

namespace tavrin::chat_export {

namespace {

bool IsUtf8Continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The byte length of the first `count` characters of UTF-8 text (all of it when shorter).
std::size_t PrefixBytes(std::string_view text, std::size_t count) {
  std::size_t bytes = 0;
  for (std::size_t characters = 0; bytes < text.size(); ++bytes) {
    if (!IsUtf8Continuation(text[bytes]) && characters++ == count) break;
  }
  return bytes;
}

// The longest prefix of UTF-8 text that is at most `limit` bytes and ends between characters.
std::string_view CutAtCharacter(std::string_view text, std::size_t limit) {
  if (limit >= text.size()) return text;
  while (limit > 0 && IsUtf8Continuation(text[limit])) --limit;
  return text.substr(0, limit);
}

void AppendCleaned(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '/':
      case '\\':
      case '$':
      case '.':
      case '*':
      case '?':
      case '-':
      case '#':
        out += '_';
        break;
      default:
        out += c;
    }
  }
}

}  // namespace

std::string fixfilename(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendCleaned(out, text);
  return out;
}

std::string ChatDatePart(std::string_view mdate) {
  return fixfilename(mdate.substr(0, PrefixBytes(mdate, 10)));
}

std::string ChatFileName(std::string_view outputFolder, std::string_view datePart,
                         std::string_view chatName, std::string_view suffix, std::size_t nameMax) {
  constexpr std::string_view kLetter = "l";
  constexpr std::string_view kExtension = ".txt";
  const std::size_t fixedBytes =
      kLetter.size() + datePart.size() + suffix.size() + kExtension.size();
  // Cleaning replaces single-byte characters by "_", so cutting before cleaning cuts the
  // cleaned name at the same character boundary.
  const std::string_view kept =
      CutAtCharacter(chatName, nameMax > fixedBytes ? nameMax - fixedBytes : 0);
  std::string name;
  name.reserve(outputFolder.size() + fixedBytes + kept.size());
  name.append(outputFolder).append(kLetter).append(datePart);
  AppendCleaned(name, kept);
  return name.append(suffix).append(kExtension);
}

std::string OutputFolderOf(std::string_view chosenFile) {
  const auto slash = chosenFile.rfind('/');
  std::string folder(slash == std::string_view::npos ? std::string_view{}
                                                     : chosenFile.substr(0, slash + 1));
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace tavrin::chat_export
