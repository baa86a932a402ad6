#include "export/find_file_pattern.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "../platform/child_process.h"
#include "../platform/scratch_folder.h"
#include "platform/directory_lister.h"

namespace tavrin::chat_export {
namespace {

namespace fs = std::filesystem;
using platform::DirectoryEntry;
using platform::FolderListing;

// A tree held in memory: folder path (with trailing "/") to its listing. Folders without an
// identity of their own get a fresh one; an alias shares the identity of the folder it names,
// as a symbolic link would.
class FakeLister final : public platform::DirectoryLister {
 public:
  void AddFolder(const std::string& path, std::vector<DirectoryEntry> entries) {
    entries.insert(entries.begin(), {{".", true}, {"..", true}});
    folders_[path] = {{1, nextInode_++}, std::move(entries)};
  }
  void AddAlias(const std::string& alias, const std::string& target) { aliases_[alias] = target; }
  std::optional<FolderListing> List(const std::string& folder) override {
    listed.push_back(folder);
    auto alias = aliases_.find(folder);
    const std::string& real = alias == aliases_.end() ? folder : alias->second;
    auto found = folders_.find(real);
    if (found == folders_.end()) return std::nullopt;
    return found->second;
  }
  std::vector<std::string> listed;

 private:
  std::map<std::string, FolderListing> folders_;
  std::map<std::string, std::string> aliases_;
  std::uint64_t nextInode_ = 1;
};

DirectoryEntry Folder(std::string name) {
  return {std::move(name), true};
}
DirectoryEntry File(std::string name) {
  return {std::move(name), false};
}

std::vector<std::string> Search(platform::DirectoryLister& lister, const std::string& root) {
  std::vector<std::string> list;
  FindFilePattern(root, "main.db", list, lister);
  return list;
}

TEST(FindFilePatternTest, SearchesDepthFirstInListingOrderAndSkipsExcludedFolders) {
  FakeLister lister;
  lister.AddFolder("/r/", {Folder("bob"), File("main.db"), Folder("alice")});
  lister.AddFolder("/r/bob/", {Folder("chatsync"), File("MAIN.DB")});
  lister.AddFolder("/r/bob/chatsync/", {Folder("x")});
  lister.AddFolder("/r/bob/chatsync/x/", {File("main.db")});
  lister.AddFolder("/r/alice/", {File("Main.db"), File("main.db-journal"), File("main.db.bak")});
  EXPECT_EQ(Search(lister, "/r"),
            (std::vector<std::string>{"/r/bob/MAIN.DB", "/r/main.db", "/r/alice/Main.db"}));
}

TEST(FindFilePatternTest, AppendsToTheListWithoutRemovingAnything) {
  FakeLister lister;
  lister.AddFolder("/r/", {File("main.db")});
  std::vector<std::string> list{"kept"};
  FindFilePattern("/r/", "MAIN.db", list, lister);
  EXPECT_EQ(list, (std::vector<std::string>{"kept", "/r/main.db"}));
}

TEST(FindFilePatternTest, RootWithAndWithoutTrailingSlashGivesTheSameList) {
  FakeLister lister;
  lister.AddFolder("/r/", {Folder("a"), File("main.db")});
  lister.AddFolder("/r/a/", {File("main.db")});
  EXPECT_EQ(Search(lister, "/r"), Search(lister, "/r/"));
  EXPECT_EQ(Search(lister, "/r").size(), 2u);
}

TEST(FindFilePatternTest, EmptyRootStartsAtTheFileSystemRoot) {
  FakeLister lister;
  lister.AddFolder("/", {File("main.db")});
  EXPECT_EQ(Search(lister, ""), std::vector<std::string>{"/main.db"});
}

TEST(FindFilePatternTest, MissingRootGivesNothing) {
  FakeLister lister;
  EXPECT_TRUE(Search(lister, "/nowhere").empty());
}

TEST(FindFilePatternTest, ExcludedWordsAreMatchedInTheWholeLowerCasedPath) {
  FakeLister lister;
  lister.AddFolder("/voicemail/data/", {Folder("sub"), File("main.db")});
  lister.AddFolder("/voicemail/data/sub/", {File("main.db")});
  lister.AddFolder("/r/", {Folder("My Skype Received Files"), Folder("shared_HTTPFE"),
                           Folder("VoiceMail2"), Folder("ok")});
  lister.AddFolder("/r/My Skype Received Files/", {File("main.db")});
  lister.AddFolder("/r/shared_HTTPFE/", {File("main.db")});
  lister.AddFolder("/r/VoiceMail2/", {File("main.db")});
  lister.AddFolder("/r/ok/", {File("main.db")});
  EXPECT_EQ(Search(lister, "/voicemail/data"), std::vector<std::string>{"/voicemail/data/main.db"});
  EXPECT_EQ(Search(lister, "/r"), std::vector<std::string>{"/r/ok/main.db"});
}

TEST(FindFilePatternTest, AFolderNamedLikeThePatternIsSearchedButNeverListed) {
  FakeLister lister;
  lister.AddFolder("/r/", {Folder("main.db")});
  lister.AddFolder("/r/main.db/", {File("main.db")});
  EXPECT_EQ(Search(lister, "/r"), std::vector<std::string>{"/r/main.db/main.db"});
}

TEST(FindFilePatternTest, EachFolderIsSearchedOnceHoweverManyLinksLeadToIt) {
  FakeLister lister;
  lister.AddFolder("/r/", {Folder("a"), Folder("loop"), Folder("again")});
  lister.AddFolder("/r/a/", {File("main.db"), Folder("up")});
  lister.AddAlias("/r/a/up/", "/r/");     // a link back to the root: a cycle
  lister.AddAlias("/r/loop/", "/r/");     // another one
  lister.AddAlias("/r/again/", "/r/a/");  // a second way into a
  EXPECT_EQ(Search(lister, "/r"), std::vector<std::string>{"/r/a/main.db"});
}

TEST(FindFilePatternTest, ServicesTheMessageLoopOncePerEntry) {
  FakeLister lister;
  lister.AddFolder("/r/", {Folder("a"), File("x")});
  lister.AddFolder("/r/a/", {File("main.db")});
  int serviced = 0;
  std::vector<std::string> list;
  FindFilePattern("/r", "main.db", list, lister, [&] { ++serviced; });
  EXPECT_EQ(serviced, 4 + 3);  // ".", "..", a, x; then ".", "..", main.db
}

TEST(LowerCaseTest, LowersOneCharacterForOneAndKeepsBadBytes) {
  EXPECT_EQ(LowerCase("My Skype Received Files"), "my skype received files");
  EXPECT_EQ(LowerCase("ÄÖÜ ΣΩ"), "äöü σω");
  EXPECT_EQ(LowerCase("A\xff"
                      "B"),
            "a\xff"
            "b");
}

// ---- on the real file system ----

class RealTreeTest : public testing::Test {
 protected:
  void Touch(const fs::path& relative) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << "x";
  }
  std::vector<std::string> SearchRoot() {
    platform::PosixDirectoryLister lister;
    std::vector<std::string> list = Search(lister, root_.string());
    std::sort(list.begin(), list.end());
    return list;
  }
  std::string At(const std::string& relative) const { return (root_ / relative).string(); }

  tavrin::testing_support::ScratchFolder scratch_{"tavrin-search"};
  const fs::path root_ = scratch_.Path();
};

TEST_F(RealTreeTest, FindsHiddenFilesAndFoldersAndFollowsFolderLinks) {
  Touch(".hidden/main.db");
  Touch("alice/MAIN.DB");
  Touch("elsewhere/acct/main.db");
  fs::create_directory_symlink(root_ / "elsewhere/acct", root_ / "linked");
  fs::create_symlink(root_ / "gone", root_ / "dangling");
  fs::create_symlink(root_ / "gone", root_ / "main.db");  // a dangling link is no database
  const std::vector<std::string> found = SearchRoot();
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0], At(".hidden/main.db"));
  EXPECT_EQ(found[1], At("alice/MAIN.DB"));
  // The linked account is found once, under whichever path the listing reached first.
  EXPECT_TRUE(found[2] == At("elsewhere/acct/main.db") || found[2] == At("linked/main.db"));
}

TEST_F(RealTreeTest, EndsOnLinkCycles) {
  Touch("a/main.db");
  fs::create_directory_symlink(root_, root_ / "a/up");
  fs::create_directory_symlink(root_ / "a", root_ / "a/self");
  fs::create_directory_symlink(root_ / "b", root_ / "c");
  fs::create_directory_symlink(root_ / "c", root_ / "b");  // links that lead to each other
  EXPECT_EQ(SearchRoot(), std::vector<std::string>{At("a/main.db")});
}

// Root would read the folder regardless of its permissions, so the search runs in a child
// process that has given root up, as an ordinary user would run it.
TEST_F(RealTreeTest, AnUnreadableFolderContributesNothingAndTheWalkGoesOn) {
  Touch("locked/main.db");
  Touch("open/main.db");
  fs::permissions(root_, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(root_ / "open",
                  fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(root_ / "locked", fs::perms::none);
  const std::vector<std::string> expected{At("open/main.db")};
  const int status = testing_support::RunInChild(testing_support::ChildUser::Nobody,
                                                 [&] { return SearchRoot() == expected ? 0 : 1; });
  EXPECT_EQ(status, 0);
}

TEST_F(RealTreeTest, ARootThatIsAFileGivesNothing) {
  Touch("main.db");
  platform::PosixDirectoryLister lister;
  EXPECT_TRUE(Search(lister, At("main.db")).empty());
}

}  // namespace
}  // namespace tavrin::chat_export
