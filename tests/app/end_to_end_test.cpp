// The real program on the test display, used as a person uses it: the pointer clicks, the
// keyboard types, and the window is closed through the window manager's request.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "fixture/fixture_database.h"
#include "image_compare.h"
#include "message_rows.h"
#include "x_session.h"

namespace tavrin::app {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test_support::Message;
using test_support::PressKeys;
using test_support::Process;
using test_support::TypeText;
using test_support::WaitUntil;
using test_support::XWindow;

const fs::path kProgram = fs::path(TAVRIN_BINARY_DIR) / "bin" / "tavrin-export";
const fs::path kGallery = fs::path(TAVRIN_BINARY_DIR) / "bin" / "tavrin-gallery";
const fs::path kArtifacts = fs::path(TAVRIN_TEST_DATA_DIR) / ".." / ".." / ".." / "artifacts";

// Designed places on the window (client coordinates): the folder box and the Export button.
constexpr int kFolderBoxX = 10 + 100 + 100, kFolderBoxY = 8 + 53 + 9;
constexpr int kButtonX = 10 + 304 + 60, kButtonY = 8 + 45 + 17;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Listing(const fs::path& folder) {
  std::string names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names += entry.path().filename().string() + ": " + ReadFile(entry.path()) + "\n";
  }
  return names;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start != text.size()) lines.push_back(text.substr(start));  // an incomplete last line
  return lines;
}

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "the end-to-end tests need a display";
    ASSERT_TRUE(fs::exists(kProgram)) << kProgram;
    workDir_ = fs::temp_directory_path() /
               ("tavrin-e2e-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(workDir_);
    fs::create_directories(workDir_ / "out");
  }
  void TearDown() override {
    if (HasFailure()) {
      // What the screen showed when the test failed, for whoever looks into it.
      fs::create_directories(kArtifacts);
      test_support::RunCommand(
          "import -window root " +
          test_support::ShellQuoted(
              (kArtifacts /
               (std::string("e2e-failure-") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png"))
                  .string()));
    }
    programs_.clear();
    fs::remove_all(workDir_);
  }

  // Started programs live until the test's screen has been kept.
  Process& StartProgram() {
    return *programs_.emplace_back(std::make_unique<Process>(
        kProgram.string(), std::vector<std::string>{
                               "XDG_CONFIG_HOME=" + (workDir_ / "config").string(), "TZ=UTC",
                               "NO_AT_BRIDGE=1", "GTK_THEME=Adwaita", "GSETTINGS_BACKEND=memory"}));
  }

  // The program's main window, moved off the corner where other tests' windows open.
  std::optional<XWindow> MainWindow() {
    auto window = XWindow::WaitFor("Export Tavrin");
    if (window) window->MoveTo(780, 880);
    return window;
  }

  // Types the database root into the folder box, clicks Export, and answers the file dialog
  // with the output file's path and Enter.
  void ExportThroughTheWindow(const XWindow& window, const fs::path& root) {
    window.ClickAt(kFolderBoxX, kFolderBoxY);
    PressKeys("ctrl+a");
    TypeText(root.string());
    window.ClickAt(kButtonX, kButtonY);
    AnswerOutputDialog();
  }

  void AnswerOutputDialog() {
    auto dialog = XWindow::WaitFor("Choose directory");
    ASSERT_TRUE(dialog) << "the output dialog did not appear";
    dialog->MovePointerInto();
    PressKeys("ctrl+a");
    // Each "/" makes the chooser load that folder for its completion, and keys that arrive
    // while it does can be lost; so the path is typed one folder at a time, pausing after
    // each "/" as a typist looking at the completion would.
    const std::string path = (workDir_ / "out" / "chosen.txt").string();
    for (std::size_t start = 0; start < path.size();) {
      const std::size_t slash = path.find('/', start);
      const std::size_t end = slash == std::string::npos ? path.size() : slash + 1;
      TypeText(path.substr(start, end - start), 20);
      std::this_thread::sleep_for(500ms);
      start = end;
    }
    PressKeys("Return");
  }

  // Two chats in one database under root/acct; their chat files are kFirstChat, kSecondChat.
  void MakeTwoChatTree(const fs::path& root) {
    auto db = fixture::FixtureDatabase::create(root / "acct" / "main.db");
    db.addMessage(Message("#alice/$bob;3f2a1c", "Alice", 1399112531, "Hello"));
    db.addMessage(Message("#alice/$bob;3f2a1c", "Bob", 1399112700, "Hi <b>Alice</b>"));
    db.addMessage(Message("19:abc", "Eve", 1399200000, "  spaced  "));
    db.close();
  }
  static constexpr const char* kFirstChat = "l2014_05_03_alice__bob;3f2a1c.txt";
  static constexpr const char* kFirstChatText =
      "[2014-05-03 10:25:00] Bob: Hi <b>Alice</b>\r\n[2014-05-03 10:22:11] Alice: Hello\r\n";
  static constexpr const char* kSecondChat = "l2014_05_0419:abc.txt";
  static constexpr const char* kSecondChatText = "[2014-05-04 10:40:00] Eve:   spaced  \r\n";

  bool TwoChatFilesWritten() const {
    return ReadFile(workDir_ / "out" / kFirstChat) == kFirstChatText &&
           ReadFile(workDir_ / "out" / kSecondChat) == kSecondChatText;
  }

  test_support::DisplayLock displayLock_;
  fs::path workDir_;
  std::vector<std::unique_ptr<Process>> programs_;
};

TEST_F(EndToEndTest, ExportChosenThroughTheWindowWritesTheChatFiles) {
  MakeTwoChatTree(workDir_ / "typed root");
  Process& program = StartProgram();
  auto window = MainWindow();
  ASSERT_TRUE(window) << "the main window did not appear";
  const auto geometry = window->Geometry();
  EXPECT_EQ(geometry.width, 465);
  EXPECT_EQ(geometry.height, 111);
  ExportThroughTheWindow(*window, workDir_ / "typed root");

  EXPECT_TRUE(WaitUntil([&] { return TwoChatFilesWritten(); })) << Listing(workDir_ / "out");
  EXPECT_FALSE(fs::exists(workDir_ / "out" / "chosen.txt"));

  window->RequestClose();
  EXPECT_EQ(program.WaitForExit(10s), 0) << "closing the idle window ends the program";
}

TEST_F(EndToEndTest, KeyboardAloneReachesTheFolderBoxAndTheButton) {
  MakeTwoChatTree(workDir_ / "root");
  Process& program = StartProgram();
  auto window = MainWindow();
  ASSERT_TRUE(window);
  window->MovePointerInto();  // the keyboard follows the pointer on this display
  // The button has the focus at start; Tab moves it to the folder box (selecting its text),
  // Shift+Tab back to the button, where Enter presses it.
  PressKeys("Tab");
  TypeText((workDir_ / "root").string());
  PressKeys("shift+Tab Return");
  AnswerOutputDialog();
  EXPECT_TRUE(WaitUntil([&] { return TwoChatFilesWritten(); })) << Listing(workDir_ / "out");

  window->RequestClose();
  EXPECT_EQ(program.WaitForExit(10s), 0);
}

// The window on screen against the gallery's images of the same widgets. The gallery renders
// each widget alone over the window colour, so the comparison leaves out what only the window
// has: the controls on the panel and, on the button, the rounded corners that show the panel
// instead of the window colour. Text is left out as well: glyph pixels depend on the fonts
// each program finds. A pixel differs when a channel is more than kChannelTolerance apart
// (anti-aliasing of the same curve drawn at a different place in the window's surface stays
// within that); at most kDifferingShare of the compared pixels may differ.
constexpr int kChannelTolerance = 8;
constexpr double kDifferingShare = 0.01;

TEST_F(EndToEndTest, WindowShowsTheGallerysPanelAndButton) {
  Process& program = StartProgram();
  auto window = MainWindow();
  ASSERT_TRUE(window);
  fs::create_directories(kArtifacts);
  const std::string shot = (kArtifacts / "main-window.png").string();
  window->Screenshot(shot);
  ASSERT_TRUE(fs::exists(kGallery)) << kGallery;
  const fs::path gallery = workDir_ / "gallery";
  test_support::RunCommand(test_support::ShellQuoted(kGallery.string()) + " --out " +
                           test_support::ShellQuoted(gallery.string()) +
                           " panel-main button-focused button-idle >/dev/null");

  using test_support::Area;
  const auto panel =
      test_support::CompareArea(shot, Area{10, 8, 452, 100}, (gallery / "panel-main.png").string(),
                                {Area{0, 0, 452, 26},      // caption text and the line under it
                                 Area{16, 56, 78, 13},     // Label1
                                 Area{100, 53, 198, 19},   // Edit1
                                 Area{304, 45, 120, 35}},  // btn
                                kChannelTolerance);
  EXPECT_LE(panel.DifferingShare(), kDifferingShare)
      << panel.differing << " of " << panel.compared << " panel pixels differ";

  // The button starts with the focus; whether its look shows it depends on the display
  // giving the window the keyboard, so either look counts.
  const std::vector<Area> buttonIgnored{Area{0, 0, 120, 4}, Area{0, 31, 120, 4}, Area{0, 0, 4, 35},
                                        Area{116, 0, 4, 35},
                                        Area{30, 8, 60, 20}};  // corners, edges, caption
  double best = 1.0;
  for (const char* look : {"button-focused.png", "button-idle.png"}) {
    const auto button = test_support::CompareArea(
        shot, Area{314, 53, 120, 35}, (gallery / look).string(), buttonIgnored, kChannelTolerance);
    best = std::min(best, button.DifferingShare());
  }
  EXPECT_LE(best, kDifferingShare) << "of the button's pixels differ";

  window->RequestClose();
  EXPECT_EQ(program.WaitForExit(10s), 0);
}

TEST_F(EndToEndTest, ClosingDuringALongExportEndsWithTheOpenChatFileComplete) {
  // One long chat, so the export is still in its rows when the close request comes, and a
  // second database that the stopped run opens but no longer reads.
  constexpr int kRows = 1'500'000;
  constexpr std::int64_t kFirstTime = 1399112531;
  {
    fixture::FixtureOptions bulk;
    bulk.indexes = fixture::IndexBuild::atClose;
    auto db = fixture::FixtureDatabase::create(workDir_ / "root" / "a" / "main.db", bulk);
    db.begin();
    for (int i = 0; i < kRows; ++i) {
      db.addMessage(
          Message("#long/$chat;1", "Writer", kFirstTime + i, "message " + std::to_string(i)));
    }
    db.commit();
    db.close();
    auto other = fixture::FixtureDatabase::create(workDir_ / "root" / "b" / "main.db");
    other.addMessage(Message("#other;2", "B", kFirstTime, "never read"));
    other.close();
  }
  Process& program = StartProgram();
  auto window = MainWindow();
  ASSERT_TRUE(window);
  ExportThroughTheWindow(*window, workDir_ / "root");

  // The chat file exists once the first row is written; close the window then.
  fs::path chatFile;
  ASSERT_TRUE(WaitUntil([&] {
    for (const auto& entry : fs::directory_iterator(workDir_ / "out")) {
      if (entry.path().filename().string().find("long") != std::string::npos) {
        chatFile = entry.path();
        return true;
      }
    }
    return false;
  }));
  window->RequestClose();
  ASSERT_EQ(program.WaitForExit(60s), 0) << "the program ends once the export has stopped";

  const std::vector<std::string> lines = SplitLines(ReadFile(chatFile));
  ASSERT_FALSE(lines.empty());
  EXPECT_LT(lines.size(), static_cast<std::size_t>(kRows)) << "the close came too late";
  // Newest first, every line whole, none missing or torn up to the last one written.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int row = kRows - 1 - static_cast<int>(i);
    ASSERT_EQ(lines[i].substr(lines[i].find(']') + 1), " Writer: message " + std::to_string(row))
        << "line " << i;
  }
  EXPECT_EQ(ReadFile(chatFile).substr(ReadFile(chatFile).size() - 2), "\r\n");
  // The search takes folders in the file system's listing order; the database listed after
  // the long one is opened once the run has stopped, but no longer read.
  const bool longDatabaseFirst =
      fs::directory_iterator(workDir_ / "root")->path().filename() == "a";
  EXPECT_EQ(fs::exists(workDir_ / "out" / "l2014_05_03_other;2.txt"), !longDatabaseFirst);
}

}  // namespace
}  // namespace tavrin::app
