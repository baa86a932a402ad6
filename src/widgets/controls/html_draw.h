// The panel caption's HTML text: a small markup renderer that measures, draws and hit-tests.
//
// Accepted markup (tags and entity names ignore case):
//   <b>..</b> bold, <i>..</i> italic, <u>..</u> underlined, <br> (also <br/>) a line break,
//   <a href="target">..</a> an anchor: drawn in the URL colour and underlined; the hit test
//   returns its target, <shad>..</shad> text drawn over its shadow (ShadowColor, moved by
//   ShadowOffset to the right and down).
//   Entities: &amp; &lt; &gt; &quot; &apos; &nbsp; &copy; &reg; &trade; &euro; and numeric
//   ones (&#169; &#xA9;).
// Everything else is text: white space runs collapse to one blank (as in HTML), unknown tags
// are dropped with their text kept, a "<" that opens no tag and an unknown entity stay as
// written, and bytes that are not UTF-8 become U+FFFD. Text never reaches a markup parser, so
// no input can change the drawing beyond the tags above.
//
// Text is laid out with the given font from the rectangle's top-left, wrapped at the
// rectangle's width when WordWrap is set, with LineSpacing extra pixels between lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_graphics.h"
#include "widgets/drawing/gp_text.h"
#include "widgets/drawing/gp_types.h"

namespace tavrin::controls {

class TPictureContainer;

// One piece of text with one look.
struct THtmlRun {
  std::string Text;  // UTF-8; "\n" for a line break
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Shadow = false;
  int Anchor = -1;  // index into THtmlDocument::Anchors, -1 outside anchors
};

struct THtmlDocument {
  std::vector<THtmlRun> Runs;
  std::vector<std::string> Anchors;  // href of each anchor, in order of appearance
  std::string PlainText() const;
};

THtmlDocument ParseHtml(std::string_view html);

struct THTMLDrawArgs {
  const TFont* AFont = nullptr;  // required
  std::string_view s;
  TRect fr;        // layout (and, when drawing, clip) rectangle
  int XPos = 0;    // hit test point, client coordinates
  int YPos = 0;
  int FocusLink = -1;
  int HoverLink = -1;
  int ShadowOffset = 0;
  bool CheckHotSpot = false;  // hit test: find the anchor at (XPos, YPos), draw nothing
  bool CheckHeight = false;   // measure: compute XSize, YSize, draw nothing
  bool Print = false;
  bool Selected = false;
  bool Blink = false;
  bool HoverStyle = false;
  bool WordWrap = true;
  double ResFactor = 1.0;
  TColor URLColor = clBlue;
  TColor HoverColor = clNone;
  TColor HoverFontColor = clNone;
  TColor ShadowColor = clGray;
  const TPictureContainer* pc = nullptr;  // pictures are not drawn by this renderer
  int LineSpacing = 2;
};

struct THTMLDrawResult {
  std::string AnchorVal;    // hit test: the anchor's target under the point, else empty
  std::string StripVal;     // the text without markup
  std::string FocusAnchor;  // target of anchor FocusLink, else empty
  int XSize = 0;            // extent of the laid-out text in pixels
  int YSize = 0;
  int HyperLinks = 0;       // number of anchors
  int MouseLink = -1;       // hit test: index of the anchor under the point, else -1
  TRect HoverRect;          // hit test: bounds of the anchor text line under the point
};

// Measures, hit-tests or draws (see THTMLDrawArgs). Never throws; an empty text measures 0 x 0.
THTMLDrawResult HTMLDraw(TGPGraphics& g, const THTMLDrawArgs& args);

}  // namespace tavrin::controls
