#pragma once
// Off-screen 32-bit ARGB images for probes, reference images and caches.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

#include "widgets/drawing/gp_graphics.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/native.h"

namespace tavrin {

class Surface {
 public:
  // A fully transparent image of the size.
  Surface(int32_t width, int32_t height);
  // Loads a PNG file; an unreadable file gives a 0 x 0 surface.
  static Surface FromPng(const std::string& fileName);

  int32_t Width() const;
  int32_t Height() const;
  // A drawing surface on the image.
  std::unique_ptr<TGPGraphics> Graphics();
  // Straight ARGB of one pixel; 0 outside the image.
  ARGB Pixel(int32_t x, int32_t y) const;
  // Fills the whole image with one straight ARGB colour.
  void Fill(ARGB color);
  // True when written.
  bool WritePng(const std::string& fileName) const;

  cairo_surface_t* Native() const { return surface_.get(); }

 private:
  explicit Surface(native::Surface surface);
  native::Surface surface_;
};

// Largest per-channel difference between two images of equal size (255 when sizes differ),
// and an image showing the differences, for reference-image tests.
int32_t MaxChannelDifference(const Surface& a, const Surface& b);
Surface DifferenceImage(const Surface& a, const Surface& b);

}  // namespace tavrin
