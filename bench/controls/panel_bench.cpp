// The smooth panel's paint costs with the main window's values: a paint with a stale cache
// (full rebuild, then the composite) and a paint with a valid cache (the composite only).
#include <benchmark/benchmark.h>

#include "gallery/gallery_panel.h"
#include "widgets/controls/smooth_panel.h"

namespace {

using tavrin::Surface;
using tavrin::controls::TSmoothPanel;

struct Screen {
  Surface surface{465, 111};
  cairo_t* cr = cairo_create(surface.Native());
  ~Screen() { cairo_destroy(cr); }
};

void PaintAt(TSmoothPanel& panel, cairo_t* cr) {
  cairo_save(cr);
  cairo_translate(cr, panel.Left(), panel.Top());
  panel.PaintTo(cr);
  cairo_restore(cr);
}

void BM_PanelPaintWithRebuild(benchmark::State& state) {
  TSmoothPanel panel;
  tavrin::gallery::ConfigureMainWindowPanel(panel, 10, 8);
  Screen screen;
  for (auto _ : state) {
    panel.Changed();
    PaintAt(panel, screen.cr);
    benchmark::DoNotOptimize(panel.CacheImage());
  }
  state.counters["rebuilds"] = static_cast<double>(panel.CacheBuilds());
}
BENCHMARK(BM_PanelPaintWithRebuild)->Unit(benchmark::kMillisecond);

void BM_PanelPaintFromCache(benchmark::State& state) {
  TSmoothPanel panel;
  tavrin::gallery::ConfigureMainWindowPanel(panel, 10, 8);
  Screen screen;
  PaintAt(panel, screen.cr);
  for (auto _ : state) {
    PaintAt(panel, screen.cr);
    benchmark::ClobberMemory();
  }
  state.counters["rebuilds"] = static_cast<double>(panel.CacheBuilds());
}
BENCHMARK(BM_PanelPaintFromCache)->Unit(benchmark::kMicrosecond);

}  // namespace
