#include "widgets/drawing/surface.h"

#include <algorithm>
#include <cstdlib>

#include "widgets/drawing/brush_pattern_p.h"

namespace tavrin {
namespace {

uint32_t* Row(cairo_surface_t* s, int y) {
  return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) +
                                     static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(s));
}

native::Surface Blank(int32_t width, int32_t height) {
  return native::Surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 0), std::max(height, 0)));
}

}  // namespace

Surface::Surface(int32_t width, int32_t height) : surface_(Blank(width, height)) {}

Surface::Surface(native::Surface surface) : surface_(std::move(surface)) {}

Surface Surface::FromPng(const std::string& fileName) {
  native::Surface loaded(cairo_image_surface_create_from_png(fileName.c_str()));
  if (cairo_surface_status(loaded.get()) != CAIRO_STATUS_SUCCESS) return Surface(0, 0);
  Surface out(cairo_image_surface_get_width(loaded.get()), cairo_image_surface_get_height(loaded.get()));
  native::Cairo cr(cairo_create(out.Native()));
  cairo_set_source_surface(cr.get(), loaded.get(), 0, 0);
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr.get());
  cairo_surface_flush(out.Native());
  return out;
}

int32_t Surface::Width() const { return cairo_image_surface_get_width(surface_.get()); }
int32_t Surface::Height() const { return cairo_image_surface_get_height(surface_.get()); }

std::unique_ptr<TGPGraphics> Surface::Graphics() {
  native::Cairo cr(cairo_create(surface_.get()));
  return std::make_unique<TGPGraphics>(cr.get());
}

ARGB Surface::Pixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  cairo_surface_flush(surface_.get());
  return detail::Unpremultiply(Row(surface_.get(), y)[x]);
}

void Surface::Fill(ARGB color) {
  cairo_surface_flush(surface_.get());
  const uint32_t px = detail::Premultiply(color);
  for (int y = 0; y < Height(); ++y) std::fill_n(Row(surface_.get(), y), Width(), px);
  cairo_surface_mark_dirty(surface_.get());
}

bool Surface::WritePng(const std::string& fileName) const {
  return cairo_surface_write_to_png(surface_.get(), fileName.c_str()) == CAIRO_STATUS_SUCCESS;
}

int32_t MaxChannelDifference(const Surface& a, const Surface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return 255;
  int32_t worst = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      ARGB p = a.Pixel(x, y), q = b.Pixel(x, y);
      for (int shift = 0; shift < 32; shift += 8)
        worst = std::max(worst, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
    }
  }
  return worst;
}

Surface DifferenceImage(const Surface& a, const Surface& b) {
  Surface out(std::max(a.Width(), b.Width()), std::max(a.Height(), b.Height()));
  cairo_surface_flush(out.Native());
  for (int y = 0; y < out.Height(); ++y) {
    uint32_t* row = Row(out.Native(), y);
    for (int x = 0; x < out.Width(); ++x) {
      ARGB p = a.Pixel(x, y), q = b.Pixel(x, y);
      ARGB d = 0xFF000000;
      for (int shift = 0; shift < 24; shift += 8) {
        int diff = std::max(std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)),
                            std::abs(int(p >> 24) - int(q >> 24)));
        d |= static_cast<ARGB>(std::min(255, diff * 4)) << shift;
      }
      row[x] = d;
    }
  }
  cairo_surface_mark_dirty(out.Native());
  return out;
}

}  // namespace tavrin
