// What the fill renderer hands to the drawing layer: the exact outlines, rectangles, brushes,
// pens and their order, recorded by RecordingCanvas.

#include <gtest/gtest.h>

#include <functional>

#include "fill_test_support.h"
#include "widgets/fill/fill.h"
#include "widgets/fill/fill_area.h"
#include "widgets/fill/recording_canvas.h"
#include "widgets/fill/round_rect.h"

namespace tavrin {
namespace {

using Op = CanvasCall::Op;
using testing::LoadBlue;
using testing::LoadGreen;

// The outline the renderer is expected to have built, as recorded points.
std::vector<TGPPointF> Outline(const TGPRectF& r, int32_t radius, TFillRoundingType type) {
  return CreateRoundRectangle(r, radius, type, false).GetPathPoints();
}

void ConfigurePanel(TSmoothFill& fill) {
  fill.SetColor(16445929);
  fill.SetColorTo(15587527);
  fill.SetColorMirror(15587527);
  fill.SetColorMirrorTo(16773863);
  fill.SetGradientMirrorType(gtVertical);
  fill.SetBorderColor(14922381);
  fill.SetRounding(10);
  fill.SetShadowOffset(10);
}

void ConfigureBadge(TSmoothFill& fill) {
  fill.SetColor(clRed);
  fill.SetGradientType(gtSolid);
  fill.SetBorderColor(clGray);
}

// ---- Worked example: the main window's panel ---------------------------------------------

class PanelFillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ConfigurePanel(fill);
    result = fill.Fill(canvas, {0, 0, 451, 99});
  }
  TSmoothFill fill;
  // The caller's smoothing mode is 0 here, to see where the renderer changes it.
  RecordingCanvas canvas{SmoothingModeDefault};
  TGPRectF result;
};

TEST_F(PanelFillTest, DrawsShadowMainAreaMirrorAreaSeamAndBorderInThatOrder) {
  EXPECT_EQ(canvas.Ops(),
            "FillPath "                                                  // shadow
            "SetSmoothingMode FillPath SetSmoothingMode "                // main area
            "SetSmoothingMode FillPath FillRectangle SetSmoothingMode "  // mirror area, seam
            "DrawPath");                                                 // border
}

TEST_F(PanelFillTest, ShadowIsAClampedPathGradientOnTheWholeOutline) {
  const CanvasCall shadow = canvas.Calls()[0];
  ASSERT_TRUE(shadow.brush);
  const RecordedBrush& b = *shadow.brush;
  EXPECT_EQ(b.type, BrushTypePathGradient);
  EXPECT_EQ(shadow.points, Outline({0, 0, 451, 99}, 10, rtBoth));
  EXPECT_EQ(b.pathPoints, shadow.points);
  EXPECT_EQ(b.wrap, WrapModeClamp);
  EXPECT_EQ(b.presetColors, (std::vector<ARGB>{0x00000000, 0xB4808080, 0xB4808080}));
  EXPECT_EQ(b.presetPositions, (std::vector<float>{0.0f, 0.1f, 1.0f}));
}

TEST_F(PanelFillTest, MainAreaIsTheUpperHalfPlusOnePixelWithTopCorners) {
  const CanvasCall main = canvas.Calls(Op::FillPath)[1];
  EXPECT_EQ(main.points, Outline({0, 0, 441, 45.5f}, 10, rtTop));
  EXPECT_EQ(main.smoothing, SmoothingModeAntiAlias);
  ASSERT_TRUE(main.brush);
  EXPECT_EQ(main.brush->type, BrushTypeLinearGradient);
  EXPECT_EQ(main.brush->rect, (TGPRectF{-1, -1, 443, 47.5f}));
  EXPECT_EQ(main.brush->colors[0], 0xFFE9F1FAu);
  EXPECT_EQ(main.brush->colors[1], 0xFFC7D8EDu);
  EXPECT_FLOAT_EQ(main.brush->angle, 90);  // LinearGradientModeVertical
  EXPECT_TRUE(main.brush->scalable);
  EXPECT_TRUE(main.brush->gamma);
}

TEST_F(PanelFillTest, MirrorAreaStartsOnePixelAboveTheMiddleWithBottomCornersAndASeamLine) {
  const CanvasCall mirror = canvas.Calls(Op::FillPath)[2];
  EXPECT_EQ(mirror.points, Outline({0, 43.5f, 441, 45.5f}, 10, rtBottom));
  ASSERT_TRUE(mirror.brush);
  EXPECT_EQ(mirror.brush->rect, (TGPRectF{-1, 42.5f, 443, 47.5f}));
  EXPECT_EQ(mirror.brush->colors[0], 0xFFC7D8EDu);
  EXPECT_EQ(mirror.brush->colors[1], 0xFFE7F2FFu);
  EXPECT_TRUE(mirror.brush->gamma);

  const CanvasCall seam = canvas.Calls(Op::FillRectangle)[0];
  EXPECT_EQ(seam.rect, (TGPRectF{0, 43.5f, 441, 1}));
  ASSERT_TRUE(seam.brush);
  EXPECT_EQ(seam.brush->type, BrushTypeSolidColor);
  EXPECT_EQ(seam.brush->color, 0xFFC7D8EDu);
}

TEST_F(PanelFillTest, BorderStrokesTheReducedOutlineWithTheCallersSmoothing) {
  const CanvasCall border = canvas.Calls(Op::DrawPath)[0];
  EXPECT_EQ(border.points, Outline({0, 0, 441, 89}, 10, rtBoth));
  ASSERT_TRUE(border.pen);
  EXPECT_EQ(border.pen->color, 0xFF8DB2E3u);
  EXPECT_FLOAT_EQ(border.pen->width, 1.0f);
  EXPECT_EQ(border.pen->dash, DashStyleSolid);
  EXPECT_EQ(border.smoothing, SmoothingModeDefault);
}

TEST_F(PanelFillTest, ReturnsTheBodyAndSetsTheFocusRectangle) {
  EXPECT_EQ(result, (TGPRectF{0, 0, 441, 89}));
  EXPECT_EQ(fill.FocusRect(), (TGPRectF{1, 1, 439, 87}));
  EXPECT_EQ(canvas.GetSmoothingMode(), SmoothingModeDefault);
  EXPECT_FALSE(canvas.Clipped());
}

// ---- Worked example: the status badge ------------------------------------------------------

TEST(BadgeFillTest, IsASolidRedPillWithAGrayBorder) {
  TSmoothFill fill;
  ConfigureBadge(fill);
  const TGPRectF r{3, 4, 40, 19};
  fill.BeginUpdate();
  fill.SetRounding(10);  // half of 19, rounded to even
  RecordingCanvas canvas;
  const TGPRectF result = fill.Fill(canvas, r);
  fill.EndUpdate();

  EXPECT_EQ(canvas.Ops(), "SetSmoothingMode FillPath SetSmoothingMode DrawPath");
  const CanvasCall body = canvas.Calls(Op::FillPath)[0];
  EXPECT_EQ(body.points, Outline(r, 10, rtBoth));
  EXPECT_EQ(body.smoothing, SmoothingModeAntiAlias);
  EXPECT_EQ(body.brush->type, BrushTypeSolidColor);
  EXPECT_EQ(body.brush->color, 0xFFFF0000u);
  const CanvasCall border = canvas.Calls(Op::DrawPath)[0];
  EXPECT_EQ(border.points, Outline(r, 10, rtBoth));
  EXPECT_EQ(border.pen->color, 0xFF808080u);
  EXPECT_EQ(result, r);
}

// ---- Line case -----------------------------------------------------------------------------

struct LineCase {
  TGPRectF r;
  bool lineOnly;
};

class LineCaseTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineCaseTest, OnePixelHighOrWideDrawsOnlyTheBorderLine) {
  TSmoothFill fill;
  ConfigurePanel(fill);
  fill.SetBorderWidth(2);
  RecordingCanvas canvas;
  const TGPRectF r = GetParam().r;
  const TGPRectF result = fill.Fill(canvas, r);
  if (!GetParam().lineOnly) {
    EXPECT_NE(canvas.Ops(), "DrawLine");
    EXPECT_EQ(canvas.Calls(Op::DrawLine).size(), 0u);
    return;
  }
  ASSERT_EQ(canvas.Ops(), "DrawLine");
  const CanvasCall line = canvas.Calls()[0];
  EXPECT_EQ(line.points, (std::vector<TGPPointF>{{r.X, r.Y}, {r.X + r.Width, r.Y + r.Height}}));
  EXPECT_EQ(line.pen->color, 0xFF8DB2E3u);
  EXPECT_FLOAT_EQ(line.pen->width, 2.0f);
  EXPECT_EQ(result, r);  // no shadow taken off
}

INSTANTIATE_TEST_SUITE_P(Sizes, LineCaseTest,
                         ::testing::Values(LineCase{{5, 6, 80, 1.0f}, true},
                                           LineCase{{5, 6, 1.0f, 30}, true},
                                           LineCase{{5, 6, 80, 1.0001f}, false},
                                           LineCase{{5, 6, 80, 0.5f}, false}));

TEST(LineCaseTest, WithoutABorderStillDrawsGlowFocusAndPicture) {
  TSmoothFill fill;
  fill.SetGlow(gmRadial);
  fill.SetFocus(true);
  LoadBlue(fill.Picture());
  RecordingCanvas canvas;
  fill.Fill(canvas, {2, 2, 50, 1});
  EXPECT_EQ(canvas.Ops(),
            "SetClip FillEllipse ResetClip "               // glow
            "SetSmoothingMode DrawPath SetSmoothingMode "  // focus outline
            "DrawPicture");
  EXPECT_EQ(canvas.Calls(Op::DrawPicture)[0].target, (TRect{2, 2, 6, 5}));
}

// ---- Shadow, areas and clNone ----------------------------------------------------------

TEST(FillShadowTest, OffsetTenOnA100By40RectangleLeavesA90By30Body) {
  TSmoothFill fill;
  fill.SetShadowOffset(10);
  fill.SetBorderColor(clBlack);
  RecordingCanvas canvas;
  const TGPRectF result = fill.Fill(canvas, {0, 0, 100, 40});
  const auto fills = canvas.Calls(Op::FillPath);
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills[0].points, Outline({0, 0, 100, 40}, 0, rtBoth));
  EXPECT_EQ(canvas.Calls(Op::DrawPath)[0].points, Outline({0, 0, 90, 30}, 0, rtBoth));
  EXPECT_EQ(result, (TGPRectF{0, 0, 90, 30}));
}

TEST(FillShadowTest, ShadowColorNoneOrNoOffsetDropsTheShadow) {
  for (const auto& [color, offset] :
       {std::pair{clNone, 10}, std::pair{clGray, 0}, std::pair{clGray, -3}}) {
    TSmoothFill fill;
    fill.SetShadowColor(color);
    fill.SetShadowOffset(offset);
    RecordingCanvas canvas;
    EXPECT_EQ(fill.Fill(canvas, {0, 0, 100, 40}), (TGPRectF{0, 0, 100, 40}));
    EXPECT_EQ(canvas.Ops(), "FillRectangle") << color << " " << offset;  // the body alone
  }
}

TEST(FillAreaTest, MirrorColorNoneIsOneAreaWithAllCorners) {
  TSmoothFill fill;
  fill.SetGradientMirrorType(gtVertical);
  fill.SetRounding(6);
  fill.SetRoundingType(rtBoth);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 60, 30});
  const auto fills = canvas.Calls(Op::FillPath);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].points, Outline({0, 0, 60, 30}, 6, rtBoth));
  EXPECT_EQ(fills[0].brush->rect, (TGPRectF{-1, -1, 62, 32}));
  EXPECT_EQ(fills[0].brush->colors[0], ColorToARGB(clSilver));
  EXPECT_EQ(fills[0].brush->colors[1], ColorToARGB(clGray));
  EXPECT_EQ(canvas.Calls(Op::FillRectangle).size(), 0u);  // no seam
}

TEST(FillAreaTest, HatchWithMirrorColorIsNotSplitButKeepsOnlyTheTopCorners) {
  TSmoothFill fill;
  fill.SetGradientType(gtHatch);
  fill.SetHatchStyle(HatchStyleCross);
  fill.SetColor(clRed);
  fill.SetColorTo(clWhite);
  fill.SetOpacityTo(128);
  fill.SetColorMirror(clBlue);
  fill.SetRounding(6);
  fill.SetBorderColor(clBlack);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 60, 30});
  const auto fills = canvas.Calls(Op::FillPath);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].points, Outline({0, 0, 60, 30}, 6, rtTop));
  EXPECT_EQ(fills[0].brush->type, BrushTypeHatchFill);
  EXPECT_EQ(fills[0].brush->hatch, HatchStyleCross);
  EXPECT_EQ(fills[0].brush->fore, 0xFFFF0000u);
  EXPECT_EQ(fills[0].brush->back, 0x80FFFFFFu);
  EXPECT_EQ(canvas.Calls(Op::DrawPath)[0].points, Outline({0, 0, 60, 30}, 6, rtBoth));
}

TEST(FillAreaTest, PathKindPaintsNoBackgroundButBorderAndGlow) {
  TSmoothFill fill;
  fill.SetGradientType(gtPath);
  fill.SetBorderColor(clBlack);
  fill.SetGlow(gmRadial);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 60, 30});
  EXPECT_EQ(canvas.Ops(), "DrawPath SetClip FillEllipse ResetClip");
}

TEST(FillAreaTest, EndColorNoneTurnsTheAreaSolid) {
  TSmoothFill fill;
  fill.SetColorTo(clNone);
  fill.SetOpacity(77);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 60, 30});
  ASSERT_EQ(canvas.Ops(), "FillRectangle");
  EXPECT_EQ(canvas.Calls()[0].brush->type, BrushTypeSolidColor);
  EXPECT_EQ(canvas.Calls()[0].brush->color, MakeColor(77, clSilver));
  EXPECT_EQ(canvas.Calls()[0].rect, (TGPRectF{0, 0, 60, 30}));
}

TEST(FillAreaTest, StartColorNoneSkipsTheMainAreaButPaintsTheMirror) {
  TSmoothFill fill;
  fill.SetColor(clNone);
  fill.SetColorMirror(clBlue);
  fill.SetColorMirrorTo(clWhite);
  fill.SetGradientMirrorType(gtSolid);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 60, 30});
  ASSERT_EQ(canvas.Ops(), "FillRectangle");
  EXPECT_EQ(canvas.Calls()[0].rect, (TGPRectF{0, 14, 60, 16}));
  EXPECT_EQ(canvas.Calls()[0].brush->color, 0xFF0000FFu);
}

TEST(FillAreaTest, ZeroRoundingFillsRectanglesWithoutTouchingSmoothing) {
  TSmoothFill fill;
  ConfigurePanel(fill);
  fill.SetRounding(0);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 451, 99});
  EXPECT_EQ(canvas.Ops(), "FillPath FillRectangle FillRectangle FillRectangle DrawPath");
  const auto rects = canvas.Calls(Op::FillRectangle);
  EXPECT_EQ(rects[0].rect, (TGPRectF{0, 0, 441, 45.5f}));
  EXPECT_EQ(rects[1].rect, (TGPRectF{0, 43.5f, 441, 45.5f}));
  EXPECT_EQ(rects[2].rect, (TGPRectF{0, 43.5f, 441, 1}));
}

TEST(FillAreaTest, AngleKindUsesAScalableAngleAndNoSeam) {
  TSmoothFill fill;
  fill.SetGradientType(gtAngle);
  fill.SetAngle(30);
  fill.SetColorMirror(clBlue);
  fill.SetColorMirrorTo(clWhite);
  fill.SetGradientMirrorType(gtAngle);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 60, 30});
  EXPECT_EQ(canvas.Ops(), "FillRectangle FillRectangle");
  for (const CanvasCall& call : canvas.Calls()) {
    EXPECT_FLOAT_EQ(call.brush->angle, 30);
    EXPECT_TRUE(call.brush->scalable);
    EXPECT_TRUE(call.brush->gamma);
  }
}

// The opacity arguments replace the fill's own values only below 255.
TEST(FillOpacityTest, ArgumentsBelow255OverrideTheFill) {
  struct Case {
    uint8_t own, argument, expected;
  };
  for (const Case& c :
       {Case{255, 255, 255}, Case{50, 255, 50}, Case{50, 200, 200}, Case{255, 0, 0}}) {
    TSmoothFill fill;
    fill.SetGradientType(gtSolid);
    fill.SetBorderColor(clBlack);
    fill.SetOpacity(c.own);
    fill.SetBorderOpacity(c.own);
    RecordingCanvas canvas;
    fill.Fill(canvas, {0, 0, 10, 10}, c.argument, c.argument);
    EXPECT_EQ(GetAlpha(canvas.Calls(Op::FillRectangle)[0].brush->color), c.expected);
    EXPECT_EQ(GetAlpha(canvas.Calls(Op::DrawPath)[0].pen->color), c.expected);
  }
}

TEST(FillBorderTest, NoneColorOrNonPositiveWidthDrawsNoBorder) {
  for (const auto& [color, width] :
       {std::pair{clNone, 1}, std::pair{clBlack, 0}, std::pair{clBlack, -1}}) {
    TSmoothFill fill;
    fill.SetBorderColor(color);
    fill.SetBorderWidth(width);
    RecordingCanvas canvas;
    fill.Fill(canvas, {0, 0, 10, 10});
    EXPECT_EQ(canvas.Calls(Op::DrawPath).size(), 0u);
    EXPECT_EQ(canvas.Calls(Op::DrawRectangle).size(), 0u);
  }
}

// ---- Corner mapping of split areas ---------------------------------------------------------

struct MappingCase {
  TFillRoundingType type, main, mirror;
};

class RoundingMappingTest : public ::testing::TestWithParam<MappingCase> {
 protected:
  // The fills of the main and then the mirror area of a fill with radius 4.
  std::vector<CanvasCall> AreaFills(TSmoothFill& fill) {
    fill.SetRounding(4);
    fill.SetRoundingType(GetParam().type);
    RecordingCanvas canvas;
    fill.DrawGradientBackGround(canvas, r, false, 255, 255, 255, 255);
    fill.DrawGradientBackGround(canvas, r, true, 255, 255, 255, 255);
    return canvas.Calls(Op::FillPath);
  }
  const TGPRectF r{0, 0, 50, 20};
};

TEST_P(RoundingMappingTest, SplitAreasKeepTheirOwnCorners) {
  const MappingCase& c = GetParam();
  TSmoothFill fill;
  fill.SetColorMirror(clBlue);
  const auto fills = AreaFills(fill);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].points, Outline(r, 4, c.main));
  EXPECT_EQ(fills[1].points, Outline(r, 4, c.mirror));
}

TEST_P(RoundingMappingTest, WithoutMirrorColorBothAreasUseTheFillsCorners) {
  const MappingCase& c = GetParam();
  TSmoothFill fill;
  fill.SetColorMirrorTo(clBlue);
  fill.SetGradientMirrorType(gtVertical);
  // The mirror area's start colour is clNone, so it paints nothing: one fill, all corners.
  const auto fills = AreaFills(fill);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].points, Outline(r, 4, c.type));
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, RoundingMappingTest,
    ::testing::Values(MappingCase{rtNone, rtNone, rtNone}, MappingCase{rtTop, rtTop, rtNone},
                      MappingCase{rtBottom, rtNone, rtBottom}, MappingCase{rtBoth, rtTop, rtBottom},
                      MappingCase{rtLeft, rtLeft, rtLeft}, MappingCase{rtRight, rtRight, rtRight}));

// ---- Radial areas ------------------------------------------------------------------------

TEST(RadialAreaTest, UpperAreaGlowsInItsEndColourFromTheTopMiddle) {
  TSmoothFill fill;
  fill.SetGradientType(gtRadial);
  fill.SetColor(clRed);
  fill.SetColorTo(clWhite);
  fill.SetOpacityTo(100);
  fill.SetRounding(3);
  RecordingCanvas canvas;
  fill.Fill(canvas, {10, 20, 80, 40});
  EXPECT_EQ(canvas.Ops(), "FillPath SetClip FillRectangle ResetClip");
  const CanvasCall base = canvas.Calls()[0];
  EXPECT_EQ(base.points, Outline({10, 20, 80, 40}, 3, rtBoth));
  EXPECT_EQ(base.brush->color, 0xFFFF0000u);
  EXPECT_EQ(canvas.Calls()[1].points, base.points);  // clipped to the outline
  const CanvasCall glow = canvas.Calls()[2];
  EXPECT_EQ(glow.rect, (TGPRectF{10, 20, 80, 40}));
  EXPECT_TRUE(glow.clipped);
  const RecordedBrush& b = *glow.brush;
  EXPECT_EQ(b.type, BrushTypePathGradient);
  TGPGraphicsPath ellipse;
  ellipse.AddEllipse(10, 0, 80, 60);  // (x, y - h / 2, w, 1.5 h)
  EXPECT_EQ(b.pathPoints, ellipse.GetPathPoints());
  EXPECT_EQ(b.center, (TGPPointF{50, 20}));
  EXPECT_EQ(b.centerColor, 0x64FFFFFFu);
  EXPECT_EQ(b.surround, (std::vector<ARGB>{0xFFFF0000u}));
}

TEST(RadialAreaTest, SplitMirrorAreaGlowsInItsStartColourFromTheBottomMiddle) {
  TSmoothFill fill;
  fill.SetGradientType(gtRadial);
  fill.SetColor(clRed);
  fill.SetColorTo(clNone);  // the upper area glows in its start colour then
  fill.SetColorMirror(clBlue);
  fill.SetColorMirrorTo(clWhite);
  fill.SetGradientMirrorType(gtRadial);
  fill.SetRounding(3);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 80, 40});
  EXPECT_EQ(canvas.Ops(),
            "FillPath SetClip FillRectangle ResetClip FillPath SetClip FillRectangle ResetClip");
  const auto fills = canvas.Calls(Op::FillPath);
  EXPECT_EQ(fills[0].points, Outline({0, 0, 80, 21}, 3, rtTop));
  EXPECT_EQ(canvas.Calls(Op::FillRectangle)[0].brush->centerColor, 0xFFFF0000u);
  EXPECT_EQ(fills[1].points, Outline({0, 19, 80, 21}, 3, rtBottom));
  EXPECT_EQ(fills[1].brush->color, 0xFFFFFFFFu);  // base: the mirror end colour
  const RecordedBrush b = *canvas.Calls(Op::FillRectangle)[1].brush;
  TGPGraphicsPath ellipse;
  ellipse.AddEllipse(0, 19, 80, 31.5f);
  EXPECT_EQ(b.pathPoints, ellipse.GetPathPoints());
  EXPECT_EQ(b.center, (TGPPointF{40, 40}));
  EXPECT_EQ(b.centerColor, 0xFF0000FFu);
  EXPECT_EQ(b.surround, (std::vector<ARGB>{0xFFFFFFFFu}));
}

TEST(RadialAreaTest, StartColorNoneDrawsNothing) {
  TSmoothFill fill;
  fill.SetGradientType(gtRadial);
  fill.SetColor(clNone);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 80, 40});
  EXPECT_EQ(canvas.Ops(), "");
}

// ---- Glow and focus --------------------------------------------------------------------

TEST(GlowTest, GradientGlowStrokesTheInnerOutlineAndFillsTwoBands) {
  TSmoothFill fill;
  fill.SetGlow(gmGradient);
  fill.SetGlowGradientColor(clYellow);
  fill.SetRounding(4);
  RecordingCanvas canvas;
  fill.DrawGlow(canvas, {10, 20, 100, 50});
  EXPECT_EQ(canvas.Ops(),
            "SetClip DrawPath FillRectangle FillPolygon FillPolygon "
            "FillRectangle FillPolygon FillPolygon ResetClip");
  const auto& calls = canvas.Calls();
  TGPGraphicsPath clip;
  clip.AddRectangle({10, 20, 100, 50});
  EXPECT_EQ(calls[0].points, clip.GetPathPoints());
  // r = (11, 21, 98, 48): x0 11, y0 21, x1 109, y1 69.
  EXPECT_EQ(calls[1].points, Outline({11, 21, 98, 48}, 4, rtBoth));
  EXPECT_EQ(calls[1].pen->color, 0xC8FFFF00u);
  EXPECT_EQ(calls[2].rect, (TGPRectF{16, 21, 88, 4}));
  EXPECT_EQ(calls[2].brush->rect, (TGPRectF{15, 20, 90, 6}));
  EXPECT_EQ(calls[2].brush->colors[0], 0xAFFFFF00u);
  EXPECT_EQ(calls[2].brush->colors[1], 0x00FFFF00u);
  EXPECT_FALSE(calls[2].brush->gamma);
  EXPECT_EQ(calls[3].points, (std::vector<TGPPointF>{{11, 21}, {16, 21}, {16, 25}}));
  EXPECT_EQ(calls[4].points, (std::vector<TGPPointF>{{109, 21}, {104, 21}, {104, 25}}));
  EXPECT_EQ(calls[5].rect, (TGPRectF{16, 62, 88, 7}));
  EXPECT_EQ(calls[5].brush->rect, (TGPRectF{15, 61, 90, 9}));
  EXPECT_EQ(calls[5].brush->colors[0], 0x00FFFF00u);
  EXPECT_EQ(calls[5].brush->colors[1], 0xDCFFFF00u);
  EXPECT_EQ(calls[6].points, (std::vector<TGPPointF>{{11, 69}, {16, 69}, {16, 62}}));
  EXPECT_EQ(calls[7].points, (std::vector<TGPPointF>{{109, 69}, {104, 69}, {104, 62}}));
}

TEST(GlowTest, RadialGlowRisesFromTheBottomMiddle) {
  TSmoothFill fill;
  fill.SetGlow(gmRadial);
  fill.SetGlowRadialColor(clAqua);
  fill.SetColor(clRed);
  RecordingCanvas canvas;
  fill.DrawGlow(canvas, {10, 20, 100, 50});
  ASSERT_EQ(canvas.Ops(), "SetClip FillEllipse ResetClip");
  const CanvasCall glow = canvas.Calls()[1];
  EXPECT_EQ(glow.rect, (TGPRectF{21, -3, 78, 144}));
  EXPECT_EQ(glow.brush->center, (TGPPointF{60, 69}));
  EXPECT_EQ(glow.brush->centerColor, 0x9600FFFFu);
  EXPECT_EQ(glow.brush->surround, (std::vector<ARGB>{0x00FF0000u}));
}

TEST(GlowTest, BothGlowsDrawBandsThenRadialAndNoneDrawsNothing) {
  TSmoothFill fill;
  fill.SetGlow(gmRadialGradient);
  RecordingCanvas both;
  fill.DrawGlow(both, {0, 0, 40, 30});
  EXPECT_EQ(both.Ops(),
            "SetClip DrawPath FillRectangle FillPolygon FillPolygon "
            "FillRectangle FillPolygon FillPolygon FillEllipse ResetClip");
  fill.SetGlow(gmNone);
  RecordingCanvas none;
  fill.DrawGlow(none, {0, 0, 40, 30});
  EXPECT_EQ(none.Ops(), "");
}

TEST(FocusTest, DottedUnsmoothedOutlineInsideTheBorder) {
  TSmoothFill fill;
  fill.SetGradientType(gtNone);
  fill.SetFocus(true);
  fill.SetFocusColor(clBlue);
  fill.SetOpacity(90);
  fill.SetBorderWidth(2);
  fill.SetRounding(6);
  RecordingCanvas canvas(SmoothingModeAntiAlias);
  fill.Fill(canvas, {0, 0, 40, 30});
  EXPECT_EQ(fill.FocusRect(), (TGPRectF{2, 2, 36, 26}));
  // The empty area still sets up its anti-aliased outline; then the focus outline.
  ASSERT_EQ(canvas.Ops(),
            "SetSmoothingMode SetSmoothingMode SetSmoothingMode DrawPath SetSmoothingMode");
  const CanvasCall focus = canvas.Calls()[3];
  EXPECT_EQ(focus.smoothing, SmoothingModeDefault);
  EXPECT_EQ(focus.points, Outline({2, 2, 36, 26}, 4, rtBoth));
  EXPECT_EQ(focus.pen->color, 0x5A0000FFu);
  EXPECT_EQ(focus.pen->dash, DashStyleDot);
  EXPECT_FLOAT_EQ(focus.pen->width, 1.0f);
  EXPECT_EQ(canvas.GetSmoothingMode(), SmoothingModeAntiAlias);
}

// ---- Pictures ----------------------------------------------------------------------------

TEST(FillPictureTest, TiledTextureFillsTheOutlineAndPlacesNothing) {
  TSmoothFill fill;
  fill.SetGradientType(gtTexture);
  fill.SetBackGroundPicturePosition(ppTiled);
  fill.SetRounding(5);
  LoadGreen(fill.BackGroundPicture());
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 40, 30});
  EXPECT_EQ(canvas.Ops(), "SetSmoothingMode TilePath SetSmoothingMode");
  EXPECT_EQ(canvas.Calls()[1].picture, &fill.BackGroundPicture());
  EXPECT_EQ(canvas.Calls()[1].points, Outline({0, 0, 40, 30}, 5, rtBoth));
}

TEST(FillPictureTest, CentredPictureInsideTheFillIsClippedAndDrawnBeforeTheBorder) {
  TSmoothFill fill;
  fill.SetGradientType(gtTexture);
  fill.SetBackGroundPicturePosition(ppCenterCenter);
  fill.SetBackGroundPictureMode(pmInsideFill);
  fill.SetBorderColor(clBlack);
  fill.SetRounding(5);
  LoadGreen(fill.BackGroundPicture());
  RecordingCanvas canvas;
  fill.Fill(canvas, {0.4f, 0.6f, 40, 31});  // rounds to (0, 1, 40, 31)
  EXPECT_EQ(canvas.Ops(),
            "SetSmoothingMode SetSmoothingMode SetClip DrawPicture ResetClip DrawPath");
  EXPECT_EQ(canvas.Calls()[2].points, Outline({0.4f, 0.6f, 40, 31}, 5, rtBoth));
  const CanvasCall picture = canvas.Calls()[3];
  EXPECT_TRUE(picture.clipped);
  // 6 x 5 centred in (0, 1, 40, 32): left 0 + 34 / 2, top 1 + 26 / 2.
  EXPECT_EQ(picture.target, (TRect{17, 14, 23, 19}));
}

TEST(FillPictureTest, OutsideModeDrawsTheBackgroundPictureAfterTheFocusWithoutClip) {
  TSmoothFill fill;
  fill.SetGradientType(gtTexture);
  fill.SetBackGroundPicturePosition(ppCustom);
  fill.SetBackGroundPictureLeft(-3);
  fill.SetBackGroundPictureTop(4);
  fill.SetFocus(true);
  LoadGreen(fill.BackGroundPicture());
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 40, 30});
  EXPECT_EQ(canvas.Ops(), "SetSmoothingMode DrawPath SetSmoothingMode DrawPicture");
  EXPECT_EQ(canvas.Calls()[3].target, (TRect{-3, 4, 3, 9}));
  EXPECT_FALSE(canvas.Calls()[3].clipped);
}

TEST(FillPictureTest, CustomPictureGoesToItsSurfacePointAtItsOwnOrCustomSize) {
  TSmoothFill fill;
  fill.SetGradientType(gtNone);
  fill.SetPicturePosition(ppCustom);
  fill.SetPictureLeft(5);
  fill.SetPictureTop(7);
  LoadBlue(fill.Picture());
  RecordingCanvas natural;
  fill.Fill(natural, {100, 200, 40, 30});
  ASSERT_EQ(natural.Ops(), "DrawPicture");
  EXPECT_EQ(natural.Calls()[0].target, (TRect{5, 7, 9, 10}));
  EXPECT_EQ(natural.Calls()[0].picture, &fill.Picture());

  fill.SetPictureSize(psCustom);
  fill.SetPictureWidth(20);
  fill.SetPictureHeight(11);
  RecordingCanvas custom;
  fill.Fill(custom, {100, 200, 40, 30});
  EXPECT_EQ(custom.Calls()[0].target, (TRect{5, 7, 25, 18}));
}

TEST(FillPictureTest, EmptyPicturesDrawNothing) {
  TSmoothFill fill;
  fill.SetGradientType(gtTexture);
  fill.SetPicturePosition(ppCenterCenter);
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 40, 30});
  EXPECT_EQ(canvas.Calls(Op::DrawPicture).size(), 0u);
}

struct PlacementCase {
  TFillPicturePosition location;
  TRect r;
  int32_t w, h;
  TRect expected;
};

class PicturePlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PicturePlacementTest, TargetRectangle) {
  const PlacementCase& c = GetParam();
  TSmoothPicture picture;
  LoadBlue(picture);
  RecordingCanvas canvas;
  DrawPicture(canvas, &picture, c.location, c.w, c.h, c.r, 70, 80);
  ASSERT_EQ(canvas.Ops(), "DrawPicture");
  EXPECT_EQ(canvas.Calls()[0].target, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PicturePlacementTest,
    ::testing::Values(PlacementCase{ppTopLeft, {10, 20, 110, 70}, 30, 10, {10, 20, 40, 30}},
                      PlacementCase{ppTopCenter, {0, 0, 101, 20}, 50, 10, {25, 0, 75, 10}},
                      PlacementCase{ppTopCenter, {0, 0, 10, 10}, 15, 10, {-2, 0, 13, 10}},
                      PlacementCase{ppTopRight, {10, 20, 110, 70}, 30, 10, {80, 20, 110, 30}},
                      PlacementCase{ppBottomLeft, {10, 20, 110, 70}, 30, 10, {10, 60, 40, 70}},
                      PlacementCase{ppBottomCenter, {10, 20, 110, 70}, 31, 10, {44, 60, 75, 70}},
                      PlacementCase{ppBottomRight, {10, 20, 110, 70}, 30, 10, {80, 60, 110, 70}},
                      PlacementCase{ppStretched, {10, 20, 110, 70}, 30, 10, {10, 20, 110, 70}},
                      PlacementCase{ppCenterLeft, {10, 20, 110, 70}, 30, 11, {10, 39, 40, 50}},
                      PlacementCase{ppCenterCenter, {10, 20, 110, 70}, 30, 11, {45, 39, 75, 50}},
                      PlacementCase{ppCenterCenter, {0, 0, 10, 10}, 15, 13, {-2, -1, 13, 12}},
                      PlacementCase{ppCenterRight, {10, 20, 110, 70}, 30, 11, {80, 39, 110, 50}},
                      PlacementCase{ppCustom, {10, 20, 110, 70}, 30, 11, {70, 80, 100, 91}}));

TEST(PicturePlacementTest, TiledPositionAndEmptyPictureDrawNothing) {
  TSmoothPicture picture;
  RecordingCanvas canvas;
  DrawPicture(canvas, &picture, ppTopLeft, 4, 3, {0, 0, 10, 10}, 0, 0);
  DrawPicture(canvas, nullptr, ppTopLeft, 4, 3, {0, 0, 10, 10}, 0, 0);
  LoadBlue(picture);
  DrawPicture(canvas, &picture, ppTiled, 4, 3, {0, 0, 10, 10}, 0, 0);
  EXPECT_EQ(canvas.Ops(), "");
}

// ---- FillArea on its own ---------------------------------------------------------------

TEST(FillAreaJobTest, BorderUsesTheStartOpacityAndDashStyle) {
  RecordingCanvas canvas;
  TFillParameters job;
  job.Graphics = &canvas;
  job.R = {1, 2, 30, 20};
  job.GT = gtSolid;
  job.ColorFrom = clRed;
  job.OpacityFrom = 60;
  job.BorderColor = clBlue;
  job.BorderWidth = 3;
  job.BorderStyle = DashStyleDash;
  FillArea(job);
  EXPECT_EQ(canvas.Ops(), "FillRectangle DrawRectangle");
  const CanvasCall border = canvas.Calls()[1];
  EXPECT_EQ(border.rect, job.R);
  EXPECT_EQ(border.pen->color, 0x3C0000FFu);
  EXPECT_FLOAT_EQ(border.pen->width, 3);
  EXPECT_EQ(border.pen->dash, DashStyleDash);
}

TEST(FillAreaJobTest, KindsWithoutABackgroundPaintNothing) {
  for (TGradientType gt : {gtRadial, gtPath, gtNone, gtTexture, static_cast<TGradientType>(42)}) {
    RecordingCanvas canvas;
    TFillParameters job;
    job.Graphics = &canvas;
    job.R = {0, 0, 10, 10};
    job.GT = gt;
    job.ColorFrom = clRed;
    job.ColorTo = clBlue;
    FillArea(job);
    EXPECT_EQ(canvas.Ops(), "") << gt;
  }
}

TEST(FillAreaJobTest, LinearModesAndTheirAngles) {
  const std::pair<TGradientType, float> kinds[] = {
      {gtVertical, 90}, {gtHorizontal, 0}, {gtForwardDiagonal, 45}, {gtBackwardDiagonal, 135}};
  for (const auto& [gt, angle] : kinds) {
    RecordingCanvas canvas;
    TFillParameters job;
    job.Graphics = &canvas;
    job.R = {4, 5, 10, 20};
    job.GT = gt;
    job.ColorFrom = clRed;
    job.ColorTo = clBlue;
    FillArea(job);
    ASSERT_EQ(canvas.Ops(), "FillRectangle");
    EXPECT_FLOAT_EQ(canvas.Calls()[0].brush->angle, angle) << gt;
    EXPECT_EQ(canvas.Calls()[0].brush->rect, (TGPRectF{3, 4, 12, 22}));
  }
}

// ---- Renderer state --------------------------------------------------------------------

TEST(FillStateTest, PaintingNeverAnnouncesAChange) {
  TSmoothFill fill;
  ConfigurePanel(fill);
  fill.SetGlow(gmRadialGradient);
  fill.SetFocus(true);
  int changes = 0;
  fill.OnChange = [&](TSmoothFill&) { ++changes; };
  RecordingCanvas canvas;
  fill.Fill(canvas, {0, 0, 100, 50});
  EXPECT_EQ(changes, 0);
}

TEST(FillStateTest, AbsurdRectanglesAndStoredSizesDoNotOverflow) {
  TSmoothFill fill;
  LoadBlue(fill.Picture());
  fill.SetPicturePosition(ppBottomRight);
  fill.SetPictureSize(psCustom);
  fill.SetPictureWidth(INT32_MIN);
  fill.SetPictureHeight(INT32_MAX);
  RecordingCanvas canvas;
  fill.Fill(canvas, {-3e9f, 3e9f, 1e30f, 5e9f});
  ASSERT_EQ(canvas.Calls(Op::DrawPicture).size(), 1u);
  // Each coordinate rounds to the nearest 32-bit integer: left INT32_MIN, top, width and height
  // INT32_MAX. So the right edge is INT32_MIN + INT32_MAX = -1, and the sums that leave the
  // range wrap: bottom INT32_MAX + INT32_MAX = -2, then right - INT32_MIN and
  // bottom - INT32_MAX both come to INT32_MAX.
  const TRect expected{INT32_MAX, INT32_MAX, -1, -2};
  EXPECT_EQ(canvas.Calls(Op::DrawPicture)[0].target, expected);
}

TEST(FillStateTest, NullSurfaceDrawsNothing) {
  TSmoothFill fill;
  EXPECT_EQ(fill.Fill(static_cast<TGPGraphics*>(nullptr), {1, 2, 3, 4}), (TGPRectF{1, 2, 3, 4}));
}

}  // namespace
}  // namespace tavrin
