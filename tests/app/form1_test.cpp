// The main window in this process, on the test display: its layout, its default root and its
// two states around an export whose dialogs answer from a script.
#include "app/form1.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "fixture/fixture_database.h"
#include "message_rows.h"
#include "scripted_dialogs.h"
#include "widgets/drawing/color.h"

namespace tavrin::app {
namespace {

namespace fs = std::filesystem;
using test_support::ControlsState;
using test_support::DialogKind;
using test_support::Message;
using test_support::ScriptedDialogs;

// The default root is made from the user's configuration folder, which GLib reads once per
// process: it is pinned before anything asks. Dates of chat files are local time: pinned too.
const fs::path kConfigHome = fs::temp_directory_path() / "tavrin-form1-test-config";
const bool kEnvironmentPinned = [] {
  setenv("XDG_CONFIG_HOME", kConfigHome.c_str(), 1);
  setenv("TZ", "UTC", 1);
  tzset();
  return true;
}();

// The folder box's colour as its style draws it, in the window's colour type.
TColor DrawnBackground(GtkWidget* entry) {
  GtkStyleContext* style = gtk_widget_get_style_context(entry);
  GdkRGBA* rgba = nullptr;
  gtk_style_context_get(style, gtk_style_context_get_state(style), "background-color", &rgba,
                        nullptr);
  const auto channel = [](double v) { return static_cast<uint8_t>(std::lround(v * 255)); };
  const TColor color = RGB(channel(rgba->red), channel(rgba->green), channel(rgba->blue));
  gdk_rgba_free(rgba);
  return color;
}

// The folder box's text colour as its style draws it, in the window's colour type.
TColor DrawnTextColor(GtkWidget* entry) {
  GtkStyleContext* style = gtk_widget_get_style_context(entry);
  GdkRGBA rgba{};
  gtk_style_context_get_color(style, gtk_style_context_get_state(style), &rgba);
  const auto channel = [](double v) { return static_cast<uint8_t>(std::lround(v * 255)); };
  return RGB(channel(rgba.red), channel(rgba.green), channel(rgba.blue));
}

const ControlsState kIdle{true, true, ColorToRGB(clWindow)};
const ControlsState kExporting{false, false, ColorToRGB(clBtnFace)};

void ProcessPendingEvents() {
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
}

class Form1Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Display tests fail rather than skip without a display.
    ASSERT_TRUE(controls::InitWindowing(nullptr, nullptr)) << "no display: DISPLAY unset?";
  }

  void SetUp() override {
    ASSERT_TRUE(kEnvironmentPinned);
    workDir_ = fs::temp_directory_path() /
               ("tavrin-form1-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(workDir_);
    fs::create_directories(workDir_);
    form_ = std::make_unique<TForm1>(application_);
    dialogs_.snapshot = [this] {
      return ControlsState{form_->btn().Enabled(), form_->Edit1().Enabled(),
                           DrawnBackground(form_->Edit1().Hosted())};
    };
    // The press flash after a click only blocks; the tests do not wait for it.
    form_->btn().SetSleepFunction([](std::chrono::milliseconds) {});
    form_->Show();
    ProcessPendingEvents();
  }

  void TearDown() override {
    form_.reset();
    ProcessPendingEvents();
    fs::remove_all(workDir_);
  }

  ControlsState Controls() const { return dialogs_.snapshot(); }

  // A click on the Export button, delivered the way the window system delivers one.
  void ClickExport() {
    auto& button = form_->btn();
    const int x = button.Width() / 2, y = button.Height() / 2;
    button.HandleMouseDown(controls::TMouseButton::mbLeft, controls::TShiftState::ssLeft, x, y);
    button.HandleMouseUp(controls::TMouseButton::mbLeft, {}, x, y);
  }

  void SetFolderBox(const fs::path& root) { gtk_entry_set_text(form_->Edit1Entry(), root.c_str()); }

  // 2014-05-03 10:22:11 UTC and 10:25:00: the chat file's date part is 2014_05_03.
  fs::path MakeTwoChatDatabase(const fs::path& folder) {
    auto db = fixture::FixtureDatabase::create(folder / "main.db");
    db.addMessage(Message("#alice/$bob;3f2a1c", "Alice", 1399112531, "Hello"));
    db.addMessage(Message("#alice/$bob;3f2a1c", "Bob", 1399112700, "Hi Alice"));
    db.addMessage(Message("#carol/$dave;99", "Dave", 1399112531, "Ping"));
    db.close();
    return folder / "main.db";
  }

  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  ScriptedDialogs dialogs_;
  TApplication application_{"Form1_test", dialogs_};
  std::unique_ptr<TForm1> form_;
  fs::path workDir_;
};

// ---------------------------------------------------------------------------------------------
// Layout

TEST_F(Form1Test, ClientAreaIsTheDesignedSizeAndCannotBeResized) {
  ASSERT_EQ(form_->Scale(), 1.0) << "the test display runs at 96 dpi";
  GtkWindow* window = form_->Window();
  GdkWindow* client = gtk_widget_get_window(GTK_WIDGET(window));
  ASSERT_NE(client, nullptr);
  EXPECT_EQ(gdk_window_get_width(client), layout::kClientWidth);
  EXPECT_EQ(gdk_window_get_height(client), layout::kClientHeight);
  EXPECT_FALSE(gtk_window_get_resizable(window));

  gtk_window_resize(window, 800, 400);
  ProcessPendingEvents();
  EXPECT_EQ(gdk_window_get_width(client), layout::kClientWidth);
  EXPECT_EQ(gdk_window_get_height(client), layout::kClientHeight);
}

TEST_F(Form1Test, WindowShowsItsCaptionInAFixedDialogFrame) {
  GtkWindow* window = form_->Window();
  EXPECT_STREQ(gtk_window_get_title(window), "Export Tavrin");
  EXPECT_EQ(gtk_window_get_type_hint(window), GDK_WINDOW_TYPE_HINT_DIALOG);
  EXPECT_FALSE(gtk_window_get_skip_taskbar_hint(window));
}

// What the window's frame hints allow (move, close, minimise...), read back from the X
// server as a window manager reads them; without hints everything is allowed.
bool FrameAllows(GtkWindow* window, GdkWMFunction function) {
  constexpr long kFunctionsGiven = 1;  // the hints' flag for a valid functions field
  GdkAtom type = GDK_NONE;
  gint format = 0, length = 0;
  guchar* data = nullptr;
  const gboolean found = gdk_property_get(
      gtk_widget_get_window(GTK_WIDGET(window)), gdk_atom_intern_static_string("_MOTIF_WM_HINTS"),
      GDK_NONE, 0, 5, FALSE, &type, &format, &length, &data);
  long flags = 0, functions = 0;
  if (found && format == 32 && length >= static_cast<gint>(2 * sizeof(long))) {
    flags = reinterpret_cast<const long*>(data)[0];
    functions = reinterpret_cast<const long*>(data)[1];
  }
  g_free(data);
  if (!(flags & kFunctionsGiven)) return true;
  const bool listed = (functions & function) != 0;
  // With the "all" bit set the listed functions are the ones taken away.
  return (functions & GDK_FUNC_ALL) ? !listed : listed;
}

TEST_F(Form1Test, FrameOffersOnlyMovingAndClosing) {
  GtkWindow* window = form_->Window();
  EXPECT_TRUE(FrameAllows(window, GDK_FUNC_MOVE));
  EXPECT_TRUE(FrameAllows(window, GDK_FUNC_CLOSE));
  EXPECT_FALSE(FrameAllows(window, GDK_FUNC_MINIMIZE));
  EXPECT_FALSE(FrameAllows(window, GDK_FUNC_MAXIMIZE));
  EXPECT_FALSE(FrameAllows(window, GDK_FUNC_RESIZE));
}

// Where a control's widget really is on the window, whatever the control believes.
controls::ControlRect AllocatedInWindow(GtkWidget* widget, GtkWidget* window) {
  int x = 0, y = 0;
  gtk_widget_translate_coordinates(widget, window, 0, 0, &x, &y);
  return {x, y, gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget)};
}

controls::ControlRect Offset(const TBounds& b, const TBounds& by) {
  return {b.Left + by.Left, b.Top + by.Top, b.Width, b.Height};
}

TEST_F(Form1Test, EveryControlIsAtItsDesignedPlaceAndSize) {
  GtkWidget* window = GTK_WIDGET(form_->Window());
  const TBounds onWindow{0, 0, 0, 0};
  struct Expected {
    const char* name;
    controls::TControl& control;
    controls::ControlRect rect;
  } expected[] = {
      {"SmoothPanel1", form_->SmoothPanel1(), Offset(layout::kSmoothPanel1, onWindow)},
      {"Label1", form_->Label1(), Offset(layout::kLabel1, layout::kSmoothPanel1)},
      {"Edit1", form_->Edit1(), Offset(layout::kEdit1, layout::kSmoothPanel1)},
      {"btn", form_->btn(), Offset(layout::kBtn, layout::kSmoothPanel1)},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name);
    ASSERT_NE(e.control.Widget(), nullptr);
    EXPECT_EQ(e.control.RectInRoot(), e.rect);
    EXPECT_EQ(AllocatedInWindow(e.control.Widget(), window), e.rect);
  }
}

TEST_F(Form1Test, ControlsOnThePanelDoNotOverlap) {
  const TBounds placed[] = {layout::kLabel1, layout::kEdit1, layout::kBtn};
  for (std::size_t i = 0; i + 1 < std::size(placed); ++i) {
    EXPECT_LT(placed[i].Left + placed[i].Width, placed[i + 1].Left);
  }
}

TEST_F(Form1Test, FocusGoesFromTheButtonToTheFolderBox) {
  form_->btn().SetFocus();
  ProcessPendingEvents();
  EXPECT_TRUE(form_->btn().Focused());
  EXPECT_LT(form_->btn().TabOrder(), form_->Edit1().TabOrder());
  EXPECT_EQ(form_->btn().Parent(), &form_->SmoothPanel1());
  EXPECT_EQ(form_->Edit1().Parent(), &form_->SmoothPanel1());
  EXPECT_TRUE(form_->Edit1().TabStop());
  EXPECT_FALSE(form_->Label1().TabStop());
}

TEST_F(Form1Test, LabelNamesTheFolderBox) {
  EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(form_->Label1().Hosted())), "Msg db location:");
}

TEST_F(Form1Test, OnADenserScreenEverySizeGrowsByDensityOver96) {
  GdkScreen* screen = gdk_screen_get_default();
  const double before = gdk_screen_get_resolution(screen);
  gdk_screen_set_resolution(screen, 144);  // 1.5 times 96
  TForm1 scaled(application_);
  gdk_screen_set_resolution(screen, before);
  scaled.Show();
  ProcessPendingEvents();

  ASSERT_EQ(scaled.Scale(), 1.5);
  GdkWindow* client = gtk_widget_get_window(GTK_WIDGET(scaled.Window()));
  EXPECT_EQ(gdk_window_get_width(client), 698);   // 465 x 1.5, rounded
  EXPECT_EQ(gdk_window_get_height(client), 167);  // 111 x 1.5, rounded
  EXPECT_EQ(scaled.btn().BoundsRect(), (controls::ControlRect{456, 68, 180, 53}));
  EXPECT_EQ(scaled.Edit1().BoundsRect(), (controls::ControlRect{150, 80, 297, 29}));
  EXPECT_EQ(scaled.btn().Font().Size, 12);  // 8 pt, taken from the window
  EXPECT_EQ(scaled.SmoothPanel1().Caption().Font().Size, 18);
}

TEST_F(Form1Test, FolderBoxTextIsInTheWindowTextColourAndGreyedWhileDisabled) {
  GtkWidget* entry = form_->Edit1().Hosted();
  EXPECT_EQ(DrawnTextColor(entry), ColorToRGB(clWindowText));
  form_->SetFolderBoxEnabled(false);
  form_->SetFolderBoxColor(clBtnFace);
  EXPECT_EQ(DrawnTextColor(entry), ColorToRGB(clGrayText));
  form_->SetFolderBoxEnabled(true);
  form_->SetFolderBoxColor(clWindow);
  EXPECT_EQ(DrawnTextColor(entry), ColorToRGB(clWindowText));
}

// ---------------------------------------------------------------------------------------------
// Start-up

TEST_F(Form1Test, EveryWindowGetsTheIconCompiledIntoTheProgram) {
  InstallApplicationIcon();
  GList* icons = gtk_window_get_default_icon_list();
  ASSERT_NE(icons, nullptr);
  auto* icon = static_cast<GdkPixbuf*>(icons->data);
  EXPECT_EQ(gdk_pixbuf_get_width(icon), 48);
  EXPECT_EQ(gdk_pixbuf_get_height(icon), 48);
  EXPECT_TRUE(gdk_pixbuf_get_has_alpha(icon));
  g_list_free(icons);
}

TEST_F(Form1Test, FolderBoxStartsWithTheDefaultDatabaseRoot) {
  EXPECT_EQ(std::string(gtk_entry_get_text(form_->Edit1Entry())), kConfigHome.string() + "/skype/");
  EXPECT_EQ(Controls(), kIdle);
}

// ---------------------------------------------------------------------------------------------
// The two states around an export

TEST_F(Form1Test, CancelledDialogReturnsToIdleWithoutAMessage) {
  ClickExport();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].kind, DialogKind::OutputFile);
  EXPECT_EQ(dialogs_.shown[0].controls, kExporting);
  EXPECT_EQ(Controls(), kIdle);
}

TEST_F(Form1Test, NothingFoundShowsTheErrorDialogWhileExportingThenIdle) {
  fs::create_directories(workDir_ / "empty");
  SetFolderBox(workDir_ / "empty");
  dialogs_.chooseOutputFile = [this] { return (workDir_ / "default.txt").string(); };
  ClickExport();
  ASSERT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_EQ(dialogs_.shown[1].kind, DialogKind::Error);
  EXPECT_EQ(dialogs_.shown[1].title, "Error");
  EXPECT_EQ(dialogs_.shown[1].text, "No log files found !");
  EXPECT_EQ(dialogs_.shown[1].controls, kExporting);
  EXPECT_EQ(Controls(), kIdle);
}

TEST_F(Form1Test, SuccessfulExportWritesTheChatFilesAndReturnsToIdle) {
  MakeTwoChatDatabase(workDir_ / "root" / "alice");
  fs::create_directories(workDir_ / "out");
  SetFolderBox(workDir_ / "root");
  dialogs_.chooseOutputFile = [this] { return (workDir_ / "out" / "default.txt").string(); };
  ClickExport();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].controls, kExporting);
  EXPECT_EQ(Controls(), kIdle);
  EXPECT_EQ(ReadFile(workDir_ / "out" / "l2014_05_03_alice__bob;3f2a1c.txt"),
            "[2014-05-03 10:25:00] Bob: Hi Alice\r\n[2014-05-03 10:22:11] Alice: Hello\r\n");
  EXPECT_EQ(ReadFile(workDir_ / "out" / "l2014_05_03_carol__dave;99.txt"),
            "[2014-05-03 10:22:11] Dave: Ping\r\n");
  EXPECT_FALSE(fs::exists(workDir_ / "out" / "default.txt"));
}

TEST_F(Form1Test, FailureBoxComesAfterTheControlsAreRestored) {
  MakeTwoChatDatabase(workDir_ / "root");
  SetFolderBox(workDir_ / "root");
  const fs::path missing = workDir_ / "no such folder";
  dialogs_.chooseOutputFile = [&] { return (missing / "default.txt").string(); };
  ClickExport();

  const std::string chatFile = (missing / "l2014_05_03_alice__bob;3f2a1c.txt").string();
  ASSERT_EQ(dialogs_.shown.size(), 3u);
  EXPECT_EQ(dialogs_.shown[1].kind, DialogKind::Message);
  EXPECT_EQ(dialogs_.shown[1].title, "Form1_test");
  EXPECT_EQ(dialogs_.shown[1].text, chatFile);
  EXPECT_EQ(dialogs_.shown[1].controls, kExporting);
  EXPECT_EQ(dialogs_.shown[2].kind, DialogKind::FailureBox);
  EXPECT_EQ(dialogs_.shown[2].title, "Form1_test");
  EXPECT_EQ(dialogs_.shown[2].text, "Invalid file name - " + chatFile + ".");
  EXPECT_EQ(dialogs_.shown[2].controls, kIdle);
  EXPECT_EQ(Controls(), kIdle);
}

TEST_F(Form1Test, AFailedStoreEndsInTheFailureBoxAndASecondExportWorks) {
  fs::create_directories(workDir_ / "root");
  std::ofstream(workDir_ / "root" / "main.db") << "this is no database, just text\n";
  SetFolderBox(workDir_ / "root");
  dialogs_.chooseOutputFile = [this] { return (workDir_ / "default.txt").string(); };
  ClickExport();
  ASSERT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_EQ(dialogs_.shown[1].kind, DialogKind::FailureBox);
  EXPECT_FALSE(dialogs_.shown[1].text.empty());
  EXPECT_EQ(dialogs_.shown[1].controls, kIdle);

  dialogs_.shown.clear();
  dialogs_.chooseOutputFile = [] { return std::optional<std::string>(); };
  ClickExport();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].controls, kExporting);
  EXPECT_EQ(Controls(), kIdle);
}

TEST_F(Form1Test, AFailureInAControlsEventOutsideTheExportEndsInTheFailureBox) {
  // A release over the panel, as GTK hands it to the panel's widget; its handler fails.
  auto& panel = form_->SmoothPanel1();
  panel.OnMouseUp = [](controls::TControl&, controls::TMouseButton, controls::TShiftState, int,
                       int) { throw std::runtime_error("Panel failed"); };
  GdkEvent* release = gdk_event_new(GDK_BUTTON_RELEASE);
  release->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(panel.Widget())));
  release->button.send_event = TRUE;
  release->button.button = 1;
  release->button.x = 5;
  release->button.y = 5;
  gdk_event_set_device(
      release, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
  gtk_widget_event(panel.Widget(), release);
  gdk_event_free(release);

  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].kind, DialogKind::FailureBox);
  EXPECT_EQ(dialogs_.shown[0].title, "Form1_test");
  EXPECT_EQ(dialogs_.shown[0].text, "Panel failed.");
  EXPECT_EQ(dialogs_.shown[0].controls, kIdle);

  // The window goes on: an export click still works.
  dialogs_.shown.clear();
  ClickExport();
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].kind, DialogKind::OutputFile);
}

TEST_F(Form1Test, TheFolderBoxKeepsWhatTheUserTypedAfterARun) {
  SetFolderBox(workDir_ / "typed by the user");
  ClickExport();
  EXPECT_EQ(std::string(gtk_entry_get_text(form_->Edit1Entry())),
            (workDir_ / "typed by the user").string());
}

TEST_F(Form1Test, ClosingWhileIdleAsksTheApplicationToEnd) {
  gtk_window_close(form_->Window());
  ProcessPendingEvents();
  EXPECT_TRUE(application_.Terminated());
  EXPECT_TRUE(gtk_widget_get_visible(GTK_WIDGET(form_->Window())));
}

TEST_F(Form1Test, ClosingDuringAnExportStopsItsRowsAndKeepsTheWindowUntilItEnds) {
  MakeTwoChatDatabase(workDir_ / "root");
  fs::create_directories(workDir_ / "out");
  SetFolderBox(workDir_ / "root");
  dialogs_.chooseOutputFile = [this] {
    gtk_window_close(form_->Window());  // the user closes the window while choosing
    ProcessPendingEvents();
    return (workDir_ / "out" / "default.txt").string();
  };
  ClickExport();
  EXPECT_TRUE(application_.Terminated());
  EXPECT_TRUE(gtk_widget_get_visible(GTK_WIDGET(form_->Window())));
  EXPECT_EQ(Controls(), kIdle);
  // The terminate request stops the row loop before its first row: no chat file.
  EXPECT_TRUE(fs::is_empty(workDir_ / "out"));
}

}  // namespace
}  // namespace tavrin::app
