#pragma once
// The rounded outline shared by the fill, the button face and the focus rectangle.
//
// The figure starts at the top-left and runs clockwise on screen. Corners are quarter arcs of
// the ellipse in a d x d box (d = twice the radius). The radius is not limited: above half the
// width or height the arcs overlap and the outline crosses itself. A radius of 0 gives
// zero-size arcs that add nothing, so the outline is the plain rectangle.

#include <cstdint>

#include "widgets/drawing/gp_path.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/fill/fill_types.h"

namespace tavrin {

// A new path (FillModeAlternate) holding the rounded outline of R as one closed figure.
// `Mirror` is accepted for the callers' sake and has no effect.
TGPGraphicsPath CreateRoundRectangle(const TGPRectF& R, int32_t Radius,
                                     TFillRoundingType RoundingType, bool Mirror);

// Appends the rounded outline of (l, t, w, h) with corner radius `radius` and corner box `d`
// to `path` as an open figure; the caller closes it. Unknown rounding types add nothing.
void GetPath(double l, double t, double w, double h, double d, double radius,
             TFillRoundingType RoundingType, TGPGraphicsPath& path);

}  // namespace tavrin
