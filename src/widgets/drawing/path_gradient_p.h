#pragma once
// Rasteriser of the path gradient brush.
//
// Cairo has no brush whose colour runs along rays from a centre point to an outline, so the
// brush is evaluated here into an image that the surface then uses as its source. The outline
// is flattened and split into a fan of triangles (centre, P[i], P[i+1]). Inside one triangle the
// ray parameter u (0 at the centre, 1 on the edge P[i]P[i+1]) is an affine function of the
// point, so each scanline span is walked with a constant step and looked up in a colour table
// of the blend position s = 1 - u. This is exact for outlines that are star-shaped about the
// centre, which is what the widgets build (rounded rectangles and ellipses).

#include <cairo.h>

#include "widgets/drawing/gp_brush.h"
#include "widgets/drawing/native.h"

namespace tavrin::detail {

struct DeviceBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// An ARGB32 image of `box` (device pixels) holding the brush's colours at the pixels whose
// centres lie inside the brush's outline, transparent elsewhere. `toDevice` maps the brush's
// user space to device pixels. Null when the box is empty.
native::Surface RenderPathGradient(const TGPPathGradientBrush& brush,
                                   const cairo_matrix_t& toDevice, const DeviceBox& box);

// The brush outline's bounds in device pixels (rounded outward).
DeviceBox PathGradientBounds(const TGPPathGradientBrush& brush, const cairo_matrix_t& toDevice);

}  // namespace tavrin::detail
