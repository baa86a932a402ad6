#include "widgets/drawing/gp_path.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "widgets/drawing/gp_brush.h"

namespace tavrin {
namespace {

using ::testing::ElementsAre;

TEST(AddArc, AnglesArePolarAnglesOfTheEllipse) {
  TGPGraphicsPath path;
  ASSERT_EQ(path.AddArc(100, 100, 500, 700, -80, 100), Ok);
  const auto& pts = path.GetPathPoints();
  ASSERT_EQ(pts.size(), 7u);  // two pieces of at most 90 degrees
  EXPECT_NEAR(pts[0].X, 409.9, 0.05);
  EXPECT_NEAR(pts[0].Y, 110.2, 0.05);
  // End point: polar angle 20 degrees.
  EXPECT_NEAR(pts[6].Y - 450, std::tan(20 * M_PI / 180) * (pts[6].X - 350), 0.01);
}

TEST(AddArc, ZeroSizeAddsNothing) {
  TGPGraphicsPath path;
  EXPECT_EQ(path.AddArc(10, 10, 0, 0, 180, 90), InvalidParameter);
  EXPECT_EQ(path.AddArc(10, 10, 20, 0, 180, 90), InvalidParameter);
  EXPECT_EQ(path.GetPointCount(), 0);
  EXPECT_EQ(path.AddArc(10, 10, 20, 20, 180, 0), Ok);
  EXPECT_EQ(path.GetPointCount(), 0);
}

TEST(AddArc, QuarterArcOfACornerBox) {
  TGPGraphicsPath path;
  path.AddArc(0, 0, 20, 20, 180, 90);
  const auto& pts = path.GetPathPoints();
  ASSERT_EQ(pts.size(), 4u);
  EXPECT_FLOAT_EQ(pts[0].X, 0);
  EXPECT_NEAR(pts[0].Y, 10, 1e-5);
  EXPECT_NEAR(pts[3].X, 10, 1e-5);
  EXPECT_NEAR(pts[3].Y, 0, 1e-5);
  EXPECT_NEAR(pts[1].Y, 10 - 10 * 0.5522847, 1e-4);  // standard quarter-circle handle
}

TEST(Path, GapsAreJoinedAndEqualPointsNotRepeated) {
  TGPGraphicsPath path;
  path.AddLine(0, 0, 10, 0);
  path.AddLine(10, 0, 10, 5);   // continues: start not stored again
  path.AddLine(20, 5, 20, 10);  // gap: joined by a line
  path.CloseFigure();
  EXPECT_THAT(path.GetPathPoints(), ElementsAre(TGPPointF{0, 0}, TGPPointF{10, 0}, TGPPointF{10, 5},
                                                TGPPointF{20, 5}, TGPPointF{20, 10}));
  EXPECT_THAT(path.GetPathTypes(),
              ElementsAre(PathPointTypeStart, PathPointTypeLine, PathPointTypeLine,
                          PathPointTypeLine, PathPointTypeLine | PathPointTypeCloseSubpath));
}

TEST(Path, ArcAfterLineJoinsWithALine) {
  TGPGraphicsPath path;
  path.AddLine(0, 50, 0, 10);
  path.AddArc(0, 0, 20, 20, 180, 90);  // starts at (0, 10): no extra point
  EXPECT_EQ(path.GetPointCount(), 5);
  EXPECT_EQ(path.GetPathTypes()[2], PathPointTypeBezier);
}

TEST(Path, CloseFigureStartsANewFigure) {
  TGPGraphicsPath path;
  path.AddLine(0, 0, 10, 0);
  path.CloseFigure();
  path.AddLine(20, 20, 30, 20);
  EXPECT_EQ(path.GetPathTypes()[2], PathPointTypeStart);
  EXPECT_EQ(path.Flatten().size(), 2u);
}

TEST(AddEllipse, ThirteenPointsClosed) {
  TGPGraphicsPath path;
  path.AddEllipse(0, 0, 100, 50);
  ASSERT_EQ(path.GetPointCount(), 13);
  EXPECT_NEAR(path.GetPathPoints()[0].X, 100, 1e-4);
  EXPECT_NEAR(path.GetPathPoints()[0].Y, 25, 1e-4);
  EXPECT_TRUE(path.GetPathTypes().back() & PathPointTypeCloseSubpath);
}

// The path gradient's default centre is the mean of the stored points, so the ellipse's closing
// point pulls it to the right.
TEST(PathGradientBrush, DefaultCentreIsTheMeanOfThePoints) {
  TGPGraphicsPath path;
  path.AddEllipse(0, 0, 100, 50);
  TGPPathGradientBrush brush(path);
  TGPPointF c;
  brush.GetCenterPoint(c);
  EXPECT_NEAR(c.X, 700.0 / 13, 1e-3);
  EXPECT_NEAR(c.Y, 25, 1e-3);
  ARGB center = 0;
  brush.GetCenterColor(center);
  EXPECT_EQ(center, 0xFFFFFFFFu);
  EXPECT_EQ(brush.GetWrapMode(), WrapModeClamp);
}

TEST(PathGradientBrush, PresetNeedsBothEnds) {
  TGPGraphicsPath path;
  path.AddRectangle({0, 0, 10, 10});
  TGPPathGradientBrush brush(path);
  const ARGB colors[] = {0, 0xFF000000};
  const float bad[] = {0.1f, 1.0f};
  EXPECT_EQ(brush.SetInterpolationColors(colors, bad, 2), InvalidParameter);
  EXPECT_EQ(brush.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(brush.GetLastStatus(), Ok);  // reading resets the record
  const float good[] = {0.0f, 1.0f};
  EXPECT_EQ(brush.SetInterpolationColors(colors, good, 2), Ok);
  EXPECT_EQ(brush.GetInterpolationColorCount(), 2);
}

TEST(Path, FlattenFollowsTheCurve) {
  TGPGraphicsPath path;
  path.AddEllipse(0, 0, 100, 100);
  const auto figures = path.Flatten(0.1f);
  ASSERT_EQ(figures.size(), 1u);
  for (const TGPPointF& p : figures.front())
    EXPECT_NEAR(std::hypot(p.X - 50, p.Y - 50), 50, 0.15);
}

TEST(Region, RectangleOutline) {
  TGPRegion region(TGPRectF{1, 2, 3, 4});
  ASSERT_FALSE(region.IsInfinite());
  EXPECT_THAT(region.Native()->points,
              ElementsAre(TGPPointF{1, 2}, TGPPointF{4, 2}, TGPPointF{4, 6}, TGPPointF{1, 6}));
  EXPECT_TRUE(TGPRegion().IsInfinite());
}

}  // namespace
}  // namespace tavrin
