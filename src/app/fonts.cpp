#include "app/fonts.h"

#include "widgets/drawing/gp_text.h"

namespace tavrin::app {

namespace {
constexpr const char* kWindowFont = "Tahoma";
constexpr const char* kCompatibilityFontFolder = "/usr/share/wine/fonts";
}  // namespace

void MakeWindowFontAvailable() {
  if (TGPFontFamily(kWindowFont).IsAvailable()) return;
  AddFontFolder(kCompatibilityFontFolder);
}

}  // namespace tavrin::app
