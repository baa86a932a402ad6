#include "widgets/drawing/gp_graphics.h"

#include <algorithm>
#include <cmath>

#include "widgets/drawing/brush_pattern_p.h"
#include "widgets/drawing/gp_path_p.h"
#include "widgets/drawing/path_gradient_p.h"
#include "widgets/drawing/scanline_p.h"
#include "widgets/drawing/text_layout_p.h"

namespace tavrin {
namespace {

native::Cairo ContextOn(TGPBitmap& image) {
  cairo_surface_t* s = image.NativeSurface();
  if (s == nullptr) {
    native::Surface empty(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 0, 0));
    return native::Cairo(cairo_create(empty.get()));
  }
  return native::Cairo(cairo_create(s));
}

Status FromCairo(cairo_t* cr) {
  switch (cairo_status(cr)) {
    case CAIRO_STATUS_SUCCESS: return Ok;
    case CAIRO_STATUS_NO_MEMORY: return OutOfMemory;
    default: return GenericError;
  }
}

// Dash pattern in multiples of the pen width.
std::vector<double> DashPattern(DashStyle style) {
  switch (style) {
    case DashStyleDash: return {3, 1};
    case DashStyleDot: return {1, 1};
    case DashStyleDashDot: return {3, 1, 1, 1};
    case DashStyleDashDotDot: return {3, 1, 1, 1, 1, 1};
    default: return {};
  }
}

struct Point {
  double x, y;
};

// Replaces the current path with its dashes. Cairo's own dashing drops the gaps of one-pixel
// dots when it rasterises without anti-aliasing (a dotted focus outline came out solid), so
// the path is cut into its "on" pieces here and stroked plainly. The pattern restarts with
// every figure.
void DashCurrentPath(cairo_t* cr, const std::vector<double>& pattern) {
  native::CairoPath flat(cairo_copy_path_flat(cr));
  cairo_new_path(cr);
  std::vector<std::vector<Point>> figures;
  for (int i = 0; i < flat->num_data; i += flat->data[i].header.length) {
    const cairo_path_data_t* d = &flat->data[i];
    if (d->header.type == CAIRO_PATH_MOVE_TO) {
      figures.push_back({Point{d[1].point.x, d[1].point.y}});
    } else if (d->header.type == CAIRO_PATH_LINE_TO && !figures.empty()) {
      figures.back().push_back(Point{d[1].point.x, d[1].point.y});
    } else if (d->header.type == CAIRO_PATH_CLOSE_PATH && !figures.empty()) {
      figures.back().push_back(figures.back().front());
    }
  }
  for (const auto& figure : figures) {
    size_t k = 0;
    double left = pattern[0];
    bool on = true, drawing = false;
    Point previous = figure.front();
    for (size_t i = 1; i < figure.size(); ++i) {
      const Point a = figure[i - 1], b = figure[i];
      const double length = std::hypot(b.x - a.x, b.y - a.y);
      double done = 0;
      while (length - done > left) {
        done += left;
        const Point p{a.x + (b.x - a.x) * done / length, a.y + (b.y - a.y) * done / length};
        if (on) {
          if (!drawing) cairo_move_to(cr, previous.x, previous.y);
          cairo_line_to(cr, p.x, p.y);
          drawing = false;
        }
        previous = p;
        on = !on;
        k = (k + 1) % pattern.size();
        left = pattern[k];
      }
      left -= length - done;
      if (on) {
        if (!drawing) cairo_move_to(cr, previous.x, previous.y);
        cairo_line_to(cr, b.x, b.y);
        drawing = true;
      }
      previous = b;
    }
  }
}

// Cairo's own aliased rasteriser joins spans that lie less than a pixel apart as soon as the
// outline has a slanted edge (a dotted rounded outline came out solid), so aliased drawing is
// done here in whole pixels.
//
// Strokes: the pixels the anti-aliased stroke covers more than half. The stroke is nudged up and
// left by a hair so that a dash ending exactly on a pixel centre keeps the pixel at its start
// only.
void StrokeWholePixels(cairo_t* cr) {
  constexpr double kTieBreak = 0.02;
  double x1, y1, x2, y2;
  cairo_stroke_extents(cr, &x1, &y1, &x2, &y2);
  double xs[4] = {x1, x2, x1, x2}, ys[4] = {y1, y1, y2, y2};
  double left = 1e30, top = 1e30, right = -1e30, bottom = -1e30;
  for (int i = 0; i < 4; ++i) {
    cairo_user_to_device(cr, &xs[i], &ys[i]);
    left = std::min(left, xs[i]), right = std::max(right, xs[i]);
    top = std::min(top, ys[i]), bottom = std::max(bottom, ys[i]);
  }
  // Only the part inside the clip can show.
  double cx1, cy1, cx2, cy2;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_clip_extents(cr, &cx1, &cy1, &cx2, &cy2);
  cairo_restore(cr);
  left = std::max(left, cx1), top = std::max(top, cy1);
  right = std::min(right, cx2), bottom = std::min(bottom, cy2);
  if (!(right > left) || !(bottom > top)) {
    cairo_new_path(cr);
    return;
  }
  const int bx = static_cast<int>(std::floor(left)) - 1, by = static_cast<int>(std::floor(top)) - 1;
  const int bw = static_cast<int>(std::ceil(right)) + 1 - bx, bh = static_cast<int>(std::ceil(bottom)) + 1 - by;
  native::Surface mask(cairo_image_surface_create(CAIRO_FORMAT_A8, bw, bh));
  native::Cairo mcr(cairo_create(mask.get()));
  cairo_matrix_t ctm;
  cairo_get_matrix(cr, &ctm);
  cairo_translate(mcr.get(), -bx - kTieBreak, -by - kTieBreak);
  cairo_transform(mcr.get(), &ctm);
  native::CairoPath path(cairo_copy_path(cr));
  cairo_append_path(mcr.get(), path.get());
  cairo_set_antialias(mcr.get(), CAIRO_ANTIALIAS_GRAY);
  cairo_set_line_width(mcr.get(), cairo_get_line_width(cr));
  cairo_set_line_cap(mcr.get(), cairo_get_line_cap(cr));
  cairo_set_line_join(mcr.get(), cairo_get_line_join(cr));
  cairo_set_miter_limit(mcr.get(), cairo_get_miter_limit(cr));
  cairo_stroke(mcr.get());
  cairo_surface_flush(mask.get());
  unsigned char* data = cairo_image_surface_get_data(mask.get());
  const int stride = cairo_image_surface_get_stride(mask.get());
  for (int y = 0; y < bh; ++y)
    for (int x = 0; x < bw; ++x) {
      unsigned char& a = data[y * stride + x];
      a = a > 127 ? 255 : 0;
    }
  cairo_surface_mark_dirty(mask.get());
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_mask_surface(cr, mask.get(), bx, by);
  cairo_restore(cr);
}

// Fills: the pixels whose centres lie inside, found by scan conversion of the flattened
// outline and handed to Cairo as whole-pixel boxes, which it fills exactly.
void FillWholePixels(cairo_t* cr) {
  native::CairoPath flat(cairo_copy_path_flat(cr));
  const FillMode mode =
      cairo_get_fill_rule(cr) == CAIRO_FILL_RULE_WINDING ? FillModeWinding : FillModeAlternate;
  detail::DevicePolygon polygon;
  double top = 1e30, bottom = -1e30;
  for (int i = 0; i < flat->num_data; i += flat->data[i].header.length) {
    const cairo_path_data_t* d = &flat->data[i];
    if (d->header.type == CAIRO_PATH_CLOSE_PATH) continue;
    if (d->header.type == CAIRO_PATH_MOVE_TO || polygon.empty()) polygon.emplace_back();
    double x = d[1].point.x, y = d[1].point.y;
    cairo_user_to_device(cr, &x, &y);
    polygon.back().push_back({x, y});
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  cairo_new_path(cr);
  double cx1, cy1, cx2, cy2;
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_clip_extents(cr, &cx1, &cy1, &cx2, &cy2);
  const int firstRow = static_cast<int>(std::floor(std::clamp(top, cy1, cy2)));
  const int lastRow = static_cast<int>(std::ceil(std::clamp(bottom, cy1, cy2)));
  detail::RowSpans spans;
  for (int row = firstRow; row < lastRow; ++row)
    for (auto [first, last] : spans.Compute(polygon, mode, row + 0.5))
      cairo_rectangle(cr, first, row, last - first, 1);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_fill(cr);
  cairo_restore(cr);
}

// Fills with the current source, in whole pixels when the context does not anti-alias.
void FillShape(cairo_t* cr) {
  if (cairo_get_antialias(cr) == CAIRO_ANTIALIAS_NONE)
    FillWholePixels(cr);
  else
    cairo_fill(cr);
}

}  // namespace

TGPGraphics::TGPGraphics(cairo_t* cr) : nativeGraphics(native::Share(cr)) { InitState(); }

TGPGraphics::TGPGraphics(TGPBitmap& image) : nativeGraphics(ContextOn(image)) {
  if (image.NativeSurface() == nullptr) SetStatus(InvalidParameter);
  InitState();
}

TGPGraphics::~TGPGraphics() { Release(); }

TGPGraphics& TGPGraphics::operator=(TGPGraphics&& other) noexcept {
  if (this == &other) return *this;
  Release();
  TGdiplusBase::operator=(std::move(other));
  nativeGraphics = std::move(other.nativeGraphics);
  device_ = other.device_;
  smoothing_ = other.smoothing_;
  textHint_ = other.textHint_;
  return *this;
}

void TGPGraphics::Release() noexcept {
  if (!nativeGraphics) return;
  cairo_restore(nativeGraphics.get());
  cairo_surface_flush(cairo_get_target(nativeGraphics.get()));
  nativeGraphics.reset();
}

// The caller's state is kept under one save; ResetClip returns to it, so a clip the caller had
// set on the context stays (removing it would let a widget paint outside its window).
void TGPGraphics::InitState() {
  cairo_t* cr = nativeGraphics.get();
  cairo_save(cr);
  cairo_get_matrix(cr, &device_);
  // Pixel centres at integer coordinates.
  cairo_translate(cr, 0.5, 0.5);
  ApplyAntialias();
}

bool TGPGraphics::Antialiased() const {
  return smoothing_ == SmoothingModeHighQuality || smoothing_ == SmoothingModeAntiAlias ||
         smoothing_ == SmoothingModeAntiAlias8x8;
}

void TGPGraphics::ApplyAntialias() {
  cairo_set_antialias(nativeGraphics.get(),
                      Antialiased() ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
}

Status TGPGraphics::Clear(ARGB color) {
  cairo_t* cr = nativeGraphics.get();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  detail::SetSourceArgb(cr, color);
  cairo_paint(cr);
  cairo_restore(cr);
  return SetStatus(FromCairo(cr));
}

Status TGPGraphics::SetSmoothingMode(int32_t smoothingMode) {
  if (smoothingMode < SmoothingModeDefault || smoothingMode > SmoothingModeAntiAlias8x8)
    return SetStatus(InvalidParameter);
  smoothing_ = smoothingMode;
  ApplyAntialias();
  return Ok;
}

Status TGPGraphics::SetTextRenderingHint(TextRenderingHint hint) {
  if (hint < TextRenderingHintSystemDefault || hint > TextRenderingHintClearTypeGridFit)
    return SetStatus(InvalidParameter);
  textHint_ = hint;
  return Ok;
}

// ---- Clipping ----------------------------------------------------------------------------

Status TGPGraphics::ResetClip() {
  cairo_t* cr = nativeGraphics.get();
  cairo_restore(cr);
  InitState();
  return Ok;
}

Status TGPGraphics::SetClip(const TGPRegion& region, CombineMode combineMode) {
  if (combineMode != CombineModeReplace && combineMode != CombineModeIntersect)
    return SetStatus(NotImplemented);
  if (combineMode == CombineModeReplace) ResetClip();
  if (region.IsInfinite()) return Ok;
  cairo_t* cr = nativeGraphics.get();
  cairo_new_path(cr);
  detail::AppendToCairo(cr, *region.Native());
  cairo_set_fill_rule(cr, detail::FillRule(region.Native()->fillMode));
  // Clip edges are whole pixels, as in the original.
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_clip(cr);
  ApplyAntialias();
  return SetStatus(FromCairo(cr));
}

Status TGPGraphics::SetClip(const TGPRectF& rect, CombineMode combineMode) {
  return SetClip(TGPRegion(rect), combineMode);
}

Status TGPGraphics::SetClip(const TGPGraphicsPath& path, CombineMode combineMode) {
  return SetClip(TGPRegion(path), combineMode);
}

Status TGPGraphics::Flush(FlushIntention) {
  cairo_surface_flush(cairo_get_target(nativeGraphics.get()));
  return Ok;
}

// ---- Filling -----------------------------------------------------------------------------

Status TGPGraphics::FillCurrentPath(const TGPBrush& brush, FillMode fillMode,
                                    bool brushOutline) {
  cairo_t* cr = nativeGraphics.get();
  cairo_save(cr);
  cairo_set_fill_rule(cr, detail::FillRule(fillMode));
  Status status = Ok;
  switch (brush.GetType()) {
    case BrushTypeSolidColor:
      detail::SetSourceArgb(cr, static_cast<const TGPSolidBrush&>(brush).GetColor());
      FillShape(cr);
      break;
    case BrushTypeLinearGradient: {
      auto pattern = detail::LinearPattern(static_cast<const TGPLinearGradientBrush&>(brush));
      cairo_set_source(cr, pattern.get());
      FillShape(cr);
      break;
    }
    case BrushTypeHatchFill:
    case BrushTypeTextureFill: {
      // Both repeat from the surface's device origin, whatever the pixel-centre shift.
      auto pattern = brush.GetType() == BrushTypeHatchFill
                         ? detail::HatchPattern(static_cast<const TGPHatchBrush&>(brush))
                         : detail::TexturePattern(static_cast<const TGPTextureBrush&>(brush));
      if (!pattern) {
        status = InvalidParameter;
        cairo_new_path(cr);
        break;
      }
      cairo_set_matrix(cr, &device_);
      cairo_set_source(cr, pattern.get());
      FillShape(cr);
      break;
    }
    case BrushTypePathGradient: {
      const auto& gradient = static_cast<const TGPPathGradientBrush&>(brush);
      cairo_matrix_t toDevice;
      cairo_get_matrix(cr, &toDevice);
      // Path gradients are never anti-aliased; the target limits where the brush paints.
      cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
      if (brushOutline)
        cairo_new_path(cr);  // the brush paints only inside its own outline anyway
      else
        cairo_clip(cr);
      cairo_identity_matrix(cr);
      double cx1, cy1, cx2, cy2;
      cairo_clip_extents(cr, &cx1, &cy1, &cx2, &cy2);
      detail::DeviceBox box = detail::PathGradientBounds(gradient, toDevice);
      int x0 = std::max(box.x, static_cast<int>(std::floor(cx1)));
      int y0 = std::max(box.y, static_cast<int>(std::floor(cy1)));
      int x1 = std::min(box.x + box.width, static_cast<int>(std::ceil(cx2)));
      int y1 = std::min(box.y + box.height, static_cast<int>(std::ceil(cy2)));
      auto image = detail::RenderPathGradient(gradient, toDevice, {x0, y0, x1 - x0, y1 - y0});
      if (image) {
        cairo_set_source_surface(cr, image.get(), x0, y0);
        cairo_paint(cr);
      }
      break;
    }
  }
  if (status == Ok) status = FromCairo(cr);
  cairo_restore(cr);
  return SetStatus(status);
}

Status TGPGraphics::FillRectangle(const TGPBrush& brush, const TGPRectF& rect) {
  return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::FillRectangle(const TGPBrush& brush, float x, float y, float width,
                                  float height) {
  cairo_t* cr = nativeGraphics.get();
  cairo_new_path(cr);
  cairo_rectangle(cr, x, y, width, height);
  return FillCurrentPath(brush, FillModeAlternate);
}

Status TGPGraphics::FillPath(const TGPBrush& brush, const TGPGraphicsPath& path) {
  cairo_t* cr = nativeGraphics.get();
  cairo_new_path(cr);
  detail::AppendToCairo(cr, path.Native());
  bool brushOutline = false;
  if (brush.GetType() == BrushTypePathGradient) {
    const auto& own = static_cast<const TGPPathGradientBrush&>(brush).GetPath().Native();
    brushOutline = own.points == path.Native().points && own.types == path.Native().types &&
                   own.fillMode == path.GetFillMode();
  }
  return FillCurrentPath(brush, path.GetFillMode(), brushOutline);
}

Status TGPGraphics::FillEllipse(const TGPBrush& brush, int32_t x, int32_t y, int32_t width,
                                int32_t height) {
  return FillEllipse(brush, static_cast<float>(x), static_cast<float>(y),
                     static_cast<float>(width), static_cast<float>(height));
}

Status TGPGraphics::FillEllipse(const TGPBrush& brush, float x, float y, float width,
                                float height) {
  TGPGraphicsPath path;
  path.AddEllipse(x, y, width, height);
  return FillPath(brush, path);
}

Status TGPGraphics::FillPolygon(const TGPBrush& brush, const TGPPointF* points, int32_t count,
                                FillMode fillMode) {
  TGPGraphicsPath path(fillMode);
  if (Status s = path.AddPolygon(points, count); s != Ok) return SetStatus(s);
  return FillPath(brush, path);
}

// ---- Stroking ----------------------------------------------------------------------------

Status TGPGraphics::StrokeCurrentPath(const TGPPen& pen) {
  cairo_t* cr = nativeGraphics.get();
  cairo_save(cr);
  // Thinner pens still draw one pixel.
  double width = std::max<double>(pen.GetWidth(), 1.0);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_set_miter_limit(cr, 10);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  std::vector<double> dashes = DashPattern(pen.GetDashStyle());
  for (double& d : dashes) d *= width;
  if (!dashes.empty()) DashCurrentPath(cr, dashes);
  detail::SetSourceArgb(cr, pen.GetColor());
  if (!Antialiased())
    StrokeWholePixels(cr);
  else
    cairo_stroke(cr);
  Status status = FromCairo(cr);
  cairo_restore(cr);
  return SetStatus(status);
}

Status TGPGraphics::DrawPath(const TGPPen& pen, const TGPGraphicsPath& path) {
  cairo_t* cr = nativeGraphics.get();
  cairo_new_path(cr);
  detail::AppendToCairo(cr, path.Native());
  return StrokeCurrentPath(pen);
}

Status TGPGraphics::DrawLine(const TGPPen& pen, float x1, float y1, float x2, float y2) {
  cairo_t* cr = nativeGraphics.get();
  cairo_new_path(cr);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  return StrokeCurrentPath(pen);
}

Status TGPGraphics::DrawLine(const TGPPen& pen, const TGPPointF& pt1, const TGPPointF& pt2) {
  return DrawLine(pen, pt1.X, pt1.Y, pt2.X, pt2.Y);
}

Status TGPGraphics::DrawRectangle(const TGPPen& pen, const TGPRectF& rect) {
  return DrawRectangle(pen, rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphics::DrawRectangle(const TGPPen& pen, float x, float y, float width,
                                  float height) {
  cairo_t* cr = nativeGraphics.get();
  cairo_new_path(cr);
  cairo_rectangle(cr, x, y, width, height);
  return StrokeCurrentPath(pen);
}

Status TGPGraphics::DrawEllipse(const TGPPen& pen, float x, float y, float width, float height) {
  TGPGraphicsPath path;
  path.AddEllipse(x, y, width, height);
  return DrawPath(pen, path);
}

// ---- Images ------------------------------------------------------------------------------

namespace {

// A copy of the image's pixels with the colour key applied on the straight colours.
native::Surface KeyedCopy(cairo_surface_t* source, ARGB low, ARGB high) {
  const int w = cairo_image_surface_get_width(source), h = cairo_image_surface_get_height(source);
  native::Surface copy(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
  cairo_surface_flush(source);
  cairo_surface_flush(copy.get());
  const int ss = cairo_image_surface_get_stride(source), ds = cairo_image_surface_get_stride(copy.get());
  auto inRange = [&](ARGB c, int shift) {
    uint32_t v = (c >> shift) & 0xFF;
    return v >= ((low >> shift) & 0xFF) && v <= ((high >> shift) & 0xFF);
  };
  for (int y = 0; y < h; ++y) {
    auto* src = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(source) + y * ss);
    auto* dst = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(copy.get()) + y * ds);
    for (int x = 0; x < w; ++x) {
      ARGB c = detail::Unpremultiply(src[x]);
      bool keyed = (src[x] >> 24) != 0 && inRange(c, 16) && inRange(c, 8) && inRange(c, 0);
      dst[x] = keyed ? 0 : src[x];
    }
  }
  cairo_surface_mark_dirty(copy.get());
  return copy;
}

}  // namespace

Status TGPGraphics::DrawImageScaled(const TGPImage& image, const TGPRectF& dest,
                                    const TGPRectF& src, const TGPImageAttributes* attributes) {
  cairo_surface_t* pixels = image.NativeSurface();
  if (pixels == nullptr) return SetStatus(InvalidParameter);
  if (dest.Width == 0 || dest.Height == 0 || src.Width == 0 || src.Height == 0) return Ok;
  native::Surface keyed;
  if (attributes != nullptr && attributes->GetColorKey()) {
    keyed = KeyedCopy(pixels, attributes->GetColorKey()->low, attributes->GetColorKey()->high);
    pixels = keyed.get();
  }
  cairo_t* cr = nativeGraphics.get();
  cairo_save(cr);
  // Images sit on the pixel grid itself: drawn 1:1 at an integer point they copy exactly.
  cairo_set_matrix(cr, &device_);
  native::Pattern pattern(cairo_pattern_create_for_surface(pixels));
  cairo_matrix_t m;
  cairo_matrix_init_translate(&m, src.X, src.Y);
  cairo_matrix_scale(&m, src.Width / dest.Width, src.Height / dest.Height);
  cairo_matrix_translate(&m, -dest.X, -dest.Y);
  cairo_pattern_set_matrix(pattern.get(), &m);
  const bool natural = src.Width == dest.Width && src.Height == dest.Height;
  cairo_pattern_set_filter(pattern.get(), natural ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
  cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
  cairo_set_source(cr, pattern.get());
  cairo_new_path(cr);
  cairo_rectangle(cr, dest.X, dest.Y, dest.Width, dest.Height);
  cairo_fill(cr);
  Status status = FromCairo(cr);
  cairo_restore(cr);
  return SetStatus(status);
}

Status TGPGraphics::DrawImage(const TGPImage& image, int32_t x, int32_t y) {
  return DrawImage(image, static_cast<float>(x), static_cast<float>(y));
}

Status TGPGraphics::DrawImage(const TGPImage& image, float x, float y) {
  const float w = static_cast<float>(image.GetWidth()), h = static_cast<float>(image.GetHeight());
  return DrawImageScaled(image, {x, y, w, h}, {0, 0, w, h}, nullptr);
}

Status TGPGraphics::DrawImageRect(const TGPImage& image, float x, float y, float width,
                                  float height) {
  return DrawImage(image, TGPRectF{x, y, width, height});
}

Status TGPGraphics::DrawImage(const TGPImage& image, const TGPRectF& destRect) {
  const float w = static_cast<float>(image.GetWidth()), h = static_cast<float>(image.GetHeight());
  return DrawImageScaled(image, destRect, {0, 0, w, h}, nullptr);
}

Status TGPGraphics::DrawImage(const TGPImage& image, const TGPRectF& destRect, float srcx,
                              float srcy, float srcwidth, float srcheight, Unit_ srcUnit,
                              const TGPImageAttributes* imageAttributes) {
  if (srcUnit != UnitPixel) return SetStatus(NotImplemented);
  return DrawImageScaled(image, destRect, {srcx, srcy, srcwidth, srcheight}, imageAttributes);
}

// ---- Text --------------------------------------------------------------------------------

Status TGPGraphics::DrawString(std::string_view string_, const TGPFont& font,
                               const TGPRectF& layoutRect, const TGPStringFormat* stringFormat,
                               const TGPBrush& brush) {
  if (font.Native() == nullptr) return SetStatus(InvalidParameter);
  if (brush.GetType() == BrushTypePathGradient) return SetStatus(NotImplemented);
  cairo_t* cr = nativeGraphics.get();
  detail::TextBlock block =
      detail::LayOutText(cr, string_, font, layoutRect, stringFormat, textHint_);
  cairo_save(cr);
  if (block.clip) {
    cairo_new_path(cr);
    cairo_rectangle(cr, layoutRect.X, layoutRect.Y, layoutRect.Width, layoutRect.Height);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_clip(cr);
  }
  // The text's own outline is the fill target, so every brush kind paints it as it paints paths.
  cairo_new_path(cr);
  cairo_move_to(cr, block.originX - 0.5, block.originY - 0.5);
  pango_cairo_layout_path(cr, block.layout.get());
  cairo_set_antialias(cr, textHint_ == TextRenderingHintSingleBitPerPixel ||
                                  textHint_ == TextRenderingHintSingleBitPerPixelGridFit
                              ? CAIRO_ANTIALIAS_NONE
                              : CAIRO_ANTIALIAS_GRAY);
  Status status = FillCurrentPath(brush, FillModeWinding);
  cairo_restore(cr);
  return SetStatus(status);
}

Status TGPGraphics::DrawString(std::string_view string_, const TGPFont& font,
                               const TGPPointF& origin, const TGPStringFormat* stringFormat,
                               const TGPBrush& brush) {
  return DrawString(string_, font, TGPRectF{origin.X, origin.Y, 0, 0}, stringFormat, brush);
}

Status TGPGraphics::DrawString(std::string_view string_, const TGPFont& font,
                               const TGPPointF& origin, const TGPBrush& brush) {
  return DrawString(string_, font, origin, nullptr, brush);
}

Status TGPGraphics::MeasureString(std::string_view string_, const TGPFont& font,
                                  const TGPRectF& layoutRect, const TGPStringFormat* stringFormat,
                                  TGPRectF& boundingBox) {
  if (font.Native() == nullptr) return SetStatus(InvalidParameter);
  boundingBox = detail::LayOutText(nativeGraphics.get(), string_, font, layoutRect, stringFormat,
                                   textHint_)
                    .box;
  return Ok;
}

Status TGPGraphics::MeasureString(std::string_view string_, const TGPFont& font,
                                  const TGPRectF& layoutRect, TGPRectF& boundingBox) {
  return MeasureString(string_, font, layoutRect, nullptr, boundingBox);
}

Status TGPGraphics::MeasureString(std::string_view string_, const TGPFont& font,
                                  const TGPPointF& origin, const TGPStringFormat* stringFormat,
                                  TGPRectF& boundingBox) {
  return MeasureString(string_, font, TGPRectF{origin.X, origin.Y, 0, 0}, stringFormat,
                       boundingBox);
}

// ---- Text helpers ------------------------------------------------------------------------

std::unique_ptr<TGPFont> TGPGraphics::MakeFont(const TFont& aFont) {
  TGPFontFamily family(aFont.Name);
  Status status = family.GetLastStatus();
  int32_t style = FontStyleRegular;
  if (aFont.Style & fsBold) style |= FontStyleBold;
  if (aFont.Style & fsItalic) style |= FontStyleItalic;
  if (aFont.Style & fsUnderline) style |= FontStyleUnderline;
  const float size = static_cast<float>(aFont.Size);
  if (status == FontFamilyNotFound || status == FontStyleNotFound)
    return std::make_unique<TGPFont>(TGPFontFamily("Arial"), size, style, UnitPoint);
  return std::make_unique<TGPFont>(family, size, style, UnitPoint);
}

int32_t TGPGraphics::TextWidth(std::string_view string_, const TFont& font) {
  auto gpFont = MakeFont(font);
  TGPRectF box;
  MeasureString(string_, *gpFont, TGPRectF{0, 0, 10000, 10000}, box);
  return static_cast<int32_t>(std::nearbyint(box.Width));
}

int32_t TGPGraphics::TextHeight(std::string_view string_, const TFont& font) {
  auto gpFont = MakeFont(font);
  TGPRectF box;
  MeasureString(string_, *gpFont, TGPRectF{0, 0, 10000, 10000}, box);
  return static_cast<int32_t>(std::nearbyint(box.Height));
}

int32_t TGPGraphics::DrawText(std::string_view string_, TRect& rect, const TFont& font,
                              uint32_t style, TColor bkColor) {
  auto gpFont = MakeFont(font);
  const bool measureOnly = (style & DT_CALCRECT) != 0;
  if (measureOnly || bkColor != clNone) {
    // A trailing blank would not be measured; an "i" stands in for it so that it takes room.
    std::string measured(string_);
    if (measured.size() > 1 && measured.back() == ' ') measured.back() = 'i';
    TGPRectF box;
    MeasureString(measured, *gpFont,
                  TGPRectF{static_cast<float>(rect.Left), static_cast<float>(rect.Top),
                           static_cast<float>(rect.Right - rect.Left + 1000),
                           static_cast<float>(rect.Bottom - rect.Top)},
                  box);
    double slack = 2;
    if (font.Size > 8) slack += std::nearbyint((font.Size - 8) / 1.5);
    const double width = box.Width - slack;
    rect.Right = rect.Left + static_cast<int32_t>(std::nearbyint(width));
    rect.Bottom = rect.Top + static_cast<int32_t>(std::nearbyint(box.Height));
    if (bkColor != clNone) {
      TGPSolidBrush background(ColorToARGB(bkColor));
      FillRectangle(background, static_cast<float>(rect.Left + 1), static_cast<float>(rect.Top),
                    static_cast<float>(width + 1), box.Height);
    }
  }
  if (!measureOnly) {
    TGPSolidBrush ink(ColorToARGB(font.Color));
    DrawString(string_, *gpFont,
               TGPPointF{static_cast<float>(rect.Left), static_cast<float>(rect.Top)}, ink);
  }
  return rect.Bottom - rect.Top;
}

}  // namespace tavrin
