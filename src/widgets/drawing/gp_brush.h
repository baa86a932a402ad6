#pragma once
// Pens and the brush family.
//
// Brushes keep their parameters as plain values (readable through getters, which is what tests
// inspect) and build their native pattern when a surface first paints with them. The brush kind
// is a tag on the base, so the surface dispatches without virtual calls.

#include <cstdint>
#include <vector>

#include "widgets/drawing/gp_base.h"
#include "widgets/drawing/gp_path.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/native.h"

namespace tavrin {

class TGPImage;

class TGPBrush : public TGdiplusBase {
 public:
  BrushType GetType() const { return type_; }

 protected:
  explicit TGPBrush(BrushType type) : type_(type) {}
  TGPBrush(TGPBrush&&) noexcept = default;
  TGPBrush& operator=(TGPBrush&&) noexcept = default;
  ~TGPBrush() = default;

 private:
  BrushType type_;
};

class TGPSolidBrush : public TGPBrush {
 public:
  explicit TGPSolidBrush(ARGB color);
  ARGB GetColor() const { return color_; }
  Status SetColor(ARGB color);

 private:
  ARGB color_;
};

// 8 x 8 pattern repeated from the surface's device origin; set bits in the fore colour.
class TGPHatchBrush : public TGPBrush {
 public:
  TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor = 0xFF000000);
  HatchStyle GetHatchStyle() const { return style_; }
  ARGB GetForegroundColor() const { return fore_; }
  ARGB GetBackgroundColor() const { return back_; }
  // The 8 x 8 tile as straight ARGB, row by row (for tests and for the surface).
  std::vector<ARGB> Tile() const;

 private:
  HatchStyle style_;
  ARGB fore_;
  ARGB back_;
};

// An image repeated across the plane from the surface's origin.
class TGPTextureBrush : public TGPBrush {
 public:
  explicit TGPTextureBrush(const TGPImage& image, WrapMode wrapMode = WrapModeTile);
  WrapMode GetWrapMode() const { return wrap_; }
  Status SetWrapMode(WrapMode wrapMode);
  // Premultiplied copy of the image, or null when the image had nothing to copy.
  cairo_surface_t* NativeSurface() const { return nativeBrush.get(); }

 private:
  WrapMode wrap_;
  native::Surface nativeBrush;
};

// A multi-colour blend: colours at positions 0.0 ... 1.0, which replace a gradient's own end
// colours. Valid with at least two entries, the first at exactly 0 and the last at exactly 1.
class TPresetBlend {
 public:
  // False (and nothing kept) when the entries are not valid.
  bool Set(const ARGB* colors, const float* positions, int32_t count);
  int32_t Count() const { return static_cast<int32_t>(colors_.size()); }
  const std::vector<ARGB>& Colors() const { return colors_; }
  const std::vector<float>& Positions() const { return positions_; }

 private:
  std::vector<ARGB> colors_;
  std::vector<float> positions_;
};

// Gradient along a line; outside its rectangle the gradient repeats (WrapModeTile).
class TGPLinearGradientBrush : public TGPBrush {
 public:
  TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
  TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, float angle,
                         bool isAngleScalable = false);
  // Colour 1 at point1, colour 2 at point2.
  TGPLinearGradientBrush(const TGPPointF& point1, const TGPPointF& point2, ARGB color1,
                         ARGB color2);

  Status SetGammaCorrection(bool useGammaCorrection);
  bool GetGammaCorrection() const { return gamma_; }
  // Replaces the two line colours; InvalidParameter for an invalid blend (see TPresetBlend).
  Status SetInterpolationColors(const ARGB* presetColors, const float* blendPositions,
                                int32_t count) {
    return preset_.Set(presetColors, blendPositions, count) ? Ok : SetStatus(InvalidParameter);
  }
  int32_t GetInterpolationColorCount() const { return preset_.Count(); }
  const std::vector<ARGB>& GetInterpolationColors() const { return preset_.Colors(); }
  const std::vector<float>& GetInterpolationPositions() const { return preset_.Positions(); }
  Status SetWrapMode(WrapMode wrapMode);
  WrapMode GetWrapMode() const { return wrap_; }
  Status SetLinearColors(ARGB color1, ARGB color2);
  Status GetLinearColors(ARGB colors[2]) const;
  Status GetRectangle(TGPRectF& rect) const;
  // The direction in degrees clockwise from the x axis, before any scaling to the rectangle.
  float GetAngle() const { return angle_; }
  bool IsAngleScalable() const { return scalable_; }

  // Gradient line in user space: t = 0 at Start(), t = 1 at End().
  TGPPointF Start() const { return start_; }
  TGPPointF End() const { return end_; }

 private:
  void SetLineFromRect();

  TGPRectF rect_;
  ARGB colors_[2];
  float angle_ = 0;
  bool scalable_ = false;
  bool gamma_ = false;
  WrapMode wrap_ = WrapModeTile;
  TPresetBlend preset_;
  TGPPointF start_;
  TGPPointF end_;
};

// Colour from the path's boundary (surround colour) to its centre point (centre colour) along
// the ray from the centre: position 0 on the boundary, 1 at the centre. Paints nothing outside
// the path. Always drawn without anti-aliasing, like the original.
class TGPPathGradientBrush : public TGPBrush {
 public:
  explicit TGPPathGradientBrush(const TGPGraphicsPath& path);

  Status SetCenterPoint(const TGPPointF& point);
  Status GetCenterPoint(TGPPointF& point) const;
  Status SetCenterColor(ARGB color);
  Status GetCenterColor(ARGB& color) const;
  // One colour per boundary point; fewer repeat the last. count is in-out as in the original.
  Status SetSurroundColors(const ARGB* colors, int32_t& count);
  const std::vector<ARGB>& GetSurroundColors() const { return surround_; }
  int32_t GetSurroundColorCount() const { return static_cast<int32_t>(surround_.size()); }
  // Replaces the centre and surround colours: position 0 is the outline, 1 the centre.
  Status SetInterpolationColors(const ARGB* presetColors, const float* blendPositions,
                                int32_t count) {
    return preset_.Set(presetColors, blendPositions, count) ? Ok : SetStatus(InvalidParameter);
  }
  int32_t GetInterpolationColorCount() const { return preset_.Count(); }
  const std::vector<ARGB>& GetInterpolationColors() const { return preset_.Colors(); }
  const std::vector<float>& GetInterpolationPositions() const { return preset_.Positions(); }
  Status SetWrapMode(WrapMode wrapMode);
  WrapMode GetWrapMode() const { return wrap_; }
  Status SetGammaCorrection(bool useGammaCorrection);
  bool GetGammaCorrection() const { return gamma_; }
  int32_t GetPointCount() const { return static_cast<int32_t>(pathPoints_); }

  // The brush's outline (a copy of the path it was made from).
  const TGPGraphicsPath& GetPath() const { return path_; }

 private:
  TGPGraphicsPath path_;
  size_t pathPoints_ = 0;
  TGPPointF center_;
  ARGB centerColor_ = 0xFFFFFFFF;
  std::vector<ARGB> surround_{0xFFFFFFFF};
  TPresetBlend preset_;
  WrapMode wrap_ = WrapModeClamp;
  bool gamma_ = false;
};

class TGPPen : public TGdiplusBase {
 public:
  // Solid pen; width in surface units (UnitWorld). Widths below one pixel draw one pixel.
  TGPPen(ARGB color, float width = 1.0f);
  TGPPen(TGPPen&&) noexcept = default;
  TGPPen& operator=(TGPPen&&) noexcept = default;

  Status SetDashStyle(DashStyle dashStyle);
  DashStyle GetDashStyle() const { return dash_; }
  Status SetColor(ARGB color);
  ARGB GetColor() const { return color_; }
  Status SetWidth(float width);
  float GetWidth() const { return width_; }

 private:
  ARGB color_;
  float width_;
  DashStyle dash_ = DashStyleSolid;
};

}  // namespace tavrin
