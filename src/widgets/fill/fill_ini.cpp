// The fill as the keys of one INI section.
//
// Integers are written in decimal (a system colour such as clBtnFace as -16777201, clNone as
// 536870911), enumerations as their ordinal. Pictures are written as hex text ("Picture",
// "BackgroundPicture") with their text length ("PictureSize", "BackgroundPictureSize").
//
// "PictureSize" is kept as the key of the picture text's length, as in files written before,
// so those files load. The PictureSize property (picture drawn at its own or a custom size)
// has its own key "PictureSizeMode": under the shared key it would be overwritten by the
// length on saving and come back as the length's low byte on loading.

#include <span>
#include <sstream>
#include <type_traits>

#include "widgets/fill/fill.h"
#include "widgets/fill/fill_storage.h"
#include "widgets/fill/ini_file.h"

namespace tavrin {

struct FillPropertyAccess {
  struct IniKey {
    const char* name;
    int32_t (*get)(const TSmoothFill&);
    // Stores straight into the field: no setter, no notification. A one-byte field keeps the
    // low byte of the number, without a range check.
    void (*store)(TSmoothFill&, int32_t);
  };

  template <auto Field>
  static int32_t Get(const TSmoothFill& fill) {
    return static_cast<int32_t>(fill.*Field);
  }
  template <auto Field>
  static void Store(TSmoothFill& fill, int32_t value) {
    using T = std::remove_reference_t<decltype(fill.*Field)>;
    if constexpr (sizeof(T) == 1) {
      fill.*Field = static_cast<T>(static_cast<uint8_t>(value));
    } else {
      fill.*Field = static_cast<T>(value);
    }
  }
  template <auto Field>
  static constexpr IniKey Key(const char* name) {
    return {name, &Get<Field>, &Store<Field>};
  }

  // The integer keys, in the order they are written and read.
  static std::span<const IniKey> IniKeys() {
    static constexpr IniKey keys[] = {
        Key<&TSmoothFill::FColor>("Color"),
        Key<&TSmoothFill::FColorTo>("ColorTo"),
        Key<&TSmoothFill::FColorMirror>("ColorMirror"),
        Key<&TSmoothFill::FColorMirrorTo>("ColorMirrorTo"),
        Key<&TSmoothFill::FGradientType>("GradientType"),
        Key<&TSmoothFill::FGradientMirrorType>("GradientMirrorType"),
        Key<&TSmoothFill::FHatchStyle>("HatchStyle"),
        Key<&TSmoothFill::FHatchStyleMirror>("HatchStyleMirror"),
        Key<&TSmoothFill::FBackGroundPictureMode>("BackGroundPictureMode"),
        Key<&TSmoothFill::FBackGroundPicturePosition>("BackGroundPicturePosition"),
        Key<&TSmoothFill::FBackGroundPictureLeft>("BackGroundPictureLeft"),
        Key<&TSmoothFill::FBackGroundPictureTop>("BackGroundPictureTop"),
        Key<&TSmoothFill::FPicturePosition>("PicturePosition"),
        Key<&TSmoothFill::FPictureLeft>("PictureLeft"),
        Key<&TSmoothFill::FPictureTop>("PictureTop"),
        Key<&TSmoothFill::FPictureSize>("PictureSizeMode"),
        Key<&TSmoothFill::FPictureWidth>("PictureWidth"),
        Key<&TSmoothFill::FPictureHeight>("PictureHeight"),
        Key<&TSmoothFill::FOpacity>("Opacity"),
        Key<&TSmoothFill::FOpacityTo>("OpacityTo"),
        Key<&TSmoothFill::FOpacityMirror>("OpacityMirror"),
        Key<&TSmoothFill::FOpacityMirrorTo>("OpacityMirrorTo"),
        Key<&TSmoothFill::FBorderColor>("BorderColor"),
        Key<&TSmoothFill::FBorderOpacity>("BorderOpacity"),
        Key<&TSmoothFill::FBorderWidth>("BorderWidth"),
        Key<&TSmoothFill::FRounding>("Rounding"),
        Key<&TSmoothFill::FRoundingType>("RoundingType"),
        Key<&TSmoothFill::FShadowOffset>("ShadowOffset"),
        Key<&TSmoothFill::FShadowColor>("ShadowColor"),
        Key<&TSmoothFill::FAngle>("Angle"),
        Key<&TSmoothFill::FGlow>("Glow"),
        Key<&TSmoothFill::FGlowGradientColor>("GlowGradientColor"),
        Key<&TSmoothFill::FGlowRadialColor>("GlowRadialColor"),
    };
    return keys;
  }
};

void TSmoothFill::SaveToFile(const std::string& fileName, const std::string& section) {
  IniFile ini(fileName);
  SaveToFile(ini, section);
}

void TSmoothFill::LoadFromFile(const std::string& fileName, const std::string& section) {
  const IniFile ini(fileName);
  LoadFromFile(ini, section);
}

void TSmoothFill::SaveToFile(IniFile& ini, const std::string& section) {
  for (const auto& key : FillPropertyAccess::IniKeys()) {
    ini.WriteInteger(section, key.name, key.get(*this));
  }
  const std::string picture = StreamToString(FPicture->Data());
  ini.WriteString(section, "Picture", picture);
  ini.WriteInteger(section, "PictureSize", static_cast<int32_t>(picture.size()));
  const std::string background = StreamToString(FBackGroundPicture->Data());
  ini.WriteString(section, "BackgroundPicture", background);
  ini.WriteInteger(section, "BackgroundPictureSize", static_cast<int32_t>(background.size()));
}

void TSmoothFill::LoadFromFile(const IniFile& ini, const std::string& section) {
  for (const auto& key : FillPropertyAccess::IniKeys()) {
    key.store(*this, ini.ReadInteger(section, key.name, key.get(*this)));
  }
  LoadPictureKey(ini, section, "Picture", "PictureSize", *FPicture);
  LoadPictureKey(ini, section, "BackgroundPicture", "BackgroundPictureSize", *FBackGroundPicture);
  Changed();
}

// A picture loads only when its recorded text length is positive, and from at most that many
// characters of its text; a picture that loads announces itself.
void TSmoothFill::LoadPictureKey(const IniFile& ini, const std::string& section,
                                 const char* textKey, const char* sizeKey,
                                 TSmoothPicture& picture) {
  const int32_t length = ini.ReadInteger(section, sizeKey, 0);
  if (length <= 0) return;
  std::string text = ini.ReadString(section, textKey, "");
  if (text.size() > static_cast<std::size_t>(length)) text.resize(length);
  std::vector<uint8_t> bytes;
  StringToStream(text, bytes);
  std::istringstream stream(std::string(bytes.begin(), bytes.end()));
  picture.LoadFromStream(&stream);
}

}  // namespace tavrin
