// Fonts, measuring and drawing text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "widgets/drawing/drawing.h"

namespace tavrin {
namespace {

constexpr const char* kWineFonts = "/usr/share/wine/fonts";

// Rows and columns that hold any ink.
struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
};

InkBox Ink(const Surface& image) {
  InkBox box;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (GetAlpha(image.Pixel(x, y)) > 0) {
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
      }
  return box;
}

TEST(FontFamily, InstalledFamilyIsFoundIgnoringCase) {
  TGPFontFamily family("liberation sans");
  EXPECT_EQ(family.GetLastStatus(), Ok);
  EXPECT_EQ(family.NativeFamily(), "Liberation Sans");
}

TEST(FontFamily, ArialIsFoundThroughItsMetricCompatibleFont) {
  TGPFontFamily family("Arial");
  EXPECT_EQ(family.GetLastStatus(), Ok);
  EXPECT_TRUE(family.IsAvailable());
}

TEST(FontFamily, ASubstituteIsNotAMatch) {
  TGPFontFamily family("No Such Family Here");
  EXPECT_EQ(family.GetLastStatus(), FontFamilyNotFound);
  EXPECT_FALSE(family.IsAvailable());
}

TEST(FontFamily, AFolderOutsideTheConfigurationCanBeAdded) {
  ASSERT_TRUE(AddFontFolder(kWineFonts));
  TGPFontFamily tahoma("Tahoma");
  EXPECT_EQ(tahoma.GetLastStatus(), Ok);
  EXPECT_FALSE(AddFontFolder("/no/such/folder"));
}

struct AvailabilityCase {
  const char* family;
  const char* folder;
  bool available;
  friend void PrintTo(const AvailabilityCase& c, std::ostream* out) {
    *out << c.family << " from " << c.folder;
  }
};

class MakeFontFamilyAvailableTest : public ::testing::TestWithParam<AvailabilityCase> {};

TEST_P(MakeFontFamilyAvailableTest, AnswersWhetherTheFamilyCanBeUsedAfterwards) {
  EXPECT_EQ(MakeFontFamilyAvailable(GetParam().family, GetParam().folder), GetParam().available);
  EXPECT_EQ(TGPFontFamily(GetParam().family).IsAvailable(), GetParam().available);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MakeFontFamilyAvailableTest,
    ::testing::Values(AvailabilityCase{"Liberation Sans", "/no/such/folder", true},
                      AvailabilityCase{"No Such Family Here", "/no/such/folder", false},
                      AvailabilityCase{"No Such Family Here", kWineFonts, false},
                      AvailabilityCase{"Tahoma", kWineFonts, true}));

TEST(MakeFont, TheWindowFontIsTheDefaultFamilyAndBecomesAvailable) {
  ASSERT_TRUE(MakeWindowFontAvailable());
  EXPECT_TRUE(TGPFontFamily(TFont{}.Name).IsAvailable());
  EXPECT_EQ(TGPFontFamily(TFont{}.Name).NativeFamily(), "Tahoma");
}

TEST(MakeFont, MissingFamilyFallsBackToArialOfTheSameSizeAndStyle) {
  Surface image(1, 1);
  auto g = image.Graphics();
  auto font = g->MakeFont(TFont{"No Such Family Here", 12, fsBold | fsItalic | fsStrikeOut, clBlack});
  EXPECT_EQ(font->GetFamilyName(), TGPFontFamily("Arial").NativeFamily());
  EXPECT_FLOAT_EQ(font->GetSize(), 12);
  EXPECT_EQ(font->GetUnit(), UnitPoint);
  EXPECT_EQ(font->GetStyle(), FontStyleBold | FontStyleItalic);  // strike-out dropped
}

TEST(Font, PointsBecomePixelsAtNinetySixDpi) {
  TGPFont font(TGPFontFamily("Arial"), 12, FontStyleRegular, UnitPoint);
  EXPECT_FLOAT_EQ(font.EmPixels(), 16);
  // Liberation Sans: line spacing 2355 / 2048 em.
  EXPECT_NEAR(font.GetHeight(), 16 * 2355.0 / 2048, 0.2);
}

TEST(MeasureString, AddsASixthOfTheEmOnEachSide) {
  Surface image(1, 1);
  auto g = image.Graphics();
  TGPFont font(TGPFontFamily("Arial"), 12, FontStyleRegular, UnitPixel);
  TGPRectF one, two;
  g->MeasureString("W", font, TGPRectF{0, 0, 1000, 1000}, one);
  g->MeasureString("WW", font, TGPRectF{0, 0, 1000, 1000}, two);
  EXPECT_NEAR(one.Width - two.Width / 2, 12.0 / 6, 0.3);
  EXPECT_NEAR(one.Height, font.GetHeight() + 12.0 / 8, 0.01);
}

TEST(MeasureString, TrailingBlanksAreNotMeasured) {
  Surface image(1, 1);
  auto g = image.Graphics();
  TGPFont font(TGPFontFamily("Arial"), 12, FontStyleRegular, UnitPixel);
  TGPRectF plain, blanks;
  g->MeasureString("ab", font, TGPRectF{0, 0, 1000, 1000}, plain);
  g->MeasureString("ab   ", font, TGPRectF{0, 0, 1000, 1000}, blanks);
  EXPECT_FLOAT_EQ(plain.Width, blanks.Width);
}

TEST(MeasureString, WrapsAtBlanksWithinTheLayoutWidth) {
  Surface image(1, 1);
  auto g = image.Graphics();
  TGPFont font(TGPFontFamily("Arial"), 12, FontStyleRegular, UnitPixel);
  TGPRectF line, wrapped;
  g->MeasureString("alpha beta", font, TGPRectF{0, 0, 1000, 1000}, line);
  g->MeasureString("alpha beta", font, TGPRectF{0, 0, line.Width - 5, 1000}, wrapped);
  EXPECT_NEAR(wrapped.Height - line.Height, font.GetHeight(), 0.01);
  EXPECT_LT(wrapped.Width, line.Width - 5);
}

struct AlignCase {
  StringAlignment align;
  float expectedX;  // for a 200-wide rectangle at x = 10 and a box of width w: see test
};

TEST(DrawString, MeasuringMatchesDrawingForEachAlignment) {
  for (StringAlignment align : {StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar}) {
    Surface image(220, 40);
    auto g = image.Graphics();
    g->SetTextRenderingHint(TextRenderingHintAntiAlias);
    TGPFont font(TGPFontFamily("Arial"), 14, FontStyleRegular, UnitPixel);
    TGPStringFormat format;
    format.SetAlignment(align);
    format.SetLineAlignment(StringAlignmentCenter);
    const TGPRectF layout{10, 0, 200, 40};
    TGPRectF box;
    g->MeasureString("Export HH", font, layout, &format, box);
    TGPSolidBrush black(0xFF000000);
    g->DrawString("Export HH", font, layout, &format, black);
    InkBox ink = Ink(image);
    ASSERT_FALSE(ink.empty());
    // Ink lies inside the measured box, with the em/6 padding at most a pixel off on each side.
    const double pad = 14.0 / 6;
    EXPECT_GE(ink.left, box.X + pad - 2) << align;
    EXPECT_LE(ink.right, box.X + box.Width - pad + 1.5) << align;
    EXPECT_GE(ink.top, box.Y - 0.5) << align;
    EXPECT_LE(ink.bottom, box.Y + box.Height) << align;
  }
}

Surface DrawWithPrefix(const char* text, HotkeyPrefix prefix) {
  Surface image(80, 30);
  auto g = image.Graphics();
  TGPFont font(TGPFontFamily("Arial"), 14, FontStyleRegular, UnitPixel);
  TGPStringFormat format;
  format.SetHotkeyPrefix(prefix);
  TGPSolidBrush black(0xFF000000);
  g->DrawString(text, font, TGPPointF{0, 0}, &format, black);
  return image;
}

TEST(DrawString, HotkeyPrefixUnderlinesTheMarkedLetterAndHidesTheAmpersand) {
  InkBox plain = Ink(DrawWithPrefix("nn", HotkeyPrefixNone));
  InkBox marked = Ink(DrawWithPrefix("&nn", HotkeyPrefixShow));
  InkBox hidden = Ink(DrawWithPrefix("&nn", HotkeyPrefixHide));
  InkBox literal = Ink(DrawWithPrefix("&nn", HotkeyPrefixNone));
  EXPECT_GT(marked.bottom, plain.bottom);  // the underline hangs below the baseline
  EXPECT_EQ(hidden.bottom, plain.bottom);
  EXPECT_EQ(hidden.right, plain.right);
  EXPECT_GT(literal.right, plain.right);  // "&" drawn as text
}

TEST(DrawString, DoubledAmpersandDrawsOne) {
  EXPECT_EQ(MaxChannelDifference(DrawWithPrefix("a&&b", HotkeyPrefixShow),
                                 DrawWithPrefix("a&b", HotkeyPrefixNone)),
            0);
}

// Captions paint their text with gradient and hatch brushes as well.
TEST(DrawString, TextTakesTheBrushesColours) {
  Surface image(120, 30);
  auto g = image.Graphics();
  TGPFont font(TGPFontFamily("Arial"), 20, FontStyleBold, UnitPixel);
  TGPLinearGradientBrush brush(TGPPointF{0, 0}, TGPPointF{120, 0}, 0xFFFF0000, 0xFF0000FF);
  g->DrawString("MMMMMMM", font, TGPPointF{0, 0}, brush);
  ARGB left = 0, right = 0;
  for (int y = 0; y < 30; ++y) {
    if (GetAlpha(image.Pixel(8, y)) == 255) left = image.Pixel(8, y);
    if (GetAlpha(image.Pixel(100, y)) == 255) right = image.Pixel(100, y);
  }
  EXPECT_GT(GetRed(left), GetBlue(left));
  EXPECT_GT(GetBlue(right), GetRed(right));
}

TEST(Font, NeedsAnAvailableFamily) {
  TGPFont font(TGPFontFamily("No Such Family Here"), 10);
  EXPECT_EQ(font.GetLastStatus(), InvalidParameter);
  Surface image(1, 1);
  TGPRectF box;
  EXPECT_EQ(image.Graphics()->MeasureString("x", font, TGPRectF{}, box), InvalidParameter);
}

TEST(DrawText, MeasuringBitDrawsNothingAndReturnsTheHeight) {
  Surface image(200, 40);
  auto g = image.Graphics();
  TRect rect{5, 5, 100, 30};
  const TFont font{"Arial", 10, 0, clBlack};
  int height = g->DrawText("Hello", rect, font, DT_CALCRECT, clNone);
  EXPECT_TRUE(Ink(image).empty());
  EXPECT_EQ(height, rect.Bottom - rect.Top);
  EXPECT_GT(height, 10);
  TGPRectF box;
  auto gpFont = g->MakeFont(font);
  g->MeasureString("Hello", *gpFont, TGPRectF{5, 5, 1095, 25}, box);
  // Slack of 2 plus (10 - 8) / 1.5 rounded = 1.
  EXPECT_EQ(rect.Right, 5 + static_cast<int>(std::nearbyint(box.Width - 3)));
}

TEST(DrawText, TrailingBlankCountsWhenMeasuringButIsNotDrawn) {
  Surface a(200, 40), b(200, 40);
  const TFont font{"Arial", 10, 0, clBlack};
  TRect withBlank{0, 0, 100, 30}, without{0, 0, 100, 30};
  a.Graphics()->DrawText("Hi ", withBlank, font, DT_CALCRECT);
  b.Graphics()->DrawText("Hi", without, font, DT_CALCRECT);
  EXPECT_GT(withBlank.Right, without.Right);
  Surface c(200, 40), d(200, 40);
  TRect r1{0, 0, 100, 30}, r2{0, 0, 100, 30};
  c.Graphics()->DrawText("Hi ", r1, font, 0);
  d.Graphics()->DrawText("Hi", r2, font, 0);
  EXPECT_EQ(MaxChannelDifference(c, d), 0);
}

TEST(DrawText, BackgroundColourFillsTheMeasuredRectangle) {
  Surface image(200, 40);
  auto g = image.Graphics();
  TRect rect{10, 5, 100, 30};
  g->DrawText("Hello", rect, TFont{"Arial", 8, 0, clBlack}, 0, clWhite);
  EXPECT_EQ(image.Pixel(11, rect.Top + 1), 0xFFFFFFFFu);
  EXPECT_EQ(image.Pixel(9, rect.Top + 1), 0u);
  EXPECT_EQ(image.Pixel(11, rect.Bottom + 2), 0u);
}

TEST(TextSize, RoundsTheMeasuredBox) {
  Surface image(1, 1);
  auto g = image.Graphics();
  const TFont font{"Arial", 9, 0, clBlack};
  auto gpFont = g->MakeFont(font);
  TGPRectF box;
  g->MeasureString("Export", *gpFont, TGPRectF{0, 0, 10000, 10000}, box);
  EXPECT_EQ(g->TextWidth("Export", font), static_cast<int>(std::nearbyint(box.Width)));
  EXPECT_EQ(g->TextHeight("Export", font), static_cast<int>(std::nearbyint(box.Height)));
}

}  // namespace
}  // namespace tavrin
