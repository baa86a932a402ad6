#pragma once
// Enumerations owned by the fill. Each is stored as one byte; a value loaded from storage keeps
// whatever byte it had, so code that switches on them treats unknown values as "none".

#include <cstdint>

namespace tavrin {

// Which corners of an outline are rounded.
enum TFillRoundingType : uint8_t {
  rtNone = 0,    // none
  rtTop = 1,     // top-left and top-right
  rtBottom = 2,  // bottom-right and bottom-left
  rtBoth = 3,    // all four
  rtLeft = 4,    // top-left and bottom-left
  rtRight = 5,   // top-right and bottom-right
};

enum TGlowMode : uint8_t {
  gmNone = 0,
  gmGradient = 1,        // inner outline with top and bottom highlight bands
  gmRadial = 2,          // radial highlight rising from the bottom centre
  gmRadialGradient = 3,  // both
};

enum TFillPicturePosition : uint8_t {
  ppTopLeft = 0,
  ppTopCenter = 1,
  ppTopRight = 2,
  ppBottomLeft = 3,
  ppBottomCenter = 4,
  ppBottomRight = 5,
  ppTiled = 6,
  ppStretched = 7,
  ppCenterLeft = 8,
  ppCenterCenter = 9,
  ppCenterRight = 10,
  ppCustom = 11,
};

enum TFillPictureSize : uint8_t { psOriginal = 0, psCustom = 1 };

enum TFillPictureMode : uint8_t { pmInsideFill = 0, pmOutsideFill = 1 };

}  // namespace tavrin
