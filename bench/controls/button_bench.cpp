// The main window's button: what a paint costs with a stale cache (the whole look is rendered
// again) and with a valid one (the window colour, then one alpha blit of the cached image).
// Targets: rebuild under 1 ms, cached repaint under 0.2 ms.

#include <benchmark/benchmark.h>
#include <cairo.h>

#include "gallery/gallery_button.h"
#include "widgets/controls/control.h"
#include "widgets/controls/smooth_button.h"
#include "widgets/drawing/surface.h"

namespace {

using tavrin::Surface;
using tavrin::controls::TForm;
using tavrin::controls::TSmoothButton;
namespace gallery = tavrin::gallery;

// A window of the button's size holding the main window's button, and a screen to paint into.
struct Scene {
  Scene() {
    window.SetClientSize(gallery::kButtonWidth, gallery::kButtonHeight);
    gallery::ConfigureMainWindowButton(button);
    cr = cairo_create(screen.Native());
    window.PaintTo(cr);  // fonts and the first cache are ready before timing
  }
  ~Scene() { cairo_destroy(cr); }

  TForm window;
  TSmoothButton button{&window};
  Surface screen{gallery::kButtonWidth, gallery::kButtonHeight};
  cairo_t* cr = nullptr;
};

// A property change marks the cache stale; the next paint renders face, caption and bevel anew.
void BM_ButtonRepaintWithCacheRebuild(benchmark::State& state) {
  Scene scene;
  bool alternate = false;
  for (auto _ : state) {
    alternate = !alternate;
    scene.button.SetColor(alternate ? 0xE7BF86 : gallery::kButtonColor);
    scene.window.PaintTo(scene.cr);
  }
  state.counters["rebuilds"] = static_cast<double>(scene.button.CacheBuildCount());
}
BENCHMARK(BM_ButtonRepaintWithCacheRebuild)->Unit(benchmark::kMicrosecond);

// The rendering alone, into an image of the button's size.
void BM_ButtonRenderLook(benchmark::State& state) {
  Scene scene;
  tavrin::TGPBitmap target(gallery::kButtonWidth, gallery::kButtonHeight);
  for (auto _ : state) {
    scene.button.RenderLook(target);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ButtonRenderLook)->Unit(benchmark::kMicrosecond);

// A paint with a valid cache: the parent's background, then the cached image composited.
void BM_ButtonRepaintWithValidCache(benchmark::State& state) {
  Scene scene;
  const auto builds = scene.button.CacheBuildCount();
  for (auto _ : state) {
    scene.window.PaintTo(scene.cr);
  }
  if (scene.button.CacheBuildCount() != builds) state.SkipWithError("the cache was rebuilt");
}
BENCHMARK(BM_ButtonRepaintWithValidCache)->Unit(benchmark::kMicrosecond);

}  // namespace
