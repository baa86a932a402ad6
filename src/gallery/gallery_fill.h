#pragma once
// The fill looks, shared with the tests that probe the gallery's images.

#include <cstdint>

#include "widgets/drawing/surface.h"

namespace tavrin::gallery {

inline constexpr int32_t kPanelWidth = 452;
inline constexpr int32_t kPanelHeight = 100;
inline constexpr int32_t kBadgeWidth = 32;
inline constexpr int32_t kBadgeHeight = 18;

// The fill values come from widgets/fill/main_window_look.h, as the window's do.
Surface RenderPanelFill();
Surface RenderBadgeFill();

}  // namespace tavrin::gallery
