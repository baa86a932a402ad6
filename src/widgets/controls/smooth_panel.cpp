#include "widgets/controls/smooth_panel.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <type_traits>
#include <variant>

#include "widgets/controls/html_draw.h"
#include "widgets/drawing/gp_brush.h"
#include "widgets/fill/ini_file.h"

namespace tavrin::controls {

namespace {

// To the nearest integer, exact halves to the even neighbour (the current rounding mode is
// the default round-to-nearest-even).
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

bool IsBottom(TSmoothPanelLocation l) {
  return l == plBottomLeft || l == plBottomCenter || l == plBottomRight;
}

bool IsTopRow(TSmoothPanelLocation l) { return l == plTopLeft || l == plTopRight; }
bool IsBottomRow(TSmoothPanelLocation l) { return l == plBottomLeft || l == plBottomRight; }

// The brush a caption's gradient type stands for, or none (no text is drawn then).
using CaptionBrushHolder = std::variant<std::monostate, TGPSolidBrush, TGPLinearGradientBrush,
                                        TGPHatchBrush, TGPTextureBrush>;

struct CaptionColors {
  ARGB c1, c2;
};

// A caption without an end colour draws in its start colour alone.
CaptionColors CaptionColorsOf(const TSmoothPanelCaption& c) {
  const ARGB c1 = MakeColor(c.OpacityStart(), c.ColorStart());
  return {c1, c.ColorEnd() == clNone ? c1 : MakeColor(c.OpacityEnd(), c.ColorEnd())};
}

void MakeCaptionBrush(CaptionBrushHolder& brush, const TSmoothPanelCaption& c, float x, float y,
                      float W, float H) {
  const auto [c1, c2] = CaptionColorsOf(c);
  switch (c.GradientType()) {
    case gtSolid:
      brush.emplace<TGPSolidBrush>(c1);
      break;
    case gtVertical:
      brush.emplace<TGPLinearGradientBrush>(MakePoint(x, y), MakePoint(x, y + H), c1, c2);
      break;
    case gtHorizontal:
      brush.emplace<TGPLinearGradientBrush>(MakePoint(x, y), MakePoint(x + W, y), c1, c2);
      break;
    case gtForwardDiagonal:
      brush.emplace<TGPLinearGradientBrush>(MakePoint(x, y), MakePoint(x + W, y + H), c1, c2);
      break;
    case gtBackwardDiagonal:
      brush.emplace<TGPLinearGradientBrush>(MakePoint(x, y + H), MakePoint(x + W, y), c2, c1);
      break;
    case gtHatch:
      brush.emplace<TGPHatchBrush>(c.HatchStyle(), c1, c2);
      break;
    case gtTexture:
      if (!c.Picture().Empty())
        brush.emplace<TGPTextureBrush>(TGPImage(c.Picture().Data()), WrapModeTile);
      break;
    default:
      break;  // gtRadial, gtAngle, gtPath, gtNone
  }
}

const TGPBrush* BrushOf(const CaptionBrushHolder& holder) {
  return std::visit(
      [](const auto& b) -> const TGPBrush* {
        if constexpr (std::is_same_v<std::decay_t<decltype(b)>, std::monostate>)
          return nullptr;
        else
          return &b;
      },
      holder);
}

// The width the fill's foreground picture takes beside the caption text.
int PictureWidthOf(TSmoothFill& fill) {
  if (fill.PictureSize() != psOriginal) return fill.PictureWidth();
  fill.Picture().GetImageSizes();
  return fill.Picture().GetWidth();
}

THTMLDrawArgs HtmlArgs(const TSmoothPanelCaption& c, const TPictureContainer* pc, const TRect& fr) {
  THTMLDrawArgs a;
  a.AFont = &c.HTMLFont();
  a.s = c.HTMLText();
  a.fr = fr;
  a.ShadowOffset = c.HTMLShadowOffset();
  a.WordWrap = true;
  a.URLColor = c.HTMLURLColor();
  a.ShadowColor = c.HTMLShadowColor();
  a.pc = pc;
  a.LineSpacing = 2;
  return a;
}

}  // namespace

// ----- construction -------------------------------------------------------------------------

TSmoothPanel::TSmoothPanel(TControl* parent)
    : TControl(parent),
      FCaption(std::make_unique<TSmoothPanelCaption>()),
      FFill(std::make_unique<TSmoothFill>()) {
  FFill->OnChange = [this](TSmoothFill&) { Changed(); };
  FCaption->OnChange = [this](TSmoothPanelCaption&) { Changed(); };
  SetBounds(Left(), Top(), 256, 128);
}

TSmoothPanel::~TSmoothPanel() {
  if (FContainer != nullptr) FContainer->RemoveFreeNotification(this);
  FFill->OnChange = nullptr;
  FCaption->OnChange = nullptr;
}

// ----- properties ---------------------------------------------------------------------------

void TSmoothPanel::SetTransparent(bool value) {
  FTransparent = value;
  Changed();
}

void TSmoothPanel::SetCaption(const TSmoothPanelCaption& value) {
  FCaption->Assign(&value);
  Changed();
}

void TSmoothPanel::SetFill(const TSmoothFill& value) {
  FFill->Assign(&value);
  Changed();
}

void TSmoothPanel::SetPictureContainer(TPictureContainer* value) {
  if (value == FContainer) return;
  if (FContainer != nullptr) FContainer->RemoveFreeNotification(this);
  FContainer = value;
  if (FContainer != nullptr)
    FContainer->AddFreeNotification(this, [this] { FContainer = nullptr; });
}

void TSmoothPanel::SetCursor(TCursor value) {
  TControl::SetCursor(value);
  FoldCursor = value;
}

// ----- operations ---------------------------------------------------------------------------

void TSmoothPanel::Assign(const TControl* Source) {
  const auto* other = dynamic_cast<const TSmoothPanel*>(Source);
  if (other == nullptr) return;
  FCaption->Assign(other->FCaption.get());
  FFill->Assign(other->FFill.get());
  FTransparent = other->FTransparent;
  Changed();
}

void TSmoothPanel::Changed() {
  refreshcache = true;
  Invalidate();
}

void TSmoothPanel::Resize() {
  TControl::Resize();
  Changed();
}

void TSmoothPanel::Moved() {
  // Only a visible shadow depends on what lies around the panel.
  if (FFill->ShadowColor() != clNone && FFill->ShadowOffset() > 0) Invalidate();
}

int TSmoothPanel::GetShadowSize() const {
  return FFill->ShadowColor() == clNone ? 0 : FFill->ShadowOffset();
}

void TSmoothPanel::GetPosition(int& x, int& y, const TGPRectF& rectangle, int objectwidth,
                               int objectheight, TSmoothPanelLocation location) const {
  const int X = Round(rectangle.X), Y = Round(rectangle.Y);
  const int Wr = Round(rectangle.Width), Hr = Round(rectangle.Height);
  const int right = std::max(X, Wr - objectwidth);
  const int middle = (Hr - objectheight) / 2;  // C++ division truncates toward zero
  switch (location) {
    case plTopLeft: x = X; y = Y; break;
    case plTopCenter: x = right / 2; y = Y; break;
    case plTopRight: x = right; y = Y; break;
    case plCenterLeft: x = X; y = middle; break;
    case plCenterCenter: x = right / 2; y = middle; break;
    case plCenterRight: x = right; y = middle; break;
    case plBottomLeft: x = X; y = Hr - objectheight; break;
    case plBottomCenter: x = right / 2; y = Hr - objectheight; break;
    case plBottomRight: x = right; y = Hr - objectheight; break;
    case plCustom: break;
  }
}

// ----- painting -----------------------------------------------------------------------------

void TSmoothPanel::Paint(cairo_t* cr) {
  if (!FTransparent) {
    SetSourceColor(cr, Color());
    cairo_paint(cr);
  }
  if (Width() > 1 && Height() > 1) {
    if (refreshcache) RebuildCache();
    TGPGraphics canvas(cr);
    canvas.SetSmoothingMode(SmoothingModeAntiAlias);
    canvas.DrawImage(*FCache, 0, 0);
  }
  if (OnDraw) OnDraw(*this, cr, TRect{0, 0, Width(), Height()});
}

void TSmoothPanel::RebuildCache() {
  refreshcache = false;
  FCache = std::make_unique<TGPBitmap>(Width(), Height(), PixelFormat32bppARGB);
  TGPGraphics g(*FCache);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.SetTextRenderingHint(TextRenderingHintOf(FCaption->TextRendering()));
  PaintGraphics(g);
  ++cacheBuilds_;
}

void TSmoothPanel::PaintGraphics(TGPGraphics& g) {
  const float w = static_cast<float>(Width()), h = static_cast<float>(Height());
  // Without a border the fill bleeds one pixel past every edge, so no edge pixel stays blank.
  const bool noBorder = FFill->BorderColor() == clNone || FFill->BorderWidth() == 0;
  geometry_ = TPanelGeometry{};
  geometry_.FillRect =
      noBorder ? MakeRect(-1.0f, -1.0f, w + 1, h + 1) : MakeRect(0.0f, 0.0f, w - 1, h - 1);
  TGPRectF r = FFill->Fill(g, geometry_.FillRect);
  geometry_.ContentRect = r;
  float th = 0;
  if (!FCaption->Text().empty()) th = PaintCaptionText(g, r);
  if (!FCaption->HTMLText().empty()) PaintHtmlText(g, r, th);
}

float TSmoothPanel::PaintCaptionText(TGPGraphics& g, TGPRectF& r) {
  const TSmoothPanelCaption& c = *FCaption;
  const std::unique_ptr<TGPFont> font = g.MakeFont(c.Font());
  const TGPStringFormat format;

  int pictureOffset = 0;
  if (!FFill->Picture().Empty()) {
    const int pw = PictureWidthOf(*FFill);
    const TFillPicturePosition pos = FFill->PicturePosition();
    if ((pos == ppTopLeft && IsTopRow(c.Location())) ||
        (pos == ppBottomLeft && IsBottomRow(c.Location()))) {
      r.X += pw;
      pictureOffset = pw;
    } else if ((pos == ppTopRight && IsTopRow(c.Location())) ||
               (pos == ppBottomRight && IsBottomRow(c.Location()))) {
      r.Width -= pw;
    }
  }

  TGPRectF measured;
  g.MeasureString(c.Text(), *font, MakeRect(r.X, r.Y, r.Width - pictureOffset, r.Height), &format,
                  measured);
  geometry_.ContentRect = r;
  geometry_.CaptionMeasured = true;
  geometry_.TextMeasured = measured;
  const int tw = Round(measured.Width), thRounded = Round(measured.Height);
  int x = 0, y = 0;
  if (c.Location() == plCustom) {
    x = c.Left();
    y = c.Top();
  } else {
    GetPosition(x, y, r, tw, thRounded, c.Location());
  }
  geometry_.TextX = x;
  geometry_.TextY = y;

  const float W = measured.Width, H = measured.Height;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  CaptionBrushHolder holder;
  MakeCaptionBrush(holder, c, fx, fy, W, H);
  if (const TGPBrush* brush = BrushOf(holder)) {
    const TGPRectF layout = MakeRect(fx, fy, static_cast<float>(Round(r.Width - 2 - pictureOffset)),
                                     static_cast<float>(Height() - 1 - GetShadowSize()));
    g.DrawString(c.Text(), *font, layout, &format, *brush);
    geometry_.TextDrawn = true;
    geometry_.TextLayout = layout;
    const CaptionColors colors = CaptionColorsOf(c);
    geometry_.TextColors[0] = colors.c1;
    geometry_.TextColors[1] = colors.c2;
  }

  if (c.LineColor() != clNone && c.Line()) {
    const TGPPen pen(MakeColor(255, c.LineColor()), 1.0f);
    // The end is the content width less 2, used as an x position.
    const float x1 = static_cast<float>(Round(r.X + 2)), x2 = static_cast<float>(Round(r.Width - 2));
    const float ly = IsBottom(c.Location()) ? fy - 2 : fy + H;
    g.DrawLine(pen, x1, ly, x2, ly);
    geometry_.LineDrawn = true;
    geometry_.LineFrom = MakePoint(x1, ly);
    geometry_.LineTo = MakePoint(x2, ly);
  }
  return thRounded;
}

void TSmoothPanel::PaintHtmlText(TGPGraphics& g, TGPRectF r, float th) {
  const TSmoothPanelCaption& c = *FCaption;
  const int d = Round(th);
  const int avail = Width() - GetShadowSize() - 2 * FFill->BorderWidth();
  const bool custom = c.HTMLLocation() == plCustom;
  const TRect measureRect = custom ? TRect{0, d, avail - c.HTMLLeft(), 10000}
                                   : TRect{c.HTMLLeft(), d, avail, 10000};
  THTMLDrawArgs args = HtmlArgs(c, FContainer, measureRect);
  args.CheckHeight = true;
  const THTMLDrawResult size = HTMLDraw(g, args);
  geometry_.HtmlMeasured = true;
  geometry_.HtmlMeasureRect = measureRect;
  int XSize = size.XSize;
  const int YSize = size.YSize;

  r.Height -= static_cast<float>(d);
  int x = 0, y = 0;
  TRect drawRect;
  if (custom) {
    x = c.HTMLLeft();
    y = c.HTMLTop();
    if (avail < x + XSize) XSize = avail - x;
    drawRect = TRect{x, y, x + avail - c.HTMLLeft(), y + YSize};
  } else {
    GetPosition(x, y, r, XSize, YSize, c.HTMLLocation());
    drawRect = TRect{x, y + d, x + XSize, y + d + YSize};
  }
  args = HtmlArgs(c, FContainer, drawRect);
  HTMLDraw(g, args);
  FHtmlr = drawRect;
  geometry_.HtmlRect = drawRect;
}

// ----- anchors ------------------------------------------------------------------------------

std::string TSmoothPanel::GetAnchorAt(int X, int Y) {
  if (FCaption->HTMLText().empty() || X < FHtmlr.Left || Y < FHtmlr.Top || X >= FHtmlr.Right ||
      Y >= FHtmlr.Bottom)
    return {};
  // The layout needs a surface; a scratch one with the cache's text settings lays out alike.
  TGPBitmap scratch(1, 1, PixelFormat32bppARGB);
  TGPGraphics g(scratch);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.SetTextRenderingHint(TextRenderingHintOf(FCaption->TextRendering()));
  THTMLDrawArgs args = HtmlArgs(*FCaption, FContainer, FHtmlr);
  args.CheckHotSpot = true;
  args.XPos = X;
  args.YPos = Y;
  return HTMLDraw(g, args).AnchorVal;
}

void TSmoothPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TControl::MouseMove(Shift, X, Y);
  FOnAnchor = !GetAnchorAt(X, Y).empty();
  TControl::SetCursor(FOnAnchor ? crHandPoint : FoldCursor);
}

void TSmoothPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TControl::MouseDown(Button, Shift, X, Y);
  if (!FOnAnchor) return;
  const std::string a = GetAnchorAt(X, Y);
  if (!a.empty() && OnAnchorClick) OnAnchorClick(*this, a);
}

// ----- styles and themes --------------------------------------------------------------------

namespace {

struct PanelScheme {
  TColor start, end, line, color, colorTo, mirror, mirrorTo, border;
  bool mirrorVertical;
  bool radialGlow;
};

// Indexed by TOrvelStyle; tsCustom's row is never applied.
constexpr PanelScheme kPanelSchemes[kOrvelStyleCount] = {
    {0, 0, 0, 0xFDEADA, 0xE4AE88, clNone, clNone, 0xDFD2C5, false, false},
    {0, 0, 0, 0xF7F3F3, 0xE6D8D8, clNone, clNone, 0x927476, false, false},
    {0, 0, 0, 0xCFF0EA, 0x8CC0B1, clNone, clNone, 0x6B7760, false, false},
    {0, 0, 0, 0xFFFFFF, 0xC9D1D5, clNone, clNone, 0x808080, false, false},
    {0xB0721C, 0x9F661A, 0xB0721C, 0xFAF1E9, 0xEDD8C7, 0xEDD8C7, 0xFFF2E7, 0xE3B28D, true, false},
    {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xCFC6C1, 0xC5BBB4, 0xC5BBB4, 0xECECE5, 0, true, false},
    {0, 0, 0, clBtnFace, clBtnFace, clNone, clNone, 0, false, false},
    {0, 0, 0, 0xFFFFFF, 0xD9E9EC, clNone, clNone, 0x828F92, false, false},
    {0, 0, 0, 0, 0, 0, 0, 0, false, false},
    {0xB0721C, 0x9F661A, 0xB0721C, 0xF6F1EE, 0xE7DCD5, 0xE7DCD5, 0xF4F4EE, 0x74706F, true, false},
    {0, 0, 0xFDDE99, 0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, false, false},
    {0, 0, 0xCEA27D, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, false, false},
    {0, 0, 0, clBtnFace, clBtnFace, clNone, clNone, 0, false, false},
    {0x5B391E, 0x5B391E, 0x5B391E, 0xFDF6EF, 0xF0DAC7, clNone, clNone, 0xC7B29F, false, true},
    {0x5B391E, 0x5B391E, 0x5B391E, 0xFFFFFF, 0xEDE5E0, clNone, clNone, 0xD2CDC8, false, true},
    {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xBFBFBF, 0x919191, clNone, clNone, 0x6D6D6D, false, true},
};

}  // namespace

void TSmoothPanel::SetComponentStyle(TOrvelStyle AStyle) {
  FFill->SetGradientType(gtVertical);
  FFill->SetGlow(gmNone);
  const auto index = static_cast<unsigned>(AStyle);
  if (AStyle == TOrvelStyle::tsCustom || index >= kOrvelStyleCount) return;
  // Through the ordinary setters: each value that differs announces itself.
  const PanelScheme& s = kPanelSchemes[index];
  FCaption->SetColorStart(s.start);
  FCaption->SetColorEnd(s.end);
  FCaption->SetLineColor(s.line);
  FFill->SetColor(s.color);
  FFill->SetColorTo(s.colorTo);
  FFill->SetColorMirror(s.mirror);
  FFill->SetColorMirrorTo(s.mirrorTo);
  FFill->SetBorderColor(s.border);
  if (s.mirrorVertical) FFill->SetGradientMirrorType(gtVertical);
  if (s.radialGlow) FFill->SetGlow(gmRadial);
}

void TSmoothPanel::SaveToTheme(const std::string& FileName) {
  IniFile ini(FileName);
  FFill->SaveToFile(ini, GetThemeId() + ".Fill");
  FCaption->SaveToFile(ini, GetThemeId() + ".Caption");
}

void TSmoothPanel::LoadFromTheme(const std::string& FileName) {
  IniFile ini(FileName);
  FFill->LoadFromFile(ini, GetThemeId() + ".Fill");
  FCaption->LoadFromfile(ini, GetThemeId() + ".Caption");
}

}  // namespace tavrin::controls
