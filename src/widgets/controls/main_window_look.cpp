#include "widgets/controls/main_window_look.h"

#include <cmath>

#include "widgets/controls/smooth_button.h"
#include "widgets/controls/smooth_panel.h"
#include "widgets/fill/fill.h"
#include "widgets/fill/main_window_look.h"

namespace tavrin::controls {

TFont DesignedTahoma(int32_t points, TColor color, double scale) {
  return TFont{.Name = "Tahoma",
               .Size = static_cast<int32_t>(std::lround(points * scale)),
               .Style = 0,
               .Color = color};
}

void ApplyMainWindowPanelDesign(TSmoothPanel& panel, double scale) {
  panel.SetCursor(crDefault);
  TSmoothFill& fill = panel.Fill();
  fill.BeginUpdate();
  ConfigureMainPanelFill(fill);
  fill.EndUpdate();
  panel.Caption().SetText(kMainWindowPanelCaption);
  panel.Caption().SetFont(DesignedTahoma(12, clWindowText, scale));     // height -16
  panel.Caption().SetHTMLFont(DesignedTahoma(8, clWindowText, scale));  // height -11
  panel.Changed();
}

void ApplyMainWindowButtonDesign(TSmoothButton& button, double scale) {
  button.SetCaption("Export");
  button.SetColor(kExportButtonColor);
  TSmoothButtonStatus& status = button.Status();
  status.SetCaption("0");
  TSmoothFill& badge = status.Appearance().Fill();
  badge.BeginUpdate();
  ConfigureStatusBadgeFill(badge);
  badge.EndUpdate();
  status.Appearance().SetFont(DesignedTahoma(8, clWhite, scale));  // height -11
  status.SetVisible(false);
}

}  // namespace tavrin::controls
