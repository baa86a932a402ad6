// A small scene of every brush kind compared with a reference image.
//
// The reference was rendered by this layer and checked by eye against the original library's
// look (shadow band, gradient directions, hatch cells, dotted outline). It guards against
// regressions; the pixel probes in the other tests pin the behaviour itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "widgets/drawing/drawing.h"

namespace tavrin {
namespace {

// Anti-aliased edges may differ by a step or two between pixman builds; nothing else should.
constexpr int32_t kTolerance = 2;

TGPGraphicsPath Rounded(float x, float y, float w, float h, float r) {
  const float d = 2 * r;
  TGPGraphicsPath path;
  path.AddArc(x, y, d, d, 180, 90);
  path.AddLine(x + r, y, x + w - r, y);
  path.AddArc(x + w - d, y, d, d, 270, 90);
  path.AddLine(x + w, y + r, x + w, y + h - r);
  path.AddArc(x + w - d, y + h - d, d, d, 0, 90);
  path.AddLine(x + w - r, y + h, x + r, y + h);
  path.AddArc(x, y + h - d, d, d, 90, 90);
  path.AddLine(x, y + h - r, x, y + r);
  path.CloseFigure();
  return path;
}

Surface RenderScene() {
  Surface image(160, 80);
  auto g = image.Graphics();
  g->SetSmoothingMode(SmoothingModeAntiAlias);

  TGPGraphicsPath shadow = Rounded(0, 0, 100, 60, 10);
  TGPPathGradientBrush shadowBrush(shadow);
  const ARGB colors[] = {0x00000000, 0xB4808080, 0xB4808080};
  const float positions[] = {0.0f, 0.1f, 1.0f};
  shadowBrush.SetInterpolationColors(colors, positions, 3);
  g->FillPath(shadowBrush, shadow);

  TGPGraphicsPath body = Rounded(0, 0, 90, 50, 10);
  TGPLinearGradientBrush face(TGPRectF{-1, -1, 92, 52}, 0xFFE9F1FA, 0xFFC7D8ED,
                              LinearGradientModeVertical);
  face.SetGammaCorrection(true);
  g->FillPath(face, body);
  TGPPen border(0xFF8DB2E3, 1);
  g->DrawPath(border, body);

  TGPHatchBrush hatch(HatchStyleDiagonalCross, 0xFF204080, 0xFFFFFFFF);
  g->FillRectangle(hatch, 110, 5, 40, 30);
  TGPLinearGradientBrush diagonal(TGPRectF{110, 40, 40, 30}, 0xFFFF0000, 0x800000FF,
                                  LinearGradientModeBackwardDiagonal);
  g->FillRectangle(diagonal, 110, 40, 40, 30);

  g->SetSmoothingMode(SmoothingModeDefault);
  TGPPen dots(0xFF000000, 1);
  dots.SetDashStyle(DashStyleDot);
  TGPGraphicsPath focus = Rounded(4, 4, 82, 42, 6);
  g->DrawPath(dots, focus);
  return image;
}

TEST(Reference, SceneMatchesTheReferenceImage) {
  const std::string reference = std::string(TAVRIN_TEST_DATA_DIR) + "/reference-scene.png";
  Surface actual = RenderScene();
  Surface expected = Surface::FromPng(reference);
  const int32_t difference = MaxChannelDifference(actual, expected);  // 255 when sizes differ
  if (difference > kTolerance) {
    const std::filesystem::path out = std::filesystem::path(TAVRIN_BINARY_DIR) / "test-output";
    std::filesystem::create_directories(out);
    actual.WritePng((out / "reference-scene-actual.png").string());
    expected.WritePng((out / "reference-scene-expected.png").string());
    DifferenceImage(actual, expected).WritePng((out / "reference-scene-difference.png").string());
  }
  EXPECT_LE(difference, kTolerance) << "images written to test-output/";
}

}  // namespace
}  // namespace tavrin
