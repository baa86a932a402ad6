#pragma once
// The fill looks, shared with the tests that probe the gallery's images.

#include <cstdint>

#include "widgets/drawing/surface.h"

namespace tavrin {
class TSmoothFill;
}

namespace tavrin::gallery {

inline constexpr int32_t kPanelWidth = 452;
inline constexpr int32_t kPanelHeight = 100;
inline constexpr int32_t kBadgeWidth = 32;
inline constexpr int32_t kBadgeHeight = 18;

// The main window panel's fill values (all others at their defaults).
void ConfigurePanelFill(TSmoothFill& fill);
// The status badge body's fill values.
void ConfigureBadgeFill(TSmoothFill& fill);

Surface RenderPanelFill();
Surface RenderBadgeFill();

}  // namespace tavrin::gallery
