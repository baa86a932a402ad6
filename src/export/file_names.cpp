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
                         std::string_view chatName) {
  std::string name;
  name.reserve(outputFolder.size() + 1 + datePart.size() + chatName.size() + 4);
  name.append(outputFolder).append("l").append(datePart);
  AppendCleaned(name, chatName);
  return name.append(".txt");
}

std::string OutputFolderOf(std::string_view chosenFile) {
  const auto slash = chosenFile.rfind('/');
  std::string folder(slash == std::string_view::npos ? std::string_view{}
                                                     : chosenFile.substr(0, slash + 1));
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace tavrin::chat_export
