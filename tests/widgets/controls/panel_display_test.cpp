// The smooth panel in a real GTK window (needs a display; the test command provides one).
//
// The window's pixels in the panel's area must match the gallery's image of the main window's
// panel. Both come from the same cached image composited over the window colour, so they
// differ only by the window surface's rounding: the tolerance is 2 per channel (the window is a
// 24-bit X image; compositing into it and into the gallery's 32-bit image may round the
// premultiplied blend differently by one step, and the X server's 8-bit channels add one more).
// On failure the actual, expected and difference images are written next to the build.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "display_support.h"

#include "gallery/gallery_panel.h"
#include "widgets/controls/smooth_panel.h"

namespace tavrin::controls {
namespace {

using testing::Crop;
using testing::Pump;
using testing::PumpUntil;
using testing::Screenshot;
using testing::WriteArtifacts;

constexpr int kTolerance = 2;
// Each test runs in a process of its own, possibly at the same time as the others, so each
// gets a place of its own on the screen, away from the origin where other windows appear.
int WindowSlotY(const std::string& testName) {
  static const char* const kOrder[] = {"WindowShows", "ChangesRepaint", "PointerEvents"};
  for (int i = 0; i < 3; ++i) {
    if (testName.rfind(kOrder[i], 0) == 0) return 150 + 220 * i;
  }
  return 810;
}
constexpr int kWindowX = 790;

class PanelOnScreen : public testing::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    if (HasFatalFailure()) return;
    form_ = testing::MainWindowSizedForm("panel display test");
    panel_ = std::make_unique<TSmoothPanel>(form_.get());
    gallery::ConfigureMainWindowPanel(*panel_, 10, 8);
    // Without a window manager nothing keeps windows apart, and an overlapping one would spoil
    // the screenshot or take the click.
    gtk_window_move(form_->Window(), kWindowX,
                    WindowSlotY(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return panel_->CacheBuilds() > 0; }));
  }

  void TearDown() override {
    panel_.reset();
    form_.reset();
    Pump();
  }

  std::unique_ptr<TForm> form_;
  std::unique_ptr<TSmoothPanel> panel_;
};

TEST_F(PanelOnScreen, WindowShowsTheGalleryImageInThePanelsArea) {
  const Surface expected = gallery::RenderMainWindowPanel();
  Surface shot = Screenshot(*form_);
  Surface actual = Crop(shot, 10, 8, panel_->Width(), panel_->Height());
  int difference = MaxChannelDifference(actual, expected);
  // Another test's window may still have been mapped over ours for a moment: look again.
  for (int retry = 0; retry < 3 && difference > kTolerance; ++retry) {
    g_usleep(100000);
    form_->Invalidate();
    Pump();
    shot = Screenshot(*form_);
    actual = Crop(shot, 10, 8, panel_->Width(), panel_->Height());
    difference = MaxChannelDifference(actual, expected);
  }
  if (difference > kTolerance) WriteArtifacts("panel-on-screen", actual, expected);
  EXPECT_LE(difference, kTolerance);
  // Around the panel the window colour shows.
  EXPECT_EQ(shot.Pixel(3, 3) & 0xFFFFFF, ColorToARGB(clBtnFace) & 0xFFFFFF);
}

TEST_F(PanelOnScreen, ChangesRepaintFromOneRebuildAndCachedRepaintsKeepIt) {
  const auto builds = panel_->CacheBuilds();
  panel_->Fill().SetColor(0x0000FF);
  panel_->Fill().SetColorTo(0x0000FF);
  panel_->Fill().SetColorMirror(clNone);
  ASSERT_TRUE(PumpUntil([&] { return !panel_->CacheStale(); }));
  EXPECT_EQ(panel_->CacheBuilds(), builds + 1);
  const ARGB red = Screenshot(*form_).Pixel(10 + 200, 8 + 60);
  EXPECT_GT(GetRed(red), 200);
  EXPECT_LT(GetBlue(red), 60);
  // A repaint that changes nothing composites the cached image again.
  panel_->Repaint();
  Pump();
  EXPECT_EQ(panel_->CacheBuilds(), builds + 1);
}

TEST_F(PanelOnScreen, PointerEventsFromTheWindowSystemReachThePanel) {
  int downs = 0, downX = -1, downY = -1;
  panel_->OnMouseDown = [&](TControl&, TMouseButton b, TShiftState, int x, int y) {
    if (b == TMouseButton::mbLeft) ++downs;
    downX = x;
    downY = y;
  };
  GdkWindow* window = testing::FormWindow(*form_);
  gdk_window_raise(window);
  Pump();
  int originX = 0, originY = 0;
  gdk_window_get_origin(window, &originX, &originY);
  // A real click through the X server's test extension, as a user's would arrive.
  const std::string command = "xdotool mousemove --sync " + std::to_string(originX + 10 + 40) +
                              " " + std::to_string(originY + 8 + 30) + " click 1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  ASSERT_TRUE(PumpUntil([&] { return downs > 0; }));
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(downX, 40);  // in the panel's own coordinates
  EXPECT_EQ(downY, 30);
}

}  // namespace
}  // namespace tavrin::controls
