// The fill as data: defaults, change notification, update counting and copying.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fill_test_support.h"
#include "widgets/fill/fill.h"
#include "widgets/fill/fill_stream.h"
#include "widgets/fill/recording_canvas.h"

namespace tavrin {
namespace {

using testing::LoadBlue;
using testing::LoadGreen;
using testing::MakeDistinct;

class CountingFill : public ::testing::Test {
 protected:
  CountingFill() {
    fill.OnChange = [this](TSmoothFill& sender) {
      EXPECT_EQ(&sender, &fill);
      ++changes;
    };
  }
  TSmoothFill fill;
  int changes = 0;
};

TEST(FillDefaultsTest, NewFillHasTheDocumentedValues) {
  const TSmoothFill f;
  EXPECT_EQ(f.Color(), clSilver);
  EXPECT_EQ(f.ColorTo(), clGray);
  EXPECT_EQ(f.ColorMirror(), clNone);
  EXPECT_EQ(f.ColorMirrorTo(), clNone);
  EXPECT_EQ(f.GradientType(), gtVertical);
  EXPECT_EQ(f.GradientMirrorType(), gtSolid);
  EXPECT_EQ(f.HatchStyle(), HatchStyleHorizontal);
  EXPECT_EQ(f.HatchStyleMirror(), HatchStyleHorizontal);
  EXPECT_EQ(f.BackGroundPictureMode(), pmOutsideFill);
  EXPECT_TRUE(f.BackGroundPicture().Empty());
  EXPECT_EQ(f.BackGroundPicturePosition(), ppTopLeft);
  EXPECT_EQ(f.BackGroundPictureLeft(), 0);
  EXPECT_EQ(f.BackGroundPictureTop(), 0);
  EXPECT_TRUE(f.Picture().Empty());
  EXPECT_EQ(f.PicturePosition(), ppTopLeft);
  EXPECT_EQ(f.PictureLeft(), 0);
  EXPECT_EQ(f.PictureTop(), 0);
  EXPECT_EQ(f.PictureSize(), psOriginal);
  EXPECT_EQ(f.PictureWidth(), 50);
  EXPECT_EQ(f.PictureHeight(), 50);
  EXPECT_EQ(f.Opacity(), 255);
  EXPECT_EQ(f.OpacityTo(), 255);
  EXPECT_EQ(f.OpacityMirror(), 255);
  EXPECT_EQ(f.OpacityMirrorTo(), 255);
  EXPECT_EQ(f.BorderColor(), clNone);
  EXPECT_EQ(f.BorderOpacity(), 255);
  EXPECT_EQ(f.BorderWidth(), 1);
  EXPECT_EQ(f.Rounding(), 0);
  EXPECT_EQ(f.RoundingType(), rtBoth);
  EXPECT_EQ(f.ShadowColor(), clGray);
  EXPECT_EQ(f.ShadowOffset(), 0);
  EXPECT_EQ(f.Angle(), 0);
  EXPECT_FALSE(f.OnChange);
  EXPECT_EQ(f.Glow(), gmNone);
  EXPECT_EQ(f.GlowGradientColor(), clWhite);
  EXPECT_EQ(f.GlowRadialColor(), clWhite);
  EXPECT_FALSE(f.Focus());
  EXPECT_EQ(f.FocusColor(), clBlack);
  EXPECT_EQ(f.FocusRect(), (TGPRectF{0, 0, 0, 0}));
  EXPECT_EQ(f.UpdateCount(), 0);
}

// Every setter: one notification for a real change, none for setting the same value again.
struct SetterCase {
  const char* name;
  std::function<void(TSmoothFill&)> change;
};

const SetterCase kSetters[] = {
    {"Color", [](TSmoothFill& f) { f.SetColor(clRed); }},
    {"ColorTo", [](TSmoothFill& f) { f.SetColorTo(clRed); }},
    {"ColorMirror", [](TSmoothFill& f) { f.SetColorMirror(clRed); }},
    {"ColorMirrorTo", [](TSmoothFill& f) { f.SetColorMirrorTo(clRed); }},
    {"GradientType", [](TSmoothFill& f) { f.SetGradientType(gtHatch); }},
    {"GradientMirrorType", [](TSmoothFill& f) { f.SetGradientMirrorType(gtAngle); }},
    {"HatchStyle", [](TSmoothFill& f) { f.SetHatchStyle(HatchStyleWeave); }},
    {"HatchStyleMirror", [](TSmoothFill& f) { f.SetHatchStyleMirror(HatchStyleWeave); }},
    {"BackGroundPictureMode", [](TSmoothFill& f) { f.SetBackGroundPictureMode(pmInsideFill); }},
    {"BackGroundPicturePosition",
     [](TSmoothFill& f) { f.SetBackGroundPicturePosition(ppStretched); }},
    {"BackGroundPictureLeft", [](TSmoothFill& f) { f.SetBackGroundPictureLeft(-4); }},
    {"BackGroundPictureTop", [](TSmoothFill& f) { f.SetBackGroundPictureTop(9); }},
    {"PicturePosition", [](TSmoothFill& f) { f.SetPicturePosition(ppCustom); }},
    {"PictureLeft", [](TSmoothFill& f) { f.SetPictureLeft(3); }},
    {"PictureTop", [](TSmoothFill& f) { f.SetPictureTop(3); }},
    {"PictureSize", [](TSmoothFill& f) { f.SetPictureSize(psCustom); }},
    {"PictureWidth", [](TSmoothFill& f) { f.SetPictureWidth(7); }},
    {"PictureHeight", [](TSmoothFill& f) { f.SetPictureHeight(7); }},
    {"Opacity", [](TSmoothFill& f) { f.SetOpacity(1); }},
    {"OpacityTo", [](TSmoothFill& f) { f.SetOpacityTo(1); }},
    {"OpacityMirror", [](TSmoothFill& f) { f.SetOpacityMirror(1); }},
    {"OpacityMirrorTo", [](TSmoothFill& f) { f.SetOpacityMirrorTo(1); }},
    {"BorderColor", [](TSmoothFill& f) { f.SetBorderColor(clBtnFace); }},
    {"BorderOpacity", [](TSmoothFill& f) { f.SetBorderOpacity(0); }},
    {"BorderWidth", [](TSmoothFill& f) { f.SetBorderWidth(3); }},
    {"Rounding", [](TSmoothFill& f) { f.SetRounding(8); }},
    {"RoundingType", [](TSmoothFill& f) { f.SetRoundingType(rtLeft); }},
    {"ShadowColor", [](TSmoothFill& f) { f.SetShadowColor(clNone); }},
    {"ShadowOffset", [](TSmoothFill& f) { f.SetShadowOffset(4); }},
    {"Angle", [](TSmoothFill& f) { f.SetAngle(-30); }},
    {"Glow", [](TSmoothFill& f) { f.SetGlow(gmRadial); }},
    {"GlowGradientColor", [](TSmoothFill& f) { f.SetGlowGradientColor(clBlack); }},
    {"GlowRadialColor", [](TSmoothFill& f) { f.SetGlowRadialColor(clBlack); }},
    {"Focus", [](TSmoothFill& f) { f.SetFocus(true); }},
    {"FocusColor", [](TSmoothFill& f) { f.SetFocusColor(clWhite); }},
};

TEST_F(CountingFill, EverySetterAnnouncesARealChangeOnce) {
  for (const SetterCase& c : kSetters) {
    changes = 0;
    c.change(fill);
    EXPECT_EQ(changes, 1) << c.name;
    c.change(fill);  // same value again
    EXPECT_EQ(changes, 1) << c.name << " set twice";
  }
}

TEST_F(CountingFill, SettingTheCurrentValueAnnouncesNothing) {
  fill.SetColor(clSilver);
  fill.SetRounding(0);
  fill.SetBorderColor(clNone);
  EXPECT_EQ(changes, 0);
}

TEST_F(CountingFill, ChangesWhileUpdatingAreNeverAnnounced) {
  fill.BeginUpdate();
  fill.SetColor(clRed);
  fill.SetRounding(4);
  fill.EndUpdate();
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(fill.Color(), clRed);
  fill.SetAngle(10);
  EXPECT_EQ(changes, 1);
}

TEST_F(CountingFill, NestedUpdatesHoldUntilTheLastEnd) {
  fill.BeginUpdate();
  fill.BeginUpdate();
  fill.EndUpdate();
  fill.SetColor(clRed);
  EXPECT_EQ(changes, 0);
  fill.EndUpdate();
  fill.SetColor(clBlue);
  EXPECT_EQ(changes, 1);
}

TEST_F(CountingFill, EndUpdateWithoutBeginKeepsTheCountAtZero) {
  fill.EndUpdate();
  EXPECT_EQ(fill.UpdateCount(), 0);
  fill.SetColor(clRed);
  EXPECT_EQ(changes, 1);
}

TEST_F(CountingFill, LoadingAPictureAnnouncesTheFill) {
  LoadBlue(fill.Picture());
  EXPECT_EQ(changes, 1);
  LoadGreen(fill.BackGroundPicture());
  EXPECT_EQ(changes, 2);
}

TEST_F(CountingFill, PictureSetterCopiesWithoutAdoptingAndAnnouncesTwice) {
  TSmoothPicture other;
  LoadBlue(other);
  fill.SetPicture(other);
  // Once from the copy (the picture's own notification), once from the setter.
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(fill.Picture().Data(), other.Data());
  EXPECT_NE(&fill.Picture(), &other);
  LoadGreen(other);
  EXPECT_NE(fill.Picture().Data(), other.Data());
  EXPECT_EQ(changes, 2);

  changes = 0;
  fill.SetPicture(fill.Picture());  // the owned object itself: nothing to do
  fill.SetBackGroundPicture(fill.BackGroundPicture());
  EXPECT_EQ(changes, 0);
}

// ---- Assign ------------------------------------------------------------------------------

// The property stream lists every stored property, so equal streams mean equal fills.
std::string Stored(const TSmoothFill& f) {
  return SaveObject(f);
}

TEST_F(CountingFill, AssignCopiesEveryStoredPropertyWithThreeNotifications) {
  TSmoothFill source;
  MakeDistinct(source);
  fill.Assign(source);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(Stored(fill), Stored(source));
  EXPECT_EQ(fill.Picture().Data(), source.Picture().Data());
  EXPECT_EQ(fill.BackGroundPicture().Data(), source.BackGroundPicture().Data());
}

TEST_F(CountingFill, AssignOfEmptyPicturesStillAnnouncesEachCopy) {
  TSmoothFill source;
  fill.Assign(source);
  EXPECT_EQ(changes, 3);
}

TEST_F(CountingFill, AssignLeavesFocusFocusColorFocusRectAndOnChangeAlone) {
  TSmoothFill source;
  MakeDistinct(source);
  RecordingCanvas canvas;
  source.Fill(canvas, {0, 0, 50, 50});
  fill.Assign(source);
  EXPECT_FALSE(fill.Focus());
  EXPECT_EQ(fill.FocusColor(), clBlack);
  EXPECT_EQ(fill.FocusRect(), (TGPRectF{0, 0, 0, 0}));
  fill.SetColor(77);
  EXPECT_EQ(changes, 4);  // still our handler
}

// The pictures are copied by their own Assign in the middle of the sequence, and each copy
// announces itself, so what the target holds at each announcement shows the copy order.
TEST_F(CountingFill, AssignCopiesInTheDocumentedOrder) {
  TSmoothFill source;
  MakeDistinct(source);
  std::vector<std::pair<int32_t, int32_t>> seen;  // (HatchStyleMirror, BackGroundPicturePosition)
  std::vector<std::pair<int32_t, int32_t>> seenPicture;  // (BackGroundPictureTop, PicturePosition)
  std::vector<int32_t> seenGlow;
  fill.OnChange = [&](TSmoothFill& f) {
    seen.emplace_back(f.HatchStyleMirror(), f.BackGroundPicturePosition());
    seenPicture.emplace_back(f.BackGroundPictureTop(), f.PicturePosition());
    seenGlow.push_back(f.Glow());
  };
  fill.Assign(source);
  ASSERT_EQ(seen.size(), 3u);
  // First: the background picture, after the hatch styles, before its position.
  EXPECT_EQ(seen[0], (std::pair<int32_t, int32_t>{HatchStyleDivot, ppTopLeft}));
  EXPECT_EQ(seenPicture[0], (std::pair<int32_t, int32_t>{0, ppTopLeft}));
  // Second: the picture, after the background picture's offsets, before its own position.
  EXPECT_EQ(seenPicture[1], (std::pair<int32_t, int32_t>{6, ppTopLeft}));
  EXPECT_EQ(seenGlow[1], gmNone);
  // Last: everything.
  EXPECT_EQ(seenPicture[2], (std::pair<int32_t, int32_t>{6, ppBottomCenter}));
  EXPECT_EQ(seenGlow[2], gmRadialGradient);
}

TEST_F(CountingFill, AssignFromNothingIsIgnored) {
  fill.Assign(nullptr);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(Stored(fill), Stored(TSmoothFill()));
}

}  // namespace
}  // namespace tavrin
