#include "platform/directory_lister.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scratch_folder.h"

namespace tavrin::platform {
namespace {

namespace fs = std::filesystem;

class DirectoryListerTest : public testing::Test {
 protected:
  // name -> isFolder, sorted by name, of the listing of `path`.
  static std::vector<std::pair<std::string, bool>> Entries(const FolderListing& listing) {
    std::vector<std::pair<std::string, bool>> entries;
    for (const DirectoryEntry& e : listing.entries) entries.emplace_back(e.name, e.isFolder);
    std::sort(entries.begin(), entries.end());
    return entries;
  }

  tavrin::testing_support::ScratchFolder scratch_{"tavrin-lister"};
  const fs::path folder_ = scratch_.Path();
  PosixDirectoryLister lister_;
};

// Pipes, devices and links that lead nowhere or to them are left out; all else is listed.
TEST_F(DirectoryListerTest, ListsEveryFolderAndFileWithItsFolderAttribute) {
  fs::create_directory(folder_ / ".hidden_folder");
  fs::create_directory(folder_ / "sub");
  std::ofstream(folder_ / ".hidden_file") << "x";
  std::ofstream(folder_ / "file") << "x";
  fs::create_directory_symlink(folder_ / "sub", folder_ / "link_to_folder");
  fs::create_symlink(folder_ / "file", folder_ / "link_to_file");
  fs::create_symlink(folder_ / "nowhere", folder_ / "dangling");
  fs::create_symlink(folder_ / "self_loop", folder_ / "self_loop");
  fs::create_symlink("/dev/null", folder_ / "link_to_device");
  mkfifo((folder_ / "fifo").c_str(), 0600);

  const auto listing = lister_.List(folder_.string());
  ASSERT_TRUE(listing.has_value());
  const std::vector<std::pair<std::string, bool>> expected{{".", true},
                                                           {"..", true},
                                                           {".hidden_file", false},
                                                           {".hidden_folder", true},
                                                           {"file", false},
                                                           {"link_to_file", false},
                                                           {"link_to_folder", true},
                                                           {"sub", true}};
  EXPECT_EQ(Entries(*listing), expected);
}

TEST_F(DirectoryListerTest, AFolderReachedThroughALinkHasTheSameIdentity) {
  fs::create_directory(folder_ / "sub");
  fs::create_directory_symlink(folder_ / "sub", folder_ / "link");
  const auto direct = lister_.List((folder_ / "sub").string());
  const auto linked = lister_.List((folder_ / "link/").string());
  const auto other = lister_.List(folder_.string());
  ASSERT_TRUE(direct && linked && other);
  EXPECT_EQ(direct->identity, linked->identity);
  EXPECT_FALSE(direct->identity == other->identity);
}

TEST_F(DirectoryListerTest, WhatCannotBeListedGivesNothing) {
  std::ofstream(folder_ / "file") << "x";
  EXPECT_FALSE(lister_.List((folder_ / "missing").string()).has_value());
  EXPECT_FALSE(lister_.List((folder_ / "file").string()).has_value());
  EXPECT_FALSE(lister_.List((folder_ / "file/").string()).has_value());
}

}  // namespace
}  // namespace tavrin::platform
