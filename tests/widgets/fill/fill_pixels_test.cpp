// Real pixels: fills rendered into small off-screen images and probed.
//
// Exact values are asserted where the drawing is exact: opaque 1-pixel strokes on integer
// lines, the opaque seam row, aliased hatch cells, untouched background. Gradient and shadow
// probes allow a difference of 2 per channel: their colours come from blends that the drawing
// layer evaluates in its own steps (gamma-corrected stops, path-gradient interpolation) and
// composites in 8-bit premultiplied form, so the last bit or two are the layer's, not the
// renderer's.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "fill_test_support.h"
#include "gallery/gallery_fill.h"
#include "widgets/drawing/surface.h"
#include "widgets/fill/fill.h"

namespace tavrin {
namespace {

constexpr int kBlendTolerance = 2;

int Red(ARGB c) {
  return GetRed(c);
}
int Green(ARGB c) {
  return GetGreen(c);
}
int Blue(ARGB c) {
  return GetBlue(c);
}

::testing::AssertionResult Near(ARGB actual, ARGB expected, int tolerance) {
  const int d = std::max(
      {std::abs(Red(actual) - Red(expected)), std::abs(Green(actual) - Green(expected)),
       std::abs(Blue(actual) - Blue(expected)), std::abs(GetAlpha(actual) - GetAlpha(expected))});
  if (d <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not within "
                                       << std::dec << tolerance << " of 0x" << std::hex << expected;
}

// Writes the image next to the test binary when a probe fails, for a person to look at.
class ImageTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (HasFailure() && image_) {
      const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
      const std::string file = std::string(TAVRIN_BINARY_DIR) + "/" + info->test_suite_name() +
                               "." + info->name() + ".actual.png";
      image_->WritePng(file);
      std::fprintf(stderr, "actual image: %s\n", file.c_str());
    }
  }
  Surface& Keep(Surface image) {
    image_ = std::make_unique<Surface>(std::move(image));
    return *image_;
  }
  std::unique_ptr<Surface> image_;
};

// ---- The main window's panel -------------------------------------------------------------

class PanelPixelsTest : public ImageTest {
 protected:
  void SetUp() override { panel = &Keep(gallery::RenderPanelFill()); }
  const Surface* panel = nullptr;
  static constexpr ARGB kBtnFace = 0xFFF0F0F0;
  static constexpr ARGB kBorder = 0xFF8DB2E3;
};

TEST_F(PanelPixelsTest, BorderIsCrispInItsColourOnAllFourSides) {
  ASSERT_EQ(panel->Width(), 452);
  ASSERT_EQ(panel->Height(), 100);
  for (const auto& [x, y] :
       {std::pair{225, 0}, std::pair{225, 89}, std::pair{0, 50}, std::pair{441, 50}}) {
    EXPECT_EQ(panel->Pixel(x, y), kBorder) << x << "," << y;
  }
}

TEST_F(PanelPixelsTest, SeamRowIsTheMirrorStartColour) {
  for (int x : {20, 225, 420}) EXPECT_EQ(panel->Pixel(x, 44), 0xFFC7D8EDu) << x;
}

TEST_F(PanelPixelsTest, GradientsRunFromTheirStartToTheirEndColours) {
  EXPECT_TRUE(Near(panel->Pixel(225, 1), 0xFFE9F1FA, kBlendTolerance));
  EXPECT_TRUE(Near(panel->Pixel(225, 88), 0xFFE7F2FF, kBlendTolerance));
  // Blue falls from 0xFA to 0xED through the main area and rises to 0xFF through the mirror.
  for (int y = 2; y <= 43; ++y) {
    EXPECT_LE(Blue(panel->Pixel(225, y)), Blue(panel->Pixel(225, y - 1))) << y;
  }
  for (int y = 46; y <= 88; ++y) {
    EXPECT_GE(Blue(panel->Pixel(225, y)), Blue(panel->Pixel(225, y - 1))) << y;
  }
  EXPECT_TRUE(Near(panel->Pixel(225, 43), 0xFFC7D8ED, 4));
}

TEST_F(PanelPixelsTest, ShadowBandFadesOutwardAlongTheBottom) {
  // 0x808080 at 180 over the window colour, where the band is fully shaded.
  const ARGB shaded = 0xFFA1A1A1;
  EXPECT_TRUE(Near(panel->Pixel(225, 91), shaded, kBlendTolerance));
  for (int y = 95; y <= 99; ++y) {
    EXPECT_GT(Red(panel->Pixel(225, y)), Red(panel->Pixel(225, y - 1))) << y;
  }
  EXPECT_TRUE(Near(panel->Pixel(225, 99), kBtnFace, kBlendTolerance + 1));
}

TEST_F(PanelPixelsTest, ShadowBandFadesOutwardAlongTheRight) {
  // The right band is in the outer tenth of the way to the centre only, so it never reaches
  // full shade; it still darkens toward the body.
  for (int x = 443; x <= 451; ++x) {
    EXPECT_GT(Red(panel->Pixel(x, 50)), Red(panel->Pixel(x - 1, 50))) << x;
  }
  EXPECT_LT(Red(panel->Pixel(442, 50)), 0xF0 - 25);
  EXPECT_TRUE(Near(panel->Pixel(451, 50), kBtnFace, kBlendTolerance + 1));
}

TEST_F(PanelPixelsTest, RoundedCornersShowTheWindowColour) {
  for (const auto& [x, y] :
       {std::pair{0, 0}, std::pair{451, 0}, std::pair{0, 99}, std::pair{451, 99}}) {
    EXPECT_EQ(panel->Pixel(x, y), kBtnFace) << x << "," << y;
  }
}

// ---- Other fills -------------------------------------------------------------------------

class FillPixelsTest : public ImageTest {};

TEST_F(FillPixelsTest, HatchCellsRepeatEveryEightPixels) {
  Surface& image = Keep(Surface(16, 16));
  {
    auto g = image.Graphics();
    TSmoothFill fill;
    fill.SetGradientType(gtHatch);
    fill.SetHatchStyle(HatchStyleCross);
    fill.SetColor(clRed);
    fill.SetColorTo(clWhite);
    fill.Fill(*g, {0, 0, 16, 16});
  }
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const ARGB expected = (x % 8 == 0 || y % 8 == 0) ? 0xFFFF0000 : 0xFFFFFFFF;
      ASSERT_EQ(image.Pixel(x, y), expected) << x << "," << y;
    }
  }
}

// A white 23 x 23 fill with the focus outline on (1, 1, 21, 21). With no rounding and the
// default border width the outline's radius is -1: its arcs add nothing, leaving straight sides
// a pixel longer at each end, joined by short diagonals.
Surface& RenderFocus(Surface& image) {
  auto g = image.Graphics();
  g->SetSmoothingMode(SmoothingModeAntiAlias);
  TSmoothFill fill;
  fill.SetGradientType(gtSolid);
  fill.SetColor(clWhite);
  fill.SetFocus(true);
  fill.SetFocusColor(clBlack);
  fill.Fill(*g, {0, 0, 23, 23});
  EXPECT_EQ(g->GetSmoothingMode(), SmoothingModeAntiAlias);
  return image;
}

// Counts the black pixels on a run and checks that no two of them touch. Only pairs within the
// run are compared: past its end lies the corner, where the pattern running on round the
// outline may put the next side's dot right beside the run's last one.
int Dots(const Surface& image, int x0, int y0, int dx, int dy, int n) {
  int dots = 0;
  bool previousIsDot = false;
  for (int i = 0; i < n; ++i) {
    const ARGB p = image.Pixel(x0 + i * dx, y0 + i * dy);
    EXPECT_TRUE(p == 0xFF000000 || p == 0xFFFFFFFF) << "not crisp at step " << i;
    const bool isDot = p == 0xFF000000;
    EXPECT_FALSE(isDot && previousIsDot) << "two dots touch at step " << i;
    dots += isDot;
    previousIsDot = isDot;
  }
  return dots;
}

TEST_F(FillPixelsTest, FocusOutlineIsDottedOnePixelInsideTheEdge) {
  Surface& image = RenderFocus(Keep(Surface(24, 24)));
  const int left = Dots(image, 1, 2, 0, 1, 20);
  EXPECT_GE(left, 9);
  EXPECT_LE(left, 11);
  const int right = Dots(image, 22, 2, 0, 1, 20);
  EXPECT_GE(right, 9);
  EXPECT_LE(right, 11);
  EXPECT_EQ(image.Pixel(12, 12), 0xFFFFFFFFu);  // inside untouched
}

TEST_F(FillPixelsTest, FocusOutlineTopAndBottomAreDotted) {
  Surface& image = RenderFocus(Keep(Surface(24, 24)));
  const int top = Dots(image, 2, 1, 1, 0, 20);
  EXPECT_GE(top, 9);
  EXPECT_LE(top, 11);
  const int bottom = Dots(image, 2, 22, 1, 0, 20);
  EXPECT_GE(bottom, 9);
  EXPECT_LE(bottom, 11);
}

TEST_F(FillPixelsTest, RadialAreaGlowsInItsEndColourFromTheTopMiddle) {
  Surface& image = Keep(Surface(60, 40));
  {
    auto g = image.Graphics();
    TSmoothFill fill;
    fill.SetGradientType(gtRadial);
    fill.SetColor(clBlue);
    fill.SetColorTo(clWhite);
    fill.Fill(*g, {0, 0, 60, 40});
  }
  EXPECT_TRUE(Near(image.Pixel(30, 0), 0xFFFFFFFF, 8));  // centre: the end colour
  EXPECT_EQ(image.Pixel(0, 39), 0xFF0000FFu);            // outside the ellipse: the base
  EXPECT_GT(Red(image.Pixel(30, 10)), Red(image.Pixel(30, 25)));
}

TEST_F(FillPixelsTest, BadgeIsAnOpaqueRedPillWithAGrayEdge) {
  const Surface& badge = Keep(gallery::RenderBadgeFill());
  EXPECT_EQ(badge.Pixel(15, 8), 0xFFFF0000u);
  EXPECT_EQ(badge.Pixel(15, 0), 0xFF808080u);
  EXPECT_EQ(badge.Pixel(15, 17), 0xFF808080u);
  EXPECT_EQ(GetAlpha(badge.Pixel(0, 0)), 0);
  EXPECT_EQ(GetAlpha(badge.Pixel(31, 17)), 0);
}

TEST_F(FillPixelsTest, GlowAndRadialAreasLeaveNoClipBehind) {
  Surface& image = Keep(Surface(40, 40));
  auto g = image.Graphics();
  TSmoothFill fill;
  fill.SetGlow(gmRadialGradient);
  fill.Fill(*g, {0, 0, 20, 20});
  TGPSolidBrush green(0xFF00FF00);
  g->FillRectangle(green, {30, 30, 5, 5});
  EXPECT_EQ(image.Pixel(32, 32), 0xFF00FF00u);
}

// ---- Reference images --------------------------------------------------------------------

// The gallery's fill looks against reference images made by the gallery itself
// (tavrin-gallery --out tests/widgets/fill/data fill-panel fill-badge), reviewed by eye.
//
// Tolerance 4 per channel: the drawing layer may change the last bits of its blends (how many
// stops approximate a gamma-corrected gradient, how a path gradient interpolates along its
// rays) without the look changing. A renderer fault moves an edge, a band or a colour by whole
// pixels or tens of levels and lands far above it.
constexpr int kReferenceTolerance = 4;

struct ReferenceCase {
  const char* name;
  Surface (*render)();
};

class ReferenceImageTest : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceImageTest, MatchesTheReviewedImage) {
  const ReferenceCase& c = GetParam();
  const Surface actual = c.render();
  const Surface reference = Surface::FromPng(testing::DataFile(std::string(c.name) + ".png"));
  ASSERT_GT(reference.Width(), 0) << "no reference image " << c.name;
  const int difference = MaxChannelDifference(actual, reference);
  if (difference > kReferenceTolerance) {
    const std::string base = std::string(TAVRIN_BINARY_DIR) + "/" + c.name;
    actual.WritePng(base + ".actual.png");
    reference.WritePng(base + ".reference.png");
    DifferenceImage(actual, reference).WritePng(base + ".difference.png");
    ADD_FAILURE() << c.name << " differs by " << difference << " (tolerance " << kReferenceTolerance
                  << "); images written to " << base << ".*.png";
  }
}

INSTANTIATE_TEST_SUITE_P(Looks, ReferenceImageTest,
                         ::testing::Values(ReferenceCase{"fill-panel", &gallery::RenderPanelFill},
                                           ReferenceCase{"fill-badge", &gallery::RenderBadgeFill}),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace tavrin
