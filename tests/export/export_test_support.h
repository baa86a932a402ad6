// A recording host, a scratch folder tree and a ready connection for export run tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "../platform/scratch_folder.h"
#include "export/chat_export.h"
#include "fixture/fixture_database.h"
#include "platform/code_page.h"
#include "platform/directory_lister.h"
#include "platform/file_writer.h"
#include "store/read_only_query.h"
#include "store/sql_connection.h"

namespace tavrin::chat_export::testing_support {

namespace fs = std::filesystem;

// Records what the run asks of the window, in order. Rows are counted as the calls to
// ProcessMessages() after the first database was opened.
class RecordingHost final : public TExportHost {
 public:
  std::string root;
  std::optional<std::string> chosenFile;
  std::optional<std::size_t> terminateAfterRows;  // the request comes after so many rows
  std::function<void(std::size_t row)> onRow;     // runs inside ProcessMessages()
  std::vector<std::string> events;
  std::size_t serviced = 0;  // all ProcessMessages() calls
  std::size_t rows = 0;      // those made from the row loop

  std::string DatabaseRoot() override {
    events.push_back("root");
    return root;
  }
  void SetExportButtonEnabled(bool enabled) override {
    events.push_back(enabled ? "button on" : "button off");
  }
  void SetFolderBoxEnabled(bool enabled) override {
    events.push_back(enabled ? "folder box on" : "folder box off");
  }
  void SetFolderBoxColor(std::int32_t color) override {
    events.push_back(color == kClBtnFace  ? "colour clBtnFace"
                     : color == kClWindow ? "colour clWindow"
                                          : "colour other");
  }
  std::optional<std::string> ChooseOutputFile() override {
    events.push_back("output dialog");
    return chosenFile;
  }
  void ShowErrorDialog(const std::string& text) override { events.push_back("error: " + text); }
  void ShowMessageDialog(const std::string& text) override { events.push_back("message: " + text); }
  void ProcessMessages() override {
    ++serviced;
    if (!inRowLoop_) return;
    ++rows;
    if (onRow) onRow(rows);
  }
  bool Terminated() override { return terminateAfterRows && rows >= *terminateAfterRows; }
  void OnDatabaseOpened(std::size_t index, const std::string& path, std::size_t rowCount) override {
    inRowLoop_ = true;
    events.push_back("opened " + std::to_string(index) + " " + path + " " +
                     std::to_string(rowCount));
  }
  void OnChatFileCreated(const std::string& path) override { events.push_back("created " + path); }

  // The events whose text starts with `prefix`.
  std::vector<std::string> Events(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& e : events)
      if (e.rfind(prefix, 0) == 0) found.push_back(e);
    return found;
  }

 private:
  bool inRowLoop_ = false;
};

// The real listing in name order, so that tests with several databases know the search order.
class SortedLister final : public platform::DirectoryLister {
 public:
  std::optional<platform::FolderListing> List(const std::string& folder) override {
    std::optional<platform::FolderListing> listing = real_.List(folder);
    if (listing)
      std::sort(listing->entries.begin(), listing->entries.end(),
                [](const auto& a, const auto& b) { return a.name < b.name; });
    return listing;
  }

 private:
  platform::PosixDirectoryLister real_;
};

// Local date texts come from SQLite's local time of the process, so the tests fix the zone.
inline void UseUtc() {
  setenv("TZ", "UTC", 1);
  tzset();
}

inline constexpr std::int64_t k2014_05_03_102211 = 1399112531;  // 2014-05-03 10:22:11 UTC
inline constexpr std::int64_t kOneDay = 86400;

inline fixture::MessageRow Message(std::optional<std::string> chat,
                                   std::optional<std::string> sender,
                                   std::optional<std::int64_t> timestamp,
                                   std::optional<std::string> body) {
  fixture::MessageRow row;
  row.chatname = std::move(chat);
  row.author = "author";
  row.from_dispname = std::move(sender);
  row.timestamp = timestamp;
  row.body_xml = std::move(body);
  return row;
}

// A scratch tree: <tmp>/root (the database root) and <tmp>/out (the output folder), with a
// connection, a query and the real file system, and a run that records into `host`.
class ExportTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseUtc(); }

  void SetUp() override {
    fs::create_directories(base_ / "root");
    fs::create_directories(base_ / "out");
    host.root = (base_ / "root").string();
    host.chosenFile = (base_ / "out" / "default.txt").string();
    codePage_ = platform::MakeCodePage("UTF-8");
    connection.SetCodePage(*codePage_);
    zq.SetConnection(&connection);
  }

  void UseCodePage(std::unique_ptr<platform::CodePage> codePage) {
    codePage_ = std::move(codePage);
    connection.SetCodePage(*codePage_);
  }

  // root/<account>/main.db holding `rows`.
  fs::path AddDatabase(const std::string& account, const std::vector<fixture::MessageRow>& rows) {
    const fs::path path = base_ / "root" / account / "main.db";
    auto db = fixture::FixtureDatabase::create(path);
    db.addMessages(rows);
    db.close();
    return path;
  }

  TExportSummary Run() {
    return doTavrinExport({host, connection, zq, *codePage_, lister, *files});
  }
  // The failure's message, or "" when the run ended normally.
  std::string RunExpectingFailure() {
    try {
      Run();
    } catch (const std::exception& failure) {
      return failure.what();
    }
    return "";
  }

  std::string Out(const std::string& name) const { return (base_ / "out" / name).string(); }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  // Names of the files in the output folder, sorted.
  std::vector<std::string> OutFiles() const { return FilesBelow(base_ / "out"); }
  // Relative paths of every file under the scratch folder, sorted.
  static std::vector<std::string> FilesBelow(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
      if (!entry.is_directory()) names.push_back(fs::relative(entry.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
  }

  tavrin::testing_support::ScratchFolder scratch_{"tavrin-export"};
  const fs::path base_ = scratch_.Path();
  RecordingHost host;
  store::TSQLConnection connection;
  store::TReadOnlyQuery zq{"zq"};
  SortedLister lister;
  platform::PosixFileSystem realFiles;
  platform::FileSystem* files = &realFiles;
  std::unique_ptr<platform::CodePage> codePage_;
};

}  // namespace tavrin::chat_export::testing_support
