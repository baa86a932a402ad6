#include "image_compare.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace tavrin::app::test_support {

namespace {

struct PixbufUnref {
  void operator()(GdkPixbuf* p) const { g_object_unref(p); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, PixbufUnref>;

Pixbuf Load(const std::string& path) {
  GError* error = nullptr;
  GdkPixbuf* loaded = gdk_pixbuf_new_from_file(path.c_str(), &error);
  if (!loaded) {
    const std::string message = error ? error->message : "unknown";
    g_clear_error(&error);
    throw std::runtime_error("cannot read " + path + ": " + message);
  }
  return Pixbuf(loaded);
}

const guchar* PixelAt(GdkPixbuf* image, int x, int y) {
  return gdk_pixbuf_read_pixels(image) + y * gdk_pixbuf_get_rowstride(image) +
         x * gdk_pixbuf_get_n_channels(image);
}

}  // namespace

AreaComparison CompareArea(const std::string& actual, const Area& area,
                           const std::string& reference, const std::vector<Area>& ignored,
                           int channelTolerance) {
  const Pixbuf shot = Load(actual);
  const Pixbuf expected = Load(reference);
  if (gdk_pixbuf_get_width(expected.get()) != area.width ||
      gdk_pixbuf_get_height(expected.get()) != area.height ||
      gdk_pixbuf_get_width(shot.get()) < area.x + area.width ||
      gdk_pixbuf_get_height(shot.get()) < area.y + area.height) {
    throw std::runtime_error("the reference does not fit the compared area");
  }
  AreaComparison result;
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      if (std::any_of(ignored.begin(), ignored.end(),
                      [&](const Area& a) { return a.Contains(x, y); })) {
        continue;
      }
      const guchar* a = PixelAt(shot.get(), area.x + x, area.y + y);
      const guchar* b = PixelAt(expected.get(), x, y);
      ++result.compared;
      for (int c = 0; c < 3; ++c) {
        if (std::abs(int(a[c]) - int(b[c])) > channelTolerance) {
          ++result.differing;
          break;
        }
      }
    }
  }
  return result;
}

}  // namespace tavrin::app::test_support
