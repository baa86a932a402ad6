#pragma once
// TSmoothFill: how a smooth widget's background is painted.
//
// A fill is pure description plus change notification. Every setter compares, stores and then
// calls Changed(), which raises OnChange unless updates are held (BeginUpdate). The owning
// widget hooks OnChange to mark its cached image stale. The fill owns its two pictures and
// routes their own change notification through PictureChanged(), so loading a picture is
// announced like any other change.
//
// Painting lives in fill_renderer.cpp, the INI section and hex text forms in fill_ini.cpp, the
// clipboard form in fill_clipboard.cpp (GTK) on top of the property stream in
// fill_stream.cpp.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_graphics.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/smooth_picture.h"
#include "widgets/fill/fill_canvas.h"
#include "widgets/fill/fill_types.h"

namespace tavrin {

class IniFile;

class TSmoothFill {
 public:
  using TNotifyEvent = std::function<void(TSmoothFill& sender)>;

  // A fill with the documented defaults and two empty pictures (background picture first).
  TSmoothFill();
  ~TSmoothFill();
  // Widgets own their fill and copy values into it (Assign); a fill never moves, because its
  // pictures call back into it.
  TSmoothFill(const TSmoothFill&) = delete;
  TSmoothFill& operator=(const TSmoothFill&) = delete;

  // ---- Published properties (in stored order) ----
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor value);
  // clNone: the fill has no mirror area.
  TColor ColorMirror() const { return FColorMirror; }
  void SetColorMirror(TColor value);
  TColor ColorMirrorTo() const { return FColorMirrorTo; }
  void SetColorMirrorTo(TColor value);
  TGradientType GradientType() const { return FGradientType; }
  void SetGradientType(TGradientType value);
  TGradientType GradientMirrorType() const { return FGradientMirrorType; }
  void SetGradientMirrorType(TGradientType value);
  tavrin::HatchStyle HatchStyle() const { return FHatchStyle; }
  void SetHatchStyle(tavrin::HatchStyle value);
  tavrin::HatchStyle HatchStyleMirror() const { return FHatchStyleMirror; }
  void SetHatchStyleMirror(tavrin::HatchStyle value);
  TFillPictureMode BackGroundPictureMode() const { return FBackGroundPictureMode; }
  void SetBackGroundPictureMode(TFillPictureMode value);
  // The owned picture; the setter copies the given one (never adopts it).
  TSmoothPicture& BackGroundPicture() const { return *FBackGroundPicture; }
  void SetBackGroundPicture(const TSmoothPicture& value);
  TFillPicturePosition BackGroundPicturePosition() const { return FBackGroundPicturePosition; }
  void SetBackGroundPicturePosition(TFillPicturePosition value);
  int32_t BackGroundPictureLeft() const { return FBackGroundPictureLeft; }
  void SetBackGroundPictureLeft(int32_t value);
  int32_t BackGroundPictureTop() const { return FBackGroundPictureTop; }
  void SetBackGroundPictureTop(int32_t value);
  TSmoothPicture& Picture() const { return *FPicture; }
  void SetPicture(const TSmoothPicture& value);
  TFillPicturePosition PicturePosition() const { return FPicturePosition; }
  void SetPicturePosition(TFillPicturePosition value);
  int32_t PictureLeft() const { return FPictureLeft; }
  void SetPictureLeft(int32_t value);
  int32_t PictureTop() const { return FPictureTop; }
  void SetPictureTop(int32_t value);
  TFillPictureSize PictureSize() const { return FPictureSize; }
  void SetPictureSize(TFillPictureSize value);
  int32_t PictureWidth() const { return FPictureWidth; }
  void SetPictureWidth(int32_t value);
  int32_t PictureHeight() const { return FPictureHeight; }
  void SetPictureHeight(int32_t value);
  uint8_t Opacity() const { return FOpacity; }
  void SetOpacity(uint8_t value);
  uint8_t OpacityTo() const { return FOpacityTo; }
  void SetOpacityTo(uint8_t value);
  uint8_t OpacityMirror() const { return FOpacityMirror; }
  void SetOpacityMirror(uint8_t value);
  uint8_t OpacityMirrorTo() const { return FOpacityMirrorTo; }
  void SetOpacityMirrorTo(uint8_t value);
  // clNone draws no border.
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor value);
  uint8_t BorderOpacity() const { return FBorderOpacity; }
  void SetBorderOpacity(uint8_t value);
  // 0 or less draws no border.
  int32_t BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int32_t value);
  int32_t Rounding() const { return FRounding; }
  void SetRounding(int32_t value);
  TFillRoundingType RoundingType() const { return FRoundingType; }
  void SetRoundingType(TFillRoundingType value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor value);
  // 0 or less draws no shadow.
  int32_t ShadowOffset() const { return FShadowOffset; }
  void SetShadowOffset(int32_t value);
  int32_t Angle() const { return FAngle; }
  void SetAngle(int32_t value);
  // Raised after a change while no update is held; written directly.
  TNotifyEvent OnChange;
  TGlowMode Glow() const { return FGlow; }
  void SetGlow(TGlowMode value);
  TColor GlowGradientColor() const { return FGlowGradientColor; }
  void SetGlowGradientColor(TColor value);
  TColor GlowRadialColor() const { return FGlowRadialColor; }
  void SetGlowRadialColor(TColor value);

  // ---- Public, neither stored nor copied ----
  bool Focus() const { return FFocus; }
  void SetFocus(bool value);
  TColor FocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor value);
  // The last painted body rectangle shrunk by BorderWidth on each side (set by every Fill).
  const TGPRectF& FocusRect() const { return FFocusRect; }

  // ---- Change notification ----
  void Changed();
  void PictureChanged();
  void BeginUpdate();
  // Lowers the count (never below 0) without announcing the changes made meanwhile.
  void EndUpdate();
  int32_t UpdateCount() const { return FUpdateCount; }

  // Copies every published property (not Focus, FocusColor, FocusRect, OnChange) straight
  // into the fields, the pictures by their own Assign, then announces once. A null source is
  // ignored, as is any source that is not a fill.
  void Assign(const TSmoothFill* source);
  void Assign(const TSmoothFill& source) { Assign(&source); }

  // ---- Storage ----
  // One INI section per fill. Writing throws EIniFileException ("Unable to write to <file>");
  // reading falls back to the current value for every missing key and throws EConvertError
  // ("No Hex-Number") for malformed picture text, leaving the keys read so far loaded.
  void SaveToFile(const std::string& fileName, const std::string& section);
  void LoadFromFile(const std::string& fileName, const std::string& section);
  void SaveToFile(IniFile& ini, const std::string& section);
  void LoadFromFile(const IniFile& ini, const std::string& section);
  // The clipboard format "GDI+ Fill". Both need an open GTK display; LoadFromClipBoard does
  // nothing when the clipboard holds no fill and throws EReadError for a malformed one.
  void SaveToClipBoard();
  void LoadFromClipBoard();

  // ---- Painting (fill_renderer.cpp) ----
  // Paints the fill into R and returns the body rectangle (R less the shadow). An opacity
  // argument below 255 replaces the fill's own value for this call. A null surface draws
  // nothing and returns R. Updates FocusRect; never raises OnChange.
  TGPRectF Fill(TGPGraphics* graphics, TGPRectF R, uint8_t ABorderOpacity = 255,
                uint8_t AOpacity = 255, uint8_t AOpacityTo = 255, uint8_t AOpacityMirror = 255,
                uint8_t AOpacityMirrorTo = 255);
  TGPRectF Fill(TGPGraphics& graphics, TGPRectF R, uint8_t ABorderOpacity = 255,
                uint8_t AOpacity = 255, uint8_t AOpacityTo = 255, uint8_t AOpacityMirror = 255,
                uint8_t AOpacityMirrorTo = 255);
  TGPRectF Fill(FillCanvas& canvas, TGPRectF R, uint8_t ABorderOpacity = 255,
                uint8_t AOpacity = 255, uint8_t AOpacityTo = 255, uint8_t AOpacityMirror = 255,
                uint8_t AOpacityMirrorTo = 255);
  // One background area: the main area (Mirror false) or the mirror area; the opacities are
  // the resolved ones of Color, ColorTo, ColorMirror and ColorMirrorTo.
  void DrawGradientBackGround(FillCanvas& canvas, const TGPRectF& R, bool Mirror, uint8_t oc,
                              uint8_t octo, uint8_t ocmr, uint8_t ocmrto);
  void DrawGradientBackGround(TGPGraphics& graphics, const TGPRectF& R, bool Mirror, uint8_t oc,
                              uint8_t octo, uint8_t ocmr, uint8_t ocmrto);
  // The glow over R; removes every clip afterwards when it drew.
  void DrawGlow(FillCanvas& canvas, const TGPRectF& R);
  void DrawGlow(TGPGraphics& graphics, const TGPRectF& R);

 private:
  template <typename T>
  void SetField(T& field, T value) {
    if (field == value) return;
    field = value;
    Changed();
  }
  void SetOwnedPicture(TSmoothPicture& owned, const TSmoothPicture& value);
  void PaintBackground(FillCanvas& canvas, const TGPRectF& R, uint8_t oc, uint8_t octo,
                       uint8_t ocmr, uint8_t ocmrto);
  void PaintArea(FillCanvas& canvas, const TGPRectF& R, bool mirror,
                 TFillRoundingType radialCorners, uint8_t oc, uint8_t octo, uint8_t ocmr,
                 uint8_t ocmrto);
  void PaintBackGroundPicture(FillCanvas& canvas, const TRect& rc);
  void PaintFocus(FillCanvas& canvas, const TGPRectF& R, uint8_t oc);
  void PaintPicture(FillCanvas& canvas, const TRect& rc);
  void LoadPictureKey(const IniFile& ini, const std::string& section, const char* textKey,
                      const char* sizeKey, TSmoothPicture& picture);

  friend struct FillPropertyAccess;

  TColor FColor = clSilver;
  TColor FColorTo = clGray;
  TColor FColorMirror = clNone;
  TColor FColorMirrorTo = clNone;
  TGradientType FGradientType = gtVertical;
  TGradientType FGradientMirrorType = gtSolid;
  tavrin::HatchStyle FHatchStyle = HatchStyleHorizontal;
  tavrin::HatchStyle FHatchStyleMirror = HatchStyleHorizontal;
  TFillPictureMode FBackGroundPictureMode = pmOutsideFill;
  std::unique_ptr<TSmoothPicture> FBackGroundPicture;
  TFillPicturePosition FBackGroundPicturePosition = ppTopLeft;
  int32_t FBackGroundPictureLeft = 0;
  int32_t FBackGroundPictureTop = 0;
  std::unique_ptr<TSmoothPicture> FPicture;
  TFillPicturePosition FPicturePosition = ppTopLeft;
  int32_t FPictureLeft = 0;
  int32_t FPictureTop = 0;
  TFillPictureSize FPictureSize = psOriginal;
  int32_t FPictureWidth = 50;
  int32_t FPictureHeight = 50;
  uint8_t FOpacity = 255;
  uint8_t FOpacityTo = 255;
  uint8_t FOpacityMirror = 255;
  uint8_t FOpacityMirrorTo = 255;
  TColor FBorderColor = clNone;
  uint8_t FBorderOpacity = 255;
  int32_t FBorderWidth = 1;
  int32_t FRounding = 0;
  TFillRoundingType FRoundingType = rtBoth;
  TColor FShadowColor = clGray;
  int32_t FShadowOffset = 0;
  int32_t FAngle = 0;
  TGlowMode FGlow = gmNone;
  TColor FGlowGradientColor = clWhite;
  TColor FGlowRadialColor = clWhite;
  bool FFocus = false;
  TColor FFocusColor = clBlack;
  TGPRectF FFocusRect{};
  int32_t FUpdateCount = 0;
};

}  // namespace tavrin
