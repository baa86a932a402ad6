#pragma once
// The fill looks, shared with the tests that probe the gallery's images.

#include <cstdint>

#include "widgets/fill/main_window_look.h"
#include "widgets/drawing/surface.h"

namespace tavrin::gallery {

// The fills are drawn at the size the main window's panel has.
inline constexpr int32_t kPanelWidth = kMainPanelWidth;
inline constexpr int32_t kPanelHeight = kMainPanelHeight;
inline constexpr int32_t kBadgeWidth = 32;
inline constexpr int32_t kBadgeHeight = 18;

// The fill values come from widgets/fill/main_window_look.h, as the window's do.
Surface RenderPanelFill();
Surface RenderBadgeFill();

}  // namespace tavrin::gallery
