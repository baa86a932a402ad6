#include "widgets/controls/smooth_button.h"

#include <glib.h>

#include <algorithm>
#include <optional>
#include <thread>
#include <utility>

#include "widgets/fill/ini_file.h"

namespace tavrin::controls {

namespace {

constexpr std::chrono::milliseconds kClickFlash{100};
constexpr std::chrono::milliseconds kAcceleratorFlash{150};
constexpr TColor kDisabledFaceColor = RGB(80, 80, 80);
constexpr int kDefaultWidth = 120;
constexpr int kDefaultHeight = 35;
constexpr char32_t kSpace = 32;
constexpr char32_t kEnter = 13;

template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// Face colours of the colour schemes, by ordinal; nullopt keeps the current colour.
std::optional<TColor> StyleColor(TOrvelStyle style) {
  switch (style) {
    case TOrvelStyle::tsOffice2003Blue:
      return 0xE3B28D;
    case TOrvelStyle::tsOffice2003Silver:
      return 0x927476;
    case TOrvelStyle::tsOffice2003Olive:
      return 0x447A63;
    case TOrvelStyle::tsOffice2003Classic:
      return 0xC9D1D5;
    case TOrvelStyle::tsOffice2007Luna:
      return 0xFDEADA;
    case TOrvelStyle::tsOffice2007Obsidian:
      return 0x6E6E6D;
    case TOrvelStyle::tsWindowsXP:
      return 0xB9D8DC;
    case TOrvelStyle::tsWhidbey:
      return 0x828F92;
    case TOrvelStyle::tsCustom:
      return std::nullopt;
    case TOrvelStyle::tsOffice2007Silver:
      return 0xE7DCD5;
    case TOrvelStyle::tsWindowsVista:
      return 0xFDF8F1;
    case TOrvelStyle::tsWindows7:
      return 0xFCEBDC;
    case TOrvelStyle::tsTerminal:
      return clBtnFace;
    case TOrvelStyle::tsOffice2010Blue:
      return 0xF0DAC7;
    case TOrvelStyle::tsOffice2010Silver:
      return 0xEDE5E0;
    case TOrvelStyle::tsOffice2010Black:
      return 0x919191;
  }
  return std::nullopt;
}

}  // namespace

char32_t AcceleratorOf(std::string_view caption) {
  char32_t accelerator = 0;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&' || i + 1 >= caption.size()) continue;
    ++i;  // the marked character, or the second '&' of a literal "&&"
    if (caption[i] == '&') continue;
    const gchar* marked = caption.data() + i;
    const gunichar c = g_utf8_get_char_validated(marked, static_cast<gssize>(caption.size() - i));
    if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2)) continue;
    accelerator = g_unichar_tolower(c);
  }
  return accelerator;
}

void DrawFocus(TGPGraphics& g, const TRect& r, int32_t rn, TColor c) {
  const TGPGraphicsPath path = CreateRoundRectangle(
      MakeRect(float(r.Left), float(r.Top), float(r.Right - r.Left), float(r.Bottom - r.Top)), rn,
      rtBoth, false);
  // Left off on purpose: the badge drawn afterwards is not anti-aliased either.
  g.SetSmoothingMode(SmoothingModeDefault);
  TGPPen pen(MakeColor(255, c), 1.0f);
  pen.SetDashStyle(DashStyleDot);
  g.DrawPath(pen, path);
}

// ==== Life cycle ==========================================================================

TSmoothButton::TSmoothButton(TControl* parent, bool designTime)
    : TControl(parent),
      FDesignTime(designTime),
      FAppearance(std::make_unique<TButtonFace>()),
      FPicture(std::make_unique<TSmoothPicture>()),
      sleep_([](std::chrono::milliseconds d) { std::this_thread::sleep_for(d); }) {
  FPicture->OnChange = [this](TSmoothPicture&) { Changed(); };
  FAppearance->OnChange = [this](TButtonFace&) { Changed(); };
  FAppearance->OnFontChange = [this](TButtonFace&) {
    if (!copyingParentFont_) SetParentFont(false);
  };
  FAppearance->OnIsFontStored = [this](TButtonFace&, bool& stored) { stored = !ParentFont(); };
  DisableCache = true;
  SetBounds(Left(), Top(), kDefaultWidth, kDefaultHeight);
  DisableCache = false;
  FCache = std::make_unique<TGPBitmap>(kDefaultWidth, kDefaultHeight, PixelFormat32bppARGB);
  FButtonStatus = std::make_unique<TSmoothButtonStatus>([this] { Changed(); }, FDesignTime);
  SetTabStop(true);
  if (ParentFont()) CopyParentFontToAppearance();
}

TSmoothButton::~TSmoothButton() = default;

// ==== Change and cache ====================================================================

void TSmoothButton::Changed() {
  FValidCache = false;
  Invalidate();
}

void TSmoothButton::InvalidateCache() {
  if (DisableCache) return;
  FCache = std::make_unique<TGPBitmap>(std::max(Width(), 0), std::max(Height(), 0),
                                       PixelFormat32bppARGB);
  FValidCache = false;
}

void TSmoothButton::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  InvalidateCache();
}

void TSmoothButton::Resize() {
  TControl::Resize();
  InvalidateCache();
}

bool TSmoothButton::BadgeShows() const {
  return FButtonStatus && FButtonStatus->Visible() &&
         (!FButtonStatus->Caption().empty() ||
          !FButtonStatus->Appearance().Fill().Picture().GetEmpty());
}

void TSmoothButton::RenderLook(TGPBitmap& target) {
  TGPGraphics g(target);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.SetTextRenderingHint(TextRenderingHintAntiAlias);
  g.Clear(MakeColor(0, clWhite));

  const bool badge = BadgeShows();
  TButtonFacePaint face;
  face.Caption = FCaption;
  face.Width = Width();
  face.Height = Height();
  face.VerticalSpacing = badge ? FVerticalSpacing : 0;
  face.HorizontalSpacing = badge ? FHorizontalSpacing : 0;
  face.Color = Enabled() ? FColor : kDisabledFaceColor;
  face.ColorDown = clNone;
  face.BevelColor = FBevelColor;
  face.State.Shadow = FShadow;
  face.State.Down = FDown && FMouseInside;
  face.State.Bevel = FBevel;
  face.RoundingType = rtBoth;
  face.Picture = FPicture.get();
  face.CaptionBox = TCaptionBox::LayoutRect;
  FAppearance->Draw(g, face);

  if (TabStop() && FFocused && FShowFocus) {
    DrawFocus(g, TRect{0, 0, Width() - 1, Height() - 1}, 8, FAppearance->FocusColor());
  }
  if (badge) {
    TBadgeAppearance& look = FButtonStatus->Appearance();
    look.CalculateSize(g, FButtonStatus->Caption());
    const int32_t w = look.GetWidth();
    look.Draw(g, Width() - w + 2 * FButtonStatus->OffsetLeft(), FButtonStatus->OffsetTop(), 0, 0,
              true, FButtonStatus->Caption());
  }
}

void TSmoothButton::RebuildCache() {
  if (!FCache) InvalidateCache();
  RenderLook(*FCache);
  ++cacheBuilds_;
  FValidCache = true;
}

void TSmoothButton::Paint(cairo_t* cr) {
  ++paints_;
  if (Width() <= 0 || Height() <= 0) return;
  if (!FValidCache) RebuildCache();
  TGPGraphics g(cr);
  g.DrawImage(*FCache, 0, 0);
}

// ==== Properties ==========================================================================

void TSmoothButton::SetAppearance(const TButtonFace& value) {
  FAppearance->Assign(value);
  Changed();
}

void TSmoothButton::SetStatus(const TSmoothButtonStatus& value) {
  FButtonStatus->Assign(value);
  Changed();
}

void TSmoothButton::SetBevel(bool value) {
  if (Store(FBevel, value)) Changed();
}
void TSmoothButton::SetBevelColor(TColor value) {
  if (Store(FBevelColor, value)) Changed();
}
void TSmoothButton::SetColor(TColor value) {
  if (Store(FColor, value)) Changed();
}
void TSmoothButton::SetCaption(std::string value) {
  if (Store(FCaption, value)) Changed();
}
void TSmoothButton::SetPicture(const TSmoothPicture* value) {
  FPicture->Assign(value);
}
void TSmoothButton::SetShadow(bool value) {
  if (Store(FShadow, value)) Changed();
}
void TSmoothButton::SetShowFocus(bool value) {
  if (Store(FShowFocus, value)) Changed();
}
void TSmoothButton::SetHorizontalSpacing(int32_t value) {
  if (Store(FHorizontalSpacing, value)) Changed();
}
void TSmoothButton::SetVerticalSpacing(int32_t value) {
  if (Store(FVerticalSpacing, value)) Changed();
}

void TSmoothButton::SetComponentStyle(TOrvelStyle AStyle) {
  const auto style = static_cast<TOrvelStyle>(static_cast<uint8_t>(AStyle) & 0x7F);
  if (const auto color = StyleColor(style)) SetColor(*color);
}

void TSmoothButton::SaveToTheme(const std::string& fileName) {
  IniFile ini(fileName);
  ini.WriteInteger(GetThemeId(), "Color", FColor);
  Changed();
}

void TSmoothButton::LoadFromTheme(const std::string& fileName) {
  const IniFile ini(fileName);
  FColor = ini.ReadInteger(GetThemeId(), "Color", FColor);
  Changed();
}

// ==== Clicks ==============================================================================

void TSmoothButton::HandModalResultToForm() {
  if (TForm* form = ParentForm()) form->SetModalResult(FModalResult);
}

void TSmoothButton::DoClick() {
  HandModalResultToForm();
  Click();
}

void TSmoothButton::Flash(std::chrono::milliseconds duration) {
  if (sleep_) sleep_(duration);
}

// ==== Input ===============================================================================

unsigned TSmoothButton::DialogCode() const {
  return TabStop() ? (dlgcWantArrows | dlgcWantAllKeys) : 0u;
}

void TSmoothButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TControl::MouseDown(button, shift, x, y);
  if (!Enabled()) return;
  FDown = true;
  if (TabStop()) SetFocus();
  FValidCache = false;
  Repaint();
}

void TSmoothButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TControl::MouseUp(button, shift, x, y);
  DoClick();
  // The click handler may have disabled the button (an export runs inside it).
  if (!Enabled()) return;
  FDown = true;
  FMouseInside = true;
  FValidCache = false;
  Repaint();
  Flash(kClickFlash);
  FDown = false;
  FValidCache = false;
  Repaint();
}

void TSmoothButton::MouseEnter() {
  TControl::MouseEnter();
  FMouseInside = true;
  Changed();
}

void TSmoothButton::MouseLeave() {
  TControl::MouseLeave();
  FMouseInside = false;
  FDown = false;
  Changed();
}

void TSmoothButton::KeyPress(char32_t& key) {
  TControl::KeyPress(key);
  if (key != kSpace && key != kEnter) return;
  HandModalResultToForm();
  DoClick();
}

bool TSmoothButton::DialogChar(char32_t character) {
  const char32_t accelerator = AcceleratorOf(FCaption);
  if (accelerator == 0 || g_unichar_tolower(character) != accelerator || !CanFocus()) {
    return TControl::DialogChar(character);
  }
  FDown = true;
  Repaint();
  DoClick();
  Flash(kAcceleratorFlash);
  FDown = false;
  Repaint();
  return true;
}

void TSmoothButton::DoEnter() {
  TControl::DoEnter();
  FFocused = true;
  Changed();
}

void TSmoothButton::DoExit() {
  TControl::DoExit();
  FFocused = false;
  Changed();
}

void TSmoothButton::EnabledChanged() {
  TControl::EnabledChanged();
  Changed();
}

// ==== Parent font =========================================================================

void TSmoothButton::CopyParentFontToAppearance() {
  // Detaching the font-change hook keeps ParentFont set; the appearance's ordinary change
  // notification still rebuilds the look.
  copyingParentFont_ = true;
  FAppearance->SetFont(Font());
  copyingParentFont_ = false;
}

void TSmoothButton::FontChanged() {
  TControl::FontChanged();
  if (ParentFont()) CopyParentFontToAppearance();
}

}  // namespace tavrin::controls
