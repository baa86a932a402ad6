#include <algorithm>
#include <cmath>

#include "widgets/drawing/brush_pattern_p.h"

namespace tavrin::detail {
namespace {

constexpr int kGammaStepsPerSegment = 32;

double Channel(ARGB c, int shift) { return ((c >> shift) & 0xFF) / 255.0; }

void AddStop(cairo_pattern_t* p, double offset, ARGB c) {
  cairo_pattern_add_color_stop_rgba(p, offset, Channel(c, 16), Channel(c, 8), Channel(c, 0),
                                    Channel(c, 24));
}

// Straight colour channels blended in linear light (gamma 2.2), alpha linearly.
void AddGammaStops(cairo_pattern_t* p, double from, double to, ARGB a, ARGB b) {
  for (int i = 0; i <= kGammaStepsPerSegment; ++i) {
    double t = double(i) / kGammaStepsPerSegment;
    auto mix = [&](int shift) {
      double x = std::pow(Channel(a, shift), 2.2), y = std::pow(Channel(b, shift), 2.2);
      return std::pow(x + (y - x) * t, 1 / 2.2);
    };
    double alpha = Channel(a, 24) + (Channel(b, 24) - Channel(a, 24)) * t;
    cairo_pattern_add_color_stop_rgba(p, from + (to - from) * t, mix(16), mix(8), mix(0), alpha);
  }
}

cairo_extend_t Extend(WrapMode mode) {
  switch (mode) {
    case WrapModeTile:
    case WrapModeTileFlipY: return CAIRO_EXTEND_REPEAT;
    case WrapModeTileFlipX:
    case WrapModeTileFlipXY: return CAIRO_EXTEND_REFLECT;
    default: return CAIRO_EXTEND_NONE;
  }
}

}  // namespace

void SetSourceArgb(cairo_t* cr, ARGB c) {
  cairo_set_source_rgba(cr, Channel(c, 16), Channel(c, 8), Channel(c, 0), Channel(c, 24));
}

uint32_t Premultiply(ARGB c) {
  uint32_t a = c >> 24;
  auto mul = [a](uint32_t v) { return (v * a + 127) / 255; };
  return (a << 24) | (mul((c >> 16) & 0xFF) << 16) | (mul((c >> 8) & 0xFF) << 8) | mul(c & 0xFF);
}

ARGB Unpremultiply(uint32_t px) {
  uint32_t a = px >> 24;
  if (a == 0) return 0;
  auto div = [a](uint32_t v) { return std::min<uint32_t>(255, (v * 255 + a / 2) / a); };
  return (a << 24) | (div((px >> 16) & 0xFF) << 16) | (div((px >> 8) & 0xFF) << 8) |
         div(px & 0xFF);
}

native::Pattern LinearPattern(const TGPLinearGradientBrush& brush) {
  TGPPointF s = brush.Start(), e = brush.End();
  native::Pattern p(cairo_pattern_create_linear(s.X, s.Y, e.X, e.Y));
  std::vector<ARGB> colors = brush.GetInterpolationColors();
  std::vector<float> positions = brush.GetInterpolationPositions();
  if (colors.empty()) {
    ARGB ends[2];
    brush.GetLinearColors(ends);
    colors = {ends[0], ends[1]};
    positions = {0.0f, 1.0f};
  }
  for (size_t i = 0; i + 1 < colors.size(); ++i) {
    if (brush.GetGammaCorrection()) {
      AddGammaStops(p.get(), positions[i], positions[i + 1], colors[i], colors[i + 1]);
    } else {
      AddStop(p.get(), positions[i], colors[i]);
      AddStop(p.get(), positions[i + 1], colors[i + 1]);
    }
  }
  cairo_pattern_set_extend(p.get(), Extend(brush.GetWrapMode()));
  return p;
}

native::Pattern HatchPattern(const TGPHatchBrush& brush) {
  native::Surface tile(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8));
  cairo_surface_flush(tile.get());
  auto* data = cairo_image_surface_get_data(tile.get());
  const int stride = cairo_image_surface_get_stride(tile.get());
  const std::vector<ARGB> texels = brush.Tile();
  for (int y = 0; y < 8; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < 8; ++x) row[x] = Premultiply(texels[static_cast<size_t>(y * 8 + x)]);
  }
  cairo_surface_mark_dirty(tile.get());
  native::Pattern p(cairo_pattern_create_for_surface(tile.get()));
  cairo_pattern_set_extend(p.get(), CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(p.get(), CAIRO_FILTER_NEAREST);
  return p;
}

native::Pattern TexturePattern(const TGPTextureBrush& brush) {
  if (brush.NativeSurface() == nullptr) return nullptr;
  native::Pattern p(cairo_pattern_create_for_surface(brush.NativeSurface()));
  cairo_pattern_set_extend(p.get(), Extend(brush.GetWrapMode()));
  cairo_pattern_set_filter(p.get(), CAIRO_FILTER_NEAREST);
  return p;
}

}  // namespace tavrin::detail
