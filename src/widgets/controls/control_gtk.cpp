// The GTK widget behind a control.
//
// TavrinControlWidget derives from GtkFixed (so it holds any number of children) but keeps
// GtkFixed's "no window of its own": it draws into its parent's GdkWindow, which is what lets
// a child paint over what its parent painted. Input arrives through an input-only GdkWindow
// laid over the widget's allocation, as GtkButton does; children's input windows are created
// later and so lie above it.
//
// Every callback that runs a control's code catches what leaves it (see event_failure.h): a
// failure ends the handling of that one event, and GTK goes on.
//
// Children are allocated exactly at their control's bounds (after their preferred size has been
// asked for, as GTK requires); a widget asks for exactly its control's size.

#include <cmath>
#include <cstdlib>

#include "widgets/controls/control_gtk_p.h"
#include "widgets/controls/event_failure.h"

namespace tavrin::controls::detail {
namespace {
constexpr const char* kControlKey = "tavrin-control";
}
}  // namespace tavrin::controls::detail

using tavrin::controls::TControl;
using tavrin::controls::TMouseButton;
using tavrin::controls::TShiftState;
using tavrin::controls::detail::ControlOfWidget;
using tavrin::controls::detail::GtkBacking;
using tavrin::controls::GuardEvent;

extern "C" {

struct TavrinControlWidget {
  GtkFixed parent_instance;
  GdkWindow* input_window;
  // The last press, to recognise the second press of a double click the way the desktop does
  // (GTK reports it as a plain press followed by an extra 2BUTTON event).
  guint32 last_press_time;
  gdouble last_press_x, last_press_y;
  guint last_press_button;
  gboolean last_press_valid;
  gboolean last_press_was_double;
};

struct TavrinControlWidgetClass {
  GtkFixedClass parent_class;
};

GType tavrin_control_widget_get_type(void);

G_DEFINE_TYPE(TavrinControlWidget, tavrin_control_widget, GTK_TYPE_FIXED)

}  // extern "C"

namespace {

// The answer a boolean callback gives when its handler failed: the event counts as handled, so
// GTK does not offer it to anyone else.
gboolean GuardedAnswer(bool handled, bool completed) {
  return handled || !completed ? TRUE : FALSE;
}

TavrinControlWidget* AsControlWidget(GtkWidget* w) {
  return G_TYPE_CHECK_INSTANCE_CAST(w, tavrin_control_widget_get_type(), TavrinControlWidget);
}

GtkWidgetClass* ParentWidgetClass() {
  return GTK_WIDGET_CLASS(tavrin_control_widget_parent_class);
}

TShiftState ShiftOf(guint state) {
  TShiftState s;
  if (state & GDK_SHIFT_MASK) s = s | TShiftState::ssShift;
  if (state & GDK_CONTROL_MASK) s = s | TShiftState::ssCtrl;
  if (state & GDK_MOD1_MASK) s = s | TShiftState::ssAlt;
  if (state & GDK_BUTTON1_MASK) s = s | TShiftState::ssLeft;
  if (state & GDK_BUTTON2_MASK) s = s | TShiftState::ssMiddle;
  if (state & GDK_BUTTON3_MASK) s = s | TShiftState::ssRight;
  return s;
}

bool ButtonOf(guint button, TMouseButton& out) {
  switch (button) {
    case 1: out = TMouseButton::mbLeft; return true;
    case 2: out = TMouseButton::mbMiddle; return true;
    case 3: out = TMouseButton::mbRight; return true;
    default: return false;
  }
}

TShiftState::Flag FlagOf(TMouseButton b) {
  switch (b) {
    case TMouseButton::mbLeft: return TShiftState::ssLeft;
    case TMouseButton::mbMiddle: return TShiftState::ssMiddle;
    case TMouseButton::mbRight: break;
  }
  return TShiftState::ssRight;
}

// The character a key produces, with the control characters the desktop gives Enter, Escape,
// Backspace, Tab and Ctrl+letter.
char32_t CharacterOf(const GdkEventKey* e) {
  switch (e->keyval) {
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: case GDK_KEY_ISO_Enter: return 13;
    case GDK_KEY_Escape: return 27;
    case GDK_KEY_BackSpace: return 8;
    case GDK_KEY_Tab: case GDK_KEY_ISO_Left_Tab: case GDK_KEY_KP_Tab: return 9;
    default: break;
  }
  const char32_t u = gdk_keyval_to_unicode(e->keyval);
  if ((e->state & GDK_CONTROL_MASK) != 0 && u < 128 && g_ascii_isalpha(static_cast<gchar>(u)))
    return static_cast<char32_t>(g_ascii_toupper(static_cast<gchar>(u)) - '@');
  return u;
}

int IntCoord(gdouble v) { return static_cast<int>(std::floor(v)); }

bool IsDoubleClick(TavrinControlWidget* self, GtkWidget* w, const GdkEventButton* e) {
  if (e->button != 1 || !self->last_press_valid || self->last_press_was_double ||
      self->last_press_button != e->button)
    return false;
  gint time = 400, distance = 5;
  g_object_get(gtk_widget_get_settings(w), "gtk-double-click-time", &time,
               "gtk-double-click-distance", &distance, nullptr);
  return e->time - self->last_press_time <= static_cast<guint32>(time) &&
         std::abs(e->x_root - self->last_press_x) <= distance &&
         std::abs(e->y_root - self->last_press_y) <= distance;
}

// ----- vfuncs --------------------------------------------------------------------------------

void Realize(GtkWidget* w) {
  ParentWidgetClass()->realize(w);
  GtkAllocation a;
  gtk_widget_get_allocation(w, &a);
  GdkWindowAttr attr{};
  attr.window_type = GDK_WINDOW_CHILD;
  attr.wclass = GDK_INPUT_ONLY;
  attr.x = a.x;
  attr.y = a.y;
  attr.width = a.width;
  attr.height = a.height;
  attr.event_mask = gtk_widget_get_events(w) | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                    GDK_POINTER_MOTION_MASK | GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK;
  auto* self = AsControlWidget(w);
  self->input_window = gdk_window_new(gtk_widget_get_parent_window(w), &attr, GDK_WA_X | GDK_WA_Y);
  gtk_widget_register_window(w, self->input_window);
  if (TControl* c = ControlOfWidget(w); c != nullptr && GtkBacking::Of(*c) != nullptr)
    GtkBacking::Of(*c)->CursorChanged();
}

void Unrealize(GtkWidget* w) {
  auto* self = AsControlWidget(w);
  if (self->input_window != nullptr) {
    gtk_widget_unregister_window(w, self->input_window);
    gdk_window_destroy(self->input_window);
    self->input_window = nullptr;
  }
  ParentWidgetClass()->unrealize(w);
}

void Map(GtkWidget* w) {
  ParentWidgetClass()->map(w);
  // Unraised: the children's input windows must stay above ours.
  if (auto* self = AsControlWidget(w); self->input_window != nullptr)
    gdk_window_show_unraised(self->input_window);
}

void Unmap(GtkWidget* w) {
  if (auto* self = AsControlWidget(w); self->input_window != nullptr)
    gdk_window_hide(self->input_window);
  ParentWidgetClass()->unmap(w);
}

void AllocateChild(GtkWidget* child, gpointer data) {
  const auto* parent = static_cast<const GtkAllocation*>(data);
  GtkRequisition ignored;
  gtk_widget_get_preferred_size(child, &ignored, nullptr);
  GtkAllocation a{parent->x, parent->y, 1, 1};
  if (TControl* c = ControlOfWidget(child)) {
    a.x += c->Left();
    a.y += c->Top();
    a.width = std::max(1, c->Width());
    a.height = std::max(1, c->Height());
  }
  gtk_widget_size_allocate(child, &a);
}

void SizeAllocate(GtkWidget* w, GtkAllocation* a) {
  gtk_widget_set_allocation(w, a);
  auto* self = AsControlWidget(w);
  if (self->input_window != nullptr)
    gdk_window_move_resize(self->input_window, a->x, a->y, a->width, a->height);
  gtk_container_forall(GTK_CONTAINER(w), AllocateChild, a);
  gtk_widget_set_clip(w, a);
}

void PreferredWidth(GtkWidget* w, gint* minimum, gint* natural) {
  const TControl* c = ControlOfWidget(w);
  *minimum = *natural = c != nullptr ? c->Width() : 0;
}

void PreferredHeight(GtkWidget* w, gint* minimum, gint* natural) {
  const TControl* c = ControlOfWidget(w);
  *minimum = *natural = c != nullptr ? c->Height() : 0;
}

gboolean Draw(GtkWidget* w, cairo_t* cr) {
  if (TControl* c = ControlOfWidget(w)) {
    cairo_save(cr);
    GuardEvent([&] { GtkBacking::PaintControl(*c, cr); });
    cairo_restore(cr);
  }
  return ParentWidgetClass()->draw(w, cr);  // the children, over what the control painted
}

gboolean ButtonPress(GtkWidget* w, GdkEventButton* e) {
  TControl* c = ControlOfWidget(w);
  TMouseButton button;
  if (c == nullptr || e->type != GDK_BUTTON_PRESS || !ButtonOf(e->button, button)) return TRUE;
  auto* self = AsControlWidget(w);
  const bool doubleClick = IsDoubleClick(self, w, e);
  self->last_press_valid = TRUE;
  self->last_press_was_double = doubleClick;
  self->last_press_time = e->time;
  self->last_press_x = e->x_root;
  self->last_press_y = e->y_root;
  self->last_press_button = e->button;
  const TShiftState shift = ShiftOf(e->state) | FlagOf(button);
  GuardEvent([&] {
    if (doubleClick)
      c->HandleDoubleClick(shift, IntCoord(e->x), IntCoord(e->y));
    else
      c->HandleMouseDown(button, shift, IntCoord(e->x), IntCoord(e->y));
  });
  return TRUE;
}

gboolean ButtonRelease(GtkWidget* w, GdkEventButton* e) {
  TControl* c = ControlOfWidget(w);
  TMouseButton button;
  if (c != nullptr && ButtonOf(e->button, button))
    GuardEvent([&] { c->HandleMouseUp(button, ShiftOf(e->state), IntCoord(e->x), IntCoord(e->y)); });
  return TRUE;
}

gboolean Motion(GtkWidget* w, GdkEventMotion* e) {
  if (TControl* c = ControlOfWidget(w))
    GuardEvent([&] { c->HandleMouseMove(ShiftOf(e->state), IntCoord(e->x), IntCoord(e->y)); });
  return TRUE;
}

gboolean Enter(GtkWidget* w, GdkEventCrossing* e) {
  if (TControl* c = ControlOfWidget(w); c != nullptr && e->detail != GDK_NOTIFY_INFERIOR)
    GuardEvent([c] { c->HandleMouseEnter(); });
  return FALSE;
}

gboolean Leave(GtkWidget* w, GdkEventCrossing* e) {
  if (TControl* c = ControlOfWidget(w); c != nullptr && e->detail != GDK_NOTIFY_INFERIOR)
    GuardEvent([c] { c->HandleMouseLeave(); });
  return FALSE;
}

gboolean KeyPress(GtkWidget* w, GdkEventKey* e) {
  TControl* c = ControlOfWidget(w);
  if (c == nullptr || e->is_modifier) return FALSE;
  bool handled = false;
  const bool completed = GuardEvent(
      [&] { handled = c->HandleKeyDown(e->keyval, ShiftOf(e->state), CharacterOf(e)); });
  return GuardedAnswer(handled, completed);
}

gboolean KeyRelease(GtkWidget* w, GdkEventKey* e) {
  TControl* c = ControlOfWidget(w);
  if (c == nullptr || e->is_modifier) return FALSE;
  GuardEvent([&] { c->HandleKeyUp(e->keyval, ShiftOf(e->state)); });
  return TRUE;
}

gboolean FocusIn(GtkWidget* w, GdkEventFocus*) {
  if (TControl* c = ControlOfWidget(w)) GuardEvent([c] { GtkBacking::FocusEntered(*c); });
  gtk_widget_queue_draw(w);
  return FALSE;
}

gboolean FocusOut(GtkWidget* w, GdkEventFocus*) {
  if (TControl* c = ControlOfWidget(w)) GuardEvent([c] { GtkBacking::FocusLeft(*c); });
  gtk_widget_queue_draw(w);
  return FALSE;
}

// Focus movement by Tab and arrows follows the controls' tab order over the whole window, so
// the root control decides; it wraps around by itself.
gboolean Focus(GtkWidget* w, GtkDirectionType direction) {
  TControl* c = ControlOfWidget(w);
  if (c == nullptr) return FALSE;
  const bool forward = direction == GTK_DIR_TAB_FORWARD || direction == GTK_DIR_DOWN ||
                       direction == GTK_DIR_RIGHT;
  bool moved = false;
  const bool completed = GuardEvent([&] { moved = GtkBacking::MoveFocus(*c->Root(), forward); });
  return GuardedAnswer(moved, completed);
}

}  // namespace

extern "C" {

static void tavrin_control_widget_class_init(TavrinControlWidgetClass* klass) {
  GtkWidgetClass* wc = GTK_WIDGET_CLASS(klass);
  wc->realize = Realize;
  wc->unrealize = Unrealize;
  wc->map = Map;
  wc->unmap = Unmap;
  wc->size_allocate = SizeAllocate;
  wc->get_preferred_width = PreferredWidth;
  wc->get_preferred_height = PreferredHeight;
  wc->draw = Draw;
  wc->button_press_event = ButtonPress;
  wc->button_release_event = ButtonRelease;
  wc->motion_notify_event = Motion;
  wc->enter_notify_event = Enter;
  wc->leave_notify_event = Leave;
  wc->key_press_event = KeyPress;
  wc->key_release_event = KeyRelease;
  wc->focus_in_event = FocusIn;
  wc->focus_out_event = FocusOut;
  wc->focus = Focus;
}

static void tavrin_control_widget_init(TavrinControlWidget* self) {
  GtkWidget* w = GTK_WIDGET(self);
  gtk_widget_set_has_window(w, FALSE);
  gtk_widget_set_can_focus(w, TRUE);
  gtk_widget_set_redraw_on_allocate(w, TRUE);
  self->input_window = nullptr;
  self->last_press_valid = FALSE;
  self->last_press_was_double = FALSE;
}

}  // extern "C"

namespace tavrin::controls::detail {

namespace {

const char* CursorName(TCursor c) {
  switch (c) {
    case crArrow: return "default";
    case crCross: return "crosshair";
    case crIBeam: return "text";
    case crHourGlass: return "wait";
    case crHandPoint: return "pointer";
    default: return nullptr;  // crDefault: the parent's cursor
  }
}

void OnHostedFocusIn(GtkWidget*, GdkEvent*, gpointer data) {
  GuardEvent([data] { GtkBacking::FocusEntered(*static_cast<TControl*>(data)); });
}

void OnHostedFocusOut(GtkWidget*, GdkEvent*, gpointer data) {
  GuardEvent([data] { GtkBacking::FocusLeft(*static_cast<TControl*>(data)); });
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  GuardEvent([data] { static_cast<TForm*>(data)->Close(); });
  return TRUE;  // Close() hides the window; the program decides when to quit
}

// Accelerators reach the form also while a plain GTK widget (the folder box) has the focus.
gboolean OnFormKey(GtkWidget*, GdkEventKey* e, gpointer data) {
  if ((e->state & GDK_MOD1_MASK) == 0 || e->is_modifier) return FALSE;
  const char32_t ch = gdk_keyval_to_unicode(e->keyval);
  if (ch == 0) return FALSE;
  bool handled = false;
  const bool completed =
      GuardEvent([&] { handled = static_cast<TForm*>(data)->BroadcastDialogChar(ch); });
  return GuardedAnswer(handled, completed);
}

}  // namespace

TControl* ControlOfWidget(GtkWidget* widget) {
  return static_cast<TControl*>(g_object_get_data(G_OBJECT(widget), kControlKey));
}

GtkBacking::GtkBacking(TControl& c, GtkWidget* w, bool children)
    : owner(&c), widget(GTK_WIDGET(g_object_ref_sink(w))), holdsChildren(children) {
  g_object_set_data(G_OBJECT(widget), kControlKey, owner);
}

GtkBacking::~GtkBacking() {
  g_object_set_data(G_OBJECT(widget), kControlKey, nullptr);
  if (focusInHandler != 0) g_signal_handler_disconnect(widget, focusInHandler);
  if (focusOutHandler != 0) g_signal_handler_disconnect(widget, focusOutHandler);
  if (GtkWidget* parent = gtk_widget_get_parent(widget);
      parent != nullptr && GTK_IS_CONTAINER(parent) && parent != window)
    gtk_container_remove(GTK_CONTAINER(parent), widget);
  if (window != nullptr) {
    gtk_widget_destroy(window);
    g_object_unref(window);
  }
  g_object_unref(widget);
}

std::unique_ptr<GtkBacking> GtkBacking::ForControl(TControl& owner) {
  auto b = std::make_unique<GtkBacking>(
      owner, GTK_WIDGET(g_object_new(tavrin_control_widget_get_type(), nullptr)), true);
  gtk_widget_show(b->widget);
  return b;
}

std::unique_ptr<GtkBacking> GtkBacking::ForForm(TForm& owner) {
  auto b = ForControl(owner);
  b->window = GTK_WIDGET(g_object_ref_sink(gtk_window_new(GTK_WINDOW_TOPLEVEL)));
  gtk_container_add(GTK_CONTAINER(b->window), b->widget);
  g_signal_connect(b->window, "delete-event", G_CALLBACK(OnDelete), &owner);
  g_signal_connect_after(b->window, "key-press-event", G_CALLBACK(OnFormKey), &owner);
  return b;
}

std::unique_ptr<GtkBacking> GtkBacking::ForHosted(TControl& owner, GtkWidget* widget) {
  auto b = std::make_unique<GtkBacking>(owner, widget, false);
  b->focusInHandler =
      g_signal_connect(widget, "focus-in-event", G_CALLBACK(OnHostedFocusIn), &owner);
  b->focusOutHandler =
      g_signal_connect(widget, "focus-out-event", G_CALLBACK(OnHostedFocusOut), &owner);
  gtk_widget_show(widget);
  return b;
}

void GtkBacking::AttachTo(GtkBacking* parent) {
  if (GtkWidget* old = gtk_widget_get_parent(widget); old != nullptr && old != window)
    gtk_container_remove(GTK_CONTAINER(old), widget);
  if (parent != nullptr && parent->holdsChildren)
    gtk_container_add(GTK_CONTAINER(parent->widget), widget);
}

void GtkBacking::Disown() {
  owner = nullptr;
  g_object_set_data(G_OBJECT(widget), kControlKey, nullptr);
}

void GtkBacking::BoundsChanged() {
  gtk_widget_queue_resize(widget);
  if (window != nullptr)
    gtk_window_set_default_size(GTK_WINDOW(window), owner->Width(), owner->Height());
}

void GtkBacking::VisibleChanged() { gtk_widget_set_visible(widget, owner->Visible()); }

void GtkBacking::EnabledChanged() { gtk_widget_set_sensitive(widget, owner->Enabled()); }

void GtkBacking::CursorChanged() {
  if (!holdsChildren || !gtk_widget_get_realized(widget)) return;
  GdkWindow* input = AsControlWidget(widget)->input_window;
  if (input == nullptr) return;
  const char* name = CursorName(owner->Cursor());
  GdkCursor* cursor =
      name != nullptr ? gdk_cursor_new_from_name(gtk_widget_get_display(widget), name) : nullptr;
  gdk_window_set_cursor(input, cursor);
  if (cursor != nullptr) g_object_unref(cursor);
}

void GtkBacking::Invalidate() { gtk_widget_queue_draw(widget); }

void GtkBacking::Update() {
  GdkWindow* w = gtk_widget_get_window(widget);
  if (w == nullptr || !gtk_widget_get_mapped(widget)) return;
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  // GTK has no other way to paint now rather than at the next frame.
  gdk_window_process_updates(w, TRUE);
  G_GNUC_END_IGNORE_DEPRECATIONS
  gdk_display_flush(gtk_widget_get_display(widget));
}

void GtkBacking::GrabFocus() { gtk_widget_grab_focus(widget); }

bool GtkBacking::IsFocus() const { return gtk_widget_is_focus(widget); }

bool GtkBacking::WidgetCanFocus() const { return gtk_widget_get_can_focus(widget); }

TControl* GtkBacking::FocusedControl() const {
  GtkWidget* top = gtk_widget_get_toplevel(widget);
  if (!GTK_IS_WINDOW(top)) return nullptr;
  for (GtkWidget* w = gtk_window_get_focus(GTK_WINDOW(top)); w != nullptr;
       w = gtk_widget_get_parent(w)) {
    if (TControl* c = ControlOfWidget(w)) return c;
  }
  return nullptr;
}

void GtkBacking::PaintControl(TControl& control, cairo_t* cr) {
  control.dirty_ = false;
  control.Paint(cr);
}

void GtkBacking::FocusEntered(TControl& control) { control.FocusEntered(); }
void GtkBacking::FocusLeft(TControl& control) { control.FocusLeft(); }
bool GtkBacking::MoveFocus(TControl& root, bool forward) { return root.MoveFocus(forward); }

}  // namespace tavrin::controls::detail
