#pragma once
// The smooth button's face: its appearance description and the painter that draws one face.
//
// TButtonFace holds what the user sets (caption font, picture layout and alignment, spacing,
// pressed shift, focus colour, flat or glossy). It draws nothing on its own initiative: `Draw`
// paints the state it is handed (`TButtonFacePaint`) into a surface, so the button keeps the
// state (pressed, focused, enabled) and the face keeps only the look.
//
// The glossy face is two gradient parts split by a shallow circular arc (the "bubble"), a band
// of the darker colour under that edge and an optional inner bevel ring; the flat face is one
// rounded area. The geometry of both is computed by pure functions (`FaceShapes`,
// `BubbleGeometryOf`, `MeasureRectFor`, `PlaceContent`) that `Draw` uses and tests can check.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_graphics.h"
#include "widgets/drawing/gp_path.h"
#include "widgets/drawing/gp_text.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/smooth_picture.h"
#include "widgets/fill/fill.h"
#include "widgets/fill/fill_types.h"
#include "widgets/fill/round_rect.h"

namespace tavrin::controls {

// Where the picture sits relative to the caption.
enum TButtonFaceLayout : uint8_t {
  blPictureLeft = 0,
  blPictureRight = 1,
  blPictureBottom = 2,
  blPictureTop = 3,
  blNone = 4,
};

// Horizontal text alignment; the face also uses it for the caption's vertical alignment.
enum TAlignment : uint8_t {
  taLeftJustify = 0,
  taRightJustify = 1,
  taCenter = 2,
};

// Raised by HSVtoRGB for a hue given with zero saturation.
class EColorConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// ---- Colour routines ----------------------------------------------------------------------

// Every channel moved by delta and clamped to 0..255; system colours are resolved first.
TColor ChangeColor(TColor color, int32_t delta);
// On 0..255 channels: V keeps that scale, S is 0..1, H is degrees or NaN when S is 0.
void RGBToHSV(double r, double g, double b, double& h, double& s, double& v);
// The inverse of RGBToHSV. Throws EColorConversionError("HSVtoRGB: S = 0 and H has a value")
// when s is 0 and h is a number.
void HSVtoRGB(double h, double s, double v, double& r, double& g, double& b);
// Color at 70 % of its HSV value: the face's pressed colour when none is given.
TColor DarkenedForPress(TColor color);

// ---- Paths --------------------------------------------------------------------------------

// The circle arc that bends a chord of width w by `Delta` below the bottom edge of a rectangle.
struct TBubbleGeometry {
  float Radius = 0;           // rs, the circle's radius
  int32_t RoundedRadius = 0;  // ri
  float StartAngle = 0;       // alpha1, degrees
  float SweepAngle = 0;       // alpha2 - alpha1, degrees
  TGPRectF ArcRect;           // the circle's bounding box
  float ChordY = 0;           // b - Delta, where the arc meets the sides
};
// Absent for Delta 0, which gives empty bubble paths.
std::optional<TBubbleGeometry> BubbleGeometryOf(const TRect& r, int32_t delta);

// The lower part: from the bubble arc down to Bottom + height of R, rounded below. Each path
// routine returns a new path in the alternate fill mode, owned by the caller.
std::unique_ptr<TGPGraphicsPath> CreateBubbleRectangleConcave(const TRect& r, int32_t radius,
                                                              int32_t delta);
// The upper part: R rounded above, down to the chord, plus the lens between chord and arc.
std::unique_ptr<TGPGraphicsPath> CreateBubbleRectangleConvex(const TRect& r, int32_t radius,
                                                             int32_t delta);
// A ring bw pixels wide along the inside of R (two outlines filled with the alternate mode).
std::unique_ptr<TGPGraphicsPath> CreateRoundLine(const TRect& r, int32_t radius,
                                                 TFillRoundingType roundingType, int32_t bw);

// ---- One face to paint --------------------------------------------------------------------

// The face's state at the moment it is painted.
struct TFaceState {
  bool Shadow = false;
  bool Down = false;
  bool Bevel = false;
  bool VerticalText = false;
  bool RightToLeft = false;
};

// Where the caption is drawn: into its whole layout rectangle, or into a box of its measured
// size at that rectangle's origin.
enum class TCaptionBox : uint8_t { LayoutRect, MeasuredSize };

struct TButtonFacePaint {
  std::string_view Caption;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t VerticalSpacing = 0;    // inset from top and bottom
  int32_t HorizontalSpacing = 0;  // inset from left and right
  TColor Color = clGray;
  TColor ColorDown = clNone;  // clNone: derived from Color
  TColor BevelColor = clWhite;
  TFaceState State;
  TFillRoundingType RoundingType = rtBoth;
  TSmoothPicture* Picture = nullptr;  // may be absent or empty
  int32_t TextW = 0;                  // replace the measured caption size with VerticalText
  int32_t TextH = 0;
  TCaptionBox CaptionBox = TCaptionBox::LayoutRect;
};

// The face's areas for one paint request (everything before caption and picture).
struct TFaceShapes {
  std::optional<TGPRectF> Shadow;  // the shadow's outline rectangle, when drawn
  int32_t Width = 0;               // after the shadow took its room
  int32_t H = 0;
  int32_t H2 = 0;
  int32_t L6 = 0;
  TGPRectF Flat;   // the flat face's rectangle
  TGPRectF Band;   // middle band under the curved edge
  TRect HalfRect;  // upper half, the rectangle the bubble paths are built on
  TGPRectF LowerGradient;
  TGPRectF UpperGradient;
  TRect BevelOuter;  // outer edge of the bevel ring
};
TFaceShapes FaceShapes(const TButtonFacePaint& p);

// The colour the face is drawn in: Color, or the pressed colour while down.
TColor FaceColor(const TButtonFacePaint& p);

// Layout of caption and picture inside the face, from the caption's measured size.
struct TFaceContent {
  TGPRectF TextRect;    // where the caption is drawn
  TGPPointF TextPoint;  // P: the caption's reference point
  float TextWidth = 0;  // TW, TH
  float TextHeight = 0;
  std::optional<TRect> PictureRect;
};

class TButtonFace {
 public:
  using TNotifyEvent = std::function<void(TButtonFace& sender)>;
  using TFontStoredEvent = std::function<void(TButtonFace& sender, bool& isStored)>;

  TButtonFace() = default;
  TButtonFace(const TButtonFace&) = delete;
  TButtonFace& operator=(const TButtonFace&) = delete;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TAlignment PictureAlignment() const { return FPictureAlignment; }
  void SetPictureAlignment(TAlignment value);
  const TFont& Font() const { return FFont; }
  // Copies the font's values; a change runs Changed and then OnFontChange.
  void SetFont(const TFont& value);
  TButtonFaceLayout Layout() const { return FLayout; }
  void SetLayout(TButtonFaceLayout value);
  int32_t Spacing() const { return FSpacing; }
  void SetSpacing(int32_t value);
  int32_t ShiftDown() const { return FShiftDown; }
  void SetShiftDown(int32_t value);
  TColor FocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor value);
  bool SimpleLayout() const { return FSimpleLayout; }
  void SetSimpleLayout(bool value);

  TNotifyEvent OnChange;
  TNotifyEvent OnFontChange;
  TFontStoredEvent OnIsFontStored;

  // True unless OnIsFontStored says otherwise.
  bool IsFontStored();

  void BeginUpdate() { ++FUpdateCount; }
  // Lowers the update count without notifying.
  void EndUpdate() { --FUpdateCount; }
  // Copies every property, then notifies once.
  void Assign(const TButtonFace& source);

  // The caption's layout rectangle before measuring (depends on the effective layout).
  TGPRectF MeasureRectFor(const TButtonFacePaint& p, TButtonFaceLayout ly,
                          const std::optional<TGPPoint>& pictureSize) const;
  // Caption and picture positions for a measured caption box `bb` (steps after measuring).
  TFaceContent PlaceContent(const TButtonFacePaint& p, TButtonFaceLayout ly, TGPRectF lr,
                            const TGPRectF& bb, const std::optional<TGPPoint>& pictureSize) const;
  // Paints one complete face. Changes g's text rendering hint when it draws a caption.
  void Draw(TGPGraphics& g, const TButtonFacePaint& p) const;

 private:
  void Changed();
  void FontChanged();
  void DrawShadow(TGPGraphics& g, const TButtonFacePaint& p, const TGPRectF& rect) const;
  void DrawFlat(TGPGraphics& g, const TButtonFacePaint& p, const TFaceShapes& s, TColor c) const;
  void DrawGlossy(TGPGraphics& g, const TButtonFacePaint& p, const TFaceShapes& s, TColor c) const;
  void DrawCaptionAndPicture(TGPGraphics& g, const TButtonFacePaint& p) const;

  int32_t FUpdateCount = 0;
  TFont FFont;
  TButtonFaceLayout FLayout = blPictureLeft;
  int32_t FSpacing = 3;
  int32_t FShiftDown = 1;
  TAlignment FAlignment = taCenter;
  TColor FFocusColor = clBlack;
  TAlignment FPictureAlignment = taRightJustify;
  bool FSimpleLayout = false;
};

// The layout after a vertical caption turns it (blNone stays).
TButtonFaceLayout EffectiveLayout(TButtonFaceLayout layout, const TFaceState& state);

}  // namespace tavrin::controls
