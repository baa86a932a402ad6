#include "widgets/fill/fill_stream.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <span>
#include <sstream>
#include <vector>

#include "widgets/fill/fill.h"
#include "widgets/fill/fill_errors.h"
#include "widgets/fill/fill_storage.h"

namespace tavrin {
namespace {

using Names = std::span<const std::string_view>;

constexpr std::string_view kGradientTypes[] = {"gtSolid",
                                               "gtRadial",
                                               "gtVertical",
                                               "gtHorizontal",
                                               "gtForwardDiagonal",
                                               "gtBackwardDiagonal",
                                               "gtAngle",
                                               "gtHatch",
                                               "gtPath",
                                               "gtTexture",
                                               "gtNone"};
constexpr std::string_view kHatchStyles[] = {"HatchStyleHorizontal",
                                             "HatchStyleVertical",
                                             "HatchStyleForwardDiagonal",
                                             "HatchStyleBackwardDiagonal",
                                             "HatchStyleCross",
                                             "HatchStyleDiagonalCross",
                                             "HatchStyle05Percent",
                                             "HatchStyle10Percent",
                                             "HatchStyle20Percent",
                                             "HatchStyle25Percent",
                                             "HatchStyle30Percent",
                                             "HatchStyle40Percent",
                                             "HatchStyle50Percent",
                                             "HatchStyle60Percent",
                                             "HatchStyle70Percent",
                                             "HatchStyle75Percent",
                                             "HatchStyle80Percent",
                                             "HatchStyle90Percent",
                                             "HatchStyleLightDownwardDiagonal",
                                             "HatchStyleLightUpwardDiagonal",
                                             "HatchStyleDarkDownwardDiagonal",
                                             "HatchStyleDarkUpwardDiagonal",
                                             "HatchStyleWideDownwardDiagonal",
                                             "HatchStyleWideUpwardDiagonal",
                                             "HatchStyleLightVertical",
                                             "HatchStyleLightHorizontal",
                                             "HatchStyleNarrowVertical",
                                             "HatchStyleNarrowHorizontal",
                                             "HatchStyleDarkVertical",
                                             "HatchStyleDarkHorizontal",
                                             "HatchStyleDashedDownwardDiagonal",
                                             "HatchStyleDashedUpwardDiagonal",
                                             "HatchStyleDashedHorizontal",
                                             "HatchStyleDashedVertical",
                                             "HatchStyleSmallConfetti",
                                             "HatchStyleLargeConfetti",
                                             "HatchStyleZigZag",
                                             "HatchStyleWave",
                                             "HatchStyleDiagonalBrick",
                                             "HatchStyleHorizontalBrick",
                                             "HatchStyleWeave",
                                             "HatchStylePlaid",
                                             "HatchStyleDivot",
                                             "HatchStyleDottedGrid",
                                             "HatchStyleDottedDiamond",
                                             "HatchStyleShingle",
                                             "HatchStyleTrellis",
                                             "HatchStyleSphere",
                                             "HatchStyleSmallGrid",
                                             "HatchStyleSmallCheckerBoard",
                                             "HatchStyleLargeCheckerBoard",
                                             "HatchStyleOutlinedDiamond",
                                             "HatchStyleSolidDiamond"};
constexpr std::string_view kPictureModes[] = {"pmInsideFill", "pmOutsideFill"};
constexpr std::string_view kPicturePositions[] = {
    "ppTopLeft", "ppTopCenter", "ppTopRight",   "ppBottomLeft",   "ppBottomCenter", "ppBottomRight",
    "ppTiled",   "ppStretched", "ppCenterLeft", "ppCenterCenter", "ppCenterRight",  "ppCustom"};
constexpr std::string_view kPictureSizes[] = {"psOriginal", "psCustom"};
constexpr std::string_view kRoundingTypes[] = {"rtNone", "rtTop",  "rtBottom",
                                               "rtBoth", "rtLeft", "rtRight"};
constexpr std::string_view kGlowModes[] = {"gmNone", "gmGradient", "gmRadial", "gmRadialGradient"};

// One stored property: its name, how it is written, its stored-unless value (none: always
// stored) and its public accessors. Pictures have `picture` set instead.
struct StreamProperty {
  std::string_view name;
  Names names;  // identifiers of an enumeration, empty for a number
  std::optional<int32_t> storedUnless;
  int32_t (*get)(const TSmoothFill&) = nullptr;
  void (*set)(TSmoothFill&, int32_t) = nullptr;
  TSmoothPicture& (*picture)(const TSmoothFill&) = nullptr;
};

template <auto Getter, auto Setter>
constexpr StreamProperty Number(std::string_view name, std::optional<int32_t> storedUnless,
                                Names names = {}) {
  return {name,
          names,
          storedUnless,
          [](const TSmoothFill& f) { return static_cast<int32_t>((f.*Getter)()); },
          [](TSmoothFill& f, int32_t v) {
            using T = std::remove_cvref_t<decltype((f.*Getter)())>;
            if constexpr (sizeof(T) == 1) {
              (f.*Setter)(static_cast<T>(static_cast<uint8_t>(v)));
            } else {
              (f.*Setter)(static_cast<T>(v));
            }
          },
          nullptr};
}

template <auto Getter>
constexpr StreamProperty Picture(std::string_view name) {
  return {name,    {},      std::nullopt,
          nullptr, nullptr, [](const TSmoothFill& f) -> TSmoothPicture& { return (f.*Getter)(); }};
}

using F = TSmoothFill;
constexpr std::nullopt_t kAlways = std::nullopt;

// The published properties in their stored order.
const StreamProperty kProperties[] = {
    Number<&F::Color, &F::SetColor>("Color", clSilver),
    Number<&F::ColorTo, &F::SetColorTo>("ColorTo", clGray),
    Number<&F::ColorMirror, &F::SetColorMirror>("ColorMirror", kAlways),
    Number<&F::ColorMirrorTo, &F::SetColorMirrorTo>("ColorMirrorTo", kAlways),
    Number<&F::GradientType, &F::SetGradientType>("GradientType", gtVertical, kGradientTypes),
    Number<&F::GradientMirrorType, &F::SetGradientMirrorType>("GradientMirrorType", gtSolid,
                                                              kGradientTypes),
    Number<&F::HatchStyle, &F::SetHatchStyle>("HatchStyle", HatchStyleHorizontal, kHatchStyles),
    Number<&F::HatchStyleMirror, &F::SetHatchStyleMirror>("HatchStyleMirror", HatchStyleHorizontal,
                                                          kHatchStyles),
    Number<&F::BackGroundPictureMode, &F::SetBackGroundPictureMode>("BackGroundPictureMode",
                                                                    pmOutsideFill, kPictureModes),
    Picture<&F::BackGroundPicture>("BackGroundPicture"),
    Number<&F::BackGroundPicturePosition, &F::SetBackGroundPicturePosition>(
        "BackGroundPicturePosition", ppTopLeft, kPicturePositions),
    Number<&F::BackGroundPictureLeft, &F::SetBackGroundPictureLeft>("BackGroundPictureLeft", 0),
    Number<&F::BackGroundPictureTop, &F::SetBackGroundPictureTop>("BackGroundPictureTop", 0),
    Picture<&F::Picture>("Picture"),
    Number<&F::PicturePosition, &F::SetPicturePosition>("PicturePosition", ppTopLeft,
                                                        kPicturePositions),
    Number<&F::PictureLeft, &F::SetPictureLeft>("PictureLeft", 0),
    Number<&F::PictureTop, &F::SetPictureTop>("PictureTop", 0),
    Number<&F::PictureSize, &F::SetPictureSize>("PictureSize", psOriginal, kPictureSizes),
    Number<&F::PictureWidth, &F::SetPictureWidth>("PictureWidth", 50),
    Number<&F::PictureHeight, &F::SetPictureHeight>("PictureHeight", 50),
    Number<&F::Opacity, &F::SetOpacity>("Opacity", 255),
    Number<&F::OpacityTo, &F::SetOpacityTo>("OpacityTo", 255),
    Number<&F::OpacityMirror, &F::SetOpacityMirror>("OpacityMirror", 255),
    Number<&F::OpacityMirrorTo, &F::SetOpacityMirrorTo>("OpacityMirrorTo", 255),
    Number<&F::BorderColor, &F::SetBorderColor>("BorderColor", kAlways),
    Number<&F::BorderOpacity, &F::SetBorderOpacity>("BorderOpacity", 255),
    Number<&F::BorderWidth, &F::SetBorderWidth>("BorderWidth", 1),
    Number<&F::Rounding, &F::SetRounding>("Rounding", kAlways),
    Number<&F::RoundingType, &F::SetRoundingType>("RoundingType", rtBoth, kRoundingTypes),
    Number<&F::ShadowColor, &F::SetShadowColor>("ShadowColor", clGray),
    Number<&F::ShadowOffset, &F::SetShadowOffset>("ShadowOffset", kAlways),
    Number<&F::Angle, &F::SetAngle>("Angle", 0),
    Number<&F::Glow, &F::SetGlow>("Glow", kAlways, kGlowModes),
    Number<&F::GlowGradientColor, &F::SetGlowGradientColor>("GlowGradientColor", clWhite),
    Number<&F::GlowRadialColor, &F::SetGlowRadialColor>("GlowRadialColor", clWhite),
};

constexpr std::string_view kHolder = "object TSaver";
constexpr std::string_view kEnd = "end";
constexpr std::string_view kPrefix = "SaveObject.";
constexpr std::string_view kData = ".Data";

std::string ValueText(const StreamProperty& p, int32_t value) {
  if (value >= 0 && static_cast<std::size_t>(value) < p.names.size()) {
    return std::string(p.names[value]);
  }
  return std::to_string(value);
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

[[noreturn]] void Malformed(std::string_view what) {
  throw EReadError("Error reading fill stream: " + std::string(what));
}

int32_t ParseValue(const StreamProperty& p, std::string_view text) {
  for (std::size_t i = 0; i < p.names.size(); ++i) {
    if (p.names[i] == text) return static_cast<int32_t>(i);
  }
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    Malformed("Invalid property value for " + std::string(p.name));
  }
  return value;
}

const StreamProperty* FindProperty(std::string_view name, bool& isPicture) {
  isPicture = name.ends_with(kData);
  if (isPicture) name.remove_suffix(kData.size());
  for (const StreamProperty& p : kProperties) {
    if (p.name == name && (p.picture != nullptr) == isPicture) return &p;
  }
  return nullptr;
}

void LoadPictureValue(TSmoothPicture& picture, std::string_view text, std::string_view name) {
  if (text.size() < 2 || text.front() != '{' || text.back() != '}') {
    Malformed("Invalid property value for " + std::string(name));
  }
  std::vector<uint8_t> bytes;
  try {
    StringToStream(text.substr(1, text.size() - 2), bytes);
  } catch (const EConvertError&) {
    Malformed("Invalid property value for " + std::string(name));
  }
  std::istringstream stream(std::string(bytes.begin(), bytes.end()));
  picture.LoadFromStream(&stream);
}

}  // namespace

std::string SaveObject(const TSmoothFill& fill) {
  std::string out = std::string(kHolder) + "\n";
  for (const StreamProperty& p : kProperties) {
    if (p.picture) {
      const TSmoothPicture& picture = p.picture(fill);
      if (picture.Empty()) continue;
      out += "  " + std::string(kPrefix) + std::string(p.name) + std::string(kData) + " = {" +
             StreamToString(picture.Data()) + "}\n";
      continue;
    }
    const int32_t value = p.get(fill);
    if (p.storedUnless && *p.storedUnless == value) continue;
    out += "  " + std::string(kPrefix) + std::string(p.name) + " = " + ValueText(p, value) + "\n";
  }
  out += std::string(kEnd) + "\n";
  return out;
}

void LoadObject(std::string_view stream, TSmoothFill& fill) {
  std::vector<const StreamProperty*> seen;
  bool started = false;
  bool ended = false;
  while (!stream.empty() && !ended) {
    const std::size_t eol = stream.find('\n');
    const std::string_view line = Trim(stream.substr(0, eol));
    stream.remove_prefix(eol == std::string_view::npos ? stream.size() : eol + 1);
    if (line.empty()) continue;
    if (!started) {
      if (line != kHolder) Malformed("Invalid stream format");
      started = true;
      continue;
    }
    if (line == kEnd) {
      ended = true;
      continue;
    }
    const std::size_t eq = line.find('=');
    const std::string_view name = Trim(line.substr(0, eq));
    if (eq == std::string_view::npos || !name.starts_with(kPrefix)) {
      Malformed("Invalid stream format");
    }
    bool isPicture = false;
    const StreamProperty* p = FindProperty(name.substr(kPrefix.size()), isPicture);
    if (!p) Malformed("Property " + std::string(name) + " does not exist");
    const std::string_view value = Trim(line.substr(eq + 1));
    if (isPicture) {
      LoadPictureValue(p->picture(fill), value, name);
    } else {
      p->set(fill, ParseValue(*p, value));
    }
    seen.push_back(p);
  }
  if (!ended) Malformed("Invalid stream format");

  // Omitted means "at the stored-unless value" (an empty picture for pictures).
  for (const StreamProperty& p : kProperties) {
    if (std::find(seen.begin(), seen.end(), &p) != seen.end()) continue;
    if (p.picture) {
      if (!p.picture(fill).Empty()) p.picture(fill).Assign(nullptr);
    } else if (p.storedUnless) {
      p.set(fill, *p.storedUnless);
    }
  }
}

}  // namespace tavrin
