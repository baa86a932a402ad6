#include "platform/directory_lister.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin::platform {

namespace {

class DirHandle {
 public:
  explicit DirHandle(DIR* dir) : dir_(dir) {}
  ~DirHandle() {
    if (dir_ != nullptr) ::closedir(dir_);
  }
  DirHandle(const DirHandle&) = delete;
  DirHandle& operator=(const DirHandle&) = delete;
  DIR* get() const { return dir_; }

 private:
  DIR* dir_;
};

enum class EntryKind { Folder, File, Unusable };

EntryKind KindOfMode(mode_t mode) {
  if (S_ISDIR(mode)) return EntryKind::Folder;
  if (S_ISREG(mode)) return EntryKind::File;
  return EntryKind::Unusable;
}

// Follows a symbolic link (or an entry of unknown type) to what it ends at.
EntryKind KindByStat(int folderFd, const char* name) {
  struct stat info {};
  if (::fstatat(folderFd, name, &info, 0) != 0) return EntryKind::Unusable;
  return KindOfMode(info.st_mode);
}

EntryKind KindOf(int folderFd, const dirent& entry) {
  switch (entry.d_type) {
    case DT_DIR:
      return EntryKind::Folder;
    case DT_REG:
      return EntryKind::File;
    case DT_LNK:
    case DT_UNKNOWN:
      return KindByStat(folderFd, entry.d_name);
    default:
      return EntryKind::Unusable;  // pipes, sockets, devices
  }
}

}  // namespace

std::optional<FolderListing> PosixDirectoryLister::List(const std::string& folder) {
  DirHandle dir(::opendir(folder.c_str()));
  if (dir.get() == nullptr) return std::nullopt;
  const int fd = ::dirfd(dir.get());
  struct stat self {};
  if (::fstat(fd, &self) != 0) return std::nullopt;

  FolderListing listing;
  listing.identity = {static_cast<std::uint64_t>(self.st_dev),
                      static_cast<std::uint64_t>(self.st_ino)};
  while (const dirent* entry = ::readdir(dir.get())) {
    const EntryKind kind = KindOf(fd, *entry);
    if (kind != EntryKind::Unusable)
      listing.entries.push_back({entry->d_name, kind == EntryKind::Folder});
  }
  // A listing that breaks off keeps what it read: the search goes on with that much.
  if (listing.entries.empty()) return std::nullopt;
  return listing;
}

}  // namespace tavrin::platform
