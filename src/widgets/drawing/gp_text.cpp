#include "widgets/drawing/gp_text.h"

#include <fontconfig/fontconfig.h>
#include <glib.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "widgets/drawing/text_layout_p.h"

namespace tavrin {
namespace {

struct FontSetDestroy {
  void operator()(FcFontSet* p) const noexcept { FcFontSetDestroy(p); }
};
struct ObjectSetDestroy {
  void operator()(FcObjectSet* p) const noexcept { FcObjectSetDestroy(p); }
};

bool SameName(const char* a, std::string_view b) {
  return g_ascii_strncasecmp(a, b.data(), b.size()) == 0 && a[b.size()] == '\0';
}

// The installed family of that exact name (case ignored, blanks not), without any of
// fontconfig's substitutions.
std::optional<std::string> InstalledFamily(std::string_view name) {
  native::FcPatternOwner pattern(FcPatternCreate());
  std::string owned(name);
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(owned.c_str()));
  std::unique_ptr<FcObjectSet, ObjectSetDestroy> objects(FcObjectSetBuild(FC_FAMILY, nullptr));
  std::unique_ptr<FcFontSet, FontSetDestroy> fonts(FcFontList(nullptr, pattern.get(), objects.get()));
  if (!fonts) return std::nullopt;
  for (int i = 0; i < fonts->nfont; ++i) {
    FcChar8* family = nullptr;
    for (int id = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, id, &family) == FcResultMatch;
         ++id) {
      if (SameName(reinterpret_cast<const char*>(family), name))
        return std::string(reinterpret_cast<const char*>(family));
    }
  }
  return std::nullopt;
}

// A metric-compatible stand-in that the configuration binds strongly to the name (Liberation
// Sans for Arial); fallbacks bound weakly are substitutes, not matches.
std::optional<std::string> StrongAlias(std::string_view name) {
  native::FcPatternOwner pattern(FcPatternCreate());
  std::string owned(name);
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(owned.c_str()));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcValue value;
  FcValueBinding binding;
  bool afterName = false;
  for (int id = 0;
       FcPatternGetWithBinding(pattern.get(), FC_FAMILY, id, &value, &binding) == FcResultMatch;
       ++id) {
    if (value.type != FcTypeString) continue;
    const char* family = reinterpret_cast<const char*>(value.u.s);
    if (!afterName) {
      afterName = SameName(family, name);
      continue;
    }
    if (binding != FcValueBindingStrong) break;
    if (auto installed = InstalledFamily(family)) return installed;
  }
  return std::nullopt;
}

// Looking a family up costs a font listing; the widgets ask for the same few names at every
// paint. Only a change of the font set (AddFontFolder) can change an answer.
std::map<std::string, std::optional<std::string>, std::less<>>& FamilyCache() {
  static std::map<std::string, std::optional<std::string>, std::less<>> cache;
  return cache;
}

std::optional<std::string> LookUpFamily(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = g_ascii_tolower(c);
  auto& cache = FamilyCache();
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  auto found = InstalledFamily(name);
  if (!found) found = StrongAlias(name);
  cache.emplace(std::move(key), found);
  return found;
}

double EmPixels(float size, Unit_ unit) {
  switch (unit) {
    case UnitPoint: return size * 96.0 / 72.0;
    case UnitInch: return size * 96.0;
    case UnitDocument: return size * 96.0 / 300.0;
    case UnitMillimeter: return size * 96.0 / 25.4;
    default: return size;
  }
}

}  // namespace

bool AddFontFolder(const std::string& folder) {
  if (!g_file_test(folder.c_str(), G_FILE_TEST_IS_DIR)) return false;
  if (!FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>(folder.c_str())))
    return false;
  // Pango keeps its own view of the configuration; tell it that the font set grew.
  FamilyCache().clear();
  detail::ForgetFontMetrics();
  PangoFontMap* map = pango_cairo_font_map_get_default();
  if (PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
  return true;
}

bool MakeFontFamilyAvailable(std::string_view family, const std::string& folder) {
  if (TGPFontFamily(family).IsAvailable()) return true;
  return AddFontFolder(folder) && TGPFontFamily(family).IsAvailable();
}

bool MakeWindowFontAvailable() {
  static constexpr const char* kCompatibilityFontFolder = "/usr/share/wine/fonts";
  return MakeFontFamilyAvailable(TFont{}.Name, kCompatibilityFontFolder);
}

TGPFontFamily::TGPFontFamily(std::string_view name, const TGPFontCollection*)
    : requested_(name) {
  if (name.empty()) {
    SetStatus(InvalidParameter);
    return;
  }
  auto found = LookUpFamily(name);
  if (!found) {
    SetStatus(FontFamilyNotFound);
    return;
  }
  nativeFamily = *found;
}

TGPFont::TGPFont(const TGPFontFamily& family, float emSize, int32_t style, Unit_ unit)
    : family_(family.NativeFamily()), emSize_(emSize), style_(style), unit_(unit) {
  if (!family.IsAvailable() || !(emSize > 0)) {
    SetStatus(InvalidParameter);
    return;
  }
  nativeFont.reset(pango_font_description_new());
  pango_font_description_set_family(nativeFont.get(), family_.c_str());
  pango_font_description_set_absolute_size(nativeFont.get(), EmPixels() * PANGO_SCALE);
  pango_font_description_set_weight(nativeFont.get(), (style & FontStyleBold)
                                                          ? PANGO_WEIGHT_BOLD
                                                          : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(nativeFont.get(), (style & FontStyleItalic)
                                                         ? PANGO_STYLE_ITALIC
                                                         : PANGO_STYLE_NORMAL);
}

float TGPFont::EmPixels() const { return static_cast<float>(tavrin::EmPixels(emSize_, unit_)); }

float TGPFont::GetHeight() const {
  if (!nativeFont) return 0;
  return static_cast<float>(detail::MetricsOf(nativeFont.get()).height);
}

TGPStringFormat::TGPStringFormat(int32_t formatFlags, uint16_t) : flags_(formatFlags) {}

Status TGPStringFormat::SetAlignment(StringAlignment align) {
  if (align < StringAlignmentNear || align > StringAlignmentFar) return SetStatus(InvalidParameter);
  align_ = align;
  return Ok;
}

Status TGPStringFormat::SetLineAlignment(StringAlignment align) {
  if (align < StringAlignmentNear || align > StringAlignmentFar) return SetStatus(InvalidParameter);
  lineAlign_ = align;
  return Ok;
}

Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix) {
  if (hotkeyPrefix < HotkeyPrefixNone || hotkeyPrefix > HotkeyPrefixHide)
    return SetStatus(InvalidParameter);
  hotkey_ = hotkeyPrefix;
  return Ok;
}

Status TGPStringFormat::SetTrimming(StringTrimming trimming) {
  trimming_ = trimming;
  return Ok;
}

Status TGPStringFormat::SetFormatFlags(int32_t flags) {
  flags_ = flags;
  return Ok;
}

}  // namespace tavrin
