#pragma once
// The smooth panel's looks, shared with the tests and benchmarks that compare against them.

#include "widgets/controls/orvel_style.h"
#include "widgets/drawing/surface.h"

namespace tavrin::controls {
class TSmoothPanel;
}

namespace tavrin::gallery {

// The main window panel's caption: one blank, then the web address.
inline constexpr const char* kPanelCaptionText = " https://tavrin.example/";

// Gives a panel the main window panel's values: 452 x 100 at (left, top), the caption text in
// Tahoma 12 pt and the fill of the window's layout; everything else keeps its default.
void ConfigureMainWindowPanel(controls::TSmoothPanel& panel, int left = 0, int top = 0);

// What the panel shows on screen: its paint composited over the window colour (clBtnFace).
Surface RenderOverWindowColor(controls::TSmoothPanel& panel);

Surface RenderMainWindowPanel();
// The main window's panel after SetComponentStyle(style).
Surface RenderPanelInScheme(controls::TOrvelStyle style);

}  // namespace tavrin::gallery
