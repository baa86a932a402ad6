#include "widgets/drawing/color.h"

#include <array>
#include <cstddef>

namespace tavrin {
namespace {

constexpr std::size_t kSysColorCount = COLOR_ENDCOLORS + 1;

// Classic desktop values, 0x00BBGGRR, indexed by TSysColorIndex.
constexpr std::array<TColor, kSysColorCount> kClassicSysColors = {
    0xC8C8C8,  // scroll bar
    0x000000,  // desktop background
    0xD1B499,  // active caption
    0xDBCDBF,  // inactive caption
    0xF0F0F0,  // menu
    0xFFFFFF,  // window
    0x646464,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0x000000,  // caption text
    0xB4B4B4,  // active border
    0xFCF7F4,  // inactive border
    0xABABAB,  // application workspace
    0xFF9933,  // highlight
    0xFFFFFF,  // highlight text
    0xF0F0F0,  // button face
    0xA0A0A0,  // button shadow
    0x6D6D6D,  // grey text
    0x000000,  // button text
    0x544E43,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x696969,  // 3-D dark shadow
    0xE3E3E3,  // 3-D light
    0x000000,  // tooltip text
    0xE1FFFF,  // tooltip background
    0x000000,  // (unused index 25)
    0xCC6600,  // hot-tracked item
    0xEAD1B9,  // gradient of the active caption
    0xF2E4D7,  // gradient of the inactive caption
    0xFF9933,  // menu highlight
    0xF0F0F0,  // menu bar
};

std::array<TColor, kSysColorCount>& SysColors() {
  static std::array<TColor, kSysColorCount> table = kClassicSysColors;
  return table;
}

}  // namespace

TColor GetSysColor(int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= kSysColorCount) return 0;
  return SysColors()[static_cast<std::size_t>(index)];
}

void SetSysColor(int32_t index, TColor rgb) {
  if (index < 0 || static_cast<std::size_t>(index) >= kSysColorCount) return;
  SysColors()[static_cast<std::size_t>(index)] = rgb & 0xFFFFFF;
}

void ResetSysColors() { SysColors() = kClassicSysColors; }

TColor ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return color & 0xFFFFFF;
}

ARGB MakeColor(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  return (ARGB{a} << 24) | (ARGB{r} << 16) | (ARGB{g} << 8) | ARGB{b};
}

ARGB MakeColor(uint8_t a, TColor color) {
  TColor rgb = ColorToRGB(color);
  return MakeColor(a, static_cast<uint8_t>(rgb), static_cast<uint8_t>(rgb >> 8),
                   static_cast<uint8_t>(rgb >> 16));
}

ARGB ColorToARGB(TColor color) { return MakeColor(0xFF, color); }

}  // namespace tavrin
