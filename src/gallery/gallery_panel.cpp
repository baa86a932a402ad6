// Looks of the smooth panel: the main window's panel and the panel in each colour scheme.

#include "gallery/gallery_panel.h"

#include <cstdio>
#include <string>

#include "gallery/gallery.h"
#include "gallery/gallery_fill.h"
#include "widgets/controls/main_window_look.h"
#include "widgets/controls/smooth_panel.h"

namespace tavrin::gallery {

void ConfigureMainWindowPanel(controls::TSmoothPanel& panel, int left, int top) {
  panel.SetBounds(left, top, kPanelWidth, kPanelHeight);
  controls::ApplyMainWindowPanelDesign(panel);
}

// The panel paints over whatever its parent painted first; here that is the window colour.
Surface RenderOverWindowColor(controls::TSmoothPanel& panel) {
  Surface screen(panel.Width(), panel.Height());
  screen.Fill(ColorToARGB(clBtnFace));
  cairo_t* cr = cairo_create(screen.Native());
  panel.PaintTo(cr);
  cairo_destroy(cr);
  return screen;
}

Surface RenderMainWindowPanel() {
  controls::TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  return RenderOverWindowColor(panel);
}

Surface RenderPanelInScheme(controls::TOrvelStyle style) {
  controls::TSmoothPanel panel;
  ConfigureMainWindowPanel(panel);
  panel.SetComponentStyle(style);
  return RenderOverWindowColor(panel);
}

namespace {

bool RegisterSchemes() {
  for (int i = 0; i < controls::kOrvelStyleCount; ++i) {
    const auto style = static_cast<controls::TOrvelStyle>(i);
    char name[64];
    std::snprintf(name, sizeof name, "panel-scheme-%02d-%s", i, controls::OrvelStyleName(style));
    RegisterLook(name, [style] { return RenderPanelInScheme(style); });
  }
  return true;
}

const bool registered = RegisterLook("panel-main", &RenderMainWindowPanel) && RegisterSchemes();

}  // namespace

}  // namespace tavrin::gallery
