#pragma once
// The smooth button's looks, shared with the tests and benchmarks that compare against them.

#include <string>

#include "widgets/controls/main_window_look.h"
#include "widgets/drawing/surface.h"

namespace tavrin::controls {
class TSmoothButton;
}

namespace tavrin::gallery {

inline constexpr int kButtonWidth = controls::kExportButtonWidth;
inline constexpr int kButtonHeight = controls::kExportButtonHeight;
inline constexpr int kButtonColor = controls::kExportButtonColor;

// Gives a button the Export button's design (widgets/controls/main_window_look.h) and its
// designed size at (left, top).
void ConfigureMainWindowButton(controls::TSmoothButton& button, int left = 0, int top = 0);

enum class ButtonLook { Idle, Pressed, Focused, Disabled, Badge, Flat, Shadow };

// The file name of a look ("button-idle", ...).
std::string ButtonLookName(ButtonLook look);

// The main window's button in a look, composited over the window colour (clBtnFace) as the
// screen shows it. Rendered on headless controls; in a process that has opened a display the
// controls are windows that are never shown, which cannot take the focus, so there the
// Focused look comes out as Idle.
Surface RenderButtonLook(ButtonLook look);

}  // namespace tavrin::gallery
