#include "widgets/controls/panel_caption.h"

#include "widgets/fill/ini_file.h"

namespace tavrin::controls {

TextRenderingHint TextRenderingHintOf(TSmoothPanelTextRenderingHint hint) {
  switch (hint) {
    case tAntiAlias: return TextRenderingHintAntiAlias;
    case tClearType: return TextRenderingHintClearTypeGridFit;
    case tAntiAliasGridFit: break;
  }
  return TextRenderingHintAntiAliasGridFit;
}

TSmoothPanelCaption::TSmoothPanelCaption() : FPicture(std::make_unique<TSmoothPicture>()) {
  FPicture->OnChange = [this](TSmoothPicture&) { Changed(); };
}

TSmoothPanelCaption::~TSmoothPanelCaption() { FPicture->OnChange = nullptr; }

void TSmoothPanelCaption::SetText(const std::string& value) { SetField(FText, value); }
void TSmoothPanelCaption::SetLocation(TSmoothPanelLocation value) { SetField(FLocation, value); }
void TSmoothPanelCaption::SetHatchStyle(tavrin::HatchStyle value) { SetField(FHatchStyle, value); }
void TSmoothPanelCaption::SetHTMLFont(const TFont& value) { SetField(FHTMLFont, value); }
void TSmoothPanelCaption::SetHTMLText(const std::string& value) { SetField(FHTMLText, value); }
void TSmoothPanelCaption::SetHTMLLocation(TSmoothPanelLocation value) {
  SetField(FHTMLLocation, value);
}
void TSmoothPanelCaption::SetHTMLLeft(int32_t value) { SetField(FHTMLLeft, value); }
void TSmoothPanelCaption::SetHTMLTop(int32_t value) { SetField(FHTMLTop, value); }
void TSmoothPanelCaption::SetHTMLURLColor(TColor value) { SetField(FHTMLURLColor, value); }
void TSmoothPanelCaption::SetHTMLShadowColor(TColor value) { SetField(FHTMLShadowColor, value); }
void TSmoothPanelCaption::SetHTMLShadowOffset(int32_t value) { SetField(FHTMLShadowOffset, value); }
void TSmoothPanelCaption::SetFont(const TFont& value) { SetField(FFont, value); }
void TSmoothPanelCaption::SetLeft(int32_t value) { SetField(FLeft, value); }
void TSmoothPanelCaption::SetTop(int32_t value) { SetField(FTop, value); }
// The picture announces its own change, which ends in Changed.
void TSmoothPanelCaption::SetPicture(const TSmoothPicture& value) { FPicture->Assign(&value); }
void TSmoothPanelCaption::SetColorStart(TColor value) { SetField(FStartColor, value); }
void TSmoothPanelCaption::SetColorEnd(TColor value) { SetField(FEndColor, value); }
void TSmoothPanelCaption::SetOpacityStart(uint8_t value) { SetField(FStartOpacity, value); }
void TSmoothPanelCaption::SetOpacityEnd(uint8_t value) { SetField(FEndOpacity, value); }
void TSmoothPanelCaption::SetGradientType(TGradientType value) { SetField(FGradientType, value); }
void TSmoothPanelCaption::SetLineColor(TColor value) { SetField(FLineColor, value); }
void TSmoothPanelCaption::SetLine(bool value) { SetField(FLine, value); }
void TSmoothPanelCaption::SetTextRendering(TSmoothPanelTextRenderingHint value) {
  SetField(FTextRendering, value);
}

void TSmoothPanelCaption::Changed() {
  if (OnChange) OnChange(*this);
}

void TSmoothPanelCaption::Assign(const TSmoothPanelCaption* source) {
  if (source == nullptr || source == this) return;
  const TSmoothPanelCaption& s = *source;
  FText = s.FText;
  FLocation = s.FLocation;
  FLeft = s.FLeft;
  FTop = s.FTop;
  FStartColor = s.FStartColor;
  FEndColor = s.FEndColor;
  FGradientType = s.FGradientType;
  FHatchStyle = s.FHatchStyle;
  FStartOpacity = s.FStartOpacity;
  FEndOpacity = s.FEndOpacity;
  {
    // The copy is announced once, below, not by the picture as well.
    auto hook = std::move(FPicture->OnChange);
    FPicture->OnChange = nullptr;
    FPicture->Assign(s.FPicture.get());
    FPicture->OnChange = std::move(hook);
  }
  FHTMLText = s.FHTMLText;
  FHTMLLocation = s.FHTMLLocation;
  FHTMLLeft = s.FHTMLLeft;
  FHTMLTop = s.FHTMLTop;
  FHTMLURLColor = s.FHTMLURLColor;
  FHTMLShadowColor = s.FHTMLShadowColor;
  FHTMLShadowOffset = s.FHTMLShadowOffset;
  FHTMLFont = s.FHTMLFont;
  FFont = s.FFont;
  FLine = s.FLine;
  Changed();
}

void TSmoothPanelCaption::SaveToFile(IniFile&, const std::string&) {}
void TSmoothPanelCaption::LoadFromfile(IniFile&, const std::string&) {}

}  // namespace tavrin::controls
