// Painting a TSmoothFill: shadow, background areas, background picture, border, glow, focus
// outline and foreground picture, in that order.
//
// Geometry is worked out in double and handed to the drawing layer as 32-bit floats. Every
// brush, pen, path and region is a local and so is freed before the step that made it ends.
// The renderer changes the smoothing mode only around an area's fill and the focus outline,
// and puts it back; radial areas, the clipped background picture and the glow end by removing
// every clip.

#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>

#include "widgets/fill/fill.h"
#include "widgets/fill/fill_area.h"
#include "widgets/fill/round_rect.h"

namespace tavrin {
namespace {

float F(double v) {
  return static_cast<float>(v);
}

// Nearest integer, exact halves to the even neighbour (the default floating-point rounding),
// held inside the 32-bit range so that an absurd rectangle cannot overflow the conversion.
int32_t RoundHalfEven(double v) {
  const double rounded = std::nearbyint(v);
  if (!(rounded > INT32_MIN)) return INT32_MIN;  // also NaN
  if (rounded > INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(rounded);
}

uint8_t Resolve(uint8_t argument, uint8_t own) {
  return argument < 255 ? argument : own;
}

// A split fill keeps the main area's upper corners and the mirror area's lower ones.
TFillRoundingType AreaRounding(TFillRoundingType type, bool mirror) {
  switch (type) {
    case rtTop:
      return mirror ? rtNone : rtTop;
    case rtBottom:
      return mirror ? rtBottom : rtNone;
    case rtBoth:
      return mirror ? rtBottom : rtTop;
    default:
      return type;
  }
}

// The shadow's blend: transparent on the outline, the shadow colour at 180 from a tenth of the
// way in to the centre. The body painted over it leaves a band along the right and bottom.
void PaintShadow(FillCanvas& canvas, const TGPRectF& R, int32_t rounding,
                 TFillRoundingType roundingType, TColor shadowColor) {
  const TGPGraphicsPath outline = CreateRoundRectangle(R, rounding, roundingType, true);
  TGPPathGradientBrush brush(outline);
  brush.SetWrapMode(WrapModeClamp);
  const ARGB shade = MakeColor(180, shadowColor);
  const ARGB colors[] = {0x00000000, shade, shade};
  const float positions[] = {0.0f, 0.1f, 1.0f};
  brush.SetInterpolationColors(colors, positions, 3);
  canvas.FillPath(brush, outline);
}

TRect RoundedRect(const TGPRectF& R) {
  const int32_t left = RoundHalfEven(R.X);
  const int32_t top = RoundHalfEven(R.Y);
  // The edges wrap like 32-bit sums instead of overflowing.
  return {left, top, static_cast<int32_t>(int64_t{left} + RoundHalfEven(R.Width)),
          static_cast<int32_t>(int64_t{top} + RoundHalfEven(R.Height))};
}

// The picture's size as decoded now; 0 x 0 for an empty picture.
void DecodedSize(TSmoothPicture& picture, int32_t& w, int32_t& h) {
  w = h = 0;
  if (picture.Empty()) return;
  picture.GetImageSizes();
  w = picture.GetWidth();
  h = picture.GetHeight();
}

}  // namespace

// ---- Entry points ------------------------------------------------------------------------

TGPRectF TSmoothFill::Fill(TGPGraphics* graphics, TGPRectF R, uint8_t ABorderOpacity,
                           uint8_t AOpacity, uint8_t AOpacityTo, uint8_t AOpacityMirror,
                           uint8_t AOpacityMirrorTo) {
  if (!graphics) return R;
  return Fill(*graphics, R, ABorderOpacity, AOpacity, AOpacityTo, AOpacityMirror, AOpacityMirrorTo);
}

TGPRectF TSmoothFill::Fill(TGPGraphics& graphics, TGPRectF R, uint8_t ABorderOpacity,
                           uint8_t AOpacity, uint8_t AOpacityTo, uint8_t AOpacityMirror,
                           uint8_t AOpacityMirrorTo) {
  GraphicsCanvas canvas(graphics);
  return Fill(canvas, R, ABorderOpacity, AOpacity, AOpacityTo, AOpacityMirror, AOpacityMirrorTo);
}

void TSmoothFill::DrawGradientBackGround(TGPGraphics& graphics, const TGPRectF& R, bool Mirror,
                                         uint8_t oc, uint8_t octo, uint8_t ocmr, uint8_t ocmrto) {
  GraphicsCanvas canvas(graphics);
  DrawGradientBackGround(canvas, R, Mirror, oc, octo, ocmr, ocmrto);
}

void TSmoothFill::DrawGlow(TGPGraphics& graphics, const TGPRectF& R) {
  GraphicsCanvas canvas(graphics);
  DrawGlow(canvas, R);
}

// ---- Fill --------------------------------------------------------------------------------

TGPRectF TSmoothFill::Fill(FillCanvas& canvas, TGPRectF R, uint8_t ABorderOpacity, uint8_t AOpacity,
                           uint8_t AOpacityTo, uint8_t AOpacityMirror, uint8_t AOpacityMirrorTo) {
  const uint8_t oc = Resolve(AOpacity, FOpacity);
  const uint8_t octo = Resolve(AOpacityTo, FOpacityTo);
  const uint8_t ocmr = Resolve(AOpacityMirror, FOpacityMirror);
  const uint8_t ocmrto = Resolve(AOpacityMirrorTo, FOpacityMirrorTo);
  const uint8_t ocbdr = Resolve(ABorderOpacity, FBorderOpacity);
  const bool hasBorder = FBorderWidth > 0 && FBorderColor != clNone;

  // A rectangle exactly one pixel high or wide is drawn as its border line alone.
  const bool lineCase = R.Height == 1.0f || R.Width == 1.0f;
  if (lineCase) {
    if (hasBorder) {
      TGPPen pen(MakeColor(ocbdr, FBorderColor), static_cast<float>(FBorderWidth));
      canvas.DrawLine(pen, {R.X, R.Y}, {F(double(R.X) + R.Width), F(double(R.Y) + R.Height)});
    }
  } else {
    if (FShadowOffset > 0 && FShadowColor != clNone) {
      PaintShadow(canvas, R, FRounding, FRoundingType, FShadowColor);
      R.Width = F(double(R.Width) - FShadowOffset);
      R.Height = F(double(R.Height) - FShadowOffset);
    }
    PaintBackground(canvas, R, oc, octo, ocmr, ocmrto);
  }

  const TRect rc = RoundedRect(R);
  if (!lineCase) {
    if (FBackGroundPictureMode == pmInsideFill && FGradientType == gtTexture) {
      canvas.SetClip(TGPRegion(CreateRoundRectangle(R, FRounding, FRoundingType, false)));
      PaintBackGroundPicture(canvas, rc);
      canvas.ResetClip();
    }
    if (hasBorder) {
      TGPPen pen(MakeColor(ocbdr, FBorderColor), static_cast<float>(FBorderWidth));
      pen.SetDashStyle(DashStyleSolid);
      canvas.DrawPath(pen, CreateRoundRectangle(R, FRounding, FRoundingType, false));
    }
  }
  DrawGlow(canvas, R);
  PaintFocus(canvas, R, oc);
  if (FBackGroundPictureMode == pmOutsideFill && FGradientType == gtTexture) {
    PaintBackGroundPicture(canvas, rc);
  }
  PaintPicture(canvas, rc);
  return R;
}

// Main and mirror areas. The split areas overlap by two pixels around the middle; the mirror
// area is painted second and its first row is covered by its start colour (the seam line).
void TSmoothFill::PaintBackground(FillCanvas& canvas, const TGPRectF& R, uint8_t oc, uint8_t octo,
                                  uint8_t ocmr, uint8_t ocmrto) {
  const bool split =
      FColorMirror != clNone && FGradientType != gtHatch && FGradientType != gtTexture;
  if (!split) {
    PaintArea(canvas, R, false, FRoundingType, oc, octo, ocmr, ocmrto);
    return;
  }
  const double h2 = R.Height / 2.0;
  const float areaHeight = F(R.Height - h2 + 1.0);
  PaintArea(canvas, {R.X, R.Y, R.Width, areaHeight}, false, rtTop, oc, octo, ocmr, ocmrto);
  PaintArea(canvas, {R.X, F(R.Y + h2 - 1.0), R.Width, areaHeight}, true, rtBottom, oc, octo, ocmr,
            ocmrto);
}

// One area: radial areas have their own drawing (and corners), every other kind is a
// gradient background job. A radial area without a start colour paints nothing, one without
// an end colour glows in its start colour.
void TSmoothFill::PaintArea(FillCanvas& canvas, const TGPRectF& R, bool mirror,
                            TFillRoundingType radialCorners, uint8_t oc, uint8_t octo, uint8_t ocmr,
                            uint8_t ocmrto) {
  const TGradientType kind = mirror ? FGradientMirrorType : FGradientType;
  if (kind != gtRadial) {
    DrawGradientBackGround(canvas, R, mirror, oc, octo, ocmr, ocmrto);
    return;
  }
  const TColor from = mirror ? FColorMirror : FColor;
  const TColor to = mirror ? FColorMirrorTo : FColorTo;
  if (from == clNone) return;
  DrawRadialBackGround(canvas, R, from, to == clNone ? from : to, mirror ? ocmr : oc,
                       mirror ? ocmrto : octo, !mirror, FRounding, radialCorners);
}

void TSmoothFill::PaintBackGroundPicture(FillCanvas& canvas, const TRect& rc) {
  int32_t pw, ph;
  DecodedSize(*FBackGroundPicture, pw, ph);
  const bool custom = FBackGroundPicturePosition == ppCustom;
  DrawPicture(canvas, FBackGroundPicture.get(), FBackGroundPicturePosition, pw, ph, rc,
              custom ? FBackGroundPictureLeft : rc.Left, custom ? FBackGroundPictureTop : rc.Top);
}

// FocusRect is set by every paint; the dotted outline is drawn without anti-aliasing so its
// dots stay one pixel each.
void TSmoothFill::PaintFocus(FillCanvas& canvas, const TGPRectF& R, uint8_t oc) {
  const double bw = FBorderWidth;
  FFocusRect = {F(R.X + bw), F(R.Y + bw), F(R.Width - 2 * bw), F(R.Height - 2 * bw)};
  if (!FFocus) return;
  const int32_t smoothing = canvas.GetSmoothingMode();
  canvas.SetSmoothingMode(SmoothingModeDefault);
  TGPPen pen(MakeColor(oc, FFocusColor), 1.0f);
  pen.SetDashStyle(DashStyleDot);
  canvas.DrawPath(pen,
                  CreateRoundRectangle(FFocusRect, FRounding - FBorderWidth, FRoundingType, false));
  canvas.SetSmoothingMode(smoothing);
}

void TSmoothFill::PaintPicture(FillCanvas& canvas, const TRect& rc) {
  int32_t pw, ph;
  DecodedSize(*FPicture, pw, ph);
  if (!FPicture->Empty() && FPictureSize == psCustom) {
    pw = FPictureWidth;
    ph = FPictureHeight;
  }
  const bool custom = FPicturePosition == ppCustom;
  DrawPicture(canvas, FPicture.get(), FPicturePosition, pw, ph, rc, custom ? FPictureLeft : rc.Left,
              custom ? FPictureTop : rc.Top);
}

// ---- One background area -----------------------------------------------------------------

void TSmoothFill::DrawGradientBackGround(FillCanvas& canvas, const TGPRectF& R, bool Mirror,
                                         uint8_t oc, uint8_t octo, uint8_t ocmr, uint8_t ocmrto) {
  TFillParameters job;
  job.Graphics = &canvas;
  job.R = R;
  job.GT = Mirror ? FGradientMirrorType : FGradientType;
  job.ColorFrom = Mirror ? FColorMirror : FColor;
  job.ColorTo = Mirror ? FColorMirrorTo : FColorTo;
  job.OpacityFrom = Mirror ? ocmr : oc;
  job.OpacityTo = Mirror ? ocmrto : octo;
  job.HatchStyle = Mirror ? FHatchStyleMirror : FHatchStyle;
  job.Angle = FAngle;
  job.Image = FBackGroundPicturePosition == ppTiled ? FBackGroundPicture.get() : nullptr;
  job.BorderColor = clNone;
  job.BorderWidth = 0;
  job.BorderStyle = DashStyleSolid;
  job.Mirror = Mirror;
  if (job.ColorFrom == clNone) {
    job.GT = gtNone;
  } else if (job.ColorTo == clNone) {
    job.GT = gtSolid;
  }

  // The corner mapping follows ColorMirror alone, so an unsplit hatch or texture fill with a
  // mirror colour keeps only the main area's corners.
  std::optional<TGPGraphicsPath> outline;
  if (FRounding != 0) {
    const TFillRoundingType corners =
        FColorMirror == clNone ? FRoundingType : AreaRounding(FRoundingType, Mirror);
    outline = CreateRoundRectangle(R, FRounding, corners, Mirror);
    job.Path = &*outline;
    job.Fillpath = true;
  }

  const int32_t smoothing = canvas.GetSmoothingMode();
  if (outline) canvas.SetSmoothingMode(SmoothingModeAntiAlias);
  FillArea(job);
  if (outline) canvas.SetSmoothingMode(smoothing);
}

// ---- Glow --------------------------------------------------------------------------------

void TSmoothFill::DrawGlow(FillCanvas& canvas, const TGPRectF& R) {
  const bool gradient = FGlow == gmGradient || FGlow == gmRadialGradient;
  const bool radial = FGlow == gmRadial || FGlow == gmRadialGradient;
  if (!gradient && !radial) return;

  canvas.SetClip(TGPRegion(R));
  const double x0 = R.X + 1.0, y0 = R.Y + 1.0, w = R.Width - 2.0, h = R.Height - 2.0;
  const double x1 = x0 + w, y1 = y0 + h;
  if (gradient) {
    const ARGB glow = MakeColor(200, FGlowGradientColor);
    canvas.DrawPath(TGPPen(glow, 1.0f), CreateRoundRectangle({F(x0), F(y0), F(w), F(h)}, FRounding,
                                                             FRoundingType, false));

    // Top band: fading down from the top edge, with pointed ends in the corners.
    TGPLinearGradientBrush top({F(x0 + 4), F(y0 - 1), F(w - 8), 6.0f},
                               MakeColor(175, FGlowGradientColor), MakeColor(0, FGlowGradientColor),
                               LinearGradientModeVertical);
    top.SetGammaCorrection(false);
    canvas.FillRectangle(top, {F(x0 + 5), F(y0), F(w - 10), 4.0f});
    const TGPPointF topLeft[] = {{F(x0), F(y0)}, {F(x0 + 5), F(y0)}, {F(x0 + 5), F(y0 + 4)}};
    const TGPPointF topRight[] = {{F(x1), F(y0)}, {F(x1 - 5), F(y0)}, {F(x1 - 5), F(y0 + 4)}};
    canvas.FillPolygon(top, topLeft, 3);
    canvas.FillPolygon(top, topRight, 3);

    // Bottom band: rising towards the bottom edge.
    TGPLinearGradientBrush bottom({F(x0 + 4), F(y1 - 8), F(w - 8), 9.0f},
                                  MakeColor(0, FGlowGradientColor),
                                  MakeColor(220, FGlowGradientColor), LinearGradientModeVertical);
    bottom.SetGammaCorrection(false);
    canvas.FillRectangle(bottom, {F(x0 + 5), F(y1 - 7), F(w - 10), 7.0f});
    const TGPPointF bottomLeft[] = {{F(x0), F(y1)}, {F(x0 + 5), F(y1)}, {F(x0 + 5), F(y1 - 7)}};
    const TGPPointF bottomRight[] = {{F(x1), F(y1)}, {F(x1 - 5), F(y1)}, {F(x1 - 5), F(y1 - 7)}};
    canvas.FillPolygon(bottom, bottomLeft, 3);
    canvas.FillPolygon(bottom, bottomRight, 3);
  }
  if (radial) {
    const TGPRectF box{F(x0 + 10), F(y0 - h / 2), F(w - 20), F(3 * h)};
    TGPGraphicsPath ellipse(FillModeAlternate);
    ellipse.AddEllipse(box);
    TGPPathGradientBrush brush(ellipse);
    brush.SetCenterPoint({F(x0 + w / 2), F(y1)});
    brush.SetCenterColor(MakeColor(150, FGlowRadialColor));
    const ARGB surround = MakeColor(0, FColor);
    int32_t count = 1;
    brush.SetSurroundColors(&surround, count);
    canvas.FillEllipse(brush, box);
  }
  canvas.ResetClip();
}

}  // namespace tavrin
