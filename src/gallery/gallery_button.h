#pragma once
// The smooth button's looks, shared with the tests and benchmarks that compare against them.

#include <string>

#include "widgets/drawing/surface.h"

namespace tavrin::controls {
class TSmoothButton;
}

namespace tavrin::gallery {

inline constexpr int kButtonWidth = 120;
inline constexpr int kButtonHeight = 35;
inline constexpr int kButtonColor = 15187845;  // red 133, green 191, blue 231

// Gives a button the main window's Export button values: 120 x 35 at (left, top), caption
// "Export", its colour, and the configured (hidden) badge "0".
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
