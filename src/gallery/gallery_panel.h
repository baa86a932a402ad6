#pragma once
// The smooth panel's looks, shared with the tests and benchmarks that compare against them.

#include "widgets/controls/orvel_style.h"
#include "widgets/drawing/surface.h"

namespace tavrin::controls {
class TSmoothPanel;
}

namespace tavrin::gallery {

// Gives a panel the main window panel's design (widgets/controls/main_window_look.h) and its
// designed size at (left, top).
void ConfigureMainWindowPanel(controls::TSmoothPanel& panel, int left = 0, int top = 0);

// What the panel shows on screen: its paint composited over the window colour (clBtnFace).
Surface RenderOverWindowColor(controls::TSmoothPanel& panel);

Surface RenderMainWindowPanel();
// The main window's panel after SetComponentStyle(style).
Surface RenderPanelInScheme(controls::TOrvelStyle style);

}  // namespace tavrin::gallery
