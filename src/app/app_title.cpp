#include "app/app_title.h"

#include <glib.h>
#include <unistd.h>

#include <array>
#include <memory>

namespace tavrin::app {

namespace {

struct GFreeDeleter {
  void operator()(char* text) const { g_free(text); }
};

std::string LowerCase(std::string_view text) {
  std::unique_ptr<char, GFreeDeleter> lowered(
      g_utf8_strdown(text.data(), static_cast<gssize>(text.size())));
  return lowered ? std::string(lowered.get()) : std::string(text);
}

// Byte length of the first character, so a multi-byte first letter keeps its case whole.
std::size_t FirstCharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  const char* next = g_utf8_find_next_char(text.data(), text.data() + text.size());
  return next ? static_cast<std::size_t>(next - text.data()) : text.size();
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
  const std::size_t first = FirstCharacterLength(name);
  return std::string(name.substr(0, first)) + LowerCase(name.substr(first));
}

std::string ProgramFileName(std::string_view argv0) {
  std::array<char, 4096> buffer{};
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return std::string(argv0);
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace tavrin::app
