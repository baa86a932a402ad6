#include "gallery/gallery.h"

#include <algorithm>

namespace tavrin::gallery {
namespace {

std::vector<Look>& Registry() {
  static std::vector<Look> looks;
  return looks;
}

}  // namespace

bool RegisterLook(std::string name, RenderFunction render) {
  auto& looks = Registry();
  const bool known =
      std::any_of(looks.begin(), looks.end(), [&](const Look& look) { return look.name == name; });
  if (!known) looks.push_back({std::move(name), std::move(render)});
  return true;
}

std::vector<Look> Looks() {
  std::vector<Look> looks = Registry();
  std::sort(looks.begin(), looks.end(),
            [](const Look& a, const Look& b) { return a.name < b.name; });
  return looks;
}

Surface Composite(const Surface& layer, TColor background) {
  Surface out(layer.Width(), layer.Height());
  out.Fill(ColorToARGB(background));
  native::Cairo cr(cairo_create(out.Native()));
  cairo_set_source_surface(cr.get(), layer.Native(), 0, 0);
  cairo_paint(cr.get());
  cairo_surface_flush(out.Native());
  return out;
}

}  // namespace tavrin::gallery
