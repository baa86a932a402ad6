#include "widgets/drawing/gp_brush.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "widgets/drawing/gp_image.h"

namespace tavrin {
namespace {

bool ValidPreset(const ARGB* colors, const float* positions, int32_t count) {
  if (colors == nullptr || positions == nullptr || count < 2) return false;
  if (positions[0] != 0.0f || positions[count - 1] != 1.0f) return false;
  for (int32_t i = 1; i < count; ++i)
    if (positions[i] < positions[i - 1]) return false;
  return true;
}

float ModeAngle(LinearGradientMode mode) {
  switch (mode) {
    case LinearGradientModeVertical: return 90;
    case LinearGradientModeForwardDiagonal: return 45;
    case LinearGradientModeBackwardDiagonal: return 135;
    default: return 0;
  }
}

}  // namespace

bool TPresetBlend::Set(const ARGB* colors, const float* positions, int32_t count) {
  if (!ValidPreset(colors, positions, count)) return false;
  colors_.assign(colors, colors + count);
  positions_.assign(positions, positions + count);
  return true;
}

// ---- Solid, hatch, texture ---------------------------------------------------------------

TGPSolidBrush::TGPSolidBrush(ARGB color) : TGPBrush(BrushTypeSolidColor), color_(color) {}

Status TGPSolidBrush::SetColor(ARGB color) {
  color_ = color;
  return Ok;
}

TGPHatchBrush::TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor)
    : TGPBrush(BrushTypeHatchFill), style_(hatchStyle), fore_(foreColor), back_(backColor) {
  if (hatchStyle < HatchStyleMin || hatchStyle > HatchStyleMax) {
    style_ = HatchStyleHorizontal;
    SetStatus(InvalidParameter);
  }
}

TGPTextureBrush::TGPTextureBrush(const TGPImage& image, WrapMode wrapMode)
    : TGPBrush(BrushTypeTextureFill), wrap_(wrapMode) {
  if (image.NativeSurface() == nullptr) {
    SetStatus(InvalidParameter);
    return;
  }
  nativeBrush = native::Share(image.NativeSurface());
}

Status TGPTextureBrush::SetWrapMode(WrapMode wrapMode) {
  wrap_ = wrapMode;
  return Ok;
}

// ---- Linear gradient ---------------------------------------------------------------------

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2,
                                               LinearGradientMode mode)
    : TGPLinearGradientBrush(rect, color1, color2, ModeAngle(mode), true) {
  if (mode < LinearGradientModeHorizontal || mode > LinearGradientModeBackwardDiagonal)
    SetStatus(InvalidParameter);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2,
                                               float angle, bool isAngleScalable)
    : TGPBrush(BrushTypeLinearGradient),
      rect_(rect),
      colors_{color1, color2},
      angle_(angle),
      scalable_(isAngleScalable) {
  if (rect.Width == 0 || rect.Height == 0) SetStatus(OutOfMemory);
  SetLineFromRect();
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& point1, const TGPPointF& point2,
                                               ARGB color1, ARGB color2)
    : TGPBrush(BrushTypeLinearGradient),
      rect_{std::min(point1.X, point2.X), std::min(point1.Y, point2.Y),
            std::fabs(point2.X - point1.X), std::fabs(point2.Y - point1.Y)},
      colors_{color1, color2},
      start_(point1),
      end_(point2) {
  angle_ = static_cast<float>(std::atan2(point2.Y - point1.Y, point2.X - point1.X) * 180 /
                              std::numbers::pi);
  if (point1 == point2) SetStatus(OutOfMemory);
}

// The gradient starts at the rectangle corner furthest back along the direction and ends where
// the line through the opposite corner crosses the direction. A scalable angle is the angle of
// the unit square, stretched with the rectangle.
void TGPLinearGradientBrush::SetLineFromRect() {
  const double theta = angle_ * std::numbers::pi / 180.0;
  const double w = rect_.Width, h = rect_.Height;
  double phi = scalable_ ? std::atan2(w * std::sin(theta), h * std::cos(theta)) : theta;
  const double dx = std::cos(phi), dy = std::sin(phi);
  const double cornerX = dx >= 0 ? rect_.X : rect_.X + w;
  const double cornerY = dy >= 0 ? rect_.Y : rect_.Y + h;
  const double length = w * std::fabs(dx) + h * std::fabs(dy);
  start_ = {static_cast<float>(cornerX), static_cast<float>(cornerY)};
  end_ = {static_cast<float>(cornerX + length * dx), static_cast<float>(cornerY + length * dy)};
}

Status TGPLinearGradientBrush::SetGammaCorrection(bool useGammaCorrection) {
  gamma_ = useGammaCorrection;
  return Ok;
}

Status TGPLinearGradientBrush::SetWrapMode(WrapMode wrapMode) {
  if (wrapMode == WrapModeClamp || wrapMode < WrapModeTile || wrapMode > WrapModeClamp)
    return SetStatus(InvalidParameter);
  wrap_ = wrapMode;
  return Ok;
}

Status TGPLinearGradientBrush::SetLinearColors(ARGB color1, ARGB color2) {
  colors_[0] = color1;
  colors_[1] = color2;
  return Ok;
}

Status TGPLinearGradientBrush::GetLinearColors(ARGB colors[2]) const {
  colors[0] = colors_[0];
  colors[1] = colors_[1];
  return Ok;
}

Status TGPLinearGradientBrush::GetRectangle(TGPRectF& rect) const {
  rect = rect_;
  return Ok;
}

// ---- Path gradient -----------------------------------------------------------------------

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath& path)
    : TGPBrush(BrushTypePathGradient), path_(path.Clone()), pathPoints_(path.GetPathPoints().size()) {
  const auto& points = path.GetPathPoints();
  if (points.empty()) {
    SetStatus(OutOfMemory);
    return;
  }
  // The original starts at the mean of all stored points, Bézier control points included.
  double sx = 0, sy = 0;
  for (const TGPPointF& p : points) {
    sx += p.X;
    sy += p.Y;
  }
  center_ = {static_cast<float>(sx / points.size()), static_cast<float>(sy / points.size())};
}

Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& point) {
  center_ = point;
  return Ok;
}

Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& point) const {
  point = center_;
  return Ok;
}

Status TGPPathGradientBrush::SetCenterColor(ARGB color) {
  centerColor_ = color;
  return Ok;
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& color) const {
  color = centerColor_;
  return Ok;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, int32_t& count) {
  if (colors == nullptr || count <= 0 || static_cast<size_t>(count) > pathPoints_)
    return SetStatus(InvalidParameter);
  surround_.assign(colors, colors + count);
  if (std::all_of(surround_.begin(), surround_.end(), [&](ARGB c) { return c == surround_[0]; }))
    surround_.resize(1);
  return Ok;
}

Status TGPPathGradientBrush::SetWrapMode(WrapMode wrapMode) {
  if (wrapMode < WrapModeTile || wrapMode > WrapModeClamp) return SetStatus(InvalidParameter);
  wrap_ = wrapMode;
  return Ok;
}

Status TGPPathGradientBrush::SetGammaCorrection(bool useGammaCorrection) {
  gamma_ = useGammaCorrection;
  return Ok;
}

// ---- Pen ---------------------------------------------------------------------------------

TGPPen::TGPPen(ARGB color, float width) : color_(color), width_(width) {}

Status TGPPen::SetDashStyle(DashStyle dashStyle) {
  if (dashStyle < DashStyleSolid || dashStyle > DashStyleCustom) return SetStatus(InvalidParameter);
  dash_ = dashStyle;
  return Ok;
}

Status TGPPen::SetColor(ARGB color) {
  color_ = color;
  return Ok;
}

Status TGPPen::SetWidth(float width) {
  width_ = width;
  return Ok;
}

}  // namespace tavrin
