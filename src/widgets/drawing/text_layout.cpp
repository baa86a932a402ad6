#include "widgets/drawing/text_layout_p.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace tavrin::detail {
namespace {

struct PreparedText {
  std::string text;
  std::vector<std::pair<int, int>> underlined;  // byte ranges
};

int Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// "&&" is one "&"; a lone "&" is dropped and, when shown, marks the next character.
PreparedText ApplyHotkeyPrefix(std::string_view text, HotkeyPrefix prefix) {
  PreparedText out;
  if (prefix == HotkeyPrefixNone) {
    out.text = text;
    return out;
  }
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out.text += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '&') {
      out.text += '&';
      ++i;
      continue;
    }
    if (i + 1 < text.size() && prefix == HotkeyPrefixShow) {
      int start = static_cast<int>(out.text.size());
      int length = Utf8Length(static_cast<unsigned char>(text[i + 1]));
      out.underlined.emplace_back(start, start + length);
    }
  }
  return out;
}

native::FontOptions OptionsFor(TextRenderingHint hint) {
  native::FontOptions owner(cairo_font_options_create());
  cairo_font_options_t* options = owner.get();
  switch (hint) {
    case TextRenderingHintSingleBitPerPixelGridFit:
      cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
      cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
      cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
      break;
    case TextRenderingHintSingleBitPerPixel:
      cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
      cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
      cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
      break;
    case TextRenderingHintAntiAlias:
      cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
      cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
      cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
      break;
    default:
      // Grid-fitted grey anti-aliasing; sub-pixel (ClearType-like) text looks wrong on the
      // transparent caches the widgets draw into, so it is grey as well.
      cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
      cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
      cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
      break;
  }
  return owner;
}

bool GridFitted(TextRenderingHint hint) {
  return hint != TextRenderingHintSingleBitPerPixel && hint != TextRenderingHintAntiAlias;
}

PangoAlignment PangoAlign(StringAlignment a) {
  switch (a) {
    case StringAlignmentCenter: return PANGO_ALIGN_CENTER;
    case StringAlignmentFar: return PANGO_ALIGN_RIGHT;
    default: return PANGO_ALIGN_LEFT;
  }
}

double Place(StringAlignment a, double start, double room, double size) {
  switch (a) {
    case StringAlignmentCenter: return start + (room - size) / 2;
    case StringAlignmentFar: return start + room - size;
    default: return start;
  }
}

void AddAttributes(PangoLayout* layout, const PreparedText& text, int32_t style) {
  native::AttrList owner(pango_attr_list_new());
  PangoAttrList* attrs = owner.get();
  if (style & FontStyleUnderline) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (style & FontStyleStrikeout) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
  for (auto [start, end] : text.underlined) {
    PangoAttribute* a = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    a->start_index = static_cast<guint>(start);
    a->end_index = static_cast<guint>(end);
    pango_attr_list_insert(attrs, a);
  }
  pango_layout_set_attributes(layout, attrs);
}

// Width of a line in pixels, without its trailing blanks unless they are to be measured.
double LineWidth(PangoLayoutLine* line, const std::string& text, bool trailingSpaces) {
  PangoRectangle logical;
  pango_layout_line_get_extents(line, nullptr, &logical);
  int end = line->start_index + line->length;
  int trimmed = end;
  while (trimmed > line->start_index &&
         (text[static_cast<size_t>(trimmed - 1)] == ' ' || text[static_cast<size_t>(trimmed - 1)] == '\n' ||
          text[static_cast<size_t>(trimmed - 1)] == '\r'))
    --trimmed;
  if (trailingSpaces || trimmed == end) return logical.width / double(PANGO_SCALE);
  if (trimmed == line->start_index) return 0;
  int x = 0;
  pango_layout_line_index_to_x(line, trimmed, FALSE, &x);
  return (x - logical.x) / double(PANGO_SCALE);
}

}  // namespace

namespace {

FontMetricsPx MetricsIn(PangoContext* context, PangoFontDescription* desc) {
  native::FontMetrics metrics(pango_context_get_metrics(context, desc, nullptr));
  return {pango_font_metrics_get_ascent(metrics.get()) / double(PANGO_SCALE),
          pango_font_metrics_get_descent(metrics.get()) / double(PANGO_SCALE),
          pango_font_metrics_get_height(metrics.get()) / double(PANGO_SCALE)};
}

}  // namespace

std::map<std::string, FontMetricsPx>& MetricsCache() {
  static std::map<std::string, FontMetricsPx> cache;
  return cache;
}

void ForgetFontMetrics() { MetricsCache().clear(); }

// Design metrics, unhinted: the original's line spacing is em x line spacing / units per em.
FontMetricsPx MetricsOf(PangoFontDescription* desc) {
  native::GString described(pango_font_description_to_string(desc));
  std::string key(described.get());
  auto& cache = MetricsCache();
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  PangoFontMap* map = pango_cairo_font_map_get_default();
  native::GObject<PangoContext> context(pango_font_map_create_context(map));
  native::FontOptions options(cairo_font_options_create());
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
  pango_cairo_context_set_font_options(context.get(), options.get());
  pango_context_set_round_glyph_positions(context.get(), FALSE);
  FontMetricsPx metrics = MetricsIn(context.get(), desc);
  cache.emplace(std::move(key), metrics);
  return metrics;
}

TextBlock LayOutText(cairo_t* cr, std::string_view text, const TGPFont& font,
                     const TGPRectF& rect, const TGPStringFormat* format, TextRenderingHint hint) {
  static const TGPStringFormat kDefault;
  if (format == nullptr) format = &kDefault;
  const int32_t flags = format->GetFormatFlags();
  const double em = font.EmPixels(), pad = em / 6;
  const FontMetricsPx metrics = MetricsOf(font.Native());

  TextBlock block;
  block.layout.reset(pango_cairo_create_layout(cr));
  PangoLayout* layout = block.layout.get();
  PangoContext* context = pango_layout_get_context(layout);
  pango_cairo_context_set_font_options(context, OptionsFor(hint).get());
  pango_context_set_round_glyph_positions(context, GridFitted(hint));
  pango_layout_context_changed(layout);

  PreparedText prepared = ApplyHotkeyPrefix(text, format->GetHotkeyPrefix());
  pango_layout_set_text(layout, prepared.text.c_str(), static_cast<int>(prepared.text.size()));
  pango_layout_set_font_description(layout, font.Native());
  AddAttributes(layout, prepared, font.GetStyle());
  // Baselines one design line spacing apart, whatever the hinted height of this context.
  const FontMetricsPx hinted = MetricsIn(context, font.Native());
  if (hinted.height > 0)
    pango_layout_set_line_spacing(layout, static_cast<float>(metrics.height / hinted.height));
  pango_layout_set_alignment(layout, PangoAlign(format->GetAlignment()));
  const bool wraps = rect.Width > 0 && !(flags & StringFormatFlagsNoWrap);
  const double avail = rect.Width - 2 * pad;
  if (wraps) {
    pango_layout_set_width(layout, static_cast<int>(std::max(avail, 1.0) * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  }

  double widest = 0;
  int lines = 0;
  for (GSList* l = pango_layout_get_lines_readonly(layout); l != nullptr; l = l->next, ++lines)
    widest = std::max(widest, LineWidth(static_cast<PangoLayoutLine*>(l->data), prepared.text,
                                        flags & StringFormatFlagsMeasureTrailingSpaces));
  if (prepared.text.empty()) lines = 0;

  double width = lines > 0 ? widest + 2 * pad : 0;
  // One line spacing per line and an eighth of the em on top, as the original measures.
  double height = lines > 0 ? lines * metrics.height + em / 8 : 0;
  if (rect.Width > 0) width = std::min<double>(width, rect.Width);
  const double shownHeight = rect.Height > 0 ? std::min<double>(height, rect.Height) : height;
  const double x = Place(format->GetAlignment(), rect.X, rect.Width, width);
  const double y = Place(format->GetLineAlignment(), rect.Y, rect.Height, height);
  block.box = {static_cast<float>(x), static_cast<float>(std::max<double>(y, rect.Height > 0 ? rect.Y : y)),
               static_cast<float>(width), static_cast<float>(shownHeight)};

  block.originX = wraps ? rect.X + pad : x + pad;
  const double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);
  block.originY = y + metrics.ascent - baseline;
  block.clip = !(flags & StringFormatFlagsNoClip) && rect.Width > 0 && rect.Height > 0;
  return block;
}

}  // namespace tavrin::detail
