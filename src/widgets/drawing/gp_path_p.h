#pragma once
// Internal path helpers shared by the surface and the brushes.

#include <cairo.h>

#include "widgets/drawing/gp_path.h"

namespace tavrin::detail {

// Adds the path's figures to the Cairo context's current path, in user space.
void AppendToCairo(cairo_t* cr, const PathData& path);
// A closed rectangle figure.
PathData RectanglePath(const TGPRectF& rect);
cairo_fill_rule_t FillRule(FillMode mode);

}  // namespace tavrin::detail
