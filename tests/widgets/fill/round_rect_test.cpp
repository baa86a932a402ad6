// The rounded outline: segment order and corner points for every rounding type.

#include "widgets/fill/round_rect.h"

#include <gtest/gtest.h>

#include "fill_test_support.h"

namespace tavrin {
namespace {

using testing::NearPoints;
using testing::OnCurvePoints;

struct OutlineCase {
  TFillRoundingType type;
  int arcs;
  std::vector<TGPPointF> corners;  // on-curve points, in order
};

// The rectangle (10, 20, 100, 50) with radius 5: right edge 110, bottom 70, corner boxes 10.
const OutlineCase kOutlineCases[] = {
    {rtNone, 0, {{10, 20}, {110, 20}, {110, 70}, {10, 70}, {10, 20}}},
    {rtTop, 2, {{10, 25}, {15, 20}, {105, 20}, {110, 25}, {110, 70}, {10, 70}, {10, 25}}},
    {rtBottom, 2, {{10, 20}, {110, 20}, {110, 65}, {105, 70}, {15, 70}, {10, 65}, {10, 20}}},
    {rtBoth,
     4,
     {{10, 25},
      {15, 20},
      {105, 20},
      {110, 25},
      {110, 65},
      {105, 70},
      {15, 70},
      {10, 65},
      {10, 25}}},
    // The left type's straight right side runs from the top-right corner, so the top line
    // (ending short of it) and the bottom line are joined to it by straight segments.
    {rtLeft,
     2,
     {{10, 25},
      {15, 20},
      {105, 20},
      {110, 20},
      {110, 70},
      {105, 70},
      {15, 70},
      {10, 65},
      {10, 25}}},
    {rtRight,
     2,
     {{10, 20}, {105, 20}, {110, 25}, {110, 65}, {105, 70}, {10, 70}, {10, 65}, {10, 25}}},
};

class OutlineTest : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(OutlineTest, GetPathRunsClockwiseThroughTheCornersOfItsType) {
  const OutlineCase& c = GetParam();
  TGPGraphicsPath path;
  GetPath(10, 20, 100, 50, 10, 5, c.type, path);
  int arcs = 0;
  EXPECT_TRUE(
      NearPoints(OnCurvePoints(path.GetPathPoints(), path.GetPathTypes(), &arcs), c.corners));
  EXPECT_EQ(arcs, c.arcs);
  // GetPath leaves the figure open for the caller to close.
  EXPECT_FALSE(path.GetPathTypes().back() & PathPointTypeCloseSubpath);
}

TEST_P(OutlineTest, CreateRoundRectangleClosesOneFigureAndIgnoresMirror) {
  const OutlineCase& c = GetParam();
  const TGPGraphicsPath plain = CreateRoundRectangle({10, 20, 100, 50}, 5, c.type, false);
  const TGPGraphicsPath mirror = CreateRoundRectangle({10, 20, 100, 50}, 5, c.type, true);
  EXPECT_EQ(plain.GetFillMode(), FillModeAlternate);
  EXPECT_TRUE(NearPoints(OnCurvePoints(plain.GetPathPoints(), plain.GetPathTypes()), c.corners));
  EXPECT_EQ(plain.GetPathPoints(), mirror.GetPathPoints());
  const auto& types = plain.GetPathTypes();
  EXPECT_EQ(types.front(), PathPointTypeStart);
  EXPECT_TRUE(types.back() & PathPointTypeCloseSubpath);
  EXPECT_EQ(plain.FigureClosed(), std::vector<bool>{true});
}

TEST_P(OutlineTest, ZeroRadiusGivesThePlainRectangle) {
  const TGPGraphicsPath path = CreateRoundRectangle({10, 20, 100, 50}, 0, GetParam().type, false);
  int arcs = -1;
  const auto corners = OnCurvePoints(path.GetPathPoints(), path.GetPathTypes(), &arcs);
  EXPECT_EQ(arcs, 0);
  TGPRectF bounds;
  path.GetBounds(bounds);
  EXPECT_EQ(bounds, (TGPRectF{10, 20, 100, 50}));
  for (const TGPPointF& p : corners) {
    EXPECT_TRUE((p.X == 10 || p.X == 110) && (p.Y == 20 || p.Y == 70)) << p.X << "," << p.Y;
  }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, OutlineTest, ::testing::ValuesIn(kOutlineCases));

TEST(OutlineShapeTest, ArcsAreQuarterCirclesOfTheCornerBox) {
  TGPGraphicsPath path;
  GetPath(0, 0, 451, 99, 20, 10, rtBoth, path);
  // The first arc runs from (0, 10) to (10, 0) around (10, 10); its Bézier handles lie on the
  // tangents, at the standard length 0.5523 r.
  const auto& p = path.GetPathPoints();
  ASSERT_GE(p.size(), 4u);
  EXPECT_NEAR(p[0].X, 0, 1e-4);
  EXPECT_NEAR(p[0].Y, 10, 1e-4);
  EXPECT_NEAR(p[1].X, 0, 1e-4);
  EXPECT_NEAR(p[1].Y, 10 - 5.5228, 1e-3);
  EXPECT_NEAR(p[2].X, 10 - 5.5228, 1e-3);
  EXPECT_NEAR(p[2].Y, 0, 1e-4);
  EXPECT_NEAR(p[3].X, 10, 1e-4);
  EXPECT_NEAR(p[3].Y, 0, 1e-4);
}

TEST(OutlineShapeTest, RadiusAboveHalfTheHeightIsNotLimited) {
  // Radius 30 on a 40-high rectangle: the right side runs upward from y 30 to y 10.
  TGPGraphicsPath path;
  GetPath(0, 0, 100, 40, 60, 30, rtBoth, path);
  const auto corners = OnCurvePoints(path.GetPathPoints(), path.GetPathTypes());
  ASSERT_EQ(corners.size(), 9u);
  EXPECT_TRUE(NearPoints({corners[3], corners[4]}, {{100, 30}, {100, 10}}));
}

}  // namespace
}  // namespace tavrin
