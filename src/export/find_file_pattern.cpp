#include "export/find_file_pattern.h"

#include <glib.h>

#include <array>
#include <set>
#include <string_view>
#include <utility>

namespace tavrin::chat_export {

namespace {

// Folders the messaging client fills with other data than message databases.
constexpr std::array<std::string_view, 4> kExcludedFolderWords = {"chatsync", "httpfe", "voicemail",
                                                                  "my skype received files"};

bool IsExcludedFolder(const std::string& lowerCasedPath) {
  for (const std::string_view word : kExcludedFolderWords) {
    if (lowerCasedPath.find(word) != std::string::npos) return true;
  }
  return false;
}

// Remembers every folder listed so far, by identity rather than by path. Guarding only the
// folders on the current descent path would also end every cycle, but a tree whose links form
// a lattice (two links in each folder to the next level) would then be walked along every
// path, exponentially often, and a linked folder's databases would be exported once per path
// to them. Searching each folder once keeps the walk linear and the database list free of
// copies reached through links.
class DatabaseSearch {
 public:
  DatabaseSearch(const std::string& pattern, std::vector<std::string>& list,
                 platform::DirectoryLister& lister, const std::function<void()>& serviceMessages)
      : lowerPattern_(LowerCase(pattern)),
        list_(list),
        lister_(lister),
        serviceMessages_(serviceMessages) {}

  void Search(std::string root) {
    if (root.empty() || root.back() != '/') root += '/';
    const std::optional<platform::FolderListing> listing = lister_.List(root);
    if (!listing) return;
    if (!visited_.emplace(listing->identity.device, listing->identity.inode).second) return;
    for (const platform::DirectoryEntry& entry : listing->entries) {
      if (serviceMessages_) serviceMessages_();
      if (entry.isFolder)
        ConsiderFolder(root, entry.name);
      else if (LowerCase(entry.name) == lowerPattern_)
        list_.push_back(root + entry.name);
    }
  }

 private:
  void ConsiderFolder(const std::string& root, const std::string& name) {
    std::string fullPath = root + name;
    if (IsExcludedFolder(LowerCase(fullPath))) return;
    if (name != "." && name != "..") Search(std::move(fullPath));
  }

  std::string lowerPattern_;
  std::vector<std::string>& list_;
  platform::DirectoryLister& lister_;
  const std::function<void()>& serviceMessages_;
  std::set<std::pair<std::uint64_t, std::uint64_t>> visited_;
};

}  // namespace

std::string LowerCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      out += static_cast<char>(g_ascii_tolower(static_cast<char>(byte)));
      ++at;
      continue;
    }
    const gunichar c = g_utf8_get_char_validated(text.data() + at, text.size() - at);
    if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2)) {
      out += text[at++];  // not UTF-8: kept byte for byte
      continue;
    }
    std::array<gchar, 6> encoded{};
    const gint length = g_unichar_to_utf8(g_unichar_tolower(c), encoded.data());
    out.append(encoded.data(), static_cast<std::size_t>(length));
    at = static_cast<std::size_t>(g_utf8_next_char(text.data() + at) - text.data());
  }
  return out;
}

void FindFilePattern(const std::string& root, const std::string& pattern,
                     std::vector<std::string>& list, platform::DirectoryLister& lister,
                     const std::function<void()>& serviceMessages) {
  DatabaseSearch(pattern, list, lister, serviceMessages).Search(root);
}

}  // namespace tavrin::chat_export
