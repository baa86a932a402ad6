#include "widgets/fill/main_window_look.h"

#include "widgets/fill/fill.h"

namespace tavrin {

void ConfigureMainPanelFill(TSmoothFill& fill) {
  fill.SetColor(16445929);
  fill.SetColorTo(15587527);
  fill.SetColorMirror(15587527);
  fill.SetColorMirrorTo(16773863);
  fill.SetGradientType(gtVertical);
  fill.SetGradientMirrorType(gtVertical);
  fill.SetBorderColor(14922381);
  fill.SetRounding(10);
  fill.SetShadowOffset(10);
}

void ConfigureStatusBadgeFill(TSmoothFill& fill) {
  fill.SetColor(clRed);
  fill.SetColorMirror(clNone);
  fill.SetColorMirrorTo(clNone);
  fill.SetGradientType(gtSolid);
  fill.SetBorderColor(clGray);
  fill.SetRounding(0);
  fill.SetShadowOffset(0);
}

}  // namespace tavrin
