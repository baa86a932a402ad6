#include "widgets/drawing/color.h"

#include <gtest/gtest.h>

#include "widgets/drawing/surface.h"

namespace tavrin {
namespace {

struct ColorCase {
  uint8_t alpha;
  TColor color;
  ARGB expected;
};

class MakeColorTable : public ::testing::TestWithParam<ColorCase> {};

TEST_P(MakeColorTable, SwapsRedAndBlueAndPutsAlphaOnTop) {
  EXPECT_EQ(MakeColor(GetParam().alpha, GetParam().color), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Colors, MakeColorTable,
                         ::testing::Values(ColorCase{255, clRed, 0xFFFF0000},
                                           ColorCase{180, 0x808080, 0xB4808080},
                                           ColorCase{0, clWhite, 0x00FFFFFF},
                                           ColorCase{255, 0xFAF1E9, 0xFFE9F1FA},
                                           ColorCase{255, clBtnFace, 0xFFF0F0F0},
                                           ColorCase{128, clWindowText, 0x80000000}));

TEST(ColorToARGB, IsOpaque) {
  EXPECT_EQ(ColorToARGB(clRed), 0xFFFF0000u);
  EXPECT_EQ(ColorToARGB(0xE3B28D), 0xFF8DB2E3u);
  EXPECT_EQ(ColorToARGB(clWindow), 0xFFFFFFFFu);
}

TEST(MakeColor, FromBytes) { EXPECT_EQ(MakeColor(1, 2, 3, 4), 0x01020304u); }

TEST(ColorChannels, ReadTheArgbBytes) {
  EXPECT_EQ(GetRed(0x11223344), 0x22);
  EXPECT_EQ(GetGreen(0x11223344), 0x33);
  EXPECT_EQ(GetBlue(0x11223344), 0x44);
}

TEST(SystemColors, ClassicTable) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0xF0F0F0);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0xFFFFFF);
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), 0x000000);
  EXPECT_EQ(GetSysColor(999), 0);
  EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(clWindow, static_cast<TColor>(0xFF000005));
}

// A system colour is looked up when it is drawn, not when the brush's colour was chosen.
TEST(SystemColors, ResolvedAtTheMomentOfUse) {
  Surface image(2, 1);
  auto g = image.Graphics();
  TGPSolidBrush before(MakeColor(255, clBtnFace));
  g->FillRectangle(before, 0, 0, 1, 1);
  SetSysColor(COLOR_BTNFACE, RGB(10, 20, 30));
  TGPSolidBrush after(MakeColor(255, clBtnFace));
  g->FillRectangle(after, 1, 0, 1, 1);
  ResetSysColors();
  EXPECT_EQ(image.Pixel(0, 0), 0xFFF0F0F0u);
  EXPECT_EQ(image.Pixel(1, 0), 0xFF0A141Eu);
  EXPECT_EQ(ColorToARGB(clBtnFace), 0xFFF0F0F0u);
}

}  // namespace
}  // namespace tavrin
