#include "app/app_title.h"

#include <glib.h>
#include <unistd.h>

#include <array>

namespace tavrin::app {

namespace {

// The name with every character after the first lowered on its own, by its one-character
// mapping: the title keeps one character for each of the name's (no special casing that
// turns one letter into two or looks at the letters around it). A byte that starts no valid
// UTF-8 character is kept as it is.
std::string LowerAfterFirst(std::string_view name) {
  std::string title;
  title.reserve(name.size());
  bool first = true;
  while (!name.empty()) {
    const gunichar c = g_utf8_get_char_validated(name.data(), static_cast<gssize>(name.size()));
    if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2)) {
      title += name.front();
      name.remove_prefix(1);
    } else {
      const auto length = static_cast<std::size_t>(g_unichar_to_utf8(c, nullptr));
      std::array<char, 6> lowered{};
      const gint loweredLength = g_unichar_to_utf8(first ? c : g_unichar_tolower(c), lowered.data());
      title.append(lowered.data(), static_cast<std::size_t>(loweredLength));
      name.remove_prefix(length);
    }
    first = false;
  }
  return title;
}

}  // namespace

std::string ApplicationTitle(std::string_view programFile) {
  std::string_view name = programFile;
  if (const auto slash = name.rfind('/'); slash != std::string_view::npos) {
    name.remove_prefix(slash + 1);
  }
  if (const auto dot = name.find('.'); dot != std::string_view::npos) {
    name = name.substr(0, dot);
  }
  return LowerAfterFirst(name);
}

std::string ProgramFileName(std::string_view argv0) {
  std::array<char, 4096> buffer{};
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return std::string(argv0);
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace tavrin::app
