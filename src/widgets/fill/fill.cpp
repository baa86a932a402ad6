#include "widgets/fill/fill.h"

namespace tavrin {

TSmoothFill::TSmoothFill()
    : FBackGroundPicture(std::make_unique<TSmoothPicture>()),
      FPicture(std::make_unique<TSmoothPicture>()) {
  FBackGroundPicture->OnChange = [this](TSmoothPicture&) { PictureChanged(); };
  FPicture->OnChange = [this](TSmoothPicture&) { PictureChanged(); };
}

// The members are declared background picture first, so the picture is freed first.
TSmoothFill::~TSmoothFill() = default;

// ---- Notification ------------------------------------------------------------------------

void TSmoothFill::Changed() {
  if (OnChange && FUpdateCount == 0) OnChange(*this);
}

void TSmoothFill::PictureChanged() {
  Changed();
}

void TSmoothFill::BeginUpdate() {
  ++FUpdateCount;
}

void TSmoothFill::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
}

// ---- Setters -----------------------------------------------------------------------------

void TSmoothFill::SetColor(TColor value) {
  SetField(FColor, value);
}
void TSmoothFill::SetColorTo(TColor value) {
  SetField(FColorTo, value);
}
void TSmoothFill::SetColorMirror(TColor value) {
  SetField(FColorMirror, value);
}
void TSmoothFill::SetColorMirrorTo(TColor value) {
  SetField(FColorMirrorTo, value);
}
void TSmoothFill::SetGradientType(TGradientType value) {
  SetField(FGradientType, value);
}
void TSmoothFill::SetGradientMirrorType(TGradientType value) {
  SetField(FGradientMirrorType, value);
}
void TSmoothFill::SetHatchStyle(tavrin::HatchStyle value) {
  SetField(FHatchStyle, value);
}
void TSmoothFill::SetHatchStyleMirror(tavrin::HatchStyle value) {
  SetField(FHatchStyleMirror, value);
}
void TSmoothFill::SetBackGroundPictureMode(TFillPictureMode value) {
  SetField(FBackGroundPictureMode, value);
}
void TSmoothFill::SetBackGroundPicture(const TSmoothPicture& value) {
  SetOwnedPicture(*FBackGroundPicture, value);
}
void TSmoothFill::SetBackGroundPicturePosition(TFillPicturePosition value) {
  SetField(FBackGroundPicturePosition, value);
}
void TSmoothFill::SetBackGroundPictureLeft(int32_t value) {
  SetField(FBackGroundPictureLeft, value);
}
void TSmoothFill::SetBackGroundPictureTop(int32_t value) {
  SetField(FBackGroundPictureTop, value);
}
void TSmoothFill::SetPicture(const TSmoothPicture& value) {
  SetOwnedPicture(*FPicture, value);
}
void TSmoothFill::SetPicturePosition(TFillPicturePosition value) {
  SetField(FPicturePosition, value);
}
void TSmoothFill::SetPictureLeft(int32_t value) {
  SetField(FPictureLeft, value);
}
void TSmoothFill::SetPictureTop(int32_t value) {
  SetField(FPictureTop, value);
}
void TSmoothFill::SetPictureSize(TFillPictureSize value) {
  SetField(FPictureSize, value);
}
void TSmoothFill::SetPictureWidth(int32_t value) {
  SetField(FPictureWidth, value);
}
void TSmoothFill::SetPictureHeight(int32_t value) {
  SetField(FPictureHeight, value);
}
void TSmoothFill::SetOpacity(uint8_t value) {
  SetField(FOpacity, value);
}
void TSmoothFill::SetOpacityTo(uint8_t value) {
  SetField(FOpacityTo, value);
}
void TSmoothFill::SetOpacityMirror(uint8_t value) {
  SetField(FOpacityMirror, value);
}
void TSmoothFill::SetOpacityMirrorTo(uint8_t value) {
  SetField(FOpacityMirrorTo, value);
}
void TSmoothFill::SetBorderColor(TColor value) {
  SetField(FBorderColor, value);
}
void TSmoothFill::SetBorderOpacity(uint8_t value) {
  SetField(FBorderOpacity, value);
}
void TSmoothFill::SetBorderWidth(int32_t value) {
  SetField(FBorderWidth, value);
}
void TSmoothFill::SetRounding(int32_t value) {
  SetField(FRounding, value);
}
void TSmoothFill::SetRoundingType(TFillRoundingType value) {
  SetField(FRoundingType, value);
}
void TSmoothFill::SetShadowColor(TColor value) {
  SetField(FShadowColor, value);
}
void TSmoothFill::SetShadowOffset(int32_t value) {
  SetField(FShadowOffset, value);
}
void TSmoothFill::SetAngle(int32_t value) {
  SetField(FAngle, value);
}
void TSmoothFill::SetGlow(TGlowMode value) {
  SetField(FGlow, value);
}
void TSmoothFill::SetGlowGradientColor(TColor value) {
  SetField(FGlowGradientColor, value);
}
void TSmoothFill::SetGlowRadialColor(TColor value) {
  SetField(FGlowRadialColor, value);
}
void TSmoothFill::SetFocus(bool value) {
  SetField(FFocus, value);
}
void TSmoothFill::SetFocusColor(TColor value) {
  SetField(FFocusColor, value);
}

// The comparison is by object, not by content: handing the fill another picture always copies
// it (the copy announces itself) and then announces the fill's change.
void TSmoothFill::SetOwnedPicture(TSmoothPicture& owned, const TSmoothPicture& value) {
  if (&owned == &value) return;
  owned.Assign(&value);
  Changed();
}

// ---- Copying -----------------------------------------------------------------------------

void TSmoothFill::Assign(const TSmoothFill* source) {
  if (source == nullptr || source == this) return;
  const TSmoothFill& s = *source;
  FColor = s.FColor;
  FColorTo = s.FColorTo;
  FColorMirror = s.FColorMirror;
  FColorMirrorTo = s.FColorMirrorTo;
  FGradientType = s.FGradientType;
  FGradientMirrorType = s.FGradientMirrorType;
  FHatchStyle = s.FHatchStyle;
  FHatchStyleMirror = s.FHatchStyleMirror;
  FBackGroundPicture->Assign(s.FBackGroundPicture.get());
  FBackGroundPicturePosition = s.FBackGroundPicturePosition;
  FBackGroundPictureLeft = s.FBackGroundPictureLeft;
  FBackGroundPictureTop = s.FBackGroundPictureTop;
  FPicture->Assign(s.FPicture.get());
  FPicturePosition = s.FPicturePosition;
  FPictureLeft = s.FPictureLeft;
  FPictureTop = s.FPictureTop;
  FPictureSize = s.FPictureSize;
  FPictureWidth = s.FPictureWidth;
  FPictureHeight = s.FPictureHeight;
  FOpacity = s.FOpacity;
  FOpacityTo = s.FOpacityTo;
  FOpacityMirror = s.FOpacityMirror;
  FOpacityMirrorTo = s.FOpacityMirrorTo;
  FBorderColor = s.FBorderColor;
  FBorderWidth = s.FBorderWidth;
  FRounding = s.FRounding;
  FRoundingType = s.FRoundingType;
  FShadowColor = s.FShadowColor;
  FShadowOffset = s.FShadowOffset;
  FAngle = s.FAngle;
  FBorderOpacity = s.FBorderOpacity;
  FBackGroundPictureMode = s.FBackGroundPictureMode;
  FGlowGradientColor = s.FGlowGradientColor;
  FGlowRadialColor = s.FGlowRadialColor;
  FGlow = s.FGlow;
  Changed();
}

}  // namespace tavrin
