#pragma once
// The fill renderer's building blocks below TSmoothFill: one background job (FillArea), a
// radial area, and picture placement.

#include <cstdint>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_path.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/smooth_picture.h"
#include "widgets/fill/fill_canvas.h"
#include "widgets/fill/fill_types.h"

namespace tavrin {

// One background drawing job.
struct TFillParameters {
  FillCanvas* Graphics = nullptr;
  const TGPGraphicsPath* Path = nullptr;  // meaningful only when Fillpath is true
  bool Fillpath = false;                  // fill Path (true) or the rectangle R (false)
  TGPRectF R{};
  TGradientType GT = gtSolid;
  TColor ColorFrom = clNone;
  TColor ColorTo = clNone;
  int32_t OpacityFrom = 255;  // also the border's opacity
  int32_t OpacityTo = 255;
  tavrin::HatchStyle HatchStyle = HatchStyleHorizontal;
  int32_t Angle = 0;
  TSmoothPicture* Image = nullptr;  // tile image for gtTexture
  TColor BorderColor = clNone;
  int32_t BorderWidth = 0;
  DashStyle BorderStyle = DashStyleSolid;
  bool Mirror = false;  // a mirror job also covers its top row (the seam) in ColorFrom
};

// Paints one job by its kind; gtRadial, gtPath, gtNone and unknown kinds paint no background.
// Then strokes the target when BorderColor is not clNone. Nothing without a canvas.
void FillArea(const TFillParameters& Params);

// A radial area: the base colour fills the rounded outline of R, then, clipped to that outline,
// a path gradient on an ellipse glows from the middle of the top edge (Upper) or of the bottom
// edge. Removes every clip afterwards. Does not touch the smoothing mode.
void DrawRadialBackGround(FillCanvas& canvas, const TGPRectF& R, TColor CF, TColor CT, uint8_t o,
                          uint8_t ot, bool Upper, int32_t Radius, TFillRoundingType RoundingType);

// The target rectangle of a picture of drawing size (w, h) placed by `location` in r; ppCustom
// puts it at surface point (x, y). Halving truncates toward zero. ppTiled and unknown positions
// have no target.
bool PictureTarget(TFillPicturePosition location, int32_t w, int32_t h, const TRect& r, int32_t x,
                   int32_t y, TRect& target);

// Places and draws the picture (nothing for a null or empty picture, or for ppTiled).
void DrawPicture(FillCanvas& g, TSmoothPicture* picture, TFillPicturePosition location, int32_t w,
                 int32_t h, const TRect& r, int32_t x, int32_t y);
void DrawPicture(TGPGraphics& g, TSmoothPicture* picture, TFillPicturePosition location, int32_t w,
                 int32_t h, const TRect& r, int32_t x, int32_t y);

}  // namespace tavrin
