// Listing one folder for the database search.
//
// The search asks for a folder's entries, looks at each and descends into sub-folders itself.
// A listing is read whole before the caller descends, so a deep tree never holds more than one
// folder descriptor open at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::platform {

struct DirectoryEntry {
  std::string name;  // as the file system holds it, "." and ".." included
  bool isFolder = false;
};

// Which folder a listing came from, whatever path led to it: a folder reached again through a
// symbolic link has the same identity.
struct FolderIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};

struct FolderListing {
  FolderIdentity identity;
  std::vector<DirectoryEntry> entries;  // in the order the file system reports them
};

class DirectoryLister {
 public:
  virtual ~DirectoryLister() = default;
  // All entries of the folder, hidden ones included. Nothing when the folder cannot be listed
  // (missing, a file, not readable) or reports no entry at all.
  virtual std::optional<FolderListing> List(const std::string& folder) = 0;
};

// The file system's own listing. An entry is a folder when it is one or when it is a symbolic
// link that ends at one, so linked folders are searched like folders. Only folders and regular
// files are listed: a symbolic link that leads nowhere, a pipe, a socket or a device is neither
// a folder to search nor a file that could be read as a database (opening a dangling link
// would create its target, reading a pipe would wait for ever).
class PosixDirectoryLister final : public DirectoryLister {
 public:
  std::optional<FolderListing> List(const std::string& folder) override;
};

}  // namespace tavrin::platform
