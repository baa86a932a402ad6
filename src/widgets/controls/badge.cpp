#include "widgets/controls/badge.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "widgets/drawing/gp_brush.h"

namespace tavrin::controls {

namespace {

int32_t RoundEven(double v) {
  return static_cast<int32_t>(std::nearbyint(v));
}

template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// The room the badge's measuring and drawing give a caption: practically unlimited.
constexpr TGPRectF kMeasureRoom{0, 0, 10000, 10000};

}  // namespace

// ==== TBadgeAppearance ====================================================================

TBadgeAppearance::TBadgeAppearance() : FFill(std::make_unique<TSmoothFill>()) {
  FFill->OnChange = [this](TSmoothFill&) { Changed(); };
}

void TBadgeAppearance::Changed() {
  if (OnChange) OnChange(*this);
}

void TBadgeAppearance::SetFill(const TSmoothFill& value) {
  FFill->Assign(value);
}

void TBadgeAppearance::SetFont(const TFont& value) {
  if (Store(FFont, value)) Changed();
}

void TBadgeAppearance::SetSpacing(int32_t value) {
  if (Store(FSpacing, value)) Changed();
}

void TBadgeAppearance::SetGlow(bool value) {
  if (Store(FGlow, value)) Changed();
}

void TBadgeAppearance::Assign(const TBadgeAppearance& source) {
  if (&source == this) return;
  // The fill announces its own copy; holding our notification keeps this to one Changed.
  auto hook = std::exchange(FFill->OnChange, nullptr);
  FFill->Assign(*source.FFill);
  FFill->OnChange = std::move(hook);
  FFont = source.FFont;
  FGlow = source.FGlow;
  FSpacing = source.FSpacing;
  Changed();
}

TGPRectF TBadgeAppearance::Measure(TGPGraphics& g, std::string_view caption) const {
  const auto font = g.MakeFont(FFont);
  const TGPStringFormat format;
  TGPRectF box;
  g.MeasureString(caption, *font, kMeasureRoom, &format, box);
  return box;
}

void TBadgeAppearance::CalculateSize(TGPGraphics& g, std::string_view caption) {
  if (!caption.empty()) {
    const TGPRectF box = Measure(g, caption);
    FHeight = RoundEven(box.Height + 4.0);
    // A one-character badge is at least as wide as high: a circle, not a sliver.
    FWidth = std::max(FHeight, RoundEven(box.Width + 4.0)) + 2 * FSpacing;
  }
  TSmoothPicture& picture = FFill->Picture();
  if (!picture.GetEmpty()) {
    picture.GetImageSizes();
    const bool original = FFill->PictureSize() == psOriginal;
    const int32_t pw = original ? picture.GetWidth() : FFill->PictureWidth();
    const int32_t ph = original ? picture.GetHeight() : FFill->PictureHeight();
    FWidth = std::max(FWidth, pw);
    FHeight = std::max(FHeight, ph);
  }
}

void TBadgeAppearance::Draw(TGPGraphics& g, int32_t x, int32_t y, int32_t width, int32_t height,
                            bool autoSize, std::string_view caption) {
  const int32_t w = autoSize ? FWidth : width;
  const int32_t h = autoSize ? FHeight : height;
  const TGPRectF text = Measure(g, caption);

  // The pill's rounding is a drawing detail, not a user change: no notification.
  FFill->BeginUpdate();
  const double bw = FFill->BorderColor() != clNone ? FFill->BorderWidth() / 2.0 : 0.0;
  const TGPRectF body = MakeRect(float(x), float(y), float(w - 2 * bw), float(h - 2 * bw));
  FFill->SetRounding(RoundEven(body.Height / 2.0));
  FFill->Fill(g, body, 255, 255, 255, 255, 255);
  FFill->EndUpdate();

  const auto font = g.MakeFont(FFont);
  const TGPStringFormat format;
  const TGPPointF origin =
      MakePoint((w - 2.0f * FSpacing - text.Width) / 2 + x + FSpacing, (h - text.Height) / 2 + y);
  TGPSolidBrush brush(MakeColor(255, FFont.Color));
  g.DrawString(caption, *font, origin, &format, brush);

  if (FGlow) DrawGlow(g, body);
}

void TBadgeAppearance::DrawGlow(TGPGraphics& g, const TGPRectF& body) const {
  TSmoothFill glow;
  glow.SetColor(clWhite);
  glow.SetColorTo(clWhite);
  glow.SetGradientType(gtVertical);
  glow.SetOpacity(170);
  glow.SetOpacityTo(30);
  glow.SetRoundingType(rtTop);
  glow.SetRounding(FFill->Rounding());
  glow.Fill(g, MakeRect(body.X, body.Y, body.Width, body.Height / 2), 255, 255, 255, 255, 255);
}

// ==== TSmoothButtonStatus =================================================================

TSmoothButtonStatus::TSmoothButtonStatus(std::function<void()> ownerChanged, bool designTime)
    : FOwnerChanged(std::move(ownerChanged)), FAppearance(std::make_unique<TBadgeAppearance>()) {
  FAppearance->OnChange = [this](TBadgeAppearance&) { Changed(); };
  if (designTime) {
    FCaption.assign(1, '0');  // (assigning the literal trips a false -Wrestrict in GCC 12)
    TSmoothFill& fill = FAppearance->Fill();
    fill.SetColor(clRed);
    fill.SetGradientType(gtSolid);
    fill.SetBorderColor(clGray);
    TFont font = FAppearance->Font();
    font.Color = clWhite;
    FAppearance->SetFont(font);
  }
}

void TSmoothButtonStatus::Changed() {
  if (FOwnerChanged) FOwnerChanged();
}

void TSmoothButtonStatus::SetVisible(bool value) {
  if (Store(FVisible, value)) Changed();
}

void TSmoothButtonStatus::SetCaption(std::string value) {
  if (Store(FCaption, value)) Changed();
}

void TSmoothButtonStatus::SetOffsetLeft(int32_t value) {
  if (Store(FOffsetLeft, value)) Changed();
}

void TSmoothButtonStatus::SetOffsetTop(int32_t value) {
  if (Store(FOffsetTop, value)) Changed();
}

void TSmoothButtonStatus::SetAppearance(const TBadgeAppearance& value) {
  FAppearance->Assign(value);
}

void TSmoothButtonStatus::Assign(const TSmoothButtonStatus& source) {
  if (&source == this) return;
  FAppearance->Assign(*source.FAppearance);
  FOffsetTop = source.FOffsetTop;
  FOffsetLeft = source.FOffsetLeft;
  FVisible = source.FVisible;
  FCaption = source.FCaption;
}

}  // namespace tavrin::controls
