#pragma once
// TSmoothButton: a push button with a glossy rounded face, an optional picture, a focus
// rectangle and an optional status badge.
//
// States
// ------
//   idle     FDown false.
//   pressed  FDown true: set by a press on the enabled button, and during the two flashes.
//   The pressed look shows only while FDown and FMouseInside are both true. Leaving the button
//   clears FDown, so dragging out and back in shows the idle look until the next press.
//   FFocused follows focus enter and exit.
//
// Transitions (all on the user-interface thread)
//   press (any button, enabled)   FDown, focus when TabStop, repaint at once.
//   release (any button)          click; then, still enabled: pressed look painted at once,
//                                 100 ms wait, idle look painted at once.
//   Space / Enter                 modal result to the form, click.
//   accelerator character         FDown, repaint, click, 150 ms wait, FDown off, repaint.
//   enter / leave, focus, enabled, caption, any property   Changed.
// The waits block the thread (nothing else runs meanwhile); the click handler has returned
// before the flash starts. Tests replace the wait with SetSleepFunction.
//
// Cache
// -----
// The whole look (face, focus rectangle, badge) is rendered into FCache, a Width x Height
// 32-bit ARGB image, only when FValidCache is false, and only inside Paint. Changed() marks it
// stale and invalidates the control, so any number of changes before a paint cost one
// rebuild. Every paint composites the cache over what the parent painted in the button's area
// (the control layer paints parents first). The image is re-created only on size changes.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "widgets/controls/badge.h"
#include "widgets/controls/button_face.h"
#include "widgets/controls/control.h"
#include "widgets/controls/orvel_style.h"
#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_graphics.h"
#include "widgets/drawing/gp_image.h"
#include "widgets/drawing/smooth_picture.h"

namespace tavrin::controls {

class TSmoothButton : public TControl, public IOrvelStyle {
 public:
  // Blocks the calling thread for the given time (the press flashes).
  using TSleepFunction = std::function<void(std::chrono::milliseconds)>;

  // designTime: created fresh in a designer rather than loaded from stored form data; such a
  // button gets a preset badge ("0", red, white text).
  explicit TSmoothButton(TControl* parent = nullptr, bool designTime = false);
  ~TSmoothButton() override;

  // ---- Properties (each setter compares, stores and runs Changed unless noted)
  TButtonFace& Appearance() { return *FAppearance; }
  const TButtonFace& Appearance() const { return *FAppearance; }
  void SetAppearance(const TButtonFace& value);  // copies the values
  TSmoothButtonStatus& Status() { return *FButtonStatus; }
  const TSmoothButtonStatus& Status() const { return *FButtonStatus; }
  void SetStatus(const TSmoothButtonStatus& value);  // copies the values
  bool Bevel() const { return FBevel; }
  void SetBevel(bool value);
  TColor BevelColor() const { return FBevelColor; }
  void SetBevelColor(TColor value);
  // The face's base colour (not the control's background colour, which the face covers).
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(std::string value);
  // The picture's own change notification rebuilds the look.
  TSmoothPicture& Picture() { return *FPicture; }
  void SetPicture(const TSmoothPicture* value);  // copies the picture
  bool Shadow() const { return FShadow; }
  void SetShadow(bool value);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool value);
  int32_t HorizontalSpacing() const { return FHorizontalSpacing; }
  void SetHorizontalSpacing(int32_t value);
  int32_t VerticalSpacing() const { return FVerticalSpacing; }
  void SetVerticalSpacing(int32_t value);
  // Always "1.6.9.6"; writing (also from stored form data) has no effect.
  std::string Version() const { return "1.6.9.6"; }
  void SetVersion(const std::string&) {}
  // Handed to the top-level form on every click; stored only.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }

  // ---- Operations
  // Writes ModalResult into the top-level form (when there is one), then clicks.
  void DoClick();
  // Re-creates the cache image at the current size and marks it stale (unless DisableCache).
  void InvalidateCache();
  // Only the low seven bits of the style choose the colour; tsCustom keeps it.
  void SetComponentStyle(TOrvelStyle AStyle) override;
  std::string GetThemeId() const { return "TSmoothButton"; }
  // Stores / loads the key "Color" in the section GetThemeId of an INI file.
  void SaveToTheme(const std::string& fileName);
  void LoadFromTheme(const std::string& fileName);

  void SetBounds(int left, int top, int width, int height) override;
  // With TabStop: arrows and all keys (Enter too) are the button's own.
  unsigned DialogCode() const override;

  // ---- State, for the owner and for tests
  bool Down() const { return FDown; }
  bool MouseInside() const { return FMouseInside; }
  bool HasFocusLook() const { return FFocused; }
  bool CacheValid() const { return FValidCache; }
  const TGPBitmap& CacheImage() const { return *FCache; }
  // Times the cached look was rendered, and paint requests served, since creation.
  uint64_t CacheBuildCount() const { return cacheBuilds_; }
  uint64_t PaintCount() const { return paints_; }
  // Replaces the blocking wait of the press flashes.
  void SetSleepFunction(TSleepFunction sleep) { sleep_ = std::move(sleep); }

  // Renders the whole look into an image of the button's size (as the cache holds it).
  void RenderLook(TGPBitmap& target);

 protected:
  void Paint(cairo_t* cr) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyPress(char32_t& key) override;
  void DoEnter() override;
  void DoExit() override;
  bool DialogChar(char32_t character) override;
  void Resize() override;
  void EnabledChanged() override;
  void FontChanged() override;

 private:
  void Changed();
  void RebuildCache();
  bool BadgeShows() const;
  void HandModalResultToForm();
  void Flash(std::chrono::milliseconds duration);
  void CopyParentFontToAppearance();

  bool DisableCache = false;
  bool FMouseInside = false;
  std::unique_ptr<TGPBitmap> FCache;
  bool FValidCache = false;
  bool FFocused = false;
  bool FDesignTime = false;
  std::unique_ptr<TButtonFace> FAppearance;
  TColor FColor = clGray;
  bool FDown = false;
  std::unique_ptr<TSmoothPicture> FPicture;
  bool FBevel = true;
  bool FShadow = false;
  TColor FBevelColor = clWhite;
  std::unique_ptr<TSmoothButtonStatus> FButtonStatus;
  int32_t FVerticalSpacing = 5;
  int32_t FHorizontalSpacing = 5;
  TModalResult FModalResult = 0;
  bool FShowFocus = true;
  std::string FCaption;

  bool copyingParentFont_ = false;
  uint64_t cacheBuilds_ = 0;
  uint64_t paints_ = 0;
  TSleepFunction sleep_;
};

// The character after the caption's accelerator marker ('&' not doubled), lower-cased; 0 when
// the caption has none. The last marker counts when there are several.
char32_t AcceleratorOf(std::string_view caption);

// DrawFocus: a dotted, non-anti-aliased rounded rectangle; leaves smoothing off.
void DrawFocus(TGPGraphics& g, const TRect& r, int32_t rn, TColor c);

}  // namespace tavrin::controls
