// TSmoothPanelCaption: the smooth panel's caption description (text, its brush and separator
// line, and the second, HTML-formatted text). Pure description with change notification: every
// setter compares, stores and calls Changed, which raises OnChange (the owning panel hooks it to
// mark its cached image stale).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_text.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/smooth_picture.h"
#include "widgets/fill/fill_types.h"

namespace tavrin {
class IniFile;
}

namespace tavrin::controls {

// Stored as one byte.
enum TSmoothPanelLocation : std::uint8_t {
  plTopLeft = 0,
  plTopCenter = 1,
  plTopRight = 2,
  plCenterLeft = 3,
  plCenterCenter = 4,
  plCenterRight = 5,
  plBottomLeft = 6,
  plBottomCenter = 7,
  plBottomRight = 8,
  plCustom = 9,
};

enum TSmoothPanelTextRenderingHint : std::uint8_t {
  tAntiAlias = 0,
  tAntiAliasGridFit = 1,
  tClearType = 2,
};

// The surface hint a caption's TextRendering stands for.
TextRenderingHint TextRenderingHintOf(TSmoothPanelTextRenderingHint hint);

class TSmoothPanelCaption {
 public:
  using TNotifyEvent = std::function<void(TSmoothPanelCaption& sender)>;

  TSmoothPanelCaption();
  virtual ~TSmoothPanelCaption();
  // The picture calls back into its caption, so a caption never moves; copy values with Assign.
  TSmoothPanelCaption(const TSmoothPanelCaption&) = delete;
  TSmoothPanelCaption& operator=(const TSmoothPanelCaption&) = delete;

  // ---- Published properties, in stored order ----
  const std::string& Text() const { return FText; }
  void SetText(const std::string& value);
  TSmoothPanelLocation Location() const { return FLocation; }
  void SetLocation(TSmoothPanelLocation value);
  tavrin::HatchStyle HatchStyle() const { return FHatchStyle; }
  void SetHatchStyle(tavrin::HatchStyle value);
  const TFont& HTMLFont() const { return FHTMLFont; }
  void SetHTMLFont(const TFont& value);
  const std::string& HTMLText() const { return FHTMLText; }
  void SetHTMLText(const std::string& value);
  TSmoothPanelLocation HTMLLocation() const { return FHTMLLocation; }
  void SetHTMLLocation(TSmoothPanelLocation value);
  int32_t HTMLLeft() const { return FHTMLLeft; }
  void SetHTMLLeft(int32_t value);
  int32_t HTMLTop() const { return FHTMLTop; }
  void SetHTMLTop(int32_t value);
  TColor HTMLURLColor() const { return FHTMLURLColor; }
  void SetHTMLURLColor(TColor value);
  TColor HTMLShadowColor() const { return FHTMLShadowColor; }
  void SetHTMLShadowColor(TColor value);
  int32_t HTMLShadowOffset() const { return FHTMLShadowOffset; }
  void SetHTMLShadowOffset(int32_t value);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& value);
  int32_t Left() const { return FLeft; }
  void SetLeft(int32_t value);
  int32_t Top() const { return FTop; }
  void SetTop(int32_t value);
  // The owned picture (the texture of a gtTexture caption); the setter copies the given one.
  TSmoothPicture& Picture() const { return *FPicture; }
  void SetPicture(const TSmoothPicture& value);
  TColor ColorStart() const { return FStartColor; }
  void SetColorStart(TColor value);
  TColor ColorEnd() const { return FEndColor; }
  void SetColorEnd(TColor value);
  uint8_t OpacityStart() const { return FStartOpacity; }
  void SetOpacityStart(uint8_t value);
  uint8_t OpacityEnd() const { return FEndOpacity; }
  void SetOpacityEnd(uint8_t value);
  TGradientType GradientType() const { return FGradientType; }
  void SetGradientType(TGradientType value);
  TColor LineColor() const { return FLineColor; }
  virtual void SetLineColor(TColor value);
  bool Line() const { return FLine; }
  void SetLine(bool value);
  TSmoothPanelTextRenderingHint TextRendering() const { return FTextRendering; }
  void SetTextRendering(TSmoothPanelTextRenderingHint value);
  TNotifyEvent OnChange;

  void Changed();
  // Copies everything but LineColor and TextRendering from another caption, then announces
  // once. A null source changes nothing.
  void Assign(const TSmoothPanelCaption* source);
  // Kept for the theme files: a caption stores nothing there.
  void SaveToFile(IniFile& ini, const std::string& Section);
  void LoadFromfile(IniFile& ini, const std::string& Section);

 private:
  template <typename T>
  void SetField(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

  TGradientType FGradientType = gtVertical;
  TSmoothPanelLocation FLocation = plTopLeft;
  std::unique_ptr<TSmoothPicture> FPicture;
  TColor FEndColor = 0x9F661A;
  tavrin::HatchStyle FHatchStyle = HatchStyleHorizontal;
  TFont FFont{"Tahoma", 12, 0, clWindowText};
  uint8_t FStartOpacity = 255;
  std::string FText;
  int32_t FTop = 0;
  int32_t FLeft = 0;
  uint8_t FEndOpacity = 255;
  TColor FStartColor = 0xB0721C;
  std::string FHTMLText;
  TSmoothPanelLocation FHTMLLocation = plCenterCenter;
  int32_t FHTMLTop = 0;
  int32_t FHTMLLeft = 0;
  TColor FHTMLShadowColor = clGray;
  TColor FHTMLURLColor = clBlue;
  int32_t FHTMLShadowOffset = 5;
  TFont FHTMLFont{"Tahoma", 8, 0, clWindowText};
  TColor FLineColor = 0xB0721C;
  bool FLine = true;
  TSmoothPanelTextRenderingHint FTextRendering = tAntiAliasGridFit;
};

}  // namespace tavrin::controls
