#include "widgets/controls/button_face.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "widgets/drawing/gp_brush.h"

namespace tavrin::controls {

namespace {

// Nearest integer, exact halves to the even neighbour (the default floating-point rounding).
int32_t RoundEven(double v) {
  return static_cast<int32_t>(std::nearbyint(v));
}

uint8_t ClampChannel(int32_t v) {
  return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

uint8_t RedOf(TColor rgb) {
  return static_cast<uint8_t>(rgb);
}
uint8_t GreenOf(TColor rgb) {
  return static_cast<uint8_t>(rgb >> 8);
}
uint8_t BlueOf(TColor rgb) {
  return static_cast<uint8_t>(rgb >> 16);
}

int32_t Width(const TRect& r) {
  return r.Right - r.Left;
}
int32_t Height(const TRect& r) {
  return r.Bottom - r.Top;
}

StringAlignment ToStringAlignment(TAlignment a) {
  switch (a) {
    case taLeftJustify:
      return StringAlignmentNear;
    case taRightJustify:
      return StringAlignmentFar;
    case taCenter:
      return StringAlignmentCenter;
  }
  return StringAlignmentCenter;
}

// Compare and store: true when the value changed.
template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// The size of a picture that will be drawn, or nothing for an absent or empty one.
std::optional<TGPPoint> PictureSize(TSmoothPicture* picture) {
  if (picture == nullptr || picture->GetEmpty()) return std::nullopt;
  picture->GetImageSizes();
  return TGPPoint{picture->GetWidth(), picture->GetHeight()};
}

void FillSolid(TGPGraphics& g, const TGPGraphicsPath& path, ARGB color) {
  TGPSolidBrush brush(color);
  g.FillPath(brush, path);
}

// A vertical gradient over `rect` whose three preset colours replace its end colours.
void FillVerticalPreset(TGPGraphics& g, const TGPGraphicsPath& path, const TGPRectF& rect,
                        const ARGB (&colors)[3], const float (&positions)[3]) {
  TGPLinearGradientBrush brush(rect, colors[0], colors[2], LinearGradientModeVertical);
  brush.SetGammaCorrection(true);
  brush.SetInterpolationColors(colors, positions, 3);
  g.FillPath(brush, path);
}

}  // namespace

// ==== Colour routines =====================================================================

TColor ChangeColor(TColor color, int32_t delta) {
  const TColor rgb = ColorToRGB(color);
  return RGB(ClampChannel(RedOf(rgb) + delta), ClampChannel(GreenOf(rgb) + delta),
             ClampChannel(BlueOf(rgb) + delta));
}

void RGBToHSV(double r, double g, double b, double& h, double& s, double& v) {
  v = std::max({r, g, b});
  const double delta = v - std::min({r, g, b});
  s = v == 0 ? 0 : delta / v;
  if (s == 0) {
    h = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  if (r == v) {
    h = 60 * (g - b) / delta;
  } else if (g == v) {
    h = 60 * (b - r) / delta + 120;
  } else {
    h = 60 * (r - g) / delta + 240;
  }
  if (h < 0) h += 360;
}

void HSVtoRGB(double h, double s, double v, double& r, double& g, double& b) {
  if (s == 0) {
    if (!std::isnan(h)) throw EColorConversionError("HSVtoRGB: S = 0 and H has a value");
    r = g = b = v;
    return;
  }
  const double sector = (h == 360 ? 0 : h) / 60;
  const int i = static_cast<int>(std::trunc(sector));
  const double f = sector - i;
  const double p = (1 - s) * v;
  const double q = (1 - s * f) * v;
  const double t = (1 - (1 - f) * s) * v;
  switch (i) {
    case 0:
      r = v, g = t, b = p;
      break;
    case 1:
      r = q, g = v, b = p;
      break;
    case 2:
      r = p, g = v, b = t;
      break;
    case 3:
      r = p, g = q, b = v;
      break;
    case 4:
      r = t, g = p, b = v;
      break;
    case 5:
      r = v, g = p, b = q;
      break;
    default:
      break;  // a hue outside 0..360 leaves the channels as they were
  }
}

TColor DarkenedForPress(TColor color) {
  const TColor rgb = ColorToRGB(color);
  double h = 0, s = 0, v = 0;
  RGBToHSV(RedOf(rgb), GreenOf(rgb), BlueOf(rgb), h, s, v);
  double r = 0, g = 0, b = 0;
  HSVtoRGB(h, s, v * 0.7, r, g, b);
  return RGB(ClampChannel(RoundEven(r)), ClampChannel(RoundEven(g)), ClampChannel(RoundEven(b)));
}

// ==== Paths ===============================================================================

std::optional<TBubbleGeometry> BubbleGeometryOf(const TRect& r, int32_t delta) {
  if (delta == 0) return std::nullopt;
  const int32_t l = r.Left;
  const int32_t w = Width(r);
  const int32_t b = r.Top + Height(r);
  TBubbleGeometry bubble;
  const double halfChord = w / 2.0;
  bubble.Radius =
      static_cast<float>((halfChord * halfChord + double(delta) * delta) / (2.0 * delta));
  bubble.RoundedRadius = RoundEven(bubble.Radius);
  const double apex = double(bubble.Radius) - delta;  // centre to chord
  double alpha1 = 0;
  double alpha2 = 180;
  if (apex != 0) {
    alpha1 = std::atan((w * 0.5) / apex) * 180 / std::numbers::pi + 90;
    alpha2 = 180 - alpha1;
  }
  bubble.StartAngle = static_cast<float>(alpha1);
  bubble.SweepAngle = static_cast<float>(alpha2 - alpha1);
  const int32_t ri = bubble.RoundedRadius;
  bubble.ArcRect = MakeRect(float(l + w / 2 - ri), float(b - 2 * ri), float(2 * ri), float(2 * ri));
  bubble.ChordY = float(b - delta);
  return bubble;
}

std::unique_ptr<TGPGraphicsPath> CreateBubbleRectangleConcave(const TRect& r, int32_t radius,
                                                              int32_t delta) {
  auto path = std::make_unique<TGPGraphicsPath>(FillModeAlternate);
  const auto bubble = BubbleGeometryOf(r, delta);
  if (!bubble) return path;
  const float l = r.Left, w = Width(r), h = Height(r), b = r.Top + Height(r);
  const float rad = radius, d = 2.0f * radius;
  path->AddArc(bubble->ArcRect, bubble->StartAngle, bubble->SweepAngle);
  path->AddLine(l + w, b - delta, l + w, b + h - rad);
  path->AddArc(l + w - d, b + h - d, d, d, 0, 90);
  path->AddLine(l + w - rad, b + h, l + rad, b + h);
  path->AddArc(l, b + h - d, d, d, 90, 90);
  path->AddLine(l, b + h - rad, l, b - delta);
  path->CloseFigure();
  return path;
}

std::unique_ptr<TGPGraphicsPath> CreateBubbleRectangleConvex(const TRect& r, int32_t radius,
                                                             int32_t delta) {
  auto path = std::make_unique<TGPGraphicsPath>(FillModeAlternate);
  const auto bubble = BubbleGeometryOf(r, delta);
  if (!bubble) return path;
  const float l = r.Left, t = r.Top, w = Width(r), b = r.Top + Height(r);
  const float rad = radius, d = 2.0f * radius;
  path->AddArc(l, t, d, d, 180, 90);
  path->AddLine(l + rad, t, l + w - rad, t);
  path->AddArc(l + w - d, t, d, d, 270, 90);
  path->AddLine(l + w, t + rad, l + w, b - delta);
  path->AddArc(bubble->ArcRect, bubble->StartAngle, bubble->SweepAngle);
  path->AddLine(l, b - delta, l, t + rad);
  path->CloseFigure();
  return path;
}

std::unique_ptr<TGPGraphicsPath> CreateRoundLine(const TRect& r, int32_t radius,
                                                 TFillRoundingType roundingType, int32_t bw) {
  auto path = std::make_unique<TGPGraphicsPath>(FillModeAlternate);
  GetPath(r.Left, r.Top, Width(r), Height(r), 2.0 * radius, radius, roundingType, *path);
  // Each outline is its own figure, so the alternate fill leaves exactly the ring between them.
  path->CloseFigure();
  const TRect inner{r.Left + bw, r.Top + bw, r.Right - bw, r.Bottom - bw};
  GetPath(inner.Left, inner.Top, Width(inner), Height(inner), 2.0 * radius, radius, roundingType,
          *path);
  path->CloseFigure();
  return path;
}

// ==== Face geometry =======================================================================

TButtonFaceLayout EffectiveLayout(TButtonFaceLayout layout, const TFaceState& state) {
  if (!state.VerticalText || layout == blNone) return layout;
  switch (layout) {
    case blPictureLeft:
      return state.RightToLeft ? blPictureBottom : blPictureTop;
    case blPictureRight:
      return state.RightToLeft ? blPictureTop : blPictureBottom;
    case blPictureBottom:
      return blPictureRight;
    case blPictureTop:
      return blPictureLeft;
    case blNone:
      break;
  }
  return layout;
}

TColor FaceColor(const TButtonFacePaint& p) {
  if (!p.State.Down) return p.Color;
  if (p.ColorDown != clNone) return p.ColorDown;
  return DarkenedForPress(p.Color);
}

TFaceShapes FaceShapes(const TButtonFacePaint& p) {
  const int32_t x = p.X, y = p.Y, hs = p.HorizontalSpacing, vs = p.VerticalSpacing;
  TFaceShapes s;
  s.Width = p.Width;
  s.H = p.Height;
  if (p.State.Shadow) {
    s.Shadow = MakeRect(float(x + hs + 2), float(y + vs + 2), float(p.Width - 2 * hs - 4),
                        float(p.Height - 2 * vs - 2));
    s.H -= 4;
    s.Width -= 6;
  }
  const int32_t w = s.Width, h = s.H;
  s.H2 = h / 2;
  s.L6 = h / 6;
  s.Flat = MakeRect(float(x + hs), float(y + vs), float(w - 2 * hs), float(h - 2 * vs));
  s.Band = MakeRect(float(x + hs), float(y + s.H2 - s.L6), float(w - 1 - 2 * hs), float(2 * s.L6));
  s.HalfRect = TRect{x + hs, y + vs, x + w - 1 - hs, y + s.H2};
  s.LowerGradient = MakeRect(float(x + hs - 1), float(y + s.H2 - s.L6 - 1), float(w - 2 * hs + 1),
                             float(s.H2 + s.L6 + 2));
  s.UpperGradient =
      MakeRect(float(x + hs - 1), float(y + vs - 1), float(w - 2 * hs + 1), float(s.H2 + 3));
  s.BevelOuter = TRect{x + hs, y + vs + 1, x + w - 1 - hs, y + h - 1 - vs};
  return s;
}

TGPRectF TButtonFace::MeasureRectFor(const TButtonFacePaint& p, TButtonFaceLayout ly,
                                     const std::optional<TGPPoint>& pictureSize) const {
  const TFaceShapes s = FaceShapes(p);
  const int32_t hs = p.HorizontalSpacing, vs = p.VerticalSpacing;
  const int32_t shift = p.State.Down ? FShiftDown : 0;
  TGPRectF lr = MakeRect(float(p.X + hs + shift), float(p.Y + vs + shift), float(s.Width - 2 * hs),
                         float(s.H - 2 * vs));
  if (!pictureSize) {
    lr.Width -= 4;
    return lr;
  }
  lr = MakeRect(lr.X + 2, lr.Y, lr.Width - 4, lr.Height);
  if (ly == blPictureLeft || ly == blPictureRight) lr.Width -= float(pictureSize->X + FSpacing);
  if (ly == blPictureBottom || ly == blPictureTop) lr.Height -= float(pictureSize->Y + FSpacing);
  if (FSpacing % 2 != 0) lr.Width -= 1;
  return lr;
}

TFaceContent TButtonFace::PlaceContent(const TButtonFacePaint& p, TButtonFaceLayout ly, TGPRectF lr,
                                       const TGPRectF& bb,
                                       const std::optional<TGPPoint>& pictureSize) const {
  const TFaceShapes s = FaceShapes(p);
  const int32_t x = p.X, y = p.Y, hs = p.HorizontalSpacing, width = s.Width;
  const int32_t sd = FShiftDown, spacing = FSpacing;
  const bool down = p.State.Down, vertical = p.State.VerticalText;
  const bool hasCaption = !p.Caption.empty();
  const bool hasPic = pictureSize.has_value();
  const int32_t pw = hasPic ? pictureSize->X : 0, ph = hasPic ? pictureSize->Y : 0;

  TFaceContent c;
  float tw = 0, th = 0;
  TGPPointF pt;
  if (hasCaption) {
    tw = vertical ? float(p.TextW) : bb.Width;
    th = vertical ? float(p.TextH) : bb.Height;
    pt = down ? MakePoint(float(x + sd), (s.H - th) / 2 + y + sd)
              : MakePoint(float(x), (s.H - th) / 2 + y);
    if (hasPic) {
      const TGPPointF centred = MakePoint((lr.Width - tw) / 2 + lr.X, (lr.Height - th) / 2 + lr.Y);
      switch (ly) {
        case blPictureLeft:
          pt = centred;
          pt.X = std::max(pt.X, float(spacing)) + float(pw + spacing);
          break;
        case blPictureRight:
          pt = centred;
          if (pt.X < spacing) {
            pt.X = float(spacing);
            tw = float(width - pw - 2 * spacing);
            lr.Width = tw;
          }
          break;
        case blPictureBottom:
          pt = centred;
          break;
        case blPictureTop:
          pt = centred;
          pt.Y += float(ph + spacing);
          break;
        case blNone:
          break;
      }
    }
    if (!vertical) {
      lr = MakeRect(float(x + 4 + hs), pt.Y, float(width - 8 - 2 * hs), bb.Height);
      if (hasPic && ly == blPictureLeft) {
        lr = MakeRect(pt.X, pt.Y, width - 8 - hs - (pt.X - x), bb.Height);
      } else if (hasPic && ly == blPictureRight) {
        lr = MakeRect(float(x + 4 + hs), pt.Y, width - 8 - pw - spacing - (pt.X - x) - hs,
                      bb.Height);
      }
    }
  }

  if (hasPic) {
    int32_t px = 0;
    switch (FPictureAlignment) {
      case taLeftJustify:
        px = hs + 4;
        break;
      case taRightJustify:
        px = width - 4 - hs - pw;
        break;
      case taCenter:
        px = (width - pw) / 2;
        break;
    }
    int32_t py = (s.H - ph) / 2;
    if (down) {
      px += sd;
      py += sd;
    }
    int32_t left = px + x, top = py + y;
    if (hasCaption && ly != blNone) {
      switch (ly) {
        case blPictureLeft:
          if (FPictureAlignment == taLeftJustify) px += x;
          if (FPictureAlignment == taRightJustify) px = RoundEven(pt.X - pw - spacing);
          if (FPictureAlignment == taCenter) px = RoundEven(pt.X - (pw + pt.X - x) / 2.0);
          left = px;
          break;
        case blPictureRight:
          if (FPictureAlignment == taLeftJustify) px = RoundEven(double(pt.X) + tw + spacing);
          if (FPictureAlignment == taRightJustify) px += x;
          if (FPictureAlignment == taCenter) {
            px = RoundEven((width - (double(pt.X) + tw) - pw) / 2.0 + pt.X + tw);
          }
          left = px;
          break;
        case blPictureBottom:
          py = RoundEven(double(pt.Y) + th + spacing);
          top = py;
          break;
        case blPictureTop:
          py = RoundEven(double(pt.Y) - ph - spacing);
          top = py;
          break;
        case blNone:
          break;
      }
    }
    c.PictureRect = TRect{left, top, left + pw, top + ph};
    // The caption's room follows the stored layout, not the one a vertical caption turned.
    if (FLayout == blPictureLeft) {
      lr = MakeRect(float(pw + px + spacing), lr.Y,
                    float(x + width - 8 - 2 * hs - pw - px - spacing), lr.Height);
    } else if (FLayout == blPictureRight) {
      lr = MakeRect(float(x + 2 * hs + 8), lr.Y, float(px - spacing - 2 * hs - 8 - x), lr.Height);
    }
  }
  c.TextRect = lr;
  c.TextPoint = pt;
  c.TextWidth = tw;
  c.TextHeight = th;
  return c;
}

// ==== Drawing =============================================================================

void TButtonFace::DrawShadow(TGPGraphics& g, const TButtonFacePaint& p,
                             const TGPRectF& rect) const {
  const TGPGraphicsPath path = CreateRoundRectangle(rect, 8, p.RoundingType, false);
  TGPPathGradientBrush brush(path);
  brush.SetWrapMode(WrapModeClamp);
  const ARGB colors[3] = {0x00000000, MakeColor(180, clBlack), MakeColor(180, clBlack)};
  const float positions[3] = {0.0f, 0.1f, 1.0f};
  brush.SetInterpolationColors(colors, positions, 3);
  g.FillPath(brush, path);
}

void TButtonFace::DrawFlat(TGPGraphics& g, const TButtonFacePaint& p, const TFaceShapes& s,
                           TColor c) const {
  const TGPGraphicsPath path = CreateRoundRectangle(s.Flat, 8, p.RoundingType, false);
  FillSolid(g, path, MakeColor(255, c));
  TGPPen pen(MakeColor(255, c), 1.0f);
  g.DrawPath(pen, path);
}

void TButtonFace::DrawGlossy(TGPGraphics& g, const TButtonFacePaint& p, const TFaceShapes& s,
                             TColor c) const {
  const ARGB dark = ColorToARGB(ChangeColor(c, -40));
  TGPGraphicsPath band(FillModeAlternate);
  band.AddRectangle(s.Band);
  FillSolid(g, band, dark);
  const ARGB light = ColorToARGB(ChangeColor(c, 100));
  const ARGB highlight = ColorToARGB(ChangeColor(c, 220));
  const auto lower = CreateBubbleRectangleConcave(s.HalfRect, 8, s.L6);
  FillVerticalPreset(g, *lower, s.LowerGradient, {dark, light, highlight}, {0.0f, 0.9f, 1.0f});
  const auto upper = CreateBubbleRectangleConvex(s.HalfRect, 8, s.L6);
  FillVerticalPreset(g, *upper, s.UpperGradient, {highlight, light, ColorToARGB(c)},
                     {0.0f, 0.2f, 1.0f});
  if (p.State.Bevel) {
    const auto ring = CreateRoundLine(s.BevelOuter, 7, p.RoundingType, 2);
    FillSolid(g, *ring, MakeColor(160, p.BevelColor));
  }
}

void TButtonFace::DrawCaptionAndPicture(TGPGraphics& g, const TButtonFacePaint& p) const {
  const std::optional<TGPPoint> pictureSize = PictureSize(p.Picture);
  const bool hasCaption = !p.Caption.empty();
  if (!hasCaption && !pictureSize) return;
  const TButtonFaceLayout ly = EffectiveLayout(FLayout, p.State);
  const bool drawsText = hasCaption && !p.State.VerticalText;

  TGPRectF lr = hasCaption ? MeasureRectFor(p, ly, pictureSize) : TGPRectF{};
  TGPRectF bb;
  std::unique_ptr<TGPFont> font;
  TGPStringFormat format;
  if (drawsText) {
    font = g.MakeFont(FFont);
    format.SetAlignment(ToStringAlignment(FAlignment));
    format.SetLineAlignment(ToStringAlignment(FAlignment));
    g.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    // Measured before the hotkey prefix is switched on, so '&' characters take room.
    g.MeasureString(p.Caption, *font, lr, &format, bb);
  }
  const TFaceContent content = PlaceContent(p, ly, lr, bb, pictureSize);
  if (content.PictureRect) p.Picture->DrawOn(g, *content.PictureRect);
  if (!drawsText) return;
  format.SetHotkeyPrefix(HotkeyPrefixShow);
  const TGPRectF box = p.CaptionBox == TCaptionBox::LayoutRect
                           ? content.TextRect
                           : MakeRect(content.TextRect.X, content.TextRect.Y, bb.Width, bb.Height);
  TGPSolidBrush textBrush(ColorToARGB(FFont.Color));
  g.DrawString(p.Caption, *font, box, &format, textBrush);
}

void TButtonFace::Draw(TGPGraphics& g, const TButtonFacePaint& p) const {
  const TFaceShapes s = FaceShapes(p);
  const TColor c = FaceColor(p);
  if (s.Shadow) DrawShadow(g, p, *s.Shadow);
  if (FSimpleLayout) {
    DrawFlat(g, p, s, c);
  } else {
    DrawGlossy(g, p, s, c);
  }
  DrawCaptionAndPicture(g, p);
}

// ==== Properties and notification =========================================================

void TButtonFace::Changed() {
  if (OnChange && FUpdateCount == 0) OnChange(*this);
}

void TButtonFace::FontChanged() {
  Changed();
  if (OnFontChange) OnFontChange(*this);
}

bool TButtonFace::IsFontStored() {
  bool stored = true;
  if (OnIsFontStored) OnIsFontStored(*this, stored);
  return stored;
}

void TButtonFace::SetFont(const TFont& value) {
  if (FFont == value) return;
  FFont = value;
  FontChanged();
}

void TButtonFace::SetAlignment(TAlignment value) {
  if (Store(FAlignment, value)) Changed();
}
void TButtonFace::SetPictureAlignment(TAlignment value) {
  if (Store(FPictureAlignment, value)) Changed();
}
void TButtonFace::SetLayout(TButtonFaceLayout value) {
  if (Store(FLayout, value)) Changed();
}
void TButtonFace::SetSpacing(int32_t value) {
  if (Store(FSpacing, value)) Changed();
}
void TButtonFace::SetShiftDown(int32_t value) {
  if (Store(FShiftDown, value)) Changed();
}
void TButtonFace::SetFocusColor(TColor value) {
  if (Store(FFocusColor, value)) Changed();
}
void TButtonFace::SetSimpleLayout(bool value) {
  if (Store(FSimpleLayout, value)) Changed();
}

void TButtonFace::Assign(const TButtonFace& source) {
  if (&source == this) return;
  FFont = source.FFont;
  FLayout = source.FLayout;
  FSpacing = source.FSpacing;
  FShiftDown = source.FShiftDown;
  FAlignment = source.FAlignment;
  FPictureAlignment = source.FPictureAlignment;
  FFocusColor = source.FFocusColor;
  FSimpleLayout = source.FSimpleLayout;
  Changed();
}

}  // namespace tavrin::controls
