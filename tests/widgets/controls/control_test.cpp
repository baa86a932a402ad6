// The control layer without a display: tree, tab order and focus, key routing, parent font,
// and painting into the headless screen in the window system's order.
#include "widgets/controls/control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin::controls {
namespace {

// Records what reaches the virtual handlers.
class Probe : public TControl {
 public:
  using TControl::TControl;
  std::vector<std::string> log;
  unsigned wants = 0;
  char32_t accelerator = 0;
  ARGB paintColor = 0;  // 0 paints nothing
  int paints = 0;
  int fontChanges = 0;

  unsigned DialogCode() const override { return wants; }

 protected:
  void Paint(cairo_t* cr) override {
    ++paints;
    if (paintColor == 0) return;
    cairo_set_source_rgba(cr, GetRed(paintColor) / 255.0, GetGreen(paintColor) / 255.0,
                          GetBlue(paintColor) / 255.0, GetAlpha(paintColor) / 255.0);
    cairo_paint(cr);
  }
  void MouseDown(TMouseButton, TShiftState, int x, int y) override {
    log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseDoubleClick(TShiftState shift, int, int) override {
    log.push_back(shift.Has(TShiftState::ssDouble) ? "double" : "double?");
  }
  void KeyDown(TKeyCode& key, TShiftState) override { log.push_back("keydown " + std::to_string(key)); }
  void KeyPress(char32_t& key) override { log.push_back("press " + std::to_string(key)); }
  void DoEnter() override { log.push_back("enter"); }
  void DoExit() override { log.push_back("exit"); }
  void FontChanged() override { ++fontChanges; }
  bool DialogChar(char32_t c) override {
    if (accelerator == 0 || c != accelerator) return false;
    log.push_back("accelerator");
    return true;
  }
};

struct Window {
  TForm form;
  Probe panel{&form}, first{&panel}, second{&panel}, third{&panel};
  Window() {
    form.SetClientSize(100, 60);
    panel.SetBounds(10, 10, 80, 40);
    for (Probe* p : {&first, &second, &third}) p->SetTabStop(true);
    // Tab order deliberately differs from z-order.
    first.SetTabOrder(2);
    second.SetTabOrder(0);
    third.SetTabOrder(1);
  }
};

TEST(ControlFocus, TabWalksTabOrderSkipsUnfocusableAndWraps) {
  Window w;
  w.second.SetFocus();
  ASSERT_TRUE(w.second.Focused());
  w.third.SetEnabled(false);
  // Tab on second: third is disabled, so first; then wrap to second again.
  EXPECT_FALSE(w.second.HandleKeyDown(GDK_KEY_Tab, {}, 9));
  EXPECT_TRUE(w.first.Focused());
  w.first.HandleKeyDown(GDK_KEY_Tab, {}, 9);
  EXPECT_TRUE(w.second.Focused());
  // Shift+Tab goes backwards.
  w.second.HandleKeyDown(GDK_KEY_ISO_Left_Tab, TShiftState::ssShift, 9);
  EXPECT_TRUE(w.first.Focused());
  EXPECT_EQ(w.second.log, (std::vector<std::string>{"enter", "exit", "enter", "exit"}));
  // The key that moved the focus never reached the control.
  for (const auto& entry : w.first.log) EXPECT_EQ(entry.rfind("keydown", 0), std::string::npos);
}

TEST(ControlFocus, HiddenOrDisabledParentTakesFocusAway) {
  Window w;
  w.first.SetFocus();
  w.panel.SetVisible(false);
  EXPECT_FALSE(w.first.Focused());
  EXPECT_EQ(w.first.log.back(), "exit");
  w.first.SetFocus();  // cannot: the parent is hidden
  EXPECT_FALSE(w.first.Focused());
}

TEST(ControlKeys, WantedNavigationKeysReachTheControl) {
  Window w;
  w.first.wants = dlgcWantTab | dlgcWantArrows;
  w.first.SetFocus();
  EXPECT_TRUE(w.first.HandleKeyDown(GDK_KEY_Tab, {}, 9));
  EXPECT_TRUE(w.first.HandleKeyDown(GDK_KEY_Down, {}, 0));
  EXPECT_TRUE(w.first.Focused());
  EXPECT_EQ(w.first.log, (std::vector<std::string>{"enter", "keydown " + std::to_string(GDK_KEY_Tab),
                                                   "press 9",
                                                   "keydown " + std::to_string(GDK_KEY_Down)}));
}

TEST(ControlKeys, CharactersAreOfferedAsAcceleratorsFirst) {
  Window w;
  w.third.accelerator = U'e';
  w.first.HandleKeyPress(U'e');
  w.first.HandleKeyPress(U'x');
  EXPECT_EQ(w.third.log, std::vector<std::string>{"accelerator"});
  EXPECT_EQ(w.first.log, std::vector<std::string>{"press " + std::to_string(U'x')});
  // A control that wants characters types them; with Alt a character is an accelerator only.
  w.first.wants = dlgcWantChars;
  w.first.HandleKeyPress(U'e');
  w.first.HandleKeyPress(U'q', TShiftState::ssAlt);
  EXPECT_EQ(w.first.log.back(), "press " + std::to_string(U'e'));
  EXPECT_EQ(w.third.log.size(), 1u);
}

TEST(ControlMouse, DisabledControlIgnoresPressesAndDoubleClickHasItsOwnPath) {
  Window w;
  w.first.HandleMouseDown(TMouseButton::mbLeft, TShiftState::ssLeft, 3, 4);
  w.first.HandleDoubleClick(TShiftState::ssLeft, 3, 4);
  w.first.SetEnabled(false);
  w.first.HandleMouseDown(TMouseButton::mbLeft, TShiftState::ssLeft, 5, 6);
  EXPECT_EQ(w.first.log, (std::vector<std::string>{"down 3,4", "double"}));
}

TEST(ControlFont, ChildrenFollowTheParentUntilGivenTheirOwn) {
  Window w;
  TFont big;
  big.Name = "Arial";
  big.Size = 12;
  w.form.SetFont(big);
  EXPECT_EQ(w.first.Font(), big);
  EXPECT_EQ(w.first.fontChanges, 1);
  TFont own = big;
  own.Size = 9;
  w.first.SetFont(own);
  EXPECT_FALSE(w.first.ParentFont());
  w.form.SetFont(TFont{});
  EXPECT_EQ(w.first.Font(), own);
  EXPECT_EQ(w.second.Font(), TFont{});
  w.first.SetParentFont(true);
  EXPECT_EQ(w.first.Font(), TFont{});
}

TEST(ControlPaint, ChildPaintsOverWhatTheParentPainted) {
  Window w;
  w.panel.paintColor = 0xFF0000FF;  // opaque blue
  w.first.SetBounds(0, 0, 20, 20);
  w.first.paintColor = 0x80FF0000;  // half-transparent red
  w.form.Update();
  Surface* screen = w.form.HeadlessScreen();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->Pixel(5, 5), ColorToARGB(clBtnFace));           // the form's colour
  EXPECT_EQ(screen->Pixel(50, 40), 0xFF0000FFu);                   // the panel
  const ARGB mixed = screen->Pixel(15, 15);                        // the child over the panel
  EXPECT_NEAR(GetRed(mixed), 128, 1);
  EXPECT_NEAR(GetBlue(mixed), 127, 1);
}

TEST(ControlPaint, ManyInvalidationsPaintOnceAndOnlyTheDirtyArea) {
  Window w;
  w.first.SetBounds(0, 0, 20, 20);
  w.second.SetBounds(40, 0, 20, 20);
  w.form.Update();
  const int firstBefore = w.first.paints, secondBefore = w.second.paints;
  for (int i = 0; i < 5; ++i) w.first.Invalidate();
  EXPECT_EQ(w.first.InvalidationCount(), 5u);
  w.form.Update();
  w.form.Update();
  EXPECT_EQ(w.first.paints, firstBefore + 1);
  EXPECT_EQ(w.second.paints, secondBefore);
  w.second.Repaint();
  EXPECT_EQ(w.second.paints, secondBefore + 1);
}

TEST(ControlTree, DestroyingAChildDetachesItAndItsFocus) {
  Window w;
  {
    Probe extra(&w.panel);
    extra.SetTabStop(true);
    extra.SetFocus();
    EXPECT_EQ(w.panel.Children().size(), 4u);
    EXPECT_EQ(extra.ParentForm(), &w.form);
  }
  EXPECT_EQ(w.panel.Children().size(), 3u);
  w.second.SetFocus();
  EXPECT_TRUE(w.second.Focused());
  EXPECT_EQ(w.third.RectInRoot(), (ControlRect{10, 10, 0, 0}));
}

}  // namespace
}  // namespace tavrin::controls
