// Costs of the drawing steps a smooth widget's fill is made of, at the main window's sizes.
#include <benchmark/benchmark.h>

#include "widgets/drawing/drawing.h"

namespace tavrin {
namespace {

TGPGraphicsPath RoundedOutline(float w, float h, float r) {
  const float d = 2 * r;
  TGPGraphicsPath path;
  path.AddArc(0, 0, d, d, 180, 90);
  path.AddLine(r, 0, w - r, 0);
  path.AddArc(w - d, 0, d, d, 270, 90);
  path.AddLine(w, r, w, h - r);
  path.AddArc(w - d, h - d, d, d, 0, 90);
  path.AddLine(w - r, h, r, h);
  path.AddArc(0, h - d, d, d, 90, 90);
  path.AddLine(0, h - r, 0, r);
  path.CloseFigure();
  return path;
}

// The panel's shadow: a clamped path gradient with a three-colour preset over the outline.
void ShadowFill(benchmark::State& state, int width, int height) {
  for (auto _ : state) {
    Surface image(width, height);
    auto g = image.Graphics();
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    TGPGraphicsPath path = RoundedOutline(width - 1.0f, height - 1.0f, 10);
    TGPPathGradientBrush brush(path);
    brush.SetWrapMode(WrapModeClamp);
    const ARGB colors[] = {0x00000000, 0xB4808080, 0xB4808080};
    const float positions[] = {0.0f, 0.1f, 1.0f};
    brush.SetInterpolationColors(colors, positions, 3);
    g->FillPath(brush, path);
    benchmark::DoNotOptimize(image.Pixel(width / 2, height / 2));
  }
}

// A gamma-corrected vertical gradient through an anti-aliased rounded outline.
void GradientFill(benchmark::State& state, int width, int height) {
  for (auto _ : state) {
    Surface image(width, height);
    auto g = image.Graphics();
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    TGPGraphicsPath path = RoundedOutline(width - 1.0f, height / 2.0f, 10);
    TGPLinearGradientBrush brush(TGPRectF{-1, -1, width + 1.0f, height / 2.0f + 2},
                                 0xFFE9F1FA, 0xFFC7D8ED, LinearGradientModeVertical);
    brush.SetGammaCorrection(true);
    g->FillPath(brush, path);
    TGPPen border(0xFF8DB2E3, 1);
    g->DrawPath(border, path);
    benchmark::DoNotOptimize(image.Pixel(width / 2, 1));
  }
}

void BM_ShadowPanel(benchmark::State& state) { ShadowFill(state, 452, 100); }
void BM_ShadowButton(benchmark::State& state) { ShadowFill(state, 120, 35); }
void BM_GradientPanel(benchmark::State& state) { GradientFill(state, 452, 100); }
void BM_GradientButton(benchmark::State& state) { GradientFill(state, 120, 35); }

// A caption measured the way the button and the badge measure theirs, font lookup included.
void BM_MeasureCaption(benchmark::State& state) {
  Surface image(1, 1);
  auto g = image.Graphics();
  const TFont font{"Tahoma", 8, 0, clWindowText};
  for (auto _ : state) benchmark::DoNotOptimize(g->TextWidth("Export", font));
}

BENCHMARK(BM_MeasureCaption)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShadowPanel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShadowButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GradientPanel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GradientButton)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrin

BENCHMARK_MAIN();
