// The caption's HTML renderer: what its markup means, measuring, hit testing and drawing.
#include "widgets/controls/html_draw.h"

#include <gtest/gtest.h>

#include <string>

#include "widgets/drawing/surface.h"

namespace tavrin::controls {
namespace {

struct ParseCase {
  const char* html;
  const char* plain;
};

class HtmlParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(HtmlParse, PlainTextOfTheMarkup) {
  EXPECT_EQ(ParseHtml(GetParam().html).PlainText(), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, HtmlParse,
    ::testing::Values(
        ParseCase{"a &amp; b &lt;c&gt; &QUOT;", "a & b <c> \""},
        ParseCase{"&#169;&#xA9;&copy;", "\xC2\xA9\xC2\xA9\xC2\xA9"},
        ParseCase{"&bogus; &amp &#0; &#x110000;", "&bogus; &amp &#0; &#x110000;"},
        ParseCase{"x < y and 2<3", "x < y and 2<3"},
        ParseCase{"<font color=red>kept</font> <script>too</script>", "kept too"},
        ParseCase{"  a \n\t b  ", "a b "},
        ParseCase{"l1<br>l2<BR/> l3", "l1\nl2\nl3"},
        ParseCase{"unclosed <b", "unclosed <b"},
        ParseCase{"bad \xFF byte", "bad \xEF\xBF\xBD byte"}));

TEST(HtmlParse, StylesAndAnchorsAreRecordedPerRun) {
  const THtmlDocument doc =
      ParseHtml("<B>b<i>bi</i></b><u>u</u><a href='t1'>one</a> <A HREF=t2>two</a><shad>s</shad>");
  ASSERT_EQ(doc.Anchors, (std::vector<std::string>{"t1", "t2"}));
  ASSERT_EQ(doc.Runs.size(), 7u);
  EXPECT_TRUE(doc.Runs[0].Bold && !doc.Runs[0].Italic);
  EXPECT_TRUE(doc.Runs[1].Bold && doc.Runs[1].Italic);
  EXPECT_TRUE(doc.Runs[2].Underline && !doc.Runs[2].Bold);
  EXPECT_EQ(doc.Runs[3].Anchor, 0);
  EXPECT_EQ(doc.Runs[4].Anchor, -1);  // the blank between the anchors
  EXPECT_EQ(doc.Runs[5].Anchor, 1);
  EXPECT_TRUE(doc.Runs[6].Shadow);
  // A stray closing tag does not undo styles that were never opened.
  EXPECT_FALSE(ParseHtml("</b>x").Runs[0].Bold);
}

class HtmlDrawTest : public ::testing::Test {
 protected:
  HtmlDrawTest() : surface_(200, 60), graphics_(surface_.Graphics()) { surface_.Fill(0xFFFFFFFF); }

  THTMLDrawResult Run(std::string_view html, TRect fr, bool measure, bool hit = false, int x = 0,
                      int y = 0) {
    THTMLDrawArgs a;
    a.AFont = &font_;
    a.s = html;
    a.fr = fr;
    a.CheckHeight = measure;
    a.CheckHotSpot = hit;
    a.XPos = x;
    a.YPos = y;
    a.URLColor = clRed;
    a.ShadowColor = clBlue;
    a.ShadowOffset = 3;
    return HTMLDraw(*graphics_, a);
  }

  int CountPixels(bool (*match)(ARGB)) const {
    int n = 0;
    for (int y = 0; y < surface_.Height(); ++y)
      for (int x = 0; x < surface_.Width(); ++x) n += match(surface_.Pixel(x, y)) ? 1 : 0;
    return n;
  }

  TFont font_{"Arial", 12, 0, clBlack};
  Surface surface_;
  std::unique_ptr<TGPGraphics> graphics_;
};

TEST_F(HtmlDrawTest, MeasuringDrawsNothingAndGrowsWithLinesAndWrapping) {
  const THTMLDrawResult one = Run("WWW", {0, 0, 200, 10000}, true);
  const THTMLDrawResult two = Run("WWW<br>WWW", {0, 0, 200, 10000}, true);
  const THTMLDrawResult wrapped = Run("WWW WWW WWW WWW", {0, 0, 40, 10000}, true);
  EXPECT_GT(one.XSize, 10);
  EXPECT_GT(two.YSize, one.YSize * 2 - 2);  // a second line and the extra line spacing
  EXPECT_LE(wrapped.XSize, 40);
  EXPECT_GT(wrapped.YSize, 3 * one.YSize);
  EXPECT_EQ(CountPixels([](ARGB c) { return c != 0xFFFFFFFF; }), 0);
  EXPECT_EQ(Run("", {0, 0, 200, 100}, true).YSize, 0);
}

TEST_F(HtmlDrawTest, HitTestFindsTheAnchorUnderThePoint) {
  const TRect fr{10, 5, 190, 55};
  const std::string html = "<a href=\"first\">WWWW</a> plain <a href=\"second\">WWWW</a>";
  const THTMLDrawResult size = Run(html, fr, true);
  const THTMLDrawResult hit = Run(html, fr, false, true, 14, 12);
  EXPECT_EQ(hit.AnchorVal, "first");
  EXPECT_EQ(hit.MouseLink, 0);
  EXPECT_LE(hit.HoverRect.Left, 14);
  EXPECT_GT(hit.HoverRect.Right, 14);
  EXPECT_EQ(Run(html, fr, false, true, 10 + size.XSize - 3, 12).AnchorVal, "second");
  EXPECT_EQ(Run(html, fr, false, true, 10 + size.XSize / 2, 12).AnchorVal, "");  // " plain "
  EXPECT_EQ(Run(html, fr, false, true, 5, 12).AnchorVal, "");                    // outside fr
  EXPECT_EQ(hit.HyperLinks, 2);
  EXPECT_EQ(CountPixels([](ARGB c) { return c != 0xFFFFFFFF; }), 0);
}

TEST_F(HtmlDrawTest, AnchorsInTheUrlColourShadowOnlyUnderShadowedText) {
  Run("<a href=\"x\">WWWW</a>", {0, 0, 200, 30}, false);
  const auto reddish = [](ARGB c) { return GetRed(c) > 200 && GetGreen(c) < 120; };
  const auto bluish = [](ARGB c) { return GetBlue(c) > 200 && GetRed(c) < 120; };
  EXPECT_GT(CountPixels(reddish), 20);
  EXPECT_EQ(CountPixels(bluish), 0);
  Run("<shad>WWWW</shad>", {0, 30, 200, 60}, false);
  EXPECT_GT(CountPixels(bluish), 20);
}

TEST_F(HtmlDrawTest, DrawingStaysInsideTheRectangle) {
  Run("WWWWWWWWWWWWWWWWWWWW", {0, 0, 30, 8}, false);
  int inside = 0;
  for (int y = 0; y < surface_.Height(); ++y) {
    for (int x = 0; x < surface_.Width(); ++x) {
      const bool blank = surface_.Pixel(x, y) == 0xFFFFFFFFu;
      if (x < 30 && y < 8)
        inside += blank ? 0 : 1;
      else
        ASSERT_TRUE(blank) << x << "," << y;
    }
  }
  EXPECT_GT(inside, 10);
}

}  // namespace
}  // namespace tavrin::controls
