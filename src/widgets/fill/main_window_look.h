#pragma once
// The main window's fill values, as its design stores them: the panel behind the window's
// controls and the Export button's status badge. The window, the gallery and the benchmarks
// all take them from here, so the gallery shows exactly what the window paints. Each setter
// announces its change as usual; a caller that wants one announcement holds updates around.

#include <cstdint>

namespace tavrin {

class TSmoothFill;

// The panel's designed size in pixels at 96 dots per inch: the fill is painted at this size.
inline constexpr int32_t kMainPanelWidth = 452;
inline constexpr int32_t kMainPanelHeight = 100;

// The panel: the Office 2007 Luna colours in a vertical gradient with a vertical mirror,
// rounded by 10 with a shadow of 10 (all other values at their defaults).
void ConfigureMainPanelFill(TSmoothFill& fill);

// The status badge body: solid red with a grey border, square and without shadow.
void ConfigureStatusBadgeFill(TSmoothFill& fill);

}  // namespace tavrin
