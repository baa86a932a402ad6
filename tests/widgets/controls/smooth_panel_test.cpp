// The smooth panel without a display: the geometry its paint hands to the drawing layer, the
// cache's life, anchors, styles, Assign and themes, and pixels of the composited image.
#include "widgets/controls/smooth_panel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "gallery/gallery_panel.h"

namespace tavrin::controls {
namespace {

using gallery::ConfigureMainWindowPanel;

// Paints the panel over an opaque background, as the screen does.
Surface PaintOver(TSmoothPanel& panel, ARGB background = 0xFF336699) {
  Surface s(panel.Width(), panel.Height());
  s.Fill(background);
  cairo_t* cr = cairo_create(s.Native());
  panel.PaintTo(cr);
  cairo_destroy(cr);
  return s;
}

// ----- geometry -----------------------------------------------------------------------------

struct BorderCase {
  TColor borderColor;
  int borderWidth;
  TGPRectF expected;
};

class PanelFillRect : public ::testing::TestWithParam<BorderCase> {};

TEST_P(PanelFillRect, BorderDecidesTheFillRectangle) {
  TSmoothPanel panel;
  panel.SetBounds(0, 0, 60, 40);
  panel.Fill().SetBorderColor(GetParam().borderColor);
  panel.Fill().SetBorderWidth(GetParam().borderWidth);
  PaintOver(panel);
  EXPECT_EQ(panel.LastGeometry().FillRect, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Borders, PanelFillRect,
    ::testing::Values(BorderCase{0xE3B28D, 1, {0, 0, 59, 39}},   // bordered: one pixel inside
                      BorderCase{clNone, 1, {-1, -1, 61, 41}},   // no colour: bleeds past edges
                      BorderCase{0xE3B28D, 0, {-1, -1, 61, 41}}  // no width: bleeds too
                      ));

TEST(PanelGeometry, MainWindowCaptionAtTheCornerAndLineAtTextHeight) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  PaintOver(panel);
  const TPanelGeometry& g = panel.LastGeometry();
  // The fill's body: the bordered rectangle less the 10-pixel shadow.
  EXPECT_EQ(g.ContentRect, (TGPRectF{0, 0, 441, 89}));
  EXPECT_EQ(g.TextX, 0);
  EXPECT_EQ(g.TextY, 0);
  ASSERT_TRUE(g.TextDrawn);
  // Layout width: round(content width - 2); height: panel height - 1 - shadow.
  EXPECT_EQ(g.TextLayout, (TGPRectF{0, 0, 439, 89}));
  ASSERT_TRUE(g.LineDrawn);
  EXPECT_GT(g.TextMeasured.Height, 10.0f);
  EXPECT_EQ(g.LineFrom, (TGPPointF{2, g.TextMeasured.Height}));
  EXPECT_EQ(g.LineTo, (TGPPointF{452 - 13, g.TextMeasured.Height}));
}

TEST(PanelGeometry, LineGoesAboveTheTextForBottomLocations) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  panel.Caption().SetLocation(plBottomLeft);
  PaintOver(panel);
  const TPanelGeometry& g = panel.LastGeometry();
  const int th = static_cast<int>(std::nearbyint(g.TextMeasured.Height));
  EXPECT_EQ(g.TextY, 89 - th);
  EXPECT_EQ(g.LineFrom.Y, static_cast<float>(g.TextY - 2));
}

TEST(PanelGeometry, CustomLocationIgnoresTheFill) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  panel.Fill().SetShadowOffset(30);
  panel.Caption().SetLocation(plCustom);
  panel.Caption().SetLeft(5);
  panel.Caption().SetTop(7);
  PaintOver(panel);
  EXPECT_EQ(panel.LastGeometry().TextX, 5);
  EXPECT_EQ(panel.LastGeometry().TextY, 7);
}

TEST(PanelGeometry, NoEndColourDrawsInTheStartColourAlone) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  panel.Caption().SetColorEnd(clNone);
  panel.Caption().SetOpacityStart(200);
  PaintOver(panel);
  EXPECT_EQ(panel.LastGeometry().TextColors[0], 0xC81C72B0u);
  EXPECT_EQ(panel.LastGeometry().TextColors[1], 0xC81C72B0u);
}

TEST(PanelGeometry, BrushlessGradientSkipsTheTextButKeepsTheLine) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  panel.Caption().SetGradientType(gtRadial);
  PaintOver(panel);
  EXPECT_FALSE(panel.LastGeometry().TextDrawn);
  EXPECT_TRUE(panel.LastGeometry().LineDrawn);
}

TEST(PanelGeometry, EmptyCaptionStartsTheHtmlTextAtTheTop) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  panel.Caption().SetText("");
  panel.Caption().SetHTMLText("see <a href=\"x\">here</a>");
  PaintOver(panel);
  const TPanelGeometry& g = panel.LastGeometry();
  EXPECT_FALSE(g.CaptionMeasured);
  ASSERT_TRUE(g.HtmlMeasured);
  // Measured across the width that is left: panel less shadow less both borders.
  EXPECT_EQ(g.HtmlMeasureRect, (TRect{0, 0, 452 - 10 - 2, 10000}));
}

struct PositionCase {
  TSmoothPanelLocation location;
  int x, y;
};

class PanelGetPosition : public ::testing::TestWithParam<PositionCase> {};

// A 100 x 41 area at (3, 4) with a 30 x 10 object: Right = 70, (41 - 10) div 2 = 15.
TEST_P(PanelGetPosition, PlacesByTheTable) {
  TSmoothPanel panel;
  int x = -99, y = -99;
  panel.GetPosition(x, y, TGPRectF{3, 4, 100, 41}, 30, 10, GetParam().location);
  EXPECT_EQ(x, GetParam().x);
  EXPECT_EQ(y, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(
    Locations, PanelGetPosition,
    ::testing::Values(PositionCase{plTopLeft, 3, 4}, PositionCase{plTopCenter, 35, 4},
                      PositionCase{plTopRight, 70, 4}, PositionCase{plCenterLeft, 3, 15},
                      PositionCase{plCenterCenter, 35, 15}, PositionCase{plCenterRight, 70, 15},
                      PositionCase{plBottomLeft, 3, 31}, PositionCase{plBottomCenter, 35, 31},
                      PositionCase{plBottomRight, 70, 31}, PositionCase{plCustom, -99, -99}));

TEST(PanelGetPosition, HalvesTruncateTowardZeroAndRightNeverPassesTheLeft) {
  TSmoothPanel panel;
  int x = 0, y = 0;
  // Object taller than the area: (10 - 15) div 2 = -2; wider: Right = max(X, 20 - 50) = X.
  panel.GetPosition(x, y, TGPRectF{6, 0, 20, 10}, 50, 15, plCenterCenter);
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, -2);
  // X, Y, width and height are rounded half to even first.
  panel.GetPosition(x, y, TGPRectF{2.5f, 3.5f, 10, 10}, 1, 1, plTopLeft);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 4);
}

// ----- cache --------------------------------------------------------------------------------

TEST(PanelCache, ManyChangesRebuildOnceAtTheNextPaint) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  PaintOver(panel);
  ASSERT_EQ(panel.CacheBuilds(), 1u);
  const auto invalidationsBefore = panel.InvalidationCount();
  panel.Fill().SetColor(0x112233);
  panel.Fill().SetColorTo(0x223344);
  panel.Fill().SetRounding(4);
  panel.Fill().SetShadowOffset(3);
  panel.Fill().SetBorderWidth(2);
  EXPECT_TRUE(panel.CacheStale());
  EXPECT_EQ(panel.InvalidationCount(), invalidationsBefore + 5);
  EXPECT_EQ(panel.CacheBuilds(), 1u);  // changes never paint
  PaintOver(panel);
  PaintOver(panel);
  EXPECT_EQ(panel.CacheBuilds(), 2u);
  EXPECT_FALSE(panel.CacheStale());
}

TEST(PanelCache, EqualValuesAndMovesWithoutShadowKeepTheCache) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  panel.Fill().SetShadowOffset(0);
  PaintOver(panel);
  panel.Fill().SetColor(panel.Fill().Color());
  panel.Caption().SetText(panel.Caption().Text());
  const auto invalidations = panel.InvalidationCount();
  panel.SetBounds(30, 40, panel.Width(), panel.Height());
  EXPECT_FALSE(panel.CacheStale());
  EXPECT_EQ(panel.InvalidationCount(), invalidations);
  panel.SetBounds(30, 40, 200, 50);  // a resize rebuilds
  EXPECT_TRUE(panel.CacheStale());
}

TEST(PanelCache, HeadlessWindowRepaintsFromTheCacheAndOnDrawIsNotCached) {
  TForm form;
  form.SetClientSize(465, 111);
  TSmoothPanel panel(&form);
  ConfigureMainWindowPanel(panel, 10, 8);
  int draws = 0;
  panel.OnDraw = [&](TSmoothPanel&, cairo_t*, const TRect& r) {
    ++draws;
    EXPECT_EQ(r, (TRect{0, 0, 452, 100}));
  };
  form.Update();
  panel.Invalidate();  // a repaint that changes nothing
  form.Update();
  EXPECT_EQ(panel.CacheBuilds(), 1u);
  EXPECT_EQ(draws, 2);
}

TEST(PanelCache, TinyPanelPaintsNoCacheButStillCallsOnDraw) {
  TSmoothPanel panel;
  panel.SetBounds(0, 0, 1, 50);
  int draws = 0;
  panel.OnDraw = [&](TSmoothPanel&, cairo_t*, const TRect&) { ++draws; };
  PaintOver(panel);
  EXPECT_EQ(panel.CacheImage(), nullptr);
  EXPECT_EQ(draws, 1);
}

// ----- pixels -------------------------------------------------------------------------------

TEST(PanelPixels, MainWindowPanelOverTheWindowColour) {
  const Surface s = gallery::RenderMainWindowPanel();
  const ARGB window = ColorToARGB(clBtnFace);
  // Rounded corner: the window shows; outside the shadow, too.
  EXPECT_EQ(s.Pixel(0, 0), window);
  EXPECT_EQ(s.Pixel(451, 99), window);
  // The border at the body's left edge, halfway down: 0x8DB2E3 (or nearly, anti-aliased).
  const ARGB border = s.Pixel(0, 60);
  EXPECT_NEAR(GetRed(border), 0x8D, 12);
  EXPECT_NEAR(GetBlue(border), 0xE3, 12);
  // The shadow band right of the body is darker than the window and fades outward.
  const ARGB inner = s.Pixel(443, 50), outer = s.Pixel(450, 50);
  EXPECT_LT(GetRed(inner), GetRed(window));
  EXPECT_LT(GetRed(inner), GetRed(outer));
  // The body is opaque: the mirror area's bottom tends to 0xFFF2E7 (red 231, blue 255).
  const ARGB low = s.Pixel(220, 86);
  EXPECT_GT(GetBlue(low), GetRed(low));
  EXPECT_EQ(GetAlpha(low), 255);
}

TEST(PanelPixels, SeparatorLineInTheLineColour) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  panel.Fill().SetShadowOffset(0);
  panel.Caption().SetLineColor(0x0000FF);  // red, easy to find
  const Surface s = PaintOver(panel);
  const float ly = panel.LastGeometry().LineFrom.Y;
  const int row = static_cast<int>(std::nearbyint(ly));
  const ARGB onLine = s.Pixel(300, row);
  EXPECT_GT(GetRed(onLine), 150) << "line y " << ly;
  EXPECT_LT(GetGreen(onLine), 140);
  EXPECT_LT(GetRed(s.Pixel(300, row + 4)), 240);  // under the line the fill shows
}

TEST(PanelPixels, OpaquePanelErasesWithItsColourFirst) {
  TSmoothPanel panel;
  panel.SetBounds(0, 0, 40, 30);
  panel.Fill().SetColor(clNone);  // paints no background at all
  panel.Fill().SetShadowOffset(0);
  panel.SetTransparent(false);
  panel.SetColor(clRed);
  EXPECT_EQ(PaintOver(panel).Pixel(20, 15), 0xFFFF0000u);
  panel.SetTransparent(true);
  EXPECT_EQ(PaintOver(panel).Pixel(20, 15), 0xFF336699u);
}

// ----- anchors ------------------------------------------------------------------------------

TEST(PanelAnchors, HoverShowsTheHandAndAClickReportsTheTarget) {
  TSmoothPanel panel;
  panel.SetBounds(0, 0, 300, 80);
  panel.SetCursor(crIBeam);
  panel.Caption().SetHTMLLocation(plTopLeft);
  panel.Caption().SetHTMLShadowOffset(0);
  panel.Caption().SetHTMLText("<a href=\"https://tavrin.example/\">WWWWWWWWWW</a> after");
  PaintOver(panel);
  const TRect r = panel.HtmlRect();
  ASSERT_GT(r.Right, r.Left);
  std::string clicked;
  panel.OnAnchorClick = [&](TSmoothPanel&, const std::string& a) { clicked = a; };
  const int x = r.Left + 5, y = (r.Top + r.Bottom) / 2;
  EXPECT_EQ(panel.GetAnchorAt(x, y), "https://tavrin.example/");
  panel.HandleMouseMove({}, x, y);
  EXPECT_TRUE(panel.OverAnchor());
  EXPECT_EQ(panel.Cursor(), crHandPoint);
  panel.HandleMouseDown(TMouseButton::mbLeft, TShiftState::ssLeft, x, y);
  EXPECT_EQ(clicked, "https://tavrin.example/");
  // Over the plain text after the anchor, and outside the text: nothing.
  panel.HandleMouseMove({}, r.Right - 2, y);
  EXPECT_FALSE(panel.OverAnchor());
  EXPECT_EQ(panel.Cursor(), crIBeam);
  EXPECT_EQ(panel.GetAnchorAt(r.Right + 20, y), "");
}

TEST(PanelAnchors, NoHtmlTextMeansNoAnchor) {
  TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  PaintOver(panel);
  EXPECT_EQ(panel.GetAnchorAt(5, 5), "");
  EXPECT_EQ(panel.HtmlRect(), TRect{});
}

// ----- description --------------------------------------------------------------------------

TEST(PanelDescription, VersionIgnoresWrites) {
  TSmoothPanel panel;
  panel.SetVersion("1.0.9.4");
  EXPECT_EQ(panel.Version(), "1.0.9.6");
}

TEST(PanelDescription, CaptionAssignCopiesAllButLineColorAndTextRendering) {
  TSmoothPanelCaption source, target;
  source.SetText("x");
  source.SetLocation(plCustom);
  source.SetLeft(3);
  source.SetHTMLText("<b>h</b>");
  source.SetHTMLShadowOffset(9);
  source.SetFont(TFont{"Arial", 20, fsBold, clRed});
  source.SetLine(false);
  source.SetLineColor(clRed);
  source.SetTextRendering(tClearType);
  int notifications = 0;
  target.OnChange = [&](TSmoothPanelCaption&) { ++notifications; };
  target.Assign(&source);
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(target.Text(), "x");
  EXPECT_EQ(target.Location(), plCustom);
  EXPECT_EQ(target.Left(), 3);
  EXPECT_EQ(target.HTMLText(), "<b>h</b>");
  EXPECT_EQ(target.HTMLShadowOffset(), 9);
  EXPECT_EQ(target.Font(), source.Font());
  EXPECT_FALSE(target.Line());
  EXPECT_EQ(target.LineColor(), 0xB0721C);
  EXPECT_EQ(target.TextRendering(), tAntiAliasGridFit);
  target.Assign(nullptr);
  EXPECT_EQ(notifications, 1);
}

TEST(PanelDescription, AssignTakesOnlyFromAnotherPanel) {
  TSmoothPanel source, target;
  source.Caption().SetText("copied");
  source.Fill().SetRounding(7);
  source.SetTransparent(false);
  TControl stranger;
  target.Assign(&stranger);
  EXPECT_EQ(target.Caption().Text(), "");
  target.Assign(&source);
  EXPECT_EQ(target.Caption().Text(), "copied");
  EXPECT_EQ(target.Fill().Rounding(), 7);
  EXPECT_FALSE(target.Transparent());
  EXPECT_TRUE(target.CacheStale());
}

TEST(PanelDescription, StylesSetColoursThroughTheSetters) {
  TSmoothPanel panel;
  panel.Fill().SetGlow(gmGradient);
  panel.Fill().SetGradientType(gtHatch);
  panel.SetComponentStyle(TOrvelStyle::tsOffice2010Black);
  EXPECT_EQ(panel.Fill().GradientType(), gtVertical);
  EXPECT_EQ(panel.Fill().Glow(), gmRadial);
  EXPECT_EQ(panel.Fill().Color(), 0xBFBFBF);
  EXPECT_EQ(panel.Fill().BorderColor(), 0x6D6D6D);
  EXPECT_EQ(panel.Caption().ColorStart(), 0xFFFFFF);
  EXPECT_EQ(panel.Fill().ColorMirror(), clNone);

  // The main window's fill values are exactly the Luna scheme's.
  TSmoothPanel luna, window;
  luna.SetComponentStyle(TOrvelStyle::tsOffice2007Luna);
  ConfigureMainWindowPanel(window);
  for (auto get : {&TSmoothFill::Color, &TSmoothFill::ColorTo, &TSmoothFill::ColorMirror,
                   &TSmoothFill::ColorMirrorTo, &TSmoothFill::BorderColor})
    EXPECT_EQ((luna.Fill().*get)(), (window.Fill().*get)());
  EXPECT_EQ(luna.Fill().GradientMirrorType(), gtVertical);

  // tsCustom only resets the gradient kind and the glow.
  TSmoothPanel custom;
  custom.Fill().SetColor(0x123456);
  custom.Fill().SetGlow(gmRadial);
  custom.SetComponentStyle(TOrvelStyle::tsCustom);
  EXPECT_EQ(custom.Fill().Color(), 0x123456);
  EXPECT_EQ(custom.Fill().Glow(), gmNone);
}

TEST(PanelDescription, ThemeFileCarriesTheFill) {
  char name[] = "/tmp/panel-theme-XXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  close(fd);
  TSmoothPanel saved, loaded;
  ConfigureMainWindowPanel(saved);
  saved.SaveToTheme(name);
  loaded.LoadFromTheme(name);
  std::remove(name);
  EXPECT_EQ(loaded.Fill().Color(), saved.Fill().Color());
  EXPECT_EQ(loaded.Fill().Rounding(), 10);
  EXPECT_EQ(loaded.Fill().ShadowOffset(), 10);
  EXPECT_TRUE(loaded.CacheStale());
}

TEST(PanelDescription, PictureContainerReferenceIsClearedWhenItGoes) {
  TSmoothPanel panel;
  {
    TPictureContainer container;
    container.Add().Name = "Logo";
    EXPECT_NE(container.FindPicture("lOGO"), nullptr);
    EXPECT_EQ(container.FindPicture("other"), nullptr);
    EXPECT_EQ(container.Version(), "1.0.0.0");
    panel.SetPictureContainer(&container);
    EXPECT_EQ(panel.PictureContainer(), &container);
  }
  EXPECT_EQ(panel.PictureContainer(), nullptr);
}

}  // namespace
}  // namespace tavrin::controls
