#include "widgets/controls/html_draw.h"

#include "widgets/controls/control.h"

#include <glib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>
#include <optional>

namespace tavrin::controls {

// ----- parsing ------------------------------------------------------------------------------

namespace {

struct Entity {
  const char* name;
  const char* text;
};

constexpr Entity kEntities[] = {
    {"amp", "&"},        {"lt", "<"},         {"gt", ">"},         {"quot", "\""},
    {"apos", "'"},       {"nbsp", "\xC2\xA0"}, {"copy", "\xC2\xA9"}, {"reg", "\xC2\xAE"},
    {"trade", "\xE2\x84\xA2"}, {"euro", "\xE2\x82\xAC"},
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

std::string Utf8Of(gunichar u) {
  char buf[8];
  const int n = g_unichar_to_utf8(u, buf);
  return std::string(buf, static_cast<std::size_t>(n));
}

// The text an entity body (between '&' and ';') stands for, or nothing when unknown.
std::optional<std::string> DecodeEntity(std::string_view body) {
  if (body.size() >= 2 && body[0] == '#') {
    const bool hex = body[1] == 'x' || body[1] == 'X';
    const std::string digits(body.substr(hex ? 2 : 1));
    if (digits.empty()) return std::nullopt;
    char* end = nullptr;
    const unsigned long v = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
    if (*end != '\0' || v == 0 || !g_unichar_validate(static_cast<gunichar>(v)))
      return std::nullopt;
    return Utf8Of(static_cast<gunichar>(v));
  }
  const std::string name = Lower(body);
  for (const Entity& e : kEntities) {
    if (name == e.name) return std::string(e.text);
  }
  return std::nullopt;
}

// The value of attribute `name` in a tag's attribute text, quoted or not.
std::string AttributeValue(std::string_view attrs, std::string_view name) {
  const std::string lowered = Lower(attrs);
  std::size_t pos = 0;
  while ((pos = lowered.find(name, pos)) != std::string::npos) {
    const bool startsWord = pos == 0 || IsSpace(lowered[pos - 1]);
    std::size_t i = pos + name.size();
    while (i < attrs.size() && IsSpace(attrs[i])) ++i;
    if (!startsWord || i >= attrs.size() || attrs[i] != '=') {
      pos += name.size();
      continue;
    }
    ++i;
    while (i < attrs.size() && IsSpace(attrs[i])) ++i;
    if (i < attrs.size() && (attrs[i] == '"' || attrs[i] == '\'')) {
      const char quote = attrs[i];
      const std::size_t end = attrs.find(quote, i + 1);
      return std::string(attrs.substr(i + 1, end == std::string_view::npos ? end : end - i - 1));
    }
    std::size_t end = i;
    while (end < attrs.size() && !IsSpace(attrs[end])) ++end;
    return std::string(attrs.substr(i, end - i));
  }
  return {};
}

std::string ValidUtf8(const std::string& s) {
  gchar* valid = g_utf8_make_valid(s.data(), static_cast<gssize>(s.size()));
  std::string out(valid);
  g_free(valid);
  return out;
}

class HtmlParser {
 public:
  THtmlDocument Parse(std::string_view html) {
    for (std::size_t i = 0; i < html.size();) {
      const char c = html[i];
      if (c == '<' && ParseTag(html, i)) continue;
      if (c == '&' && ParseEntity(html, i)) continue;
      if (IsSpace(c)) {
        if (!atLineStart_ && !lastWasSpace_) Append(" ");
        lastWasSpace_ = true;
      } else {
        Append(std::string_view(&html[i], 1));
      }
      ++i;
    }
    Flush();
    for (THtmlRun& run : doc_.Runs) run.Text = ValidUtf8(run.Text);
    return std::move(doc_);
  }

 private:
  void Append(std::string_view text) {
    pending_.append(text);
    lastWasSpace_ = text == " ";
    atLineStart_ = false;
  }

  void Flush() {
    if (pending_.empty()) return;
    THtmlRun run;
    run.Text = std::move(pending_);
    run.Bold = bold_ > 0;
    run.Italic = italic_ > 0;
    run.Underline = underline_ > 0;
    run.Shadow = shadow_ > 0;
    run.Anchor = anchor_;
    doc_.Runs.push_back(std::move(run));
    pending_.clear();
  }

  static void Count(int& depth, bool closing) { depth = closing ? std::max(0, depth - 1) : depth + 1; }

  // Handles a tag at html[i] and moves i past it; false when '<' opens no tag.
  bool ParseTag(std::string_view html, std::size_t& i) {
    const std::size_t end = html.find('>', i + 1);
    if (end == std::string_view::npos) return false;
    std::string_view body = html.substr(i + 1, end - i - 1);
    const bool closing = !body.empty() && body[0] == '/';
    if (closing) body.remove_prefix(1);
    std::size_t nameEnd = 0;
    while (nameEnd < body.size() && std::isalnum(static_cast<unsigned char>(body[nameEnd])))
      ++nameEnd;
    if (nameEnd == 0) return false;
    const std::string name = Lower(body.substr(0, nameEnd));
    Flush();
    if (name == "b" || name == "strong") {
      Count(bold_, closing);
    } else if (name == "i" || name == "em") {
      Count(italic_, closing);
    } else if (name == "u") {
      Count(underline_, closing);
    } else if (name == "shad") {
      Count(shadow_, closing);
    } else if (name == "br") {
      pending_.push_back('\n');
      Flush();
      atLineStart_ = true;
      lastWasSpace_ = false;
    } else if (name == "a") {
      if (closing) {
        anchor_ = -1;
      } else {
        doc_.Anchors.push_back(ValidUtf8(AttributeValue(body.substr(nameEnd), "href")));
        anchor_ = static_cast<int>(doc_.Anchors.size()) - 1;
      }
    }
    i = end + 1;
    return true;
  }

  bool ParseEntity(std::string_view html, std::size_t& i) {
    const std::size_t end = html.find(';', i + 1);
    if (end == std::string_view::npos || end - i > 12) return false;
    const auto text = DecodeEntity(html.substr(i + 1, end - i - 1));
    if (!text) return false;
    Append(*text);
    lastWasSpace_ = false;
    i = end + 1;
    return true;
  }

  THtmlDocument doc_;
  std::string pending_;
  int bold_ = 0, italic_ = 0, underline_ = 0, shadow_ = 0;
  int anchor_ = -1;
  bool lastWasSpace_ = false;
  bool atLineStart_ = true;
};

}  // namespace

std::string THtmlDocument::PlainText() const {
  std::string out;
  for (const THtmlRun& run : Runs) out += run.Text;
  return out;
}

THtmlDocument ParseHtml(std::string_view html) { return HtmlParser().Parse(html); }

// ----- layout -------------------------------------------------------------------------------

namespace {

struct LayoutUnref {
  void operator()(PangoLayout* p) const noexcept { g_object_unref(p); }
};
struct AttrListUnref {
  void operator()(PangoAttrList* p) const noexcept { pango_attr_list_unref(p); }
};
using Layout = std::unique_ptr<PangoLayout, LayoutUnref>;
using AttrList = std::unique_ptr<PangoAttrList, AttrListUnref>;

struct Range {
  guint start, end;
  int anchor;
  bool shadow;
};

void Insert(PangoAttrList* list, PangoAttribute* attr, const Range& r) {
  attr->start_index = r.start;
  attr->end_index = r.end;
  pango_attr_list_insert(list, attr);
}

PangoAttribute* Foreground(TColor color) {
  const ARGB c = ColorToARGB(color);
  return pango_attr_foreground_new(static_cast<guint16>(GetRed(c) * 257),
                                   static_cast<guint16>(GetGreen(c) * 257),
                                   static_cast<guint16>(GetBlue(c) * 257));
}

enum class Pass { kText, kShadow };

// The laid-out document: one layout for the text and the byte ranges of its runs.
class HtmlLayout {
 public:
  HtmlLayout(TGPGraphics& g, const THTMLDrawArgs& a, const THtmlDocument& doc) : args_(a) {
    guint offset = 0;
    for (const THtmlRun& run : doc.Runs) {
      text_ += run.Text;
      const auto len = static_cast<guint>(run.Text.size());
      ranges_.push_back({offset, offset + len, run.Anchor, run.Shadow});
      offset += len;
    }
    runs_ = &doc.Runs;
    font_ = g.MakeFont(*a.AFont);
    layout_ = Make(g.Native(), Pass::kText);
  }

  PangoLayout* Get() const { return layout_.get(); }

  Layout Make(cairo_t* cr, Pass pass) const {
    Layout layout(pango_cairo_create_layout(cr));
    pango_layout_set_font_description(layout.get(), font_->Native());
    pango_layout_set_text(layout.get(), text_.data(), static_cast<int>(text_.size()));
    pango_layout_set_spacing(layout.get(), args_.LineSpacing * PANGO_SCALE);
    if (args_.WordWrap && args_.fr.Width() > 0) {
      pango_layout_set_width(layout.get(), args_.fr.Width() * PANGO_SCALE);
      pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    }
    AttrList attrs(pango_attr_list_new());
    for (std::size_t i = 0; i < ranges_.size(); ++i) {
      const Range& r = ranges_[i];
      const THtmlRun& run = (*runs_)[i];
      if (run.Bold) Insert(attrs.get(), pango_attr_weight_new(PANGO_WEIGHT_BOLD), r);
      if (run.Italic) Insert(attrs.get(), pango_attr_style_new(PANGO_STYLE_ITALIC), r);
      if (run.Underline || r.anchor >= 0)
        Insert(attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), r);
      if (pass == Pass::kText && r.anchor >= 0 && args_.URLColor != clNone)
        Insert(attrs.get(), Foreground(args_.URLColor), r);
      // The shadow pass lays out the same text so that glyphs line up, showing only shadowed runs.
      if (pass == Pass::kShadow && !r.shadow)
        Insert(attrs.get(), pango_attr_foreground_alpha_new(1), r);
    }
    pango_layout_set_attributes(layout.get(), attrs.get());
    return layout;
  }

  bool HasShadow() const {
    return std::any_of(ranges_.begin(), ranges_.end(), [](const Range& r) { return r.shadow; });
  }

  // Index of the run holding byte index, or -1.
  int RunAt(int index) const {
    for (std::size_t i = 0; i < ranges_.size(); ++i) {
      if (static_cast<guint>(index) >= ranges_[i].start && static_cast<guint>(index) < ranges_[i].end)
        return static_cast<int>(i);
    }
    return -1;
  }

  const Range& RangeOf(int run) const { return ranges_[static_cast<std::size_t>(run)]; }

 private:
  const THTMLDrawArgs& args_;
  const std::vector<THtmlRun>* runs_ = nullptr;
  std::string text_;
  std::vector<Range> ranges_;
  std::unique_ptr<TGPFont> font_;
  Layout layout_;
};

void DrawLayout(cairo_t* cr, const HtmlLayout& layout, const THTMLDrawArgs& a) {
  cairo_save(cr);
  // The surface puts pixel centres at integer coordinates; text and clip want pixel edges there.
  cairo_translate(cr, -0.5, -0.5);
  cairo_rectangle(cr, a.fr.Left, a.fr.Top, a.fr.Width(), a.fr.Height());
  cairo_clip(cr);
  if (a.ShadowOffset != 0 && a.ShadowColor != clNone && layout.HasShadow()) {
    Layout shadow = layout.Make(cr, Pass::kShadow);
    SetSourceColor(cr, a.ShadowColor);
    cairo_move_to(cr, a.fr.Left + a.ShadowOffset, a.fr.Top + a.ShadowOffset);
    pango_cairo_show_layout(cr, shadow.get());
  }
  SetSourceColor(cr, a.AFont->Color);
  cairo_move_to(cr, a.fr.Left, a.fr.Top);
  pango_cairo_update_layout(cr, layout.Get());
  pango_cairo_show_layout(cr, layout.Get());
  cairo_restore(cr);
}

// The anchor under the point: its index, and the part of its line it covers.
void HitTest(const HtmlLayout& layout, const THtmlDocument& doc, const THTMLDrawArgs& a,
             THTMLDrawResult& out) {
  const TRect& fr = a.fr;
  if (a.XPos < fr.Left || a.YPos < fr.Top || a.XPos >= fr.Right || a.YPos >= fr.Bottom) return;
  int index = 0, trailing = 0;
  if (!pango_layout_xy_to_index(layout.Get(), (a.XPos - fr.Left) * PANGO_SCALE,
                                (a.YPos - fr.Top) * PANGO_SCALE, &index, &trailing))
    return;
  const int run = layout.RunAt(index);
  if (run < 0 || layout.RangeOf(run).anchor < 0) return;
  const Range& r = layout.RangeOf(run);
  out.MouseLink = r.anchor;
  out.AnchorVal = doc.Anchors[static_cast<std::size_t>(r.anchor)];
  PangoRectangle pos;
  pango_layout_index_to_pos(layout.Get(), index, &pos);
  int lineNo = 0, x = 0;
  pango_layout_index_to_line_x(layout.Get(), index, FALSE, &lineNo, &x);
  PangoLayoutLine* line = pango_layout_get_line_readonly(layout.Get(), lineNo);
  int* ranges = nullptr;
  int n = 0;
  pango_layout_line_get_x_ranges(line, static_cast<int>(r.start), static_cast<int>(r.end), &ranges,
                                 &n);
  if (n > 0) {
    const int left = ranges[0], right = ranges[2 * n - 1];
    out.HoverRect = TRect{fr.Left + PANGO_PIXELS(left), fr.Top + PANGO_PIXELS(pos.y),
                          fr.Left + PANGO_PIXELS(right), fr.Top + PANGO_PIXELS(pos.y + pos.height)};
  }
  g_free(ranges);
}

}  // namespace

THTMLDrawResult HTMLDraw(TGPGraphics& g, const THTMLDrawArgs& a) {
  THTMLDrawResult out;
  const THtmlDocument doc = ParseHtml(a.s);
  out.StripVal = doc.PlainText();
  out.HyperLinks = static_cast<int>(doc.Anchors.size());
  if (a.FocusLink >= 0 && a.FocusLink < out.HyperLinks)
    out.FocusAnchor = doc.Anchors[static_cast<std::size_t>(a.FocusLink)];
  if (a.AFont == nullptr || doc.Runs.empty() || g.Native() == nullptr) return out;

  const HtmlLayout layout(g, a, doc);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout.Get(), nullptr, &logical);
  out.XSize = logical.x + logical.width;
  out.YSize = logical.y + logical.height;
  if (a.CheckHotSpot) {
    HitTest(layout, doc, a, out);
  } else if (!a.CheckHeight) {
    DrawLayout(g.Native(), layout, a);
  }
  return out;
}

}  // namespace tavrin::controls
