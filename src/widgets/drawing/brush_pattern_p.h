#pragma once
// Cairo sources for the brushes that map to a Cairo pattern.

#include <cairo.h>

#include "widgets/drawing/gp_brush.h"
#include "widgets/drawing/native.h"

namespace tavrin::detail {

// Linear gradient pattern in the brush's user space; gamma-corrected blends become dense stops
// because Cairo cannot interpolate in linear light itself.
native::Pattern LinearPattern(const TGPLinearGradientBrush& brush);
// 8 x 8 repeating tile in device pixels.
native::Pattern HatchPattern(const TGPHatchBrush& brush);
// The texture image repeating from the origin; null when the brush has no image.
native::Pattern TexturePattern(const TGPTextureBrush& brush);

void SetSourceArgb(cairo_t* cr, ARGB color);
// Premultiplied Cairo pixel of a straight ARGB colour, and back.
uint32_t Premultiply(ARGB color);
ARGB Unpremultiply(uint32_t pixel);

}  // namespace tavrin::detail
