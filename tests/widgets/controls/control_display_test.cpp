// The control layer on a real display: immediate repaints, tab order across own controls and
// hosted GTK widgets, key events from GTK reaching the focused control, and failures of a
// control's handlers ending at the event failure handler instead of unwinding through GTK.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "display_support.h"
#include "widgets/controls/control.h"
#include "widgets/controls/event_failure.h"

namespace tavrin::controls {
namespace {

class Probe : public TControl {
 public:
  using TControl::TControl;
  int paints = 0;
  std::vector<std::string> log;
  bool failPaint = false, failMouseUp = false;

 protected:
  void Paint(cairo_t*) override {
    ++paints;
    if (failPaint) throw std::runtime_error("paint failed");
  }
  void KeyDown(TKeyCode& key, TShiftState) override { log.push_back("down " + std::to_string(key)); }
  void KeyPress(char32_t& key) override { log.push_back("press " + std::to_string(key)); }
  void MouseDown(TMouseButton, TShiftState, int, int) override { log.push_back("mouse down"); }
  void MouseUp(TMouseButton, TShiftState, int, int) override {
    log.push_back("mouse up");
    if (failMouseUp) throw std::logic_error("click failed");
  }
  void MouseDoubleClick(TShiftState, int, int) override { log.push_back("double"); }
};

using testing::Pump;
using testing::PumpUntil;

class ControlsOnScreen : public testing::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    if (HasFatalFailure()) return;
    form_ = std::make_unique<TForm>();
    form_->SetClientSize(200, 80);
    first_ = std::make_unique<Probe>(form_.get());
    first_->SetBounds(10, 10, 40, 30);
    first_->SetTabStop(true);
    first_->SetTabOrder(1);
    entry_ = std::make_unique<THostedWidget>(form_.get(), gtk_entry_new());
    entry_->SetBounds(60, 10, 80, 30);
    entry_->SetTabOrder(0);
    skipped_ = std::make_unique<Probe>(form_.get());  // no tab stop
    skipped_->SetBounds(150, 10, 40, 30);
    skipped_->SetTabOrder(2);
    // The test that clicks gets a screen place of its own (tests run side by side).
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    gtk_window_move(form_->Window(), 80, name.rfind("DoubleClick", 0) == 0 ? 480 : 700);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return first_->paints > 0; }));
  }

  void TearDown() override {
    skipped_.reset();
    entry_.reset();
    first_.reset();
    form_.reset();
    Pump();
  }

  // A key stroke handed to GTK's event dispatch as the X server would deliver it to the window.
  // (Not through the X server itself: tests run side by side, and real key strokes go to
  // whichever window has the input focus.)
  void SendKey(guint keyval) {
    GdkWindow* window = testing::FormWindow(*form_);
    GdkDevice* keyboard =
        gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default()));
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()),
                                      keyval, &keys, &count);
    for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
      GdkEvent* e = gdk_event_new(type);
      e->key.window = GDK_WINDOW(g_object_ref(window));
      e->key.send_event = TRUE;
      e->key.time = GDK_CURRENT_TIME;
      e->key.keyval = keyval;
      e->key.hardware_keycode = count > 0 ? static_cast<guint16>(keys[0].keycode) : 0;
      gdk_event_set_device(e, keyboard);
      gtk_main_do_event(e);
      gdk_event_free(e);
    }
    g_free(keys);
  }

  // A release of the left button over the control, handed to the control's GTK widget.
  void SendButtonRelease(TControl& control) {
    GdkEvent* e = gdk_event_new(GDK_BUTTON_RELEASE);
    e->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(control.Widget())));
    e->button.send_event = TRUE;
    e->button.time = GDK_CURRENT_TIME;
    e->button.button = 1;
    e->button.x = control.Width() / 2.0;
    e->button.y = control.Height() / 2.0;
    gdk_event_set_device(
        e, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_widget_event(control.Widget(), e);
    gdk_event_free(e);
  }

  bool MoveFocusForward() {
    return gtk_widget_child_focus(GTK_WIDGET(form_->Window()), GTK_DIR_TAB_FORWARD);
  }

  std::unique_ptr<TForm> form_;
  std::unique_ptr<Probe> first_, skipped_;
  std::unique_ptr<THostedWidget> entry_;
};

TEST_F(ControlsOnScreen, RepaintPaintsBeforeItReturns) {
  const int before = first_->paints;
  first_->Repaint();
  EXPECT_EQ(first_->paints, before + 1);
  first_->Invalidate();  // an ordinary invalidation waits for the next frame
  EXPECT_EQ(first_->paints, before + 1);
  EXPECT_TRUE(PumpUntil([&] { return first_->paints == before + 2; }));
}

TEST_F(ControlsOnScreen, TabFollowsTabOrderOverHostedWidgetsAndWraps) {
  // Showing the window focuses the first control in tab order.
  EXPECT_TRUE(entry_->Focused());
  ASSERT_TRUE(MoveFocusForward());
  EXPECT_TRUE(first_->Focused());
  ASSERT_TRUE(MoveFocusForward());  // the control without a tab stop is passed over
  EXPECT_TRUE(entry_->Focused());
}

TEST_F(ControlsOnScreen, KeysFromGtkReachTheFocusedControlAndTabMovesOn) {
  first_->SetFocus();
  ASSERT_TRUE(first_->Focused());
  SendKey(GDK_KEY_a);
  ASSERT_EQ(first_->log.size(), 2u);
  EXPECT_EQ(first_->log[0], "down " + std::to_string(GDK_KEY_a));
  EXPECT_EQ(first_->log[1], "press " + std::to_string(U'a'));
  SendKey(GDK_KEY_Tab);
  EXPECT_TRUE(entry_->Focused());
  EXPECT_EQ(first_->log.size(), 2u);  // Tab went to the window, not to the control
}

TEST_F(ControlsOnScreen, DoubleClickReplacesTheSecondPressOnly) {
  GdkWindow* window = testing::FormWindow(*form_);
  gdk_window_raise(window);
  Pump();
  int x = 0, y = 0;
  gdk_window_get_origin(window, &x, &y);
  const std::string command = "xdotool mousemove --sync " + std::to_string(x + 25) + " " +
                              std::to_string(y + 20) + " click --repeat 2 --delay 60 1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  ASSERT_TRUE(PumpUntil([&] { return first_->log.size() >= 4; }));
  EXPECT_EQ(first_->log,
            (std::vector<std::string>{"mouse down", "mouse up", "double", "mouse up"}));
}

// Installs a handler that records the failures' messages, for the life of the recorder.
class FailureRecorder {
 public:
  FailureRecorder() {
    SetEventFailureHandler(
        [this](std::exception_ptr failure) { messages.emplace_back(FailureMessage(failure)); });
  }
  ~FailureRecorder() { SetEventFailureHandler({}); }
  FailureRecorder(const FailureRecorder&) = delete;
  FailureRecorder& operator=(const FailureRecorder&) = delete;
  std::vector<std::string> messages;
};

TEST_F(ControlsOnScreen, AFailingPaintReachesTheFailureHandlerAndLaterPaintsWork) {
  FailureRecorder failures;
  first_->failPaint = true;
  const int before = first_->paints;
  first_->Repaint();  // paints through GTK's draw callback before it returns
  EXPECT_EQ(first_->paints, before + 1);
  EXPECT_EQ(failures.messages, std::vector<std::string>{"paint failed"});
  first_->failPaint = false;
  first_->Repaint();
  EXPECT_EQ(first_->paints, before + 2);
  EXPECT_EQ(failures.messages.size(), 1u);
}

TEST_F(ControlsOnScreen, AFailingMouseUpReachesTheFailureHandlerAndTheNextClickWorks) {
  FailureRecorder failures;
  first_->failMouseUp = true;
  SendButtonRelease(*first_);
  EXPECT_EQ(failures.messages, std::vector<std::string>{"click failed"});
  first_->failMouseUp = false;
  SendButtonRelease(*first_);
  EXPECT_EQ(first_->log, (std::vector<std::string>{"mouse up", "mouse up"}));
  EXPECT_EQ(failures.messages.size(), 1u);
}

}  // namespace
}  // namespace tavrin::controls
