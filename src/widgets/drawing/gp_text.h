#pragma once
// Fonts, font families and string formats.
//
// Families come from fontconfig. A family counts as installed only when fontconfig lists a font
// of that name or of a metric-compatible alias it binds strongly (so "Arial" is found through
// Liberation Sans); a family that fontconfig would merely substitute gives FontFamilyNotFound.

#include <cstdint>
#include <string>
#include <string_view>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_base.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/native.h"

namespace tavrin {

// The UI toolkit's font description, as the widgets hold it: name, size in points, style set
// and colour. A plain value; owners that must notify on change wrap it.
enum TFontStyle : uint32_t {
  fsBold = 1,
  fsItalic = 2,
  fsUnderline = 4,
  fsStrikeOut = 8,
};
using TFontStyles = uint32_t;

struct TFont {
  std::string Name = "Tahoma";
  int32_t Size = 8;  // points
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// Makes the fonts of a folder that fontconfig does not scan visible to this process (for
// example Tahoma in the folder of a compatibility layer). False when the folder cannot be added.
bool AddFontFolder(const std::string& folder);

// Makes a family available when fontconfig does not know it, by adding the folder that holds
// it; a family fontconfig already has is left alone. True when the family is available
// afterwards.
bool MakeFontFamilyAvailable(std::string_view family, const std::string& folder);

// The windows are designed in Tahoma, TFont's default family. Debian ships one with its
// Windows compatibility fonts, outside fontconfig's folders; this adds that folder when
// fontconfig knows no Tahoma. Every program that lays out the widgets' text (the window, the
// gallery) calls it before its first text, so they all show the same font; without it,
// fontconfig's fallback family applies. True when Tahoma is available afterwards.
bool MakeWindowFontAvailable();

class TGPFontCollection;

class TGPFontFamily : public TGdiplusBase {
 public:
  // Looks the family up by name, ignoring case. A missing family records FontFamilyNotFound.
  explicit TGPFontFamily(std::string_view name, const TGPFontCollection* fontCollection = nullptr);
  TGPFontFamily(TGPFontFamily&&) noexcept = default;
  TGPFontFamily& operator=(TGPFontFamily&&) noexcept = default;

  bool IsAvailable() const { return !nativeFamily.empty(); }
  // The name asked for.
  const std::string& GetFamilyName() const { return requested_; }
  // The installed family that stands for it (empty when not found).
  const std::string& NativeFamily() const { return nativeFamily; }

 private:
  std::string requested_;
  std::string nativeFamily;
};

class TGPFont : public TGdiplusBase {
 public:
  // style: FontStyle bits (1 bold, 2 italic, 4 underline, 8 strike-out).
  TGPFont(const TGPFontFamily& family, float emSize, int32_t style = FontStyleRegular,
          Unit_ unit = UnitPoint);
  TGPFont(TGPFont&&) noexcept = default;
  TGPFont& operator=(TGPFont&&) noexcept = default;

  float GetSize() const { return emSize_; }
  int32_t GetStyle() const { return style_; }
  Unit_ GetUnit() const { return unit_; }
  const std::string& GetFamilyName() const { return family_; }
  // Em size in device pixels at 96 dpi.
  float EmPixels() const;
  // Line spacing in pixels (the original's GetHeight at 96 dpi).
  float GetHeight() const;

  PangoFontDescription* Native() const { return nativeFont.get(); }

 private:
  std::string family_;
  float emSize_;
  int32_t style_;
  Unit_ unit_;
  native::FontDescription nativeFont;
};

class TGPStringFormat : public TGdiplusBase {
 public:
  explicit TGPStringFormat(int32_t formatFlags = 0, uint16_t language = 0);
  TGPStringFormat(TGPStringFormat&&) noexcept = default;
  TGPStringFormat& operator=(TGPStringFormat&&) noexcept = default;

  Status SetAlignment(StringAlignment align);
  StringAlignment GetAlignment() const { return align_; }
  Status SetLineAlignment(StringAlignment align);
  StringAlignment GetLineAlignment() const { return lineAlign_; }
  Status SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix);
  HotkeyPrefix GetHotkeyPrefix() const { return hotkey_; }
  Status SetTrimming(StringTrimming trimming);
  StringTrimming GetTrimming() const { return trimming_; }
  Status SetFormatFlags(int32_t flags);
  int32_t GetFormatFlags() const { return flags_; }

 private:
  int32_t flags_;
  StringAlignment align_ = StringAlignmentNear;
  StringAlignment lineAlign_ = StringAlignmentNear;
  HotkeyPrefix hotkey_ = HotkeyPrefixNone;
  StringTrimming trimming_ = StringTrimmingCharacter;
};

}  // namespace tavrin
