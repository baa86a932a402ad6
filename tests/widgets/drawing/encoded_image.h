#pragma once
// Image files made in the test, through the decoder library's own encoders.

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdint>
#include <vector>

#include "widgets/drawing/color.h"

namespace tavrin::testing {

// The pixels (row by row, straight ARGB) encoded as `type` ("png", "bmp", "jpeg", "tiff").
inline std::vector<uint8_t> EncodeImage(int w, int h, const std::vector<ARGB>& pixels,
                                        bool alpha, const char* type) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, alpha, 8, w, h);
  guchar* data = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  const int channels = alpha ? 4 : 3;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const ARGB c = pixels[static_cast<size_t>(y * w + x)];
      guchar* p = data + y * stride + x * channels;
      p[0] = GetRed(c), p[1] = GetGreen(c), p[2] = GetBlue(c);
      if (alpha) p[3] = GetAlpha(c);
    }
  gchar* buffer = nullptr;
  gsize size = 0;
  gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, type, nullptr, nullptr);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  g_free(buffer);
  g_object_unref(pixbuf);
  return bytes;
}

}  // namespace tavrin::testing
