// Looks of the fill on its own: the main window's panel background and the status badge body.

#include "gallery/gallery_fill.h"

#include <cmath>

#include "gallery/gallery.h"
#include "widgets/fill/fill.h"
#include "widgets/fill/main_window_look.h"

namespace tavrin::gallery {

// The panel paints its fill into a transparent 32-bit cache with anti-aliasing on, on the
// rectangle one pixel smaller than itself because it has a border; the cache then shows over
// the window colour.
Surface RenderPanelFill() {
  Surface cache(kPanelWidth, kPanelHeight);
  {
    auto g = cache.Graphics();
    g->SetSmoothingMode(SmoothingModeAntiAlias);
    TSmoothFill fill;
    ConfigureMainPanelFill(fill);
    fill.Fill(*g, {0, 0, kPanelWidth - 1.0f, kPanelHeight - 1.0f});
  }
  return Composite(cache, clBtnFace);
}

// The badge makes its fill a pill by rounding with half the body's height, without announcing
// it. The body here is 31 x 17, so the radius is 8 (8.5 rounded half to even).
Surface RenderBadgeFill() {
  Surface image(kBadgeWidth, kBadgeHeight);
  auto g = image.Graphics();
  g->SetSmoothingMode(SmoothingModeAntiAlias);
  TSmoothFill fill;
  ConfigureStatusBadgeFill(fill);
  const TGPRectF body{0, 0, kBadgeWidth - 1.0f, kBadgeHeight - 1.0f};
  fill.BeginUpdate();
  fill.SetRounding(static_cast<int32_t>(std::nearbyint(body.Height / 2.0)));
  fill.Fill(*g, body);
  fill.EndUpdate();
  return image;
}

namespace {
const bool registered =
    RegisterLook("fill-panel", &RenderPanelFill) && RegisterLook("fill-badge", &RenderBadgeFill);
}  // namespace

}  // namespace tavrin::gallery
