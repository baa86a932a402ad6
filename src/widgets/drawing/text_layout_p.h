#pragma once
// Text layout on Pango with the original library's placement rules: em/6 padding on both sides
// of every line, lines GetHeight apart, near/centre/far alignment in the layout rectangle, word
// wrapping, trailing blanks not measured, "&" hotkey prefixes.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <string_view>

#include "widgets/drawing/gp_text.h"
#include "widgets/drawing/native.h"

namespace tavrin::detail {

struct TextBlock {
  native::GObject<PangoLayout> layout;
  double originX = 0;  // where the layout's top-left goes, in user space
  double originY = 0;
  TGPRectF box;        // what MeasureString reports
  bool clip = false;   // drawing is limited to the layout rectangle
};

// Lays the text out for the context (its transformation and font options matter for hinting).
TextBlock LayOutText(cairo_t* cr, std::string_view text, const TGPFont& font,
                     const TGPRectF& layoutRect, const TGPStringFormat* format,
                     TextRenderingHint hint);

// Font metrics in pixels of a font description at the default resolution.
struct FontMetricsPx {
  double ascent = 0;
  double descent = 0;
  double height = 0;  // line spacing
};
FontMetricsPx MetricsOf(PangoFontDescription* desc);
// Drops remembered metrics (the font set changed).
void ForgetFontMetrics();

}  // namespace tavrin::detail
