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
// Display tests run one at a time (they share the pointer and the focus), but other programs
// may have windows on the same server: this window opens in a column the other display tests
// leave free and is raised before every screenshot and click.
#include <chrono>
#include <memory>
#include <string>

#include "display_support.h"
#include "gallery/gallery_button.h"
#include "widgets/controls/control.h"
#include "widgets/controls/smooth_button.h"

namespace tavrin::controls {
namespace {

using testing::Pump;
using testing::PumpUntil;

constexpr int kTolerance = 2;
constexpr int kLeft = 304, kTop = 45;  // where the main window puts its button

class ButtonOnScreen : public testing::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    if (HasFatalFailure()) return;
    form_ = testing::MainWindowSizedForm("button display test");
    button_ = std::make_unique<TSmoothButton>(form_.get());
    gallery::ConfigureMainWindowButton(*button_, kLeft, kTop);
    button_->SetSleepFunction([this](std::chrono::milliseconds) {
      ++flashes_;
      downDuringFlash_ = button_->Down() && button_->MouseInside();
      screenDuringFlash_ = std::make_unique<Surface>(ScreenNow());
      lookDuringFlash_ = std::make_unique<Surface>(CurrentLookOverWindowColor());
    });
    button_->OnClick = [this](TControl&) { ++clicks_; };
    // Screen places of the other display tests: the program's windows at the origin, the
    // control tests at x 80..280, the panel tests from x 790 on. This column is free.
    gtk_window_move(form_->Window(), 310, 250);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return button_->CacheBuildCount() > 0; }));
  }

  void TearDown() override {
    button_.reset();
    form_.reset();
    Pump();
  }

  GdkWindow* FormWindow() const { return testing::FormWindow(*form_); }

  // Moves the real pointer to a point of the form's client area and clicks the given button.
  // (No --sync: it waits for a motion that never comes when the pointer is already there;
  // the server handles the two XTest requests in order anyway.)
  void ClickAt(int x, int y, int xButton) {
    gdk_window_raise(FormWindow());
    Pump();
    int originX = 0, originY = 0;
    gdk_window_get_origin(FormWindow(), &originX, &originY);
    const std::string command = "xdotool mousemove " + std::to_string(originX + x) + " " +
                                std::to_string(originY + y) + " click " + std::to_string(xButton);
    gint status = -1;
    GError* error = nullptr;
    const gboolean ran =
        g_spawn_command_line_sync(command.c_str(), nullptr, nullptr, &status, &error);
    if (error != nullptr) g_error_free(error);
    ASSERT_TRUE(ran && status == 0) << command;
  }

  // The button's area as the X server shows it right now, without handling any events (this
  // runs inside the button's own release handling).
  Surface ScreenNow() {
    gdk_display_sync(gdk_display_get_default());
    return testing::WindowArea(*form_, kLeft, kTop, gallery::kButtonWidth, gallery::kButtonHeight);
  }

  // The button's look for its present state, over the window colour.
  Surface CurrentLookOverWindowColor() {
    TGPBitmap look(gallery::kButtonWidth, gallery::kButtonHeight);
    button_->RenderLook(look);
    Surface out(gallery::kButtonWidth, gallery::kButtonHeight);
    out.Fill(ColorToARGB(clBtnFace));
    cairo_t* cr = cairo_create(out.Native());
    cairo_set_source_surface(cr, look.NativeSurface(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return out;
  }

  Surface ButtonArea() {
    return testing::Crop(testing::Screenshot(*form_), kLeft, kTop, gallery::kButtonWidth,
                         gallery::kButtonHeight);
  }

  // Compares the button's area with the gallery image of the look; a few attempts, because
  // another program's window may cover ours for a moment.
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
      testing::WriteArtifacts(gallery::ButtonLookName(look) + "-on-screen", actual, expected);
    }
    EXPECT_LE(difference, kTolerance) << gallery::ButtonLookName(look);
  }

  std::unique_ptr<TForm> form_;
  std::unique_ptr<TSmoothButton> button_;
  int clicks_ = 0;
  int flashes_ = 0;
  bool downDuringFlash_ = false;
  std::unique_ptr<Surface> screenDuringFlash_;
  std::unique_ptr<Surface> lookDuringFlash_;
};

TEST_F(ButtonOnScreen, WindowShowsTheGalleryImageInTheButtonsArea) {
  // The window may hand the button the focus when it opens; without the focus rectangle the
  // idle look is the same focused or not.
  button_->SetShowFocus(false);
  ASSERT_TRUE(PumpUntil([&] { return button_->CacheValid(); }));
  ExpectLook(gallery::ButtonLook::Idle);
  // The rounded corners show the window colour.
  EXPECT_EQ(testing::Screenshot(*form_).Pixel(kLeft, kTop) & 0xFFFFFF,
            ColorToARGB(clBtnFace) & 0xFFFFFF);
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

TEST_F(ButtonOnScreen, PressFlashShowsThePressedLookOnScreen) {
  const Surface idle = ButtonArea();
  ClickAt(kLeft + 60, kTop + 17, 1);
  ASSERT_TRUE(PumpUntil([&] { return flashes_ > 0; }));
  ASSERT_TRUE(screenDuringFlash_ && lookDuringFlash_);
  EXPECT_TRUE(downDuringFlash_);
  const int difference = MaxChannelDifference(*screenDuringFlash_, *lookDuringFlash_);
  if (difference > kTolerance) {
    testing::WriteArtifacts("button-flash-on-screen", *screenDuringFlash_, *lookDuringFlash_);
  }
  EXPECT_LE(difference, kTolerance);
  EXPECT_GT(MaxChannelDifference(*screenDuringFlash_, idle), 20);  // darker than at rest
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
