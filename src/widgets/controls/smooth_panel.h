// TSmoothPanel: a container control with a rounded, gradient-filled background, a caption with
// its own brush and separator line, and an optional HTML text with clickable anchors.
//
// Cache state machine
// -------------------
// The panel's whole look lives in FCache, a Width x Height 32-bit ARGB image.
//   stale (refreshcache) --Paint--> valid: the image is rebuilt once (PaintGraphics) and kept.
//   valid --any change--> stale: fill, caption (fonts and picture included), Transparent,
//          Assign, Resize and style application run Changed, which marks the image stale and
//          invalidates the control. Changes never paint, so any number of them between two
//          paints cost one rebuild.
// Every paint composites the image over what the parent painted in the panel's area (the
// control layer paints parents first), so rounded corners and the shadow show the parent.
//
// The anchor state (FOnAnchor) follows each mouse move over the HTML text; the cursor becomes
// crHandPoint over an anchor and goes back to the user's cursor elsewhere.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "widgets/controls/control.h"
#include "widgets/controls/orvel_style.h"
#include "widgets/controls/panel_caption.h"
#include "widgets/controls/picture_container.h"
#include "widgets/drawing/gp_graphics.h"
#include "widgets/drawing/gp_image.h"
#include "widgets/fill/fill.h"

namespace tavrin::controls {

// What the last cache rebuild handed to the drawing layer, for geometry checks.
struct TPanelGeometry {
  TGPRectF FillRect;     // the rectangle the fill was painted into
  TGPRectF ContentRect;  // the fill's body (less the shadow), less the picture's room
  bool CaptionMeasured = false;
  TGPRectF TextMeasured;  // the caption text's measured box
  int TextX = 0, TextY = 0;
  bool TextDrawn = false;
  TGPRectF TextLayout;      // where the caption text was drawn
  ARGB TextColors[2] = {};  // the brush's start and end colours (gradient kinds)
  bool LineDrawn = false;
  TGPPointF LineFrom, LineTo;
  bool HtmlMeasured = false;
  TRect HtmlMeasureRect;
  TRect HtmlRect;
};

class TSmoothPanel : public TControl, public IOrvelStyle {
 public:
  using TSmoothPanelAnchorClickEvent =
      std::function<void(TSmoothPanel& Sender, const std::string& Anchor)>;
  using TSmoothPanelDrawEvent =
      std::function<void(TSmoothPanel& Sender, cairo_t* Canvas, const TRect& Rect)>;

  explicit TSmoothPanel(TControl* parent = nullptr);
  ~TSmoothPanel() override;

  // ---- Published properties ----
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TSmoothPanelCaption& Caption() const { return *FCaption; }
  void SetCaption(const TSmoothPanelCaption& value);
  TSmoothFill& Fill() const { return *FFill; }
  void SetFill(const TSmoothFill& value);
  TPictureContainer* PictureContainer() const { return FContainer; }
  void SetPictureContainer(TPictureContainer* value);
  // Always "1.0.9.6"; writing (also from stored form data) has no effect.
  std::string Version() const { return "1.0.9.6"; }
  void SetVersion(const std::string&) {}
  TSmoothPanelAnchorClickEvent OnAnchorClick;
  // Called after each paint with the control's canvas and client rectangle; not cached.
  TSmoothPanelDrawEvent OnDraw;
  // Sets the control's cursor and the one restored when the mouse leaves an anchor.
  void SetCursor(TCursor value) override;

  // ---- Operations ----
  // Copies caption, fill and Transparent from another panel; anything else is ignored.
  void Assign(const TControl* Source);
  // Marks the cached image stale and invalidates the control.
  void Changed();
  void GetPosition(int& x, int& y, const TGPRectF& rectangle, int objectwidth, int objectheight,
                   TSmoothPanelLocation location) const;
  int GetShadowSize() const;
  // The target of the HTML anchor under client point (X, Y), or empty.
  std::string GetAnchorAt(int X, int Y);
  void SetComponentStyle(TOrvelStyle AStyle) override;
  std::string GetThemeId() const { return "TSmoothPanel"; }
  // INI theme file: the fill under "TSmoothPanel.Fill", the caption under "TSmoothPanel.Caption".
  void SaveToTheme(const std::string& FileName);
  void LoadFromTheme(const std::string& FileName);

  // ---- State, for tests and measurements ----
  bool CacheStale() const { return refreshcache; }
  std::uint64_t CacheBuilds() const { return cacheBuilds_; }
  // The cached image, or null before the first paint.
  const TGPBitmap* CacheImage() const { return FCache.get(); }
  const TRect& HtmlRect() const { return FHtmlr; }
  bool OverAnchor() const { return FOnAnchor; }
  const TPanelGeometry& LastGeometry() const { return geometry_; }

 protected:
  // The paint pipeline: rebuild the cache when stale, composite it, then OnDraw.
  void Paint(cairo_t* cr) override;
  // Draws fill and captions onto g.
  virtual void PaintGraphics(TGPGraphics& g);
  void Resize() override;
  void Moved() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void RebuildCache();
  // Returns the caption text's height (0 when there is no caption text).
  float PaintCaptionText(TGPGraphics& g, TGPRectF& r);
  void PaintHtmlText(TGPGraphics& g, TGPRectF r, float th);

  bool refreshcache = true;
  std::unique_ptr<TGPBitmap> FCache;
  TCursor FoldCursor = crDefault;
  bool FOnAnchor = false;
  TRect FHtmlr;
  std::unique_ptr<TSmoothPanelCaption> FCaption;
  TPictureContainer* FContainer = nullptr;
  std::unique_ptr<TSmoothFill> FFill;
  bool FTransparent = true;
  std::uint64_t cacheBuilds_ = 0;
  TPanelGeometry geometry_;
};

}  // namespace tavrin::controls
