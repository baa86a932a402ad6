#pragma once
// The main window's smooth panel and Export button as its design stores them: their captions,
// fonts, colours, the configured status badge and their designed sizes. The window and the
// gallery both take them from here, so the gallery shows exactly what the window paints. Where
// each control sits on the window, its name and its place in the tab order stay with the window.

#include <cstdint>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_text.h"
#include "widgets/fill/main_window_look.h"

namespace tavrin::controls {

class TSmoothButton;
class TSmoothPanel;

// Designed sizes in pixels at 96 dots per inch.
inline constexpr int32_t kMainWindowPanelWidth = kMainPanelWidth;
inline constexpr int32_t kMainWindowPanelHeight = kMainPanelHeight;
inline constexpr int32_t kExportButtonWidth = 120;
inline constexpr int32_t kExportButtonHeight = 35;

// The panel's caption: one blank, then our web address.
inline constexpr const char* kMainWindowPanelCaption = " https://tavrin.example/";
inline constexpr TColor kExportButtonColor = 15187845;  // red 133, green 191, blue 231

// Tahoma at a designed size in points, multiplied by scale (screen density / 96) like every
// other designed size, so the text keeps its place on a denser screen.
TFont DesignedTahoma(int32_t points, TColor color, double scale = 1.0);

// Gives a panel the main window panel's values: the caption text in Tahoma 12 pt with HTML
// text in Tahoma 8 pt, the default cursor and the window's panel fill; everything else keeps
// its default. The fill announces its change once. Leaves the bounds alone.
void ApplyMainWindowPanelDesign(TSmoothPanel& panel, double scale = 1.0);

// Gives a button the Export button's values: caption "Export", its colour, and the status
// badge "0" in white Tahoma 8 pt on the badge fill, configured but not shown. Leaves the
// bounds alone.
void ApplyMainWindowButtonDesign(TSmoothButton& button, double scale = 1.0);

}  // namespace tavrin::controls
