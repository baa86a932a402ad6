#include "widgets/fill/fill_area.h"

#include "widgets/fill/round_rect.h"

namespace tavrin {
namespace {

float F(double v) {
  return static_cast<float>(v);
}

ARGB ColorAt(int32_t opacity, TColor color) {
  return MakeColor(static_cast<uint8_t>(opacity), color);
}

void FillTarget(const TFillParameters& p, const TGPBrush& brush) {
  if (p.Fillpath && p.Path) {
    p.Graphics->FillPath(brush, *p.Path);
  } else {
    p.Graphics->FillRectangle(brush, p.R);
  }
}

bool LinearMode(TGradientType gt, LinearGradientMode& mode) {
  switch (gt) {
    case gtVertical:
      mode = LinearGradientModeVertical;
      return true;
    case gtHorizontal:
      mode = LinearGradientModeHorizontal;
      return true;
    case gtForwardDiagonal:
      mode = LinearGradientModeForwardDiagonal;
      return true;
    case gtBackwardDiagonal:
      mode = LinearGradientModeBackwardDiagonal;
      return true;
    default:
      return false;
  }
}

// Linear gradients reach one pixel beyond the area on every side, so the end colours sit just
// outside the edges instead of on the edge pixels.
TGPRectF GradientRect(const TGPRectF& R) {
  return {F(R.X - 1.0), F(R.Y - 1.0), F(R.Width + 2.0), F(R.Height + 2.0)};
}

void FillBackground(const TFillParameters& p) {
  const ARGB from = ColorAt(p.OpacityFrom, p.ColorFrom);
  LinearGradientMode mode;
  if (p.GT == gtSolid) {
    FillTarget(p, TGPSolidBrush(from));
  } else if (LinearMode(p.GT, mode)) {
    TGPLinearGradientBrush brush(GradientRect(p.R), from, ColorAt(p.OpacityTo, p.ColorTo), mode);
    brush.SetGammaCorrection(true);
    FillTarget(p, brush);
    if (p.Mirror) p.Graphics->FillRectangle(TGPSolidBrush(from), {p.R.X, p.R.Y, p.R.Width, 1.0f});
  } else if (p.GT == gtAngle) {
    TGPLinearGradientBrush brush(GradientRect(p.R), from, ColorAt(p.OpacityTo, p.ColorTo),
                                 static_cast<float>(p.Angle), true);
    brush.SetGammaCorrection(true);
    FillTarget(p, brush);
  } else if (p.GT == gtHatch) {
    FillTarget(p, TGPHatchBrush(p.HatchStyle, from, ColorAt(p.OpacityTo, p.ColorTo)));
  } else if (p.GT == gtTexture && p.Image) {
    if (p.Fillpath && p.Path) {
      p.Graphics->TilePicture(*p.Image, *p.Path);
    } else {
      p.Graphics->TilePicture(*p.Image, p.R);
    }
  }
}

}  // namespace

void FillArea(const TFillParameters& Params) {
  if (!Params.Graphics) return;
  FillBackground(Params);
  if (Params.BorderColor == clNone) return;
  TGPPen pen(ColorAt(Params.OpacityFrom, Params.BorderColor),
             static_cast<float>(Params.BorderWidth));
  pen.SetDashStyle(Params.BorderStyle);
  if (Params.Fillpath && Params.Path) {
    Params.Graphics->DrawPath(pen, *Params.Path);
  } else {
    Params.Graphics->DrawRectangle(pen, Params.R);
  }
}

void DrawRadialBackGround(FillCanvas& canvas, const TGPRectF& R, TColor CF, TColor CT, uint8_t o,
                          uint8_t ot, bool Upper, int32_t Radius, TFillRoundingType RoundingType) {
  const ARGB start = MakeColor(o, CF);
  const ARGB end = MakeColor(ot, CT);
  const TGPGraphicsPath outline = CreateRoundRectangle(R, Radius, RoundingType, false);
  canvas.FillPath(TGPSolidBrush(Upper ? start : end), outline);
  canvas.SetClip(TGPRegion(outline));

  const double x = R.X, y = R.Y, w = R.Width, h = R.Height;
  TGPGraphicsPath ellipse(FillModeAlternate);
  ellipse.AddEllipse(F(x), F(Upper ? y - h / 2 : y), F(w), F(1.5 * h));
  TGPPathGradientBrush brush(ellipse);
  brush.SetCenterPoint({F(x + w / 2), F(Upper ? y : y + h)});
  brush.SetCenterColor(Upper ? end : start);
  const ARGB surround = Upper ? start : end;
  int32_t count = 1;
  brush.SetSurroundColors(&surround, count);
  canvas.FillRectangle(brush, R);
  canvas.ResetClip();
}

bool PictureTarget(TFillPicturePosition location, int32_t w, int32_t h, const TRect& r, int32_t x,
                   int32_t y, TRect& target) {
  // Sizes and offsets come from stored values, so the sums are formed in 64 bits and wrap
  // like 32-bit sums instead of overflowing.
  const int64_t left = r.Left, top = r.Top, right = r.Right, bottom = r.Bottom;
  // Integer division truncates toward zero, which is the halving wanted here.
  const int64_t centreLeft = left + (right - left - w) / 2;
  const int64_t centreTop = top + (bottom - top - h) / 2;
  const auto set = [&target](int64_t l, int64_t t, int64_t rr, int64_t b) {
    target = {static_cast<int32_t>(l), static_cast<int32_t>(t), static_cast<int32_t>(rr),
              static_cast<int32_t>(b)};
    return true;
  };
  switch (location) {
    case ppTopLeft:
      return set(left, top, left + w, top + h);
    case ppTopCenter:
      return set(centreLeft, top, centreLeft + w, top + h);
    case ppTopRight:
      return set(right - w, top, right, top + h);
    case ppBottomLeft:
      return set(left, bottom - h, left + w, bottom);
    case ppBottomCenter:
      return set(centreLeft, bottom - h, centreLeft + w, bottom);
    case ppBottomRight:
      return set(right - w, bottom - h, right, bottom);
    case ppStretched:
      return set(left, top, right, bottom);
    case ppCenterLeft:
      return set(left, centreTop, left + w, centreTop + h);
    case ppCenterCenter:
      return set(centreLeft, centreTop, centreLeft + w, centreTop + h);
    case ppCenterRight:
      return set(right - w, centreTop, right, centreTop + h);
    case ppCustom:
      return set(x, y, int64_t{x} + w, int64_t{y} + h);
    case ppTiled:
      return false;  // tiling is the texture background's job
  }
  return false;
}

void DrawPicture(FillCanvas& g, TSmoothPicture* picture, TFillPicturePosition location, int32_t w,
                 int32_t h, const TRect& r, int32_t x, int32_t y) {
  if (!picture || picture->Empty()) return;
  TRect target;
  if (PictureTarget(location, w, h, r, x, y, target)) g.DrawPicture(*picture, target);
}

void DrawPicture(TGPGraphics& g, TSmoothPicture* picture, TFillPicturePosition location, int32_t w,
                 int32_t h, const TRect& r, int32_t x, int32_t y) {
  GraphicsCanvas canvas(g);
  DrawPicture(canvas, picture, location, w, h, r, x, y);
}

}  // namespace tavrin
