// The button face: geometry handed to the drawing layer, colour routines, notification, and
// pixel probes of painted faces.

#include "widgets/controls/button_face.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "widgets/drawing/surface.h"

namespace tavrin::controls {
namespace {

using ::testing::FloatNear;

constexpr TColor kExportColor = 15187845;  // the main window's button, 0xE7BF85

TButtonFacePaint MainButtonFace() {
  TButtonFacePaint p;
  p.Width = 120;
  p.Height = 35;
  p.Color = kExportColor;
  return p;
}

// ---- Geometry of the 120 x 35 face ---------------------------------------------------------

TEST(FaceShapes, MainButtonAreas) {
  const TFaceShapes s = FaceShapes(MainButtonFace());
  EXPECT_EQ(s.L6, 5);
  EXPECT_EQ(s.H2, 17);
  EXPECT_FALSE(s.Shadow.has_value());
  EXPECT_EQ(s.Band, MakeRect(0.f, 12.f, 119.f, 10.f));
  EXPECT_EQ(s.HalfRect, (TRect{0, 0, 119, 17}));
  EXPECT_EQ(s.LowerGradient, MakeRect(-1.f, 11.f, 121.f, 24.f));
  EXPECT_EQ(s.UpperGradient, MakeRect(-1.f, -1.f, 121.f, 20.f));
  EXPECT_EQ(s.BevelOuter, (TRect{0, 1, 119, 34}));
  EXPECT_EQ(s.Flat, MakeRect(0.f, 0.f, 120.f, 35.f));
}

TEST(FaceShapes, ShadowTakesSixByFourAndStartsTwoInsideTheInsets) {
  TButtonFacePaint p = MainButtonFace();
  p.HorizontalSpacing = 5;
  p.VerticalSpacing = 5;
  p.State.Shadow = true;
  const TFaceShapes s = FaceShapes(p);
  ASSERT_TRUE(s.Shadow.has_value());
  EXPECT_EQ(*s.Shadow, MakeRect(7.f, 7.f, 120.f - 10 - 4, 35.f - 10 - 2));
  EXPECT_EQ(s.Width, 114);
  EXPECT_EQ(s.H, 31);
  EXPECT_EQ(s.Flat, MakeRect(5.f, 5.f, 104.f, 21.f));
}

TEST(FaceShapes, LowFaceHasNoBubble) {
  TButtonFacePaint p = MainButtonFace();
  p.Height = 5;
  const TFaceShapes s = FaceShapes(p);
  EXPECT_EQ(s.L6, 0);
  EXPECT_EQ(s.Band.Height, 0.f);
  EXPECT_EQ(CreateBubbleRectangleConcave(s.HalfRect, 8, s.L6)->GetPointCount(), 0);
  EXPECT_EQ(CreateBubbleRectangleConvex(s.HalfRect, 8, s.L6)->GetPointCount(), 0);
}

// ---- The bubble ----------------------------------------------------------------------------

TEST(Bubble, GeometryOfTheMainButtonsHalfRectangle) {
  const auto bubble = BubbleGeometryOf(TRect{0, 0, 119, 17}, 5);
  ASSERT_TRUE(bubble.has_value());
  EXPECT_EQ(bubble->Radius, 356.52499f);
  EXPECT_EQ(bubble->RoundedRadius, 357);
  EXPECT_THAT(bubble->StartAngle, FloatNear(99.607f, 0.001f));
  EXPECT_THAT(bubble->SweepAngle, FloatNear(-19.214f, 0.001f));
  EXPECT_EQ(bubble->ArcRect, MakeRect(-298.f, -697.f, 714.f, 714.f));
  EXPECT_EQ(bubble->ChordY, 12.f);
}

TEST(Bubble, ZeroDepthGivesEmptyPaths) {
  EXPECT_FALSE(BubbleGeometryOf(TRect{0, 0, 119, 17}, 0).has_value());
  EXPECT_EQ(CreateBubbleRectangleConcave(TRect{0, 0, 119, 17}, 8, 0)->GetPointCount(), 0);
}

// The lowest y at which the flattened outline crosses the vertical line at x, above maxY.
float LowestCrossing(const TGPGraphicsPath& path, float x, float maxY) {
  float lowest = -1e9f;
  for (const auto& figure : path.Flatten(0.05f)) {
    for (size_t i = 0; i + 1 < figure.size(); ++i) {
      const TGPPointF a = figure[i], b = figure[i + 1];
      if ((a.X - x) * (b.X - x) > 0 || a.X == b.X) continue;
      const float y = a.Y + (b.Y - a.Y) * (x - a.X) / (b.X - a.X);
      if (y < maxY) lowest = std::max(lowest, y);
    }
  }
  return lowest;
}

TEST(Bubble, ConcavePartRunsFromTheArcToTheBottomOfTheFace) {
  const auto path = CreateBubbleRectangleConcave(TRect{0, 0, 119, 17}, 8, 5);
  EXPECT_EQ(path->GetFillMode(), FillModeAlternate);
  const TGPPointF start = path->GetPathPoints().front();
  EXPECT_THAT(start.X, FloatNear(0.f, 0.6f));  // the arc meets the left side at the chord
  EXPECT_THAT(start.Y, FloatNear(12.f, 0.05f));
  TGPRectF bounds;
  path->GetBounds(bounds);
  EXPECT_FLOAT_EQ(bounds.Y + bounds.Height, 34.f);  // b + h
  EXPECT_THAT(bounds.X + bounds.Width, FloatNear(119.f, 0.6f));
  // The arc dips Delta below the chord in the middle.
  EXPECT_THAT(LowestCrossing(*path, 59, 20), FloatNear(17.f, 0.06f));
  EXPECT_TRUE(path->FigureClosed().front());
}

TEST(Bubble, ConvexPartIsTheRoundedTopDownToTheArc) {
  const auto path = CreateBubbleRectangleConvex(TRect{0, 0, 119, 17}, 8, 5);
  TGPRectF bounds;
  path->GetBounds(bounds);
  EXPECT_FLOAT_EQ(bounds.Y, 0.f);
  const TGPPointF start = path->GetPathPoints().front();
  EXPECT_THAT(start.X, FloatNear(0.f, 1e-4f));  // the top-left arc starts on the left side
  EXPECT_THAT(start.Y, FloatNear(8.f, 1e-4f));
  EXPECT_THAT(LowestCrossing(*path, 59, 30), FloatNear(17.f, 0.06f));
}

// ---- The bevel ring ------------------------------------------------------------------------

TEST(RoundLine, IsARingOfTheGivenWidthInsideTheRectangle) {
  Surface surface(120, 35);
  {
    auto g = surface.Graphics();
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    TGPSolidBrush brush(0xFF000000);
    g->FillPath(brush, *CreateRoundLine(TRect{0, 1, 119, 34}, 7, rtBoth, 2));
  }
  // Top edge at y 1..3: row 2 is fully inside, rows 1 and 3 half, row 0 and 4 outside.
  EXPECT_EQ(GetAlpha(surface.Pixel(60, 0)), 0);
  EXPECT_NEAR(GetAlpha(surface.Pixel(60, 1)), 128, 16);
  EXPECT_EQ(GetAlpha(surface.Pixel(60, 2)), 255);
  EXPECT_EQ(GetAlpha(surface.Pixel(60, 4)), 0);
  EXPECT_EQ(GetAlpha(surface.Pixel(60, 17)), 0);     // the inside stays empty
  EXPECT_EQ(GetAlpha(surface.Pixel(1, 17)), 255);    // left edge x 0..2
  EXPECT_EQ(GetAlpha(surface.Pixel(118, 17)), 255);  // right edge x 117..119
}

// ---- Colours -------------------------------------------------------------------------------

struct ChangeColorCase {
  TColor color;
  int delta;
  TColor expected;
};

class ChangeColorTest : public ::testing::TestWithParam<ChangeColorCase> {};

TEST_P(ChangeColorTest, MovesEveryChannelAndClamps) {
  EXPECT_EQ(ChangeColor(GetParam().color, GetParam().delta), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(FaceColours, ChangeColorTest,
                         ::testing::Values(ChangeColorCase{0xE7BF85, -40, 0xBF975D},
                                           ChangeColorCase{0xE7BF85, 100, 0xFFFFE9},
                                           ChangeColorCase{0xE7BF85, 180, 0xFFFFFF},
                                           ChangeColorCase{0xE7BF85, 220, 0xFFFFFF},
                                           ChangeColorCase{0x505050, -40, 0x282828},
                                           ChangeColorCase{0x505050, 100, 0xB4B4B4},
                                           ChangeColorCase{0x505050, 220, 0xFFFFFF},
                                           ChangeColorCase{0x102030, -100, 0x000000}));

TEST(ChangeColor, ResolvesSystemColoursFirst) {
  EXPECT_EQ(ChangeColor(clBtnFace, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ChangeColor(clBtnFace, -300), 0);
}

TEST(FaceColor, PressedColourIsSeventyPercentBrightness) {
  TButtonFacePaint p = MainButtonFace();
  EXPECT_EQ(FaceColor(p), kExportColor);
  p.State.Down = true;
  EXPECT_EQ(FaceColor(p), 0xA2865D);  // red 93, green 134, blue 162
  p.ColorDown = 0x123456;
  EXPECT_EQ(FaceColor(p), 0x123456);
}

TEST(FaceColor, GreyPressesToDarkerGrey) {
  EXPECT_EQ(DarkenedForPress(0x505050), 0x383838);  // 80 * 0.7 = 56
  EXPECT_EQ(DarkenedForPress(clBlack), clBlack);
}

TEST(HSV, RgbToHsvOfTheExportColour) {
  double h = 0, s = 0, v = 0;
  RGBToHSV(133, 191, 231, h, s, v);
  EXPECT_DOUBLE_EQ(v, 231);
  EXPECT_DOUBLE_EQ(s, (231.0 - 133) / 231);
  EXPECT_NEAR(h, 60 * (133.0 - 191) / 98 + 240, 1e-12);
}

TEST(HSV, GreyHasNoHueAndConvertsBack) {
  double h = 0, s = 0, v = 0;
  RGBToHSV(80, 80, 80, h, s, v);
  EXPECT_TRUE(std::isnan(h));
  EXPECT_EQ(s, 0);
  double r = -1, g = -1, b = -1;
  HSVtoRGB(h, s, v, r, g, b);
  EXPECT_EQ(r, 80);
  EXPECT_EQ(g, 80);
  EXPECT_EQ(b, 80);
}

TEST(HSV, ZeroSaturationWithAHueFails) {
  double r = 0, g = 0, b = 0;
  try {
    HSVtoRGB(10, 0, 100, r, g, b);
    FAIL() << "no error";
  } catch (const EColorConversionError& e) {
    EXPECT_STREQ(e.what(), "HSVtoRGB: S = 0 and H has a value");
  }
}

TEST(HSV, RoundTripsEverySector) {
  const double colours[][3] = {{255, 0, 0},  {255, 200, 0}, {100, 255, 0}, {0, 255, 150},
                               {0, 80, 255}, {120, 0, 255}, {255, 0, 90},  {133, 191, 231}};
  for (const auto& c : colours) {
    double h = 0, s = 0, v = 0, r = 0, g = 0, b = 0;
    RGBToHSV(c[0], c[1], c[2], h, s, v);
    HSVtoRGB(h, s, v, r, g, b);
    EXPECT_NEAR(r, c[0], 1e-9);
    EXPECT_NEAR(g, c[1], 1e-9);
    EXPECT_NEAR(b, c[2], 1e-9);
  }
}

TEST(HSV, Hue360CountsAsZero) {
  double r = 0, g = 0, b = 0;
  HSVtoRGB(360, 1, 200, r, g, b);
  EXPECT_EQ(r, 200);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 0);
}

TEST(HSV, HueOutsideTheCircleLeavesTheChannels) {
  double r = 1, g = 2, b = 3;
  HSVtoRGB(400, 1, 200, r, g, b);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(g, 2);
  EXPECT_EQ(b, 3);
}

// ---- Layout of caption and picture ---------------------------------------------------------

struct LayoutCase {
  TButtonFaceLayout layout;
  bool vertical;
  bool rightToLeft;
  TButtonFaceLayout expected;
};

TEST(EffectiveLayout, VerticalTextTurnsThePicturePosition) {
  const LayoutCase cases[] = {
      {blPictureLeft, false, false, blPictureLeft},
      {blPictureLeft, true, false, blPictureTop},
      {blPictureRight, true, false, blPictureBottom},
      {blPictureBottom, true, false, blPictureRight},
      {blPictureTop, true, false, blPictureLeft},
      {blPictureLeft, true, true, blPictureBottom},
      {blPictureRight, true, true, blPictureTop},
      {blPictureBottom, true, true, blPictureRight},
      {blPictureTop, true, true, blPictureLeft},
      {blNone, true, true, blNone},
  };
  for (const LayoutCase& c : cases) {
    TFaceState state;
    state.VerticalText = c.vertical;
    state.RightToLeft = c.rightToLeft;
    EXPECT_EQ(EffectiveLayout(c.layout, state), c.expected)
        << int(c.layout) << " vertical " << c.vertical << " rtl " << c.rightToLeft;
  }
}

constexpr TGPRectF kCaptionBox{0, 0, 40, 13};
const TGPPoint kPicture{16, 16};

TEST(FaceContent, WithoutPictureOnlyTheCaptionsHeightMovesWhenDown) {
  TButtonFace face;
  TButtonFacePaint p = MainButtonFace();
  p.Caption = "Export";
  const TGPRectF lr = face.MeasureRectFor(p, blPictureLeft, std::nullopt);
  EXPECT_EQ(lr, MakeRect(0.f, 0.f, 116.f, 35.f));
  const TFaceContent up = face.PlaceContent(p, blPictureLeft, lr, kCaptionBox, std::nullopt);
  EXPECT_EQ(up.TextRect, MakeRect(4.f, 11.f, 112.f, 13.f));
  EXPECT_FALSE(up.PictureRect.has_value());

  p.State.Down = true;
  const TGPRectF lrDown = face.MeasureRectFor(p, blPictureLeft, std::nullopt);
  const TFaceContent down = face.PlaceContent(p, blPictureLeft, lrDown, kCaptionBox, std::nullopt);
  EXPECT_EQ(down.TextRect, MakeRect(4.f, 12.f, 112.f, 13.f));
}

TEST(FaceContent, PictureOnTheLeftAndCaptionBothMoveWhenDown) {
  TButtonFace face;
  TButtonFacePaint p = MainButtonFace();
  p.Caption = "Export";
  const TGPRectF lr = face.MeasureRectFor(p, blPictureLeft, kPicture);
  const TFaceContent up = face.PlaceContent(p, blPictureLeft, lr, kCaptionBox, kPicture);
  EXPECT_EQ(up.TextRect, MakeRect(49.f, 11.f, 63.f, 13.f));
  EXPECT_EQ(up.PictureRect, (TRect{30, 9, 46, 25}));

  p.State.Down = true;
  const TGPRectF lrDown = face.MeasureRectFor(p, blPictureLeft, kPicture);
  const TFaceContent down = face.PlaceContent(p, blPictureLeft, lrDown, kCaptionBox, kPicture);
  EXPECT_EQ(down.TextRect.X, up.TextRect.X + 1);
  EXPECT_EQ(down.TextRect.Y, up.TextRect.Y + 1);
  EXPECT_EQ(down.PictureRect, (TRect{31, 10, 47, 26}));
}

TEST(FaceContent, OddSpacingNarrowsTheMeasuringRectangleByOneMore) {
  const std::pair<int, float> cases[] = {{2, 98.f}, {3, 96.f}, {4, 96.f}, {5, 94.f}};
  for (const auto& [spacing, width] : cases) {
    TButtonFace face;
    face.SetSpacing(spacing);
    TButtonFacePaint p = MainButtonFace();
    p.Caption = "Export";
    EXPECT_EQ(face.MeasureRectFor(p, blPictureLeft, kPicture).Width, width) << spacing;
  }
}

TEST(FaceContent, PictureAlonePlacedByItsAlignment) {
  const std::pair<TAlignment, TRect> cases[] = {{taLeftJustify, TRect{4, 9, 20, 25}},
                                                {taRightJustify, TRect{100, 9, 116, 25}},
                                                {taCenter, TRect{52, 9, 68, 25}}};
  for (const auto& [alignment, rect] : cases) {
    TButtonFace face;
    face.SetPictureAlignment(alignment);
    const TFaceContent c = face.PlaceContent(MainButtonFace(), blPictureLeft, {}, {}, kPicture);
    EXPECT_EQ(c.PictureRect, rect) << int(alignment);
  }
}

TEST(FaceContent, PictureAboveTheCaption) {
  TButtonFace face;
  face.SetLayout(blPictureTop);
  TButtonFacePaint p = MainButtonFace();
  p.Height = 60;
  p.Caption = "Export";
  const TGPRectF lr = face.MeasureRectFor(p, blPictureTop, kPicture);
  EXPECT_EQ(lr, MakeRect(2.f, 0.f, 116.f - 1, 60.f - 19));
  const TFaceContent c = face.PlaceContent(p, blPictureTop, lr, kCaptionBox, kPicture);
  // Caption centred in the shortened rectangle, then pushed below the picture.
  EXPECT_FLOAT_EQ(c.TextPoint.Y, (41.f - 13) / 2 + 19);
  EXPECT_EQ(c.PictureRect, (TRect{100, 14, 116, 30}));  // P.Y - ph - Spacing
}

// ---- Properties and notification -----------------------------------------------------------

TEST(ButtonFace, Defaults) {
  const TButtonFace face;
  EXPECT_EQ(face.Alignment(), taCenter);
  EXPECT_EQ(face.PictureAlignment(), taRightJustify);
  EXPECT_EQ(face.Layout(), blPictureLeft);
  EXPECT_EQ(face.Spacing(), 3);
  EXPECT_EQ(face.ShiftDown(), 1);
  EXPECT_EQ(face.FocusColor(), clBlack);
  EXPECT_FALSE(face.SimpleLayout());
  EXPECT_EQ(face.Font(), TFont{});
}

TEST(ButtonFace, SettersNotifyOnlyRealChangesOutsideUpdates) {
  TButtonFace face;
  int changes = 0;
  face.OnChange = [&](TButtonFace& sender) {
    EXPECT_EQ(&sender, &face);
    ++changes;
  };
  face.SetSpacing(3);  // unchanged
  EXPECT_EQ(changes, 0);
  face.SetSpacing(4);
  face.SetShiftDown(2);
  face.SetSimpleLayout(true);
  face.SetFocusColor(clRed);
  face.SetLayout(blNone);
  face.SetAlignment(taLeftJustify);
  face.SetPictureAlignment(taCenter);
  EXPECT_EQ(changes, 7);
  face.BeginUpdate();
  face.SetSpacing(9);
  face.EndUpdate();
  EXPECT_EQ(changes, 7);
  EXPECT_EQ(face.Spacing(), 9);
}

TEST(ButtonFace, FontChangeNotifiesChangeThenFontChange) {
  TButtonFace face;
  std::string order;
  face.OnChange = [&](TButtonFace&) { order += "change "; };
  face.OnFontChange = [&](TButtonFace&) { order += "font "; };
  TFont font;
  font.Size = 12;
  face.SetFont(font);
  EXPECT_EQ(order, "change font ");
  EXPECT_EQ(face.Font().Size, 12);
}

TEST(ButtonFace, FontStoredAsksTheEvent) {
  TButtonFace face;
  EXPECT_TRUE(face.IsFontStored());
  face.OnIsFontStored = [](TButtonFace&, bool& stored) { stored = false; };
  EXPECT_FALSE(face.IsFontStored());
}

TEST(ButtonFace, AssignCopiesEverythingAndNotifiesOnce) {
  TButtonFace source;
  TFont font;
  font.Name = "Liberation Sans";
  source.SetFont(font);
  source.SetLayout(blPictureRight);
  source.SetSpacing(7);
  source.SetShiftDown(3);
  source.SetAlignment(taRightJustify);
  source.SetPictureAlignment(taLeftJustify);
  source.SetFocusColor(clRed);
  source.SetSimpleLayout(true);
  TButtonFace target;
  int changes = 0;
  target.OnChange = [&](TButtonFace&) { ++changes; };
  target.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(target.Font().Name, "Liberation Sans");
  EXPECT_EQ(target.Layout(), blPictureRight);
  EXPECT_EQ(target.Spacing(), 7);
  EXPECT_EQ(target.ShiftDown(), 3);
  EXPECT_EQ(target.Alignment(), taRightJustify);
  EXPECT_EQ(target.PictureAlignment(), taLeftJustify);
  EXPECT_EQ(target.FocusColor(), clRed);
  EXPECT_TRUE(target.SimpleLayout());
}

// ---- Pixels --------------------------------------------------------------------------------

// Straight ARGB of a TColor, opaque.
ARGB Opaque(TColor c) {
  return ColorToARGB(c);
}

int Brightness(ARGB c) {
  return GetRed(c) + GetGreen(c) + GetBlue(c);
}

class FacePixels : public ::testing::Test {
 protected:
  Surface Paint(const TButtonFacePaint& p) {
    Surface surface(p.Width, p.Height);
    auto g = surface.Graphics();
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    face.Draw(*g, p);
    return surface;
  }
  // Channels within tolerance: the gradient is sampled at pixel centres.
  static void ExpectColor(ARGB actual, ARGB expected, int tolerance) {
    EXPECT_NEAR(GetAlpha(actual), GetAlpha(expected), tolerance) << std::hex << actual;
    EXPECT_NEAR(GetRed(actual), GetRed(expected), tolerance) << std::hex << actual;
    EXPECT_NEAR(GetGreen(actual), GetGreen(expected), tolerance) << std::hex << actual;
    EXPECT_NEAR(GetBlue(actual), GetBlue(expected), tolerance) << std::hex << actual;
  }
  TButtonFace face;
};

TEST_F(FacePixels, GlossyFaceLightAboveDarkUnderTheEdgeAndRoundCorners) {
  const Surface s = Paint(MainButtonFace());
  EXPECT_EQ(GetAlpha(s.Pixel(0, 0)), 0);  // corner radius 8
  EXPECT_EQ(GetAlpha(s.Pixel(119, 34)), 0);
  // Row 3 is one fifth into the upper gradient (-1 .. 19): C + 100 exactly.
  ExpectColor(s.Pixel(60, 3), Opaque(0xFFFFE9), 2);
  const ARGB underEdge = s.Pixel(60, 18);
  EXPECT_LT(Brightness(underEdge), Brightness(s.Pixel(60, 3)));
  EXPECT_LT(Brightness(underEdge), Brightness(s.Pixel(60, 33)));
  EXPECT_EQ(GetAlpha(underEdge), 255);
}

TEST_F(FacePixels, BevelRingLightensTheTopRows) {
  TButtonFacePaint p = MainButtonFace();
  p.Color = 0x404040;
  const ARGB plain = Paint(p).Pixel(60, 2);
  p.State.Bevel = true;
  const ARGB bevelled = Paint(p).Pixel(60, 2);
  EXPECT_GT(Brightness(bevelled), Brightness(plain));
}

TEST_F(FacePixels, DisabledGreyFace) {
  TButtonFacePaint p = MainButtonFace();
  p.Color = 0x505050;
  ExpectColor(Paint(p).Pixel(60, 3), Opaque(0xB4B4B4), 2);
}

TEST_F(FacePixels, FlatFaceIsOneColour) {
  face.SetSimpleLayout(true);
  const Surface s = Paint(MainButtonFace());
  EXPECT_EQ(s.Pixel(60, 17), Opaque(kExportColor));
  EXPECT_EQ(s.Pixel(10, 5), Opaque(kExportColor));
  EXPECT_EQ(GetAlpha(s.Pixel(0, 0)), 0);
}

TEST_F(FacePixels, PressedFlatFaceUsesThePressedColour) {
  face.SetSimpleLayout(true);
  TButtonFacePaint p = MainButtonFace();
  p.State.Down = true;
  EXPECT_EQ(Paint(p).Pixel(60, 17), Opaque(0xA2865D));
}

TEST_F(FacePixels, ShadowIsTranslucentBlackOutsideTheShrunkFace) {
  face.SetSimpleLayout(true);
  TButtonFacePaint p = MainButtonFace();
  p.State.Shadow = true;
  const Surface s = Paint(p);
  // The face is 114 x 31 now; the shadow covers (2, 2, 116, 33).
  const ARGB shadow = s.Pixel(116, 20);
  EXPECT_GT(GetAlpha(shadow), 0);
  EXPECT_LE(GetAlpha(shadow), 180);
  EXPECT_EQ(GetRed(shadow), 0);
  EXPECT_EQ(s.Pixel(60, 15), Opaque(kExportColor));
  EXPECT_EQ(GetAlpha(s.Pixel(119, 20)), 0);
}

TEST_F(FacePixels, CaptionDrawsInsideItsRectangleOnly) {
  face.SetSimpleLayout(true);
  TButtonFacePaint p = MainButtonFace();
  const Surface blank = Paint(p);
  p.Caption = "Export";
  const Surface captioned = Paint(p);
  int changedInside = 0, changedOutside = 0;
  for (int y = 0; y < 35; ++y) {
    for (int x = 0; x < 120; ++x) {
      if (blank.Pixel(x, y) == captioned.Pixel(x, y)) continue;
      (x >= 4 && x < 116 && y >= 8 && y < 28 ? changedInside : changedOutside)++;
    }
  }
  EXPECT_GT(changedInside, 40);
  EXPECT_EQ(changedOutside, 0);
}

// The lowest row with ink different from the blank face, or -1.
int LowestInkedRow(const Surface& a, const Surface& blank) {
  int lowest = -1;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Pixel(x, y) != blank.Pixel(x, y)) lowest = y;
    }
  }
  return lowest;
}

TEST_F(FacePixels, AmpersandUnderlinesTheNextLetterInsteadOfBeingDrawn) {
  face.SetSimpleLayout(true);
  TButtonFacePaint p = MainButtonFace();
  const Surface blank = Paint(p);
  p.Caption = "E";
  const int plain = LowestInkedRow(Paint(p), blank);
  p.Caption = "&E";
  const int marked = LowestInkedRow(Paint(p), blank);
  ASSERT_GE(plain, 0);
  EXPECT_GT(marked, plain);  // the underline lies below the letter
  p.Caption = "&&";
  EXPECT_GE(LowestInkedRow(Paint(p), blank), 0);  // two ampersands draw one
}

}  // namespace
}  // namespace tavrin::controls
