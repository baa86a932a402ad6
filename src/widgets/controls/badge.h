#pragma once
// The smooth button's status badge: a small pill with a short text (such as a count) in the
// button's top-right corner.
//
// TBadgeAppearance is the pill's look (a fill, a font, spacing, a glow) and knows its size;
// TSmoothButtonStatus says whether the badge shows, its text and offsets. Neither draws on its
// own: the button calls CalculateSize and Draw while it renders its cached look.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_graphics.h"
#include "widgets/drawing/gp_text.h"
#include "widgets/fill/fill.h"

namespace tavrin::controls {

class TBadgeAppearance {
 public:
  using TNotifyEvent = std::function<void(TBadgeAppearance& sender)>;

  TBadgeAppearance();
  TBadgeAppearance(const TBadgeAppearance&) = delete;
  TBadgeAppearance& operator=(const TBadgeAppearance&) = delete;

  TSmoothFill& Fill() { return *FFill; }
  const TSmoothFill& Fill() const { return *FFill; }
  void SetFill(const TSmoothFill& value);  // copies the values
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& value);
  int32_t Spacing() const { return FSpacing; }
  void SetSpacing(int32_t value);
  bool Glow() const { return FGlow; }
  void SetGlow(bool value);
  bool AutoSize() const { return FAutoSize; }

  TNotifyEvent OnChange;

  // Copies fill, font, glow and spacing, then notifies.
  void Assign(const TBadgeAppearance& source);

  // Measures the caption (and the fill's picture) into GetWidth / GetHeight. An empty caption
  // keeps the size measured before.
  void CalculateSize(TGPGraphics& g, std::string_view caption);
  // Paints the pill at (x, y): of the calculated size when autoSize, else width x height.
  void Draw(TGPGraphics& g, int32_t x, int32_t y, int32_t width, int32_t height, bool autoSize,
            std::string_view caption);
  int32_t GetWidth() const { return FWidth; }
  int32_t GetHeight() const { return FHeight; }

 private:
  void Changed();
  // Width and height of the caption as the badge measures it.
  TGPRectF Measure(TGPGraphics& g, std::string_view caption) const;
  void DrawGlow(TGPGraphics& g, const TGPRectF& body) const;

  int32_t FWidth = 0;
  int32_t FHeight = 0;
  std::unique_ptr<TSmoothFill> FFill;
  TFont FFont;
  bool FAutoSize = true;
  int32_t FSpacing = 0;
  bool FGlow = true;
};

class TSmoothButtonStatus {
 public:
  using TNotifyEvent = std::function<void(TSmoothButtonStatus& sender)>;

  // ownerChanged: the owning button's change routine, run by every change of the badge.
  // designTime presets a new badge: caption "0", solid red body with a grey border, white text.
  explicit TSmoothButtonStatus(std::function<void()> ownerChanged, bool designTime = false);
  TSmoothButtonStatus(const TSmoothButtonStatus&) = delete;
  TSmoothButtonStatus& operator=(const TSmoothButtonStatus&) = delete;

  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(std::string value);
  int32_t OffsetLeft() const { return FOffsetLeft; }
  void SetOffsetLeft(int32_t value);
  int32_t OffsetTop() const { return FOffsetTop; }
  void SetOffsetTop(int32_t value);
  TBadgeAppearance& Appearance() { return *FAppearance; }
  const TBadgeAppearance& Appearance() const { return *FAppearance; }
  void SetAppearance(const TBadgeAppearance& value);  // copies the values

  // Never fired: changes go straight to the owning button.
  TNotifyEvent OnChange;

  // Copies appearance, offsets, visibility and caption without a notification of its own.
  void Assign(const TSmoothButtonStatus& source);

 private:
  void Changed();

  std::function<void()> FOwnerChanged;
  int32_t FOffsetTop = 0;
  int32_t FOffsetLeft = 0;
  bool FVisible = false;
  std::string FCaption;
  std::unique_ptr<TBadgeAppearance> FAppearance;
};

}  // namespace tavrin::controls
