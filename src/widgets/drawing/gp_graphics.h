#pragma once
// The drawing surface.
//
// Pixel centres lie at integer coordinates, as in the original library: pixel (0, 0) covers
// [-0.5, 0.5] x [-0.5, 0.5]. So a 1-pixel pen on an integer line is crisp, and an aliased
// FillRectangle(x, y, w, h) covers exactly w x h pixels. Images drawn 1:1 at integer points
// keep their pixels exactly. Smoothing modes 2, 4 and 5 anti-alias shapes; 0, 1 and 3 do not.
// Without anti-aliasing a fill covers the pixels whose centres lie inside (ties go right and
// down) and a stroke the pixels it covers more than half; both are computed here rather than
// by Cairo's aliased rasteriser. Path gradient fills and clip edges are never anti-aliased.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_base.h"
#include "widgets/drawing/gp_brush.h"
#include "widgets/drawing/gp_image.h"
#include "widgets/drawing/gp_path.h"
#include "widgets/drawing/gp_text.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/native.h"

namespace tavrin {

// DrawText style bit: only measure, draw nothing.
inline constexpr uint32_t DT_CALCRECT = 0x400;

class TGPGraphics : public TGdiplusBase {
 public:
  // A surface on a Cairo context (a window's paint context or any image); the context's current
  // transformation is the surface's device space. The context is shared, not adopted.
  explicit TGPGraphics(cairo_t* cr);
  // A surface on a bitmap's pixels.
  explicit TGPGraphics(TGPBitmap& image);
  TGPGraphics(TGPGraphics&&) noexcept = default;
  // Gives the current context back to its owner in the state it was lent in, then takes over.
  TGPGraphics& operator=(TGPGraphics&& other) noexcept;
  ~TGPGraphics();

  // ---- State ----
  // Replaces every pixel inside the clip with the colour (alpha included).
  Status Clear(ARGB color);
  Status SetSmoothingMode(int32_t smoothingMode);
  int32_t GetSmoothingMode() const { return smoothing_; }
  Status SetTextRenderingHint(TextRenderingHint hint);
  TextRenderingHint GetTextRenderingHint() const { return textHint_; }
  // CombineModeReplace and CombineModeIntersect; clip edges are pixel-exact.
  Status SetClip(const TGPRegion& region, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const TGPRectF& rect, CombineMode combineMode = CombineModeReplace);
  Status SetClip(const TGPGraphicsPath& path, CombineMode combineMode = CombineModeReplace);
  Status ResetClip();
  Status Flush(FlushIntention intention = FlushIntentionFlush);

  // ---- Filling ----
  Status FillRectangle(const TGPBrush& brush, const TGPRectF& rect);
  Status FillRectangle(const TGPBrush& brush, float x, float y, float width, float height);
  Status FillPath(const TGPBrush& brush, const TGPGraphicsPath& path);
  Status FillEllipse(const TGPBrush& brush, int32_t x, int32_t y, int32_t width, int32_t height);
  Status FillEllipse(const TGPBrush& brush, float x, float y, float width, float height);
  Status FillPolygon(const TGPBrush& brush, const TGPPointF* points, int32_t count,
                     FillMode fillMode = FillModeAlternate);

  // ---- Stroking ----
  Status DrawPath(const TGPPen& pen, const TGPGraphicsPath& path);
  Status DrawLine(const TGPPen& pen, float x1, float y1, float x2, float y2);
  Status DrawLine(const TGPPen& pen, const TGPPointF& pt1, const TGPPointF& pt2);
  Status DrawRectangle(const TGPPen& pen, const TGPRectF& rect);
  Status DrawRectangle(const TGPPen& pen, float x, float y, float width, float height);
  Status DrawEllipse(const TGPPen& pen, float x, float y, float width, float height);

  // ---- Images ----
  // Natural size (in pixels) with the top-left corner at (x, y).
  Status DrawImage(const TGPImage& image, int32_t x, int32_t y);
  Status DrawImage(const TGPImage& image, float x, float y);
  // Scaled into the rectangle.
  Status DrawImageRect(const TGPImage& image, float x, float y, float width, float height);
  Status DrawImage(const TGPImage& image, const TGPRectF& destRect);
  // The source part (in pixels, srcUnit UnitPixel) into the destination, colour key applied.
  Status DrawImage(const TGPImage& image, const TGPRectF& destRect, float srcx, float srcy,
                   float srcwidth, float srcheight, Unit_ srcUnit,
                   const TGPImageAttributes* imageAttributes = nullptr);

  // ---- Text ----
  // Text in the layout rectangle (wrapping, alignment, clipping as the format says).
  Status DrawString(std::string_view string_, const TGPFont& font, const TGPRectF& layoutRect,
                    const TGPStringFormat* stringFormat, const TGPBrush& brush);
  // Text from an origin: no limit on the layout.
  Status DrawString(std::string_view string_, const TGPFont& font, const TGPPointF& origin,
                    const TGPStringFormat* stringFormat, const TGPBrush& brush);
  Status DrawString(std::string_view string_, const TGPFont& font, const TGPPointF& origin,
                    const TGPBrush& brush);
  // Bounding box of the text as DrawString would lay it out in the rectangle.
  Status MeasureString(std::string_view string_, const TGPFont& font, const TGPRectF& layoutRect,
                       const TGPStringFormat* stringFormat, TGPRectF& boundingBox);
  Status MeasureString(std::string_view string_, const TGPFont& font, const TGPRectF& layoutRect,
                       TGPRectF& boundingBox);
  Status MeasureString(std::string_view string_, const TGPFont& font, const TGPPointF& origin,
                       const TGPStringFormat* stringFormat, TGPRectF& boundingBox);

  // ---- Text helpers for the caption renderer ----
  // A font for a toolkit font; "Arial" when its family or style is not installed. Strike-out is
  // dropped; the size is the point size (UnitPoint).
  std::unique_ptr<TGPFont> MakeFont(const TFont& aFont);
  // Width and height of the whole string, rounded half to even.
  int32_t TextWidth(std::string_view string_, const TFont& font);
  int32_t TextHeight(std::string_view string_, const TFont& font);
  // Measures and (unless style has DT_CALCRECT) draws text from rect's top-left; updates rect's
  // right and bottom; fills the background when bkColor is not clNone. Returns the height.
  int32_t DrawText(std::string_view string_, TRect& rect, const TFont& font, uint32_t style,
                   TColor bkColor = clNone);

  cairo_t* Native() const { return nativeGraphics.get(); }

 private:
  void InitState();
  // Undoes InitState: the context is left as the caller gave it.
  void Release() noexcept;
  void ApplyAntialias();
  bool Antialiased() const;
  // Fills the current Cairo path with the brush; the path is consumed. `brushOutline` says the
  // path is the path gradient brush's own outline, which needs no clip of its own.
  Status FillCurrentPath(const TGPBrush& brush, FillMode fillMode, bool brushOutline = false);
  Status StrokeCurrentPath(const TGPPen& pen);
  Status DrawImageScaled(const TGPImage& image, const TGPRectF& dest, const TGPRectF& src,
                         const TGPImageAttributes* attributes);

  native::Cairo nativeGraphics;
  cairo_matrix_t device_;  // the context's transformation when the surface was made
  int32_t smoothing_ = SmoothingModeDefault;
  TextRenderingHint textHint_ = TextRenderingHintSystemDefault;
};

}  // namespace tavrin
