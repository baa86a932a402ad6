// The path gradient brush: colour along the ray from the centre to the outline.
#include <gtest/gtest.h>

#include "widgets/drawing/drawing.h"

namespace tavrin {
namespace {

constexpr ARGB kBlack = 0xFF000000;
constexpr ARGB kWhite = 0xFFFFFFFF;

TGPPathGradientBrush SquareBrush(ARGB surround, ARGB center) {
  TGPGraphicsPath path;
  path.AddRectangle({0, 0, 100, 100});
  TGPPathGradientBrush brush(path);
  int32_t count = 1;
  brush.SetSurroundColors(&surround, count);
  brush.SetCenterColor(center);
  return brush;
}

struct RayCase {
  int x, y;
  double s;  // blend position: 0 on the outline, 1 at the centre (50, 50)
};

class SquareRays : public ::testing::TestWithParam<RayCase> {};

TEST_P(SquareRays, ColourIsTheBlendAtTheRayPosition) {
  Surface image(100, 100);
  auto g = image.Graphics();
  auto brush = SquareBrush(kBlack, kWhite);
  g->FillRectangle(brush, 0, 0, 100, 100);
  EXPECT_NEAR(GetRed(image.Pixel(GetParam().x, GetParam().y)), 255 * GetParam().s, 1.5);
}

// Pixel centres are integer points. Along each ray s = 1 - distance to centre / distance of the
// outline, measured in the triangle of the nearest edge.
INSTANTIATE_TEST_SUITE_P(Points, SquareRays,
                         ::testing::Values(RayCase{50, 25, 0.5}, RayCase{50, 5, 0.1},
                                           RayCase{10, 50, 0.2}, RayCase{25, 25, 0.5},
                                           RayCase{90, 60, 0.2}, RayCase{60, 97, 0.06},
                                           RayCase{50, 50, 1.0}));

TEST(PathGradient, ClampPaintsNothingOutsideThePath) {
  Surface image(150, 150);
  auto g = image.Graphics();
  auto brush = SquareBrush(kBlack, kWhite);
  g->FillRectangle(brush, 0, 0, 150, 150);
  EXPECT_EQ(GetAlpha(image.Pixel(50, 50)), 255);
  EXPECT_EQ(GetAlpha(image.Pixel(99, 99)), 255);
  EXPECT_EQ(image.Pixel(100, 50), 0u);
  EXPECT_EQ(image.Pixel(120, 120), 0u);
}

TEST(PathGradient, PresetBlendFromOutlineToCentre) {
  Surface image(100, 100);
  auto g = image.Graphics();
  auto brush = SquareBrush(kBlack, kWhite);
  const ARGB colors[] = {0x00000000, 0xB4808080, 0xB4808080};
  const float positions[] = {0.0f, 0.1f, 1.0f};
  brush.SetInterpolationColors(colors, positions, 3);
  g->FillRectangle(brush, 0, 0, 100, 100);
  EXPECT_EQ(image.Pixel(50, 50), 0xB4808080u);  // the centre colour is replaced too
  EXPECT_EQ(image.Pixel(50, 20), 0xB4808080u);
  EXPECT_NEAR(GetAlpha(image.Pixel(50, 2)), 180 * 0.4, 2);  // s = 0.04
  EXPECT_NEAR(GetRed(image.Pixel(50, 2)), 128, 2);          // blended premultiplied: stays grey
}

// The panel's shadow: a rounded outline with a preset that is transparent at the outline.
TEST(PathGradient, ShadowBandFadesOutwardAlongTheRightAndBottomEdges) {
  Surface image(452, 100);
  auto g = image.Graphics();
  TGPGraphicsPath path;
  path.AddArc(0, 0, 20, 20, 180, 90);
  path.AddLine(10, 0, 441, 0);
  path.AddArc(431, 0, 20, 20, 270, 90);
  path.AddLine(451, 10, 451, 89);
  path.AddArc(431, 79, 20, 20, 0, 90);
  path.AddLine(441, 99, 10, 99);
  path.AddArc(0, 79, 20, 20, 90, 90);
  path.AddLine(0, 89, 0, 10);
  path.CloseFigure();
  TGPPathGradientBrush brush(path);
  brush.SetWrapMode(WrapModeClamp);
  const ARGB colors[] = {0x00000000, 0xB4808080, 0xB4808080};
  const float positions[] = {0.0f, 0.1f, 1.0f};
  brush.SetInterpolationColors(colors, positions, 3);
  g->FillPath(brush, path);

  int previous = 256;
  for (int x = 441; x <= 450; ++x) {
    int alpha = GetAlpha(image.Pixel(x, 49));
    EXPECT_LT(alpha, previous) << x;
    previous = alpha;
  }
  previous = 256;
  for (int y = 90; y <= 98; ++y) {
    int alpha = GetAlpha(image.Pixel(225, y));
    EXPECT_LE(alpha, previous) << y;
    previous = alpha;
  }
  EXPECT_LT(GetAlpha(image.Pixel(450, 49)), 20);
  EXPECT_EQ(GetAlpha(image.Pixel(225, 49)), 180);
  EXPECT_EQ(GetAlpha(image.Pixel(451, 49)), 0);
  // A rounded corner is not filled (not a rectangle, nor a disc).
  EXPECT_EQ(GetAlpha(image.Pixel(450, 98)), 0);
  EXPECT_GT(GetAlpha(image.Pixel(445, 92)), 0);
}

// The radial background: an ellipse brush whose centre is at the middle of the top edge,
// filling a rectangle that cuts the ellipse.
TEST(PathGradient, CentreAnywhereAndTargetLimitsThePaint) {
  Surface image(100, 50);
  auto g = image.Graphics();
  TGPGraphicsPath ellipse;
  ellipse.AddEllipse(0, -25, 100, 75);
  TGPPathGradientBrush brush(ellipse);
  brush.SetCenterPoint({50, 0});
  brush.SetCenterColor(kWhite);
  int32_t count = 1;
  brush.SetSurroundColors(&kBlack, count);
  g->FillRectangle(brush, 0, 0, 100, 50);
  EXPECT_NEAR(GetRed(image.Pixel(50, 0)), 255, 1);
  EXPECT_NEAR(GetRed(image.Pixel(50, 25)), 128, 2);  // halfway to the bottom at y = 50
  EXPECT_EQ(image.Pixel(1, 48), 0u);                 // outside the ellipse
  EXPECT_EQ(GetAlpha(image.Pixel(50, 49)), 255);
}

// With the centre outside the outline the colours are laid out as if the fill reached it, but
// still nothing is painted outside the outline.
TEST(PathGradient, CentreOutsideThePathStillPaintsOnlyInside) {
  Surface image(100, 60);
  auto g = image.Graphics();
  TGPGraphicsPath path;
  path.AddRectangle({0, 0, 40, 40});
  TGPPathGradientBrush brush(path);
  brush.SetCenterPoint({80, 20});
  brush.SetCenterColor(kWhite);
  int32_t count = 1;
  brush.SetSurroundColors(&kBlack, count);
  g->FillRectangle(brush, 0, 0, 100, 60);
  for (int y = 0; y < 60; y += 3)
    for (int x = 0; x < 100; x += 3)
      EXPECT_EQ(GetAlpha(image.Pixel(x, y)) != 0, x < 40 && y < 40) << x << "," << y;
}

TEST(PathGradient, EachCornerItsOwnSurroundColour) {
  Surface image(100, 100);
  auto g = image.Graphics();
  TGPGraphicsPath path;
  path.AddRectangle({0, 0, 100, 100});
  TGPPathGradientBrush brush(path);
  const ARGB corners[] = {0xFFFF0000, 0xFF0000FF, 0xFF0000FF, 0xFFFF0000};
  int32_t count = 4;
  ASSERT_EQ(brush.SetSurroundColors(corners, count), Ok);
  brush.SetCenterColor(kBlack);
  g->FillRectangle(brush, 0, 0, 100, 100);
  ARGB top = image.Pixel(50, 0);
  EXPECT_NEAR(GetRed(top), 128, 3);
  EXPECT_NEAR(GetBlue(top), 128, 3);
  EXPECT_NEAR(GetRed(image.Pixel(0, 50)), 255, 3);
  int32_t tooMany = 5;
  const ARGB five[] = {0, 0, 0, 0, 0};
  EXPECT_EQ(brush.SetSurroundColors(five, tooMany), InvalidParameter);
}

TEST(PathGradient, IgnoresSmoothingAndIsNeverAntialiased) {
  Surface image(20, 20);
  auto g = image.Graphics();
  g->SetSmoothingMode(SmoothingModeAntiAlias);
  TGPGraphicsPath circle;
  circle.AddEllipse(0, 0, 19, 19);
  TGPPathGradientBrush brush(circle);
  brush.SetCenterColor(kBlack);
  g->FillPath(brush, circle);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      int a = GetAlpha(image.Pixel(x, y));
      EXPECT_TRUE(a == 0 || a == 255) << x << "," << y << " " << a;
    }
}

}  // namespace
}  // namespace tavrin
