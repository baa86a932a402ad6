// Painting a fill into a fresh 32-bit image, as a widget does when its cache is stale.
//   BM_PanelFill: the main window panel's fill, 452 x 100 (target: under 2 ms).
//   BM_ButtonSizedFill: a 120 x 35 fill of the button's size with the same look (under 0.5 ms).
//   BM_BadgeFill: the status badge pill, for comparison.

#include <benchmark/benchmark.h>

#include "widgets/drawing/surface.h"
#include "widgets/fill/fill.h"
#include "widgets/fill/main_window_look.h"

namespace tavrin {
namespace {

void PaintFresh(benchmark::State& state, TSmoothFill& fill, int width, int height) {
  for (auto _ : state) {
    Surface cache(width, height);
    auto g = cache.Graphics();
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    TGPRectF body = fill.Fill(*g, {0, 0, width - 1.0f, height - 1.0f});
    benchmark::DoNotOptimize(body);
    cairo_surface_flush(cache.Native());
  }
}

void BM_PanelFill(benchmark::State& state) {
  TSmoothFill fill;
  ConfigureMainPanelFill(fill);
  PaintFresh(state, fill, 452, 100);
}
BENCHMARK(BM_PanelFill)->Unit(benchmark::kMicrosecond);

void BM_ButtonSizedFill(benchmark::State& state) {
  TSmoothFill fill;
  ConfigureMainPanelFill(fill);
  fill.SetShadowOffset(4);
  fill.SetRounding(4);
  PaintFresh(state, fill, 120, 35);
}
BENCHMARK(BM_ButtonSizedFill)->Unit(benchmark::kMicrosecond);

void BM_BadgeFill(benchmark::State& state) {
  TSmoothFill fill;
  fill.SetColor(clRed);
  fill.SetGradientType(gtSolid);
  fill.SetBorderColor(clGray);
  fill.SetRounding(9);
  PaintFresh(state, fill, 32, 18);
}
BENCHMARK(BM_BadgeFill)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrin

BENCHMARK_MAIN();
