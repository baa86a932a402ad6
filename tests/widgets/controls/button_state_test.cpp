// The smooth button's state machine, cache and properties, on headless controls: input goes
// through the control layer's entry points and paints land in the form's off-screen screen.

#include <gdk/gdkkeysyms.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "widgets/controls/control.h"
#include "widgets/controls/smooth_button.h"
#include "widgets/drawing/surface.h"

namespace tavrin::controls {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

constexpr TColor kExportColor = 15187845;
constexpr int kLeft = 10, kTop = 10;

class ButtonState : public ::testing::Test {
 protected:
  ButtonState() {
    form.SetClientSize(200, 100);
    button.SetBounds(kLeft, kTop, 120, 35);
    button.SetCaption("Export");
    button.SetColor(kExportColor);
    button.SetSleepFunction([this](std::chrono::milliseconds d) {
      events.push_back("sleep " + std::to_string(d.count()));
      lookDuringSleep = ScreenPixel(60, 3);
      downDuringSleep = button.Down();
    });
    button.OnClick = [this](TControl&) { events.push_back("click"); };
    button.OnMouseDown = [this](TControl&, TMouseButton, TShiftState, int, int) {
      events.push_back("down");
    };
    button.OnMouseUp = [this](TControl&, TMouseButton, TShiftState, int, int) {
      events.push_back("up");
    };
    form.Update();  // the first paint
  }

  // A pixel of the button's area as the screen shows it.
  ARGB ScreenPixel(int x, int y) { return form.HeadlessScreen()->Pixel(kLeft + x, kTop + y); }
  ARGB CachePixel(int x, int y) {
    ARGB c = 0;
    button.CacheImage().GetPixel(x, y, c);
    return c;
  }
  void Press(TMouseButton b = TMouseButton::mbLeft) { button.HandleMouseDown(b, {}, 60, 17); }
  void Release(TMouseButton b = TMouseButton::mbLeft) { button.HandleMouseUp(b, {}, 60, 17); }

  TForm form;
  TSmoothButton button{&form};
  std::vector<std::string> events;
  ARGB lookDuringSleep = 0;
  bool downDuringSleep = false;
};

TEST_F(ButtonState, Defaults) {
  TSmoothButton fresh;
  EXPECT_EQ(fresh.Width(), 120);
  EXPECT_EQ(fresh.Height(), 35);
  EXPECT_EQ(fresh.Color(), clGray);
  EXPECT_TRUE(fresh.Bevel());
  EXPECT_EQ(fresh.BevelColor(), clWhite);
  EXPECT_FALSE(fresh.Shadow());
  EXPECT_TRUE(fresh.ShowFocus());
  EXPECT_TRUE(fresh.TabStop());
  EXPECT_TRUE(fresh.ParentFont());
  EXPECT_EQ(fresh.HorizontalSpacing(), 5);
  EXPECT_EQ(fresh.VerticalSpacing(), 5);
  EXPECT_EQ(fresh.ModalResult(), 0);
  EXPECT_FALSE(fresh.Status().Visible());
  EXPECT_EQ(fresh.Status().Caption(), "");
  EXPECT_EQ(fresh.CacheImage().GetWidth(), 120u);
  EXPECT_EQ(fresh.CacheImage().GetHeight(), 35u);
  EXPECT_EQ(fresh.CacheImage().GetPixelFormat(), PixelFormat32bppARGB);
  EXPECT_EQ(fresh.GetThemeId(), "TSmoothButton");
}

TEST_F(ButtonState, VersionCannotBeWritten) {
  button.SetVersion("1.0.0.0");
  EXPECT_EQ(button.Version(), "1.6.9.6");
}

TEST_F(ButtonState, DesignTimeButtonGetsAPresetBadge) {
  TSmoothButton designed(nullptr, true);
  EXPECT_EQ(designed.Status().Caption(), "0");
  EXPECT_EQ(designed.Status().Appearance().Fill().Color(), clRed);
  EXPECT_EQ(designed.Status().Appearance().Fill().GradientType(), gtSolid);
  EXPECT_EQ(designed.Status().Appearance().Fill().BorderColor(), clGray);
  EXPECT_EQ(designed.Status().Appearance().Font().Color, clWhite);
  EXPECT_EQ(button.Status().Caption(), "");
}

// ---- Mouse ---------------------------------------------------------------------------------

TEST_F(ButtonState, PressShowsPressedLookAtOnce) {
  button.HandleMouseEnter();
  form.Update();
  const uint64_t paints = button.PaintCount();
  const ARGB idle = ScreenPixel(60, 3);
  Press();
  EXPECT_TRUE(button.Down());
  EXPECT_TRUE(button.Focused());
  EXPECT_EQ(button.PaintCount(), paints + 1);  // painted within the press, not later
  EXPECT_NE(ScreenPixel(60, 3), idle);
  EXPECT_THAT(events, ElementsAre("down"));
}

TEST_F(ButtonState, ReleaseClicksThenFlashesThePressedLookForOneHundredMilliseconds) {
  button.HandleMouseEnter();
  form.Update();
  const ARGB idle = ScreenPixel(60, 3);
  Press();
  const ARGB pressed = ScreenPixel(60, 3);
  const uint64_t paints = button.PaintCount(), builds = button.CacheBuildCount();
  Release();
  EXPECT_THAT(events, ElementsAre("down", "up", "click", "sleep 100"));
  EXPECT_TRUE(downDuringSleep);
  EXPECT_EQ(lookDuringSleep, pressed);
  EXPECT_FALSE(button.Down());
  EXPECT_EQ(ScreenPixel(60, 3), idle);
  EXPECT_EQ(button.PaintCount(), paints + 2);  // pressed look, then idle look
  EXPECT_EQ(button.CacheBuildCount(), builds + 2);
}

TEST_F(ButtonState, ReleaseOfAnyMouseButtonClicks) {
  for (TMouseButton b : {TMouseButton::mbLeft, TMouseButton::mbRight, TMouseButton::mbMiddle}) {
    events.clear();
    Press(b);
    Release(b);
    EXPECT_THAT(events, ElementsAre("down", "up", "click", "sleep 100")) << int(b);
  }
}

TEST_F(ButtonState, PressedLookNeedsThePointerInside) {
  const ARGB idle = ScreenPixel(60, 3);
  Press();  // no enter event came first
  EXPECT_TRUE(button.Down());
  EXPECT_EQ(ScreenPixel(60, 3), idle);
}

TEST_F(ButtonState, LeavingClearsThePressedLookUntilTheNextPress) {
  button.HandleMouseEnter();
  form.Update();
  const ARGB idle = ScreenPixel(60, 3);
  Press();
  button.HandleMouseLeave();
  EXPECT_FALSE(button.Down());
  EXPECT_FALSE(button.MouseInside());
  form.Update();
  EXPECT_EQ(ScreenPixel(60, 3), idle);
  button.HandleMouseEnter();
  form.Update();
  EXPECT_FALSE(button.Down());
  EXPECT_EQ(ScreenPixel(60, 3), idle);
}

TEST_F(ButtonState, EnterAndLeaveOnlyRebuildTheImage) {
  const ARGB idle = ScreenPixel(60, 3);
  const uint64_t builds = button.CacheBuildCount();
  button.HandleMouseEnter();
  EXPECT_FALSE(button.CacheValid());
  form.Update();
  EXPECT_EQ(button.CacheBuildCount(), builds + 1);
  EXPECT_EQ(ScreenPixel(60, 3), idle);  // no hover look
}

TEST_F(ButtonState, DoubleClickClicksTwiceAndFiresOnDblClickOnce) {
  int doubles = 0;
  button.OnDblClick = [&](TControl&) { ++doubles; };
  Press();
  Release();
  button.HandleDoubleClick({}, 60, 17);
  Release();
  EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 2);
  EXPECT_EQ(std::count(events.begin(), events.end(), "down"), 1);  // no press for the double
  EXPECT_EQ(doubles, 1);
}

TEST_F(ButtonState, ClickHandlerThatDisablesTheButtonSkipsTheFlash) {
  button.OnClick = [this](TControl&) {
    events.push_back("click");
    button.SetEnabled(false);
  };
  Press();
  Release();
  EXPECT_THAT(events, ElementsAre("down", "up", "click"));
}

// ---- Enabled state -------------------------------------------------------------------------

TEST_F(ButtonState, DisabledButtonIgnoresPressesAndRepaintsGrey) {
  button.SetBevel(false);  // the ring would lighten the probed row
  form.Update();
  const uint64_t builds = button.CacheBuildCount();
  ASSERT_TRUE(button.CacheValid());
  button.SetEnabled(false);
  EXPECT_FALSE(button.CacheValid());
  form.Update();
  EXPECT_EQ(button.CacheBuildCount(), builds + 1);
  // One fifth into the upper gradient: the disabled colour 0x505050 + 100.
  const ARGB grey = ScreenPixel(60, 3);
  EXPECT_NEAR(GetRed(grey), 0xB4, 2);
  EXPECT_NEAR(GetGreen(grey), 0xB4, 2);
  EXPECT_NEAR(GetBlue(grey), 0xB4, 2);
  Press();
  Release();
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(button.Down());
  button.SetEnabled(true);
  form.Update();
  EXPECT_NE(ScreenPixel(60, 3), grey);
}

// ---- Focus ---------------------------------------------------------------------------------

// Pixels of the cached look that differ between two states.
int CountDifferences(const TGPBitmap& a, const TGPBitmap& b, bool outlineOnly) {
  int n = 0;
  for (int y = 0; y < 35; ++y) {
    for (int x = 0; x < 120; ++x) {
      ARGB ca = 0, cb = 0;
      a.GetPixel(x, y, ca);
      b.GetPixel(x, y, cb);
      if (ca == cb) continue;
      const bool onOutline = x <= 3 || x >= 116 || y <= 3 || y >= 31;
      if (!outlineOnly || !onOutline) ++n;
    }
  }
  return n;
}

TEST_F(ButtonState, FocusDrawsTheDottedRectangleAlongTheOutline) {
  TGPBitmap unfocused(120, 35);
  button.RenderLook(unfocused);
  button.SetFocus();
  EXPECT_TRUE(button.HasFocusLook());
  EXPECT_FALSE(button.CacheValid());
  TGPBitmap focused(120, 35);
  button.RenderLook(focused);
  EXPECT_GT(CountDifferences(unfocused, focused, false), 40);
  EXPECT_EQ(CountDifferences(unfocused, focused, true), 0);
}

TEST_F(ButtonState, FocusLeavesWhenAnotherControlTakesIt) {
  TSmoothButton other(&form);
  other.SetBounds(10, 60, 120, 35);
  int exits = 0;
  button.OnExit = [&](TControl&) { ++exits; };
  button.SetFocus();
  form.Update();
  const uint64_t builds = button.CacheBuildCount();
  other.SetFocus();
  EXPECT_FALSE(button.HasFocusLook());
  EXPECT_EQ(exits, 1);
  form.Update();
  EXPECT_EQ(button.CacheBuildCount(), builds + 1);
}

TEST_F(ButtonState, NoFocusRectangleWithoutShowFocusOrTabStop) {
  TGPBitmap plain(120, 35);
  button.RenderLook(plain);
  button.SetFocus();
  button.SetShowFocus(false);
  TGPBitmap noShow(120, 35);
  button.RenderLook(noShow);
  EXPECT_EQ(CountDifferences(plain, noShow, false), 0);
}

TEST_F(ButtonState, DialogCodeWantsArrowsAndAllKeysWithTabStop) {
  EXPECT_EQ(button.DialogCode(), 5u);
  button.SetTabStop(false);
  EXPECT_EQ(button.DialogCode(), 0u);
}

// ---- Keys ----------------------------------------------------------------------------------

TEST_F(ButtonState, SpaceAndEnterClickOnceAndWriteTheModalResult) {
  for (char32_t key : {U' ', U'\r'}) {
    events.clear();
    form.SetModalResult(7);
    button.SetFocus();
    button.HandleKeyPress(key);
    EXPECT_THAT(events, ElementsAre("click")) << int(key);  // no flash for keys
    EXPECT_EQ(form.ModalResult(), 0);
  }
}

TEST_F(ButtonState, FocusedButtonTakesEnterItself) {
  button.SetFocus();
  EXPECT_TRUE(button.HandleKeyDown(GDK_KEY_Return, {}, U'\r'));
  EXPECT_THAT(events, ElementsAre("click"));
}

TEST_F(ButtonState, OtherCharactersDoNotClick) {
  button.SetFocus();
  button.HandleKeyPress(U'a');
  EXPECT_TRUE(events.empty());
}

TEST_F(ButtonState, ClickHandsTheModalResultToTheForm) {
  button.SetModalResult(3);
  Press();
  Release();
  EXPECT_EQ(form.ModalResult(), 3);
}

TEST_F(ButtonState, WithoutAFormDoClickOnlyClicks) {
  TSmoothButton lone;
  int clicks = 0;
  lone.OnClick = [&](TControl&) { ++clicks; };
  lone.SetModalResult(4);
  lone.DoClick();
  EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonState, AcceleratorClicksWithAHundredAndFiftyMillisecondFlash) {
  button.SetCaption("E&xport");
  form.Update();
  const uint64_t paints = button.PaintCount();
  EXPECT_TRUE(form.BroadcastDialogChar(U'X'));
  EXPECT_THAT(events, ElementsAre("click", "sleep 150"));
  EXPECT_TRUE(downDuringSleep);
  EXPECT_FALSE(button.Down());
  EXPECT_EQ(button.PaintCount(), paints + 2);
}

TEST_F(ButtonState, AltCharacterReachesTheAccelerator) {
  button.SetCaption("E&xport");
  TSmoothButton other(&form);
  other.SetBounds(10, 60, 120, 35);
  other.SetFocus();
  other.HandleKeyPress(U'x', TShiftState::ssAlt);
  EXPECT_THAT(events, ElementsAre("click", "sleep 150"));
}

TEST_F(ButtonState, AcceleratorIgnoredWithoutMarkerOrFocusability) {
  EXPECT_FALSE(form.BroadcastDialogChar(U'e'));  // "Export" has no marker
  button.SetCaption("E&xport");
  button.SetEnabled(false);
  EXPECT_FALSE(form.BroadcastDialogChar(U'x'));
  EXPECT_TRUE(events.empty());
}

TEST(Accelerator, MarkedCharacterOfTheCaption) {
  EXPECT_EQ(AcceleratorOf("E&xport"), U'x');
  EXPECT_EQ(AcceleratorOf("&Export"), U'e');
  EXPECT_EQ(AcceleratorOf("Export"), 0u);
  EXPECT_EQ(AcceleratorOf("Fish && Chips"), 0u);
  EXPECT_EQ(AcceleratorOf("Fish && &Chips"), U'c');
  EXPECT_EQ(AcceleratorOf("trailing&"), 0u);
  EXPECT_EQ(AcceleratorOf("&Ärger"), U'ä');
}

// ---- Cache ---------------------------------------------------------------------------------

TEST_F(ButtonState, ManyChangesRebuildTheCacheOnceAtTheNextPaint) {
  ASSERT_TRUE(button.CacheValid());
  const uint64_t builds = button.CacheBuildCount();
  button.SetColor(0x00FF00);
  button.SetBevel(false);
  button.SetShadow(true);
  button.SetCaption("Go");
  button.SetBevelColor(clRed);
  button.Appearance().SetSpacing(6);
  button.Status().SetCaption("3");
  EXPECT_EQ(button.CacheBuildCount(), builds);
  form.Update();
  EXPECT_EQ(button.CacheBuildCount(), builds + 1);
  button.Repaint();  // a paint with a valid cache composites only
  EXPECT_EQ(button.CacheBuildCount(), builds + 1);
}

TEST_F(ButtonState, UnchangedValuesDoNotInvalidate) {
  const uint64_t invalidations = button.InvalidationCount();
  button.SetColor(kExportColor);
  button.SetCaption("Export");
  button.SetBevel(true);
  EXPECT_EQ(button.InvalidationCount(), invalidations);
  EXPECT_TRUE(button.CacheValid());
}

TEST_F(ButtonState, ResizeRecreatesTheCacheImage) {
  button.SetBounds(kLeft, kTop, 150, 40);
  EXPECT_EQ(button.CacheImage().GetWidth(), 150u);
  EXPECT_EQ(button.CacheImage().GetHeight(), 40u);
  EXPECT_FALSE(button.CacheValid());
}

TEST_F(ButtonState, CacheIsCompositedOverWhatTheFormShows) {
  // A rounded corner of the face leaves the form's colour visible.
  EXPECT_EQ(form.HeadlessScreen()->Pixel(kLeft, kTop), ColorToARGB(clBtnFace));
  ARGB corner = 0;
  button.CacheImage().GetPixel(0, 0, corner);
  EXPECT_EQ(GetAlpha(corner), 0);
}

// A parent that paints one colour, as a panel paints its gradient under its children.
class ColouredParent : public TControl {
 public:
  using TControl::TControl;
  ARGB colour = 0xFF00C000;

 protected:
  void Paint(cairo_t* cr) override {
    cairo_set_source_rgb(cr, GetRed(colour) / 255.0, GetGreen(colour) / 255.0,
                         GetBlue(colour) / 255.0);
    cairo_paint(cr);
  }
};

TEST(ButtonOverParent, CachedImageShowsWhatTheParentPaintedBehindIt) {
  TForm window;
  window.SetClientSize(200, 100);
  ColouredParent panel(&window);
  panel.SetBounds(0, 0, 200, 100);
  TSmoothButton button(&panel);
  button.SetBounds(20, 20, 120, 35);
  button.SetColor(kExportColor);
  window.Update();
  Surface& screen = *window.HeadlessScreen();
  EXPECT_EQ(screen.Pixel(20, 20), panel.colour);  // the rounded corner
  EXPECT_NE(screen.Pixel(80, 37), panel.colour);  // the face
  // A repaint of the button alone paints the parent's area under it first.
  panel.colour = 0xFF0000C0;
  button.Repaint();
  EXPECT_EQ(screen.Pixel(20, 20), panel.colour);
}

TEST(ButtonOverParent, InheritsTheWindowFontThroughItsParent) {
  TForm window;
  TFont font;
  font.Name = "Tahoma";
  font.Size = 8;
  font.Color = clWindowText;
  window.SetFont(font);
  ColouredParent panel(&window);
  TSmoothButton button(&panel);
  EXPECT_EQ(button.Appearance().Font(), font);
  font.Size = 11;
  window.SetFont(font);
  EXPECT_EQ(button.Appearance().Font().Size, 11);
  EXPECT_TRUE(button.ParentFont());
}

TEST_F(ButtonState, PressWithoutTabStopLeavesTheFocus) {
  button.SetTabStop(false);
  Press();
  EXPECT_TRUE(button.Down());
  EXPECT_FALSE(button.Focused());
}

TEST_F(ButtonState, LoadingThePictureRebuildsTheLookWithThePicture) {
  const std::string file = ::testing::TempDir() + "button_picture.png";
  Surface square(16, 16);
  square.Fill(0xFFFF00FF);
  ASSERT_TRUE(square.WritePng(file));
  button.SetCaption("");
  form.Update();
  ASSERT_TRUE(button.CacheValid());
  button.Picture().LoadFromFile(file);
  EXPECT_FALSE(button.CacheValid());
  form.Update();
  // Alone on the face and right-justified: 4 pixels in from the right edge, centred vertically.
  EXPECT_EQ(CachePixel(100, 9), 0xFFFF00FFu);
  EXPECT_EQ(CachePixel(115, 24), 0xFFFF00FFu);
  EXPECT_NE(CachePixel(99, 17), 0xFFFF00FFu);
  EXPECT_NE(CachePixel(116, 17), 0xFFFF00FFu);
  std::remove(file.c_str());
}

TEST_F(ButtonState, AppearanceIsCopiedNotAdopted) {
  TButtonFace look;
  look.SetSimpleLayout(true);
  look.SetSpacing(8);
  form.Update();
  button.SetAppearance(look);
  EXPECT_NE(&button.Appearance(), &look);
  EXPECT_TRUE(button.Appearance().SimpleLayout());
  EXPECT_EQ(button.Appearance().Spacing(), 8);
  EXPECT_FALSE(button.CacheValid());
  look.SetSpacing(2);
  EXPECT_EQ(button.Appearance().Spacing(), 8);
}

// ---- Styles and themes ---------------------------------------------------------------------

TEST_F(ButtonState, ComponentStylesSetTheFaceColour) {
  const std::pair<int, TColor> cases[] = {
      {0, 0xE3B28D},    {1, 0x927476},   {2, 0x447A63},  {3, 0xC9D1D5},  {4, 0xFDEADA},
      {5, 0x6E6E6D},    {6, 0xB9D8DC},   {7, 0x828F92},  {9, 0xE7DCD5},  {10, 0xFDF8F1},
      {11, 0xFCEBDC},   {12, clBtnFace}, {13, 0xF0DAC7}, {14, 0xEDE5E0}, {15, 0x919191},
      {0x84, 0xFDEADA},  // only the low seven bits choose
  };
  for (const auto& [style, color] : cases) {
    button.SetComponentStyle(static_cast<TOrvelStyle>(style));
    EXPECT_EQ(button.Color(), color) << style;
  }
  button.SetColor(0x123456);
  button.SetComponentStyle(TOrvelStyle::tsCustom);
  EXPECT_EQ(button.Color(), 0x123456);
}

TEST_F(ButtonState, ThemeFileKeepsTheColour) {
  const std::string file = ::testing::TempDir() + "button_theme.ini";
  std::remove(file.c_str());
  button.SaveToTheme(file);
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("[TSmoothButton]"), std::string::npos);
  EXPECT_NE(text.str().find("Color=15187845"), std::string::npos);
  button.SetColor(clRed);
  form.Update();
  button.LoadFromTheme(file);
  EXPECT_EQ(button.Color(), kExportColor);
  EXPECT_FALSE(button.CacheValid());
  std::remove(file.c_str());
}

// ---- Fonts ---------------------------------------------------------------------------------

TEST_F(ButtonState, ParentFontIsCopiedIntoTheFaceAndNotStored) {
  TFont font;
  font.Name = "Liberation Serif";
  font.Size = 10;
  form.SetFont(font);
  EXPECT_EQ(button.Appearance().Font().Name, "Liberation Serif");
  EXPECT_EQ(button.Appearance().Font().Size, 10);
  EXPECT_TRUE(button.ParentFont());
  EXPECT_FALSE(button.Appearance().IsFontStored());
  EXPECT_FALSE(button.CacheValid());
}

TEST_F(ButtonState, UsersFontChoiceEndsParentFont) {
  TFont own;
  own.Size = 14;
  button.Appearance().SetFont(own);
  EXPECT_FALSE(button.ParentFont());
  EXPECT_TRUE(button.Appearance().IsFontStored());
  TFont parents;
  parents.Size = 9;
  form.SetFont(parents);
  EXPECT_EQ(button.Appearance().Font().Size, 14);
}

TEST_F(ButtonState, ButtonStartsWithTheInheritedFont) {
  TFont font;
  font.Name = "Liberation Mono";
  form.SetFont(font);
  TSmoothButton late(&form);
  EXPECT_EQ(late.Appearance().Font().Name, "Liberation Mono");
}

// ---- Badge ---------------------------------------------------------------------------------

class ButtonBadge : public ButtonState {
 protected:
  ButtonBadge() {
    TSmoothButtonStatus& status = button.Status();
    status.SetCaption("0");
    status.Appearance().Fill().SetColor(clRed);
    status.Appearance().Fill().SetGradientType(gtSolid);
    status.Appearance().Fill().SetBorderColor(clGray);
    TFont font = status.Appearance().Font();
    font.Color = clWhite;
    status.Appearance().SetFont(font);
  }
  // The leftmost column holding a strongly red pixel of the cached look, or -1.
  int LeftmostRed() {
    for (int x = 0; x < 120; ++x) {
      for (int y = 0; y < 35; ++y) {
        const ARGB c = CachePixel(x, y);
        if (GetAlpha(c) == 255 && GetRed(c) > 200 && GetGreen(c) < 80 && GetBlue(c) < 80) return x;
      }
    }
    return -1;
  }
};

TEST_F(ButtonBadge, HiddenBadgeTakesNoRoom) {
  form.Update();
  EXPECT_EQ(GetAlpha(CachePixel(2, 17)), 255);  // the face reaches the left edge
  EXPECT_EQ(LeftmostRed(), -1);
}

TEST_F(ButtonBadge, VisibleBadgeShrinksTheFaceAndSitsTopRight) {
  button.Status().SetVisible(true);
  form.Update();
  EXPECT_EQ(GetAlpha(CachePixel(2, 17)), 0);  // face inset by 5 on every side
  EXPECT_EQ(GetAlpha(CachePixel(60, 2)), 0);
  const TBadgeAppearance& look = button.Status().Appearance();
  EXPECT_GE(look.GetWidth(), look.GetHeight());  // at least as wide as high
  // Right edge at the button's right edge; the grey border and the anti-aliased rim come first.
  EXPECT_GE(LeftmostRed(), 120 - look.GetWidth());
  EXPECT_LE(LeftmostRed(), 120 - look.GetWidth() + 3);
  const ARGB top = CachePixel(120 - look.GetWidth() / 2, 1);  // top at 0
  EXPECT_GT(GetAlpha(top), 200);
  EXPECT_GT(GetRed(top), 200);
}

TEST_F(ButtonBadge, OffsetLeftCountsTwice) {
  button.Status().SetVisible(true);
  form.Update();
  const int before = LeftmostRed();
  button.Status().SetOffsetLeft(-3);
  form.Update();
  EXPECT_EQ(LeftmostRed(), before - 6);
}

TEST_F(ButtonBadge, VisibleBadgeWithoutCaptionOrPictureIsNotDrawn) {
  button.Status().SetCaption("");
  button.Status().SetVisible(true);
  form.Update();
  EXPECT_EQ(GetAlpha(CachePixel(2, 17)), 255);
  EXPECT_EQ(LeftmostRed(), -1);
}

TEST_F(ButtonBadge, EmptyCaptionKeepsTheLastSize) {
  TGPBitmap scratch(10, 10);
  TGPGraphics g(scratch);
  TBadgeAppearance& look = button.Status().Appearance();
  look.CalculateSize(g, "12");
  const int w = look.GetWidth(), h = look.GetHeight();
  look.CalculateSize(g, "");
  EXPECT_EQ(look.GetWidth(), w);
  EXPECT_EQ(look.GetHeight(), h);
  look.SetSpacing(4);
  look.CalculateSize(g, "12");
  EXPECT_EQ(look.GetWidth(), w + 8);
}

TEST_F(ButtonBadge, AssignCopiesTheBadgeAndRebuildsTheLook) {
  TSmoothButtonStatus other([] {});
  other.SetCaption("9");
  other.SetVisible(true);
  other.SetOffsetLeft(2);
  other.SetOffsetTop(1);
  other.Appearance().SetSpacing(3);
  form.Update();
  button.SetStatus(other);
  EXPECT_EQ(button.Status().Caption(), "9");
  EXPECT_TRUE(button.Status().Visible());
  EXPECT_EQ(button.Status().OffsetLeft(), 2);
  EXPECT_EQ(button.Status().OffsetTop(), 1);
  EXPECT_EQ(button.Status().Appearance().Spacing(), 3);
  EXPECT_FALSE(button.CacheValid());
}

}  // namespace
}  // namespace tavrin::controls
