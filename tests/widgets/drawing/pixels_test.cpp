// Pixel probes on tiny off-screen images: pixel grid, gradients, hatches, pens, clipping.
#include <gtest/gtest.h>

#include <cmath>

#include "widgets/drawing/drawing.h"

namespace tavrin {
namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;

int Red(ARGB c) { return GetRed(c); }
int Alpha(ARGB c) { return GetAlpha(c); }

// ---- Pixel grid ---------------------------------------------------------------------------

TEST(PixelGrid, AliasedFillCoversExactlyWidthByHeight) {
  Surface image(8, 8);
  auto g = image.Graphics();
  TGPSolidBrush brush(kBlack);
  g->FillRectangle(brush, 2, 2, 3, 3);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(Alpha(image.Pixel(x, y)), (x >= 2 && x < 5 && y >= 2 && y < 5) ? 255 : 0)
          << x << "," << y;
}

// Pixel centres decide, also for slanted outlines and for spans a pixel apart.
TEST(PixelGrid, AliasedFillOfASlantedOutlineKeepsOnePixelGaps) {
  Surface image(12, 8);
  auto g = image.Graphics();
  TGPGraphicsPath path;
  const TGPPointF triangle[] = {{0, 7}, {2, 5}, {2, 7}};
  path.AddPolygon(triangle, 3);
  path.AddRectangle({4.3f, 2, 1, 1});
  path.AddRectangle({6.3f, 2, 1, 1});
  TGPSolidBrush brush(kBlack);
  g->FillPath(brush, path);
  EXPECT_EQ(Alpha(image.Pixel(4, 2)), 0);    // centre 4 lies left of 4.3
  EXPECT_EQ(Alpha(image.Pixel(5, 2)), 255);
  EXPECT_EQ(Alpha(image.Pixel(6, 2)), 0);
  EXPECT_EQ(Alpha(image.Pixel(7, 2)), 255);
  EXPECT_EQ(Alpha(image.Pixel(8, 2)), 0);
  EXPECT_EQ(Alpha(image.Pixel(1, 6)), 255);  // (1, 6) lies inside the triangle
  EXPECT_EQ(Alpha(image.Pixel(0, 5)), 0);
}

// Geometry beyond Cairo's fixed-point range may draw less, but never outside its rows and never
// with undefined conversions (the sanitizer build checks the latter).
TEST(PixelGrid, AliasedFillOfFarOffGeometryStaysDefined) {
  Surface image(4, 4);
  auto g = image.Graphics();
  TGPSolidBrush brush(kBlack);
  g->FillRectangle(brush, -3e9f, 1, 1e30f, 2);
  g->FillRectangle(brush, 1, 3, 2, 1e30f);
  EXPECT_EQ(Alpha(image.Pixel(2, 0)), 0);
  EXPECT_EQ(Alpha(image.Pixel(0, 3)), 0);
}

TEST(PixelGrid, AntialiasedFillTouchesOneMoreColumnAtHalfCoverage) {
  Surface image(8, 8);
  auto g = image.Graphics();
  g->SetSmoothingMode(SmoothingModeAntiAlias);
  TGPSolidBrush brush(kBlack);
  g->FillRectangle(brush, 2, 2, 3, 3);
  EXPECT_NEAR(Alpha(image.Pixel(2, 3)), 128, 2);
  EXPECT_EQ(Alpha(image.Pixel(3, 3)), 255);
  EXPECT_NEAR(Alpha(image.Pixel(5, 3)), 128, 2);
  EXPECT_NEAR(Alpha(image.Pixel(2, 2)), 64, 2);
  EXPECT_EQ(Alpha(image.Pixel(6, 3)), 0);
}

class CrispStroke : public ::testing::TestWithParam<int32_t> {};

TEST_P(CrispStroke, OnePixelRectangleOutlineOnIntegerLines) {
  Surface image(8, 8);
  auto g = image.Graphics();
  g->SetSmoothingMode(GetParam());
  TGPPen pen(kBlack, 1);
  g->DrawRectangle(pen, 1, 1, 4, 4);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inBox = x >= 1 && x <= 5 && y >= 1 && y <= 5;
      const bool onEdge = inBox && (x == 1 || x == 5 || y == 1 || y == 5);
      EXPECT_EQ(Alpha(image.Pixel(x, y)), onEdge ? 255 : 0) << x << "," << y;
    }
  }
}

TEST_P(CrispStroke, HorizontalLineIsOneRow) {
  Surface image(8, 5);
  auto g = image.Graphics();
  g->SetSmoothingMode(GetParam());
  TGPPen pen(kBlack, 1);
  g->DrawLine(pen, 0, 2, 8, 2);
  EXPECT_EQ(Alpha(image.Pixel(4, 1)), 0);
  EXPECT_EQ(Alpha(image.Pixel(4, 2)), 255);
  EXPECT_EQ(Alpha(image.Pixel(4, 3)), 0);
}

INSTANTIATE_TEST_SUITE_P(SmoothingModes, CrispStroke,
                         ::testing::Values(SmoothingModeDefault, SmoothingModeAntiAlias));

TEST(Pen, DotsAlternateOnePixelOnOneOff) {
  Surface image(12, 3);
  auto g = image.Graphics();
  TGPPen pen(kBlack, 1);
  pen.SetDashStyle(DashStyleDot);
  g->DrawLine(pen, 0, 1, 12, 1);
  for (int x = 0; x < 12; ++x) EXPECT_EQ(Alpha(image.Pixel(x, 1)), x % 2 == 0 ? 255 : 0) << x;
}

// The focus outline: an aliased dotted rounded path keeps its gaps along the straight edges.
TEST(Pen, DottedRoundedOutlineAlternatesWithoutAntialiasing) {
  Surface image(60, 30);
  auto g = image.Graphics();
  TGPPen pen(kBlack, 1);
  pen.SetDashStyle(DashStyleDot);
  TGPGraphicsPath path;
  path.AddArc(4, 4, 12, 12, 180, 90);
  path.AddLine(10, 4, 50, 4);
  path.AddArc(44, 4, 12, 12, 270, 90);
  path.AddLine(56, 10, 56, 25);
  g->DrawPath(pen, path);
  for (int x = 12; x < 48; ++x)
    EXPECT_NE(Alpha(image.Pixel(x, 4)) == 255, Alpha(image.Pixel(x + 1, 4)) == 255) << x;
  for (int y = 12; y < 24; ++y)
    EXPECT_NE(Alpha(image.Pixel(56, y)) == 255, Alpha(image.Pixel(56, y + 1)) == 255) << y;
  for (int x = 0; x < 60; ++x) {
    const int a = Alpha(image.Pixel(x, 4));
    EXPECT_TRUE(a == 0 || a == 255) << x;
    EXPECT_EQ(Alpha(image.Pixel(x, 3)), 0) << x;  // one row, not smeared
  }
}

TEST(Pen, ThinPensStillDrawOnePixel) {
  Surface image(6, 3);
  auto g = image.Graphics();
  TGPPen pen(kBlack, 0.2f);
  g->DrawLine(pen, 0, 1, 6, 1);
  EXPECT_EQ(Alpha(image.Pixel(3, 1)), 255);
}

// ---- Linear gradients ----------------------------------------------------------------------

struct GradientCase {
  LinearGradientMode mode;
  double (*t)(double u, double v);
};

class GradientOrientation : public ::testing::TestWithParam<GradientCase> {};

// Black to white over a 40 x 10 rectangle; the red channel is 255 t at each pixel centre.
TEST_P(GradientOrientation, ColourFollowsTheModeClosedForm) {
  const double W = 40, H = 10;
  Surface image(40, 10);
  auto g = image.Graphics();
  TGPLinearGradientBrush brush(TGPRectF{0, 0, 40, 10}, kBlack, kWhite, GetParam().mode);
  g->FillRectangle(brush, 0, 0, 40, 10);
  for (int y = 0; y < 10; y += 3)
    for (int x = 0; x < 40; x += 7)
      EXPECT_NEAR(Red(image.Pixel(x, y)), 255 * GetParam().t(x / W, y / H), 2.5) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, GradientOrientation,
    ::testing::Values(
        GradientCase{LinearGradientModeHorizontal, [](double u, double) { return u; }},
        GradientCase{LinearGradientModeVertical, [](double, double v) { return v; }},
        GradientCase{LinearGradientModeForwardDiagonal,
                     [](double u, double v) { return (u + v) / 2; }},
        GradientCase{LinearGradientModeBackwardDiagonal,
                     [](double u, double v) { return (1 - u + v) / 2; }}));

TEST(LinearGradient, ScalableAngleStretchesWithTheRectangle) {
  TGPLinearGradientBrush scalable(TGPRectF{0, 0, 40, 10}, kBlack, kWhite, 45.0f, true);
  TGPLinearGradientBrush diagonal(TGPRectF{0, 0, 40, 10}, kBlack, kWhite,
                                  LinearGradientModeForwardDiagonal);
  EXPECT_NEAR(scalable.End().X, diagonal.End().X, 1e-4);
  EXPECT_NEAR(scalable.End().Y, diagonal.End().Y, 1e-4);
  // Not scalable: t = (x + y) / (W + H) along the true 45 degrees.
  Surface image(40, 10);
  auto g = image.Graphics();
  TGPLinearGradientBrush plain(TGPRectF{0, 0, 40, 10}, kBlack, kWhite, 45.0f, false);
  g->FillRectangle(plain, 0, 0, 40, 10);
  EXPECT_NEAR(Red(image.Pixel(30, 5)), 255 * 35.0 / 50, 2.5);
}

TEST(LinearGradient, RepeatsOutsideItsRectangle) {
  Surface image(30, 1);
  auto g = image.Graphics();
  TGPLinearGradientBrush brush(TGPRectF{0, 0, 10, 1}, kBlack, kWhite, LinearGradientModeHorizontal);
  g->FillRectangle(brush, 0, 0, 30, 1);
  EXPECT_NEAR(Red(image.Pixel(13, 0)), Red(image.Pixel(3, 0)), 2);
  EXPECT_NEAR(Red(image.Pixel(27, 0)), Red(image.Pixel(7, 0)), 2);
}

TEST(LinearGradient, GammaCorrectionBlendsInLinearLight) {
  Surface image(101, 2);
  auto g = image.Graphics();
  TGPLinearGradientBrush plain(TGPRectF{0, 0, 100, 1}, kBlack, kWhite, LinearGradientModeHorizontal);
  TGPLinearGradientBrush gamma(TGPRectF{0, 0, 100, 1}, kBlack, kWhite, LinearGradientModeHorizontal);
  gamma.SetGammaCorrection(true);
  g->FillRectangle(plain, 0, 0, 101, 1);
  g->FillRectangle(gamma, 0, 1, 101, 1);
  EXPECT_NEAR(Red(image.Pixel(50, 0)), 128, 2);
  EXPECT_NEAR(Red(image.Pixel(50, 1)), 255 * std::pow(0.5, 1 / 2.2), 2);
  EXPECT_NEAR(Red(image.Pixel(0, 1)), 0, 1);
}

TEST(LinearGradient, PresetBlendReplacesTheEndColours) {
  Surface image(101, 1);
  auto g = image.Graphics();
  TGPLinearGradientBrush brush(TGPRectF{0, 0, 100, 1}, 0xFFFF0000, 0xFF00FF00,
                               LinearGradientModeHorizontal);
  const ARGB colors[] = {0xFF0000FF, 0xFF0000FF, kWhite};
  const float positions[] = {0.0f, 0.5f, 1.0f};
  ASSERT_EQ(brush.SetInterpolationColors(colors, positions, 3), Ok);
  g->FillRectangle(brush, 0, 0, 101, 1);
  EXPECT_EQ(image.Pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(image.Pixel(40, 0), 0xFF0000FFu);
  EXPECT_NEAR(Red(image.Pixel(75, 0)), 128, 2);
  EXPECT_EQ(GetGreen(image.Pixel(75, 0)), GetRed(image.Pixel(75, 0)));
}

TEST(LinearGradient, BetweenTwoPoints) {
  Surface image(11, 1);
  auto g = image.Graphics();
  TGPLinearGradientBrush brush(TGPPointF{10, 0}, TGPPointF{0, 0}, kBlack, kWhite);
  g->FillRectangle(brush, 0, 0, 11, 1);
  EXPECT_NEAR(Red(image.Pixel(10, 0)), 0, 2);
  EXPECT_NEAR(Red(image.Pixel(3, 0)), 255 * 0.7, 2.5);
}

TEST(LinearGradient, ClampIsRejectedAndZeroSizeIsOutOfMemory) {
  TGPLinearGradientBrush brush(TGPRectF{0, 0, 10, 10}, kBlack, kWhite, LinearGradientModeVertical);
  EXPECT_EQ(brush.SetWrapMode(WrapModeClamp), InvalidParameter);
  TGPLinearGradientBrush empty(TGPRectF{0, 0, 0, 10}, kBlack, kWhite, LinearGradientModeVertical);
  EXPECT_EQ(empty.GetLastStatus(), OutOfMemory);
}

// ---- Hatch and texture ---------------------------------------------------------------------

TEST(Hatch, CrossCellsRepeatEveryEightPixels) {
  Surface image(16, 16);
  auto g = image.Graphics();
  TGPHatchBrush brush(HatchStyleCross, kBlack, kWhite);
  g->FillRectangle(brush, 0, 0, 16, 16);
  for (int y : {0, 3, 8, 11})
    for (int x : {0, 3, 8, 13}) {
      bool line = (x % 8 == 0) || (y % 8 == 0);
      EXPECT_EQ(image.Pixel(x, y), line ? kBlack : kWhite) << x << "," << y;
    }
}

TEST(Hatch, PlainDiagonalsAreSoftened) {
  TGPHatchBrush brush(HatchStyleForwardDiagonal, kBlack, kWhite);
  const auto tile = brush.Tile();
  EXPECT_EQ(tile[0], 0xFF151515u);
  EXPECT_EQ(tile[1], 0xFFBFBFBFu);
  EXPECT_EQ(tile[3], kWhite);
  TGPHatchBrush light(HatchStyleLightDownwardDiagonal, kBlack, kWhite);
  EXPECT_EQ(light.Tile()[0], kBlack);
}

TEST(Texture, TilesFromTheSurfaceOrigin) {
  TGPBitmap tile(2, 1);
  tile.SetPixel(0, 0, 0xFFFF0000);
  tile.SetPixel(1, 0, 0xFF0000FF);
  Surface image(6, 1);
  auto g = image.Graphics();
  TGPTextureBrush brush(tile, WrapModeTile);
  g->FillRectangle(brush, 1, 0, 5, 1);
  EXPECT_EQ(image.Pixel(0, 0), 0u);
  EXPECT_EQ(image.Pixel(1, 0), 0xFF0000FFu);
  EXPECT_EQ(image.Pixel(2, 0), 0xFFFF0000u);
  EXPECT_EQ(image.Pixel(5, 0), 0xFF0000FFu);
}

// ---- Paths, clipping, clearing -------------------------------------------------------------

TEST(FillPath, AlternateModeLeavesNestedFiguresHollow) {
  Surface image(10, 10);
  auto g = image.Graphics();
  TGPGraphicsPath path(FillModeAlternate);
  path.AddRectangle({0, 0, 10, 10});
  path.AddRectangle({3, 3, 4, 4});
  TGPSolidBrush brush(kBlack);
  g->FillPath(brush, path);
  EXPECT_EQ(Alpha(image.Pixel(1, 1)), 255);
  EXPECT_EQ(Alpha(image.Pixel(5, 5)), 0);
}

TEST(Clip, LimitsDrawingUntilReset) {
  Surface image(10, 1);
  auto g = image.Graphics();
  TGPSolidBrush black(kBlack);
  g->SetClip(TGPRegion(TGPRectF{2, 0, 3, 1}));
  g->FillRectangle(black, 0, 0, 10, 1);
  EXPECT_EQ(Alpha(image.Pixel(1, 0)), 0);
  EXPECT_EQ(Alpha(image.Pixel(2, 0)), 255);
  EXPECT_EQ(Alpha(image.Pixel(4, 0)), 255);
  EXPECT_EQ(Alpha(image.Pixel(5, 0)), 0);
  g->ResetClip();
  g->FillRectangle(black, 0, 0, 10, 1);
  EXPECT_EQ(Alpha(image.Pixel(8, 0)), 255);
}

TEST(Clip, ToARoundedPathExcludesTheCorners) {
  Surface image(20, 20);
  auto g = image.Graphics();
  TGPGraphicsPath round;
  round.AddEllipse(0, 0, 20, 20);
  g->SetClip(TGPRegion(round));
  TGPSolidBrush black(kBlack);
  g->FillRectangle(black, 0, 0, 20, 20);
  EXPECT_EQ(Alpha(image.Pixel(0, 0)), 0);
  EXPECT_EQ(Alpha(image.Pixel(10, 10)), 255);
  EXPECT_EQ(Alpha(image.Pixel(1, 10)), 255);  // clip edges are whole pixels
}

TEST(Clear, ReplacesInsteadOfBlending) {
  Surface image(2, 1);
  auto g = image.Graphics();
  TGPSolidBrush black(kBlack);
  g->FillRectangle(black, 0, 0, 2, 1);
  g->Clear(MakeColor(0, clWhite));
  EXPECT_EQ(Alpha(image.Pixel(0, 0)), 0);
  g->Clear(0x80FF0000);
  EXPECT_EQ(Alpha(image.Pixel(1, 0)), 0x80);
  EXPECT_NEAR(Red(image.Pixel(1, 0)), 255, 1);
}

TEST(SmoothingMode, RememberedAndValidated) {
  Surface image(1, 1);
  auto g = image.Graphics();
  EXPECT_EQ(g->GetSmoothingMode(), SmoothingModeDefault);
  g->SetSmoothingMode(SmoothingModeAntiAlias);
  EXPECT_EQ(g->GetSmoothingMode(), SmoothingModeAntiAlias);
  EXPECT_EQ(g->SetSmoothingMode(17), InvalidParameter);
  EXPECT_EQ(g->GetLastStatus(), InvalidParameter);
  EXPECT_EQ(g->GetSmoothingMode(), SmoothingModeAntiAlias);
}

// ---- Images ----------------------------------------------------------------------------------

TEST(DrawImage, OneToOneAtAnIntegerPointCopiesPixels) {
  TGPBitmap source(2, 2);
  source.SetPixel(0, 0, 0xFFFF0000);
  source.SetPixel(1, 1, 0x800000FF);
  Surface image(4, 4);
  auto g = image.Graphics();
  g->DrawImage(source, 1, 1);
  EXPECT_EQ(image.Pixel(1, 1), 0xFFFF0000u);
  EXPECT_EQ(image.Pixel(2, 1), 0u);
  EXPECT_EQ(Alpha(image.Pixel(2, 2)), 0x80);
  EXPECT_EQ(image.Pixel(0, 0), 0u);
}

TEST(DrawImage, ColourKeyMakesMatchingPixelsTransparent) {
  TGPBitmap source(2, 1);
  source.SetPixel(0, 0, 0xFFFF00FF);
  source.SetPixel(1, 0, 0xFF00FF00);
  TGPImageAttributes keyed;
  ASSERT_EQ(keyed.SetColorKey(0xFFFF00FF, 0xFFFF00FF), Ok);
  Surface image(2, 1);
  auto g = image.Graphics();
  g->DrawImage(source, TGPRectF{0, 0, 2, 1}, 0, 0, 2, 1, UnitPixel, &keyed);
  EXPECT_EQ(image.Pixel(0, 0), 0u);
  EXPECT_EQ(image.Pixel(1, 0), 0xFF00FF00u);
  EXPECT_EQ(keyed.SetColorKey(0xFFFFFFFF, 0xFF000000), InvalidParameter);
}

TEST(Bitmap, GraphicsOnABitmapDrawsIntoItsPixels) {
  TGPBitmap cache(4, 4, PixelFormat32bppARGB);
  {
    TGPGraphics g(cache);
    TGPSolidBrush brush(0xFF123456);
    g.FillRectangle(brush, 0, 0, 2, 2);
  }
  ARGB c = 0;
  ASSERT_EQ(cache.GetPixel(1, 1, c), Ok);
  EXPECT_EQ(c, 0xFF123456u);
  ASSERT_EQ(cache.GetPixel(3, 3, c), Ok);
  EXPECT_EQ(c, 0u);
  EXPECT_EQ(cache.GetPixel(4, 0, c), InvalidParameter);
}

// ---- Surfaces on a caller's context -------------------------------------------------------

TEST(GraphicsOnAContext, LeavesTheCallersStateAsItWas) {
  Surface image(10, 1);
  native::Cairo cr(cairo_create(image.Native()));
  cairo_rectangle(cr.get(), 0, 0, 5, 1);
  cairo_clip(cr.get());
  cairo_translate(cr.get(), 1, 0);
  {
    TGPGraphics g(cr.get());
    g.SetClip(TGPRectF{0, 0, 2, 1});
    g.ResetClip();  // the caller's own clip stays: the surface must not paint outside it
    TGPSolidBrush black(kBlack);
    g.FillRectangle(black, 0, 0, 10, 1);
  }
  EXPECT_EQ(Alpha(image.Pixel(0, 0)), 0);    // the context's origin is the surface's origin
  EXPECT_EQ(Alpha(image.Pixel(1, 0)), 255);
  EXPECT_EQ(Alpha(image.Pixel(4, 0)), 255);
  EXPECT_EQ(Alpha(image.Pixel(5, 0)), 0);
  cairo_matrix_t m;
  cairo_get_matrix(cr.get(), &m);
  EXPECT_EQ(m.x0, 1.0);
  EXPECT_EQ(cairo_get_antialias(cr.get()), CAIRO_ANTIALIAS_DEFAULT);
}

TEST(GraphicsOnAContext, MoveAssignmentHandsTheFirstContextBack) {
  Surface a(2, 1), b(2, 1);
  native::Cairo ca(cairo_create(a.Native()));
  TGPGraphics g(ca.get());
  native::Cairo cb(cairo_create(b.Native()));
  g = TGPGraphics(cb.get());
  cairo_matrix_t m;
  cairo_get_matrix(ca.get(), &m);
  EXPECT_EQ(m.x0, 0.0);  // the pixel-centre shift is gone from the first context
  TGPSolidBrush black(kBlack);
  g.FillRectangle(black, 0, 0, 1, 1);
  EXPECT_EQ(Alpha(b.Pixel(0, 0)), 255);
  EXPECT_EQ(Alpha(a.Pixel(0, 0)), 0);
}

}  // namespace
}  // namespace tavrin
