// The smooth button in a real GTK window (needs a display; the test command provides one).
//
// Clicks come through the window system: the XTest extension moves the pointer and presses the
// button (xdotool), exactly as a person's mouse would, so enter, press and release events all
// arrive from the X server.
//
// The window's pixels in the button's area must match the gallery's image of the same look.
// Both come from the same cached image composited over the window colour, so they differ only
// by the window surface's rounding: the tolerance is 2 per channel (the window is a 24-bit X
// image; compositing into it and into the gallery's 32-bit image may round the premultiplied
// blend differently by one step, and the X server's 8-bit channels add one more). On failure
// the actual, expected and difference images are written next to the build.
//
// The test command runs display tests in parallel on one X server, and other tests' windows
// open at the screen's origin. So this window opens away from the origin, at a place that
// depends on the process, and is raised before every screenshot and click; and the tests
// assert nothing about the pointer or the focus after a click, which another test's pointer
// may have moved meanwhile.
#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "gallery/gallery_button.h"
#include "widgets/controls/control.h"
#include "widgets/controls/smooth_button.h"

namespace tavrin::controls {
namespace {

constexpr int kTolerance = 2;
constexpr int kLeft = 304, kTop = 45;  // where the main window puts its button

class ButtonOnScreen : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { windowing_ = InitWindowing(nullptr, nullptr); }

  void SetUp() override {
    ASSERT_TRUE(windowing_) << "no display: run under the test command (xvfb-run)";
    form_ = std::make_unique<TForm>();
    form_->SetClientSize(465, 111);
    form_->SetDialogFrame(true);
    form_->SetCaption("button display test");
    button_ = std::make_unique<TSmoothButton>(form_.get());
    gallery::ConfigureMainWindowButton(*button_, kLeft, kTop);
    button_->SetSleepFunction([this](std::chrono::milliseconds) { ++flashes_; });
    button_->OnClick = [this](TControl&) { ++clicks_; };
    const int slot = static_cast<int>(getpid());
    gtk_window_move(form_->Window(), 500 + slot % 8 * 40, 600 + slot % 6 * 50);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return button_->CacheBuildCount() > 0; }));
  }

  void TearDown() override {
    button_.reset();
    form_.reset();
    Pump();
  }

  // Runs the main loop until cond holds or 5 s have passed; then lets pending work finish.
  template <typename Cond>
  bool PumpUntil(Cond cond) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!cond() && std::chrono::steady_clock::now() < deadline) {
      g_main_context_iteration(nullptr, FALSE);
    }
    Pump();
    return cond();
  }

  static void Pump() {
    gdk_display_sync(gdk_display_get_default());
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
  }

  GdkWindow* FormWindow() const { return gtk_widget_get_window(GTK_WIDGET(form_->Window())); }

  void Raise() {
    gdk_window_raise(FormWindow());
    Pump();
  }

  // Moves the real pointer to a point of the form's client area and clicks the given button.
  // (No --sync: it waits for a motion that never comes when the pointer is already there;
  // the server handles the two XTest requests in order anyway.)
  void ClickAt(int x, int y, int xButton) {
    Raise();
    int originX = 0, originY = 0;
    gdk_window_get_origin(FormWindow(), &originX, &originY);
    const std::string command = "xdotool mousemove " + std::to_string(originX + x) + " " +
                                std::to_string(originY + y) + " click " +
                                std::to_string(xButton);
    gint status = -1;
    GError* error = nullptr;
    const gboolean ran = g_spawn_command_line_sync(command.c_str(), nullptr, nullptr, &status,
                                                   &error);
    if (error != nullptr) g_error_free(error);
    ASSERT_TRUE(ran && status == 0) << command;
  }

  // The window's client area as the X server shows it.
  Surface Screenshot() {
    Raise();
    GdkPixbuf* pixbuf =
        gdk_pixbuf_get_from_window(FormWindow(), 0, 0, form_->Width(), form_->Height());
    Surface shot(form_->Width(), form_->Height());
    if (pixbuf == nullptr) return shot;
    cairo_t* cr = cairo_create(shot.Native());
    gdk_cairo_set_source_pixbuf(cr, pixbuf, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    g_object_unref(pixbuf);
    return shot;
  }

  Surface ButtonArea() {
    const Surface shot = Screenshot();
    Surface out(gallery::kButtonWidth, gallery::kButtonHeight);
    cairo_t* cr = cairo_create(out.Native());
    cairo_set_source_surface(cr, shot.Native(), -kLeft, -kTop);
    cairo_paint(cr);
    cairo_destroy(cr);
    return out;
  }

  // Compares the button's area with the gallery image of the look; a few attempts, because a
  // window of a test running beside this one may cover ours for a moment.
  void ExpectLook(gallery::ButtonLook look) {
    const Surface expected = gallery::RenderButtonLook(look);
    Surface actual = ButtonArea();
    int difference = MaxChannelDifference(actual, expected);
    for (int attempt = 1; attempt < 4 && difference > kTolerance; ++attempt) {
      g_usleep(100 * 1000);
      actual = ButtonArea();
      difference = MaxChannelDifference(actual, expected);
    }
    if (difference > kTolerance) {
      const std::string name = gallery::ButtonLookName(look) + "-on-screen";
      const std::filesystem::path dir =
          std::filesystem::path(TAVRIN_BINARY_DIR) / "test-artifacts";
      std::filesystem::create_directories(dir);
      actual.WritePng((dir / (name + "-actual.png")).string());
      expected.WritePng((dir / (name + "-expected.png")).string());
      DifferenceImage(actual, expected).WritePng((dir / (name + "-diff.png")).string());
    }
    EXPECT_LE(difference, kTolerance) << gallery::ButtonLookName(look);
  }

  // The look the button's state stands for, before any pointer came near it.
  gallery::ButtonLook RestingLook() const {
    return button_->HasFocusLook() ? gallery::ButtonLook::Focused : gallery::ButtonLook::Idle;
  }

  static inline bool windowing_ = false;
  std::unique_ptr<TForm> form_;
  std::unique_ptr<TSmoothButton> button_;
  int clicks_ = 0;
  int flashes_ = 0;
};

TEST_F(ButtonOnScreen, WindowShowsTheGalleryImageInTheButtonsArea) {
  ExpectLook(RestingLook());
  // The rounded corners show the window colour.
  EXPECT_EQ(Screenshot().Pixel(kLeft, kTop) & 0xFFFFFF, ColorToARGB(clBtnFace) & 0xFFFFFF);
}

TEST_F(ButtonOnScreen, DisabledButtonShowsTheDisabledLook) {
  button_->SetEnabled(false);
  ASSERT_TRUE(PumpUntil([&] { return button_->CacheValid(); }));
  ExpectLook(gallery::ButtonLook::Disabled);
}

TEST_F(ButtonOnScreen, ClickThroughTheWindowSystemCallsTheHandlerOnce) {
  ClickAt(kLeft + 60, kTop + 17, 1);
  ASSERT_TRUE(PumpUntil([&] { return clicks_ > 0; }));
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(flashes_, 1);  // the press flash after the handler
  EXPECT_FALSE(button_->Down());
}

TEST_F(ButtonOnScreen, RightButtonClicksToo) {
  ClickAt(kLeft + 60, kTop + 17, 3);
  ASSERT_TRUE(PumpUntil([&] { return clicks_ > 0; }));
  EXPECT_EQ(clicks_, 1);
}

TEST_F(ButtonOnScreen, ClickOutsideTheButtonDoesNothing) {
  ClickAt(20, 20, 1);
  Pump();
  EXPECT_EQ(clicks_, 0);
}

}  // namespace
}  // namespace tavrin::controls
