// The control layer: custom-painted child controls on GTK 3.
//
// A TControl is a rectangle inside its parent that paints itself and receives mouse, key,
// focus and enter/leave input through virtual handlers. The smooth panel and the smooth
// button derive from it; a TForm is the top-level window; a THostedWidget puts a plain GTK
// widget (a label, an entry) among the controls.
//
// Two backings, one logic
// -----------------------
// Once InitWindowing() has opened a display, every control created afterwards is backed by a
// GTK widget: a GtkFixed-derived container without a window of its own, plus an input-only
// GdkWindow for events (as GtkButton does). Such a widget draws into its parent's window, so
// GTK's drawing order does what the controls need: the parent paints first, its children
// paint over it, and a child that paints with alpha shows exactly what the parent painted in
// its area. No parent-background pass is needed.
//
// Without a display (tests, the gallery renderer) a control is a plain object. Every state
// machine runs the same way: the input entry points (HandleMouseDown, HandleKeyPress, ...) are
// public and call the same virtual handlers the GTK events call; focus is tracked by the root
// control; Invalidate() marks the control dirty and Update() paints the dirty area into the
// root's off-screen screen image (HeadlessScreen), parent first, so pixels and paint counts
// can be checked without a window system.
//
// Ownership: a parent does not own its children. Whoever creates a control keeps it (normally
// as a member of the form class) and destroys it; a control that goes away detaches itself
// from its parent and its children first.
//
// Threading: the user-interface thread only.
#pragma once

#include <cairo.h>
#include <gtk/gtk.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_text.h"
#include "widgets/drawing/surface.h"

namespace tavrin::controls {

// Opens the display and starts GTK. Returns false when no display can be opened; controls
// created afterwards are then headless. Safe to call more than once.
bool InitWindowing(int* argc, char*** argv);
// True once InitWindowing() succeeded: new controls get GTK widgets.
bool WindowingActive();

// ----- value types --------------------------------------------------------------------------

using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHandPoint = -21;

using TModalResult = int;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Modifier keys and mouse buttons held during an input event.
class TShiftState {
 public:
  enum Flag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
  };
  constexpr TShiftState() = default;
  constexpr TShiftState(Flag f) : bits_(f) {}  // NOLINT: a single flag reads as a state
  constexpr bool Has(Flag f) const { return (bits_ & f) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr unsigned Bits() const { return bits_; }
  constexpr TShiftState operator|(TShiftState o) const { return TShiftState(bits_ | o.bits_); }
  constexpr bool operator==(const TShiftState&) const = default;

 private:
  constexpr explicit TShiftState(unsigned bits) : bits_(bits) {}
  unsigned bits_ = 0;
};

// Key codes handed to KeyDown/KeyUp are GDK key values (GDK_KEY_Return, GDK_KEY_space, ...).
using TKeyCode = unsigned;

// What a focused control wants to receive itself instead of the window using it for
// navigation (the answer to a dialog-code query).
enum TDialogCode : unsigned {
  dlgcWantArrows = 0x1,    // arrow keys do not move the focus
  dlgcWantTab = 0x2,       // Tab does not move the focus
  dlgcWantAllKeys = 0x4,   // Enter and Escape are the control's
  dlgcWantChars = 0x80,    // characters are not offered as accelerators first
};

struct ControlRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int Right() const { return Left + Width; }
  int Bottom() const { return Top + Height; }
  bool Contains(int x, int y) const { return x >= Left && y >= Top && x < Right() && y < Bottom(); }
  bool operator==(const ControlRect&) const = default;
};

class TForm;
namespace detail {
struct GtkBacking;
}

// ----- TControl -----------------------------------------------------------------------------

class TControl {
 public:
  using TNotifyEvent = std::function<void(TControl& sender)>;
  using TMouseEvent =
      std::function<void(TControl& sender, TMouseButton, TShiftState, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TControl& sender, TShiftState, int x, int y)>;
  using TKeyEvent = std::function<void(TControl& sender, TKeyCode& key, TShiftState)>;
  using TKeyPressEvent = std::function<void(TControl& sender, char32_t& key)>;

  // parent may be null (a root); it can be set later with SetParent.
  explicit TControl(TControl* parent = nullptr);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // ---- tree
  TControl* Parent() const { return parent_; }
  // Moves the control under a new parent (null detaches it), last in the parent's z-order,
  // and takes the parent's font when ParentFont is set.
  void SetParent(TControl* parent);
  const std::vector<TControl*>& Children() const { return children_; }
  TControl* Root();
  // The top-level form the control sits on, or null when its root is not a form.
  TForm* ParentForm();
  // A name for diagnostics and for the designer-style defaults some controls use.
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // ---- bounds, in the parent's client coordinates
  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width; }
  int Height() const { return bounds_.Height; }
  ControlRect BoundsRect() const { return bounds_; }
  ControlRect ClientRect() const { return {0, 0, bounds_.Width, bounds_.Height}; }
  // Moves and sizes the control; calls Resize() when the size changed and Moved() when the
  // position changed (after the new bounds are in place).
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  // The control's rectangle in the root's coordinates.
  ControlRect RectInRoot() const;

  // ---- state
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // Visible itself and every parent visible.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  TCursor Cursor() const { return cursor_; }
  virtual void SetCursor(TCursor c);

  // ---- font
  const TFont& Font() const { return font_; }
  // Sets the control's own font; ParentFont becomes false (as when a user picks a font).
  void SetFont(const TFont& font);
  bool ParentFont() const { return parentFont_; }
  // true takes the parent's font at once (and follows it from then on).
  void SetParentFont(bool v);

  // ---- focus
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int v) { tabOrder_ = v; }
  // Showing, enabled, and every parent enabled.
  bool CanFocus() const;
  bool Focused() const;
  // Gives the keyboard focus to the control (nothing when it cannot take it).
  void SetFocus();
  // What the control wants of navigation keys when focused (TDialogCode bits); 0 by default.
  virtual unsigned DialogCode() const { return 0; }

  // ---- painting
  // Marks the control's area for repainting at the next paint cycle.
  void Invalidate();
  // Paints a pending invalidation now (parent first, as on screen).
  void Update();
  // Invalidate() then Update().
  void Repaint();
  // Paints the control and its visible descendants into cr, origin at the control's top-left
  // (hosted GTK widgets are not drawn). Used for off-screen rendering and headless screens.
  void PaintTo(cairo_t* cr);
  // Headless only: the root's screen image (root size, 32-bit ARGB), created on first use.
  // Null for a GTK-backed control.
  Surface* HeadlessScreen();
  // Number of Invalidate() calls so far (for tests and measurements).
  std::uint64_t InvalidationCount() const { return invalidations_; }
  bool PaintPending() const { return dirty_; }

  // ---- input entry points. The GTK event handlers call these; tests call them directly.
  // Each checks the enabled state as the window system would and calls the virtual handler.
  void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void HandleMouseMove(TShiftState shift, int x, int y);
  // A second press of the left button within the double-click time: reaches
  // MouseDoubleClick() instead of MouseDown() (the release that follows is ordinary).
  void HandleDoubleClick(TShiftState shift, int x, int y);
  void HandleMouseEnter();
  void HandleMouseLeave();
  // A key went down: KeyDown(), then, when the key produces a character, the character path
  // (HandleKeyPress). Returns false when the key was left to the window for navigation (Tab,
  // arrows that the control does not want).
  bool HandleKeyDown(TKeyCode key, TShiftState shift, char32_t character);
  // A character: offered to the form as an accelerator first (unless the control wants
  // characters, or Alt is held: then only as an accelerator), then KeyPress().
  void HandleKeyPress(char32_t character, TShiftState shift = {});
  void HandleKeyUp(TKeyCode key, TShiftState shift);
  // Accelerator request: DialogChar() on this control and then its descendants, until one
  // answers true.
  bool BroadcastDialogChar(char32_t character);

  // ---- events (the "standard handling" of the virtual handlers calls them)
  TNotifyEvent OnClick, OnDblClick, OnEnter, OnExit, OnMouseEnter, OnMouseLeave, OnResize;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;

  // The GTK widget backing the control, or null when headless.
  GtkWidget* Widget() const;

 protected:
  // Paint request: draw the control's client area into cr (origin at the control's top-left,
  // clipped to it). What the parent painted is already under it.
  virtual void Paint(cairo_t* cr);

  // Virtual handlers; the base versions call the matching On... event.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // Default: DblClick().
  virtual void MouseDoubleClick(TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void KeyDown(TKeyCode& key, TShiftState shift);
  virtual void KeyPress(char32_t& key);
  virtual void KeyUp(TKeyCode& key, TShiftState shift);
  // Focus gained / lost.
  virtual void DoEnter();
  virtual void DoExit();
  virtual void Click();
  virtual void DblClick();
  // After a size change.
  virtual void Resize();
  // After a position change.
  virtual void Moved() {}
  // After the enabled state changed.
  virtual void EnabledChanged() {}
  // After the font changed, set directly or taken from the parent.
  virtual void FontChanged() {}
  // An accelerator character; return true when the control handled it.
  virtual bool DialogChar(char32_t /*character*/) { return false; }

  // For TForm and THostedWidget: replaces the standard backing.
  explicit TControl(TControl* parent, std::unique_ptr<detail::GtkBacking> backing);
  detail::GtkBacking* Backing() const { return backing_.get(); }

 private:
  friend struct detail::GtkBacking;
  friend class TForm;

  void AddChild(TControl* child);
  void RemoveChild(TControl* child);
  void TakeParentFont();
  void NotifyChildrenFontChanged();
  void SetFocusedControl(TControl* control);  // root only
  void ForgetFocusWithin(TControl* subtree);   // root only
  // The next control in tab order after current (wrapping around), or null.
  TControl* FindNextControl(TControl* current, bool forward);
  void AppendTabOrderList(std::vector<TControl*>& list);
  bool MoveFocus(bool forward);  // root only
  void PaintTree(cairo_t* cr, const cairo_region_t* region, int rootX, int rootY);
  void CollectDirty(cairo_region_t* region, int rootX, int rootY);
  void UpdateHeadless();  // root only
  void InvalidateHeadlessArea();
  void FocusEntered();
  void FocusLeft();

  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  std::string name_;
  ControlRect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  TCursor cursor_ = crDefault;
  TFont font_;  // the toolkit default: Tahoma 8 pt, clWindowText
  bool parentFont_ = true;
  bool tabStop_ = false;
  int tabOrder_ = 0;
  bool dirty_ = true;  // a new control has never been painted
  bool mouseInside_ = false;
  std::uint64_t invalidations_ = 0;
  TControl* focused_ = nullptr;  // root only: the control holding the focus
  std::unique_ptr<Surface> headlessScreen_;  // root only
  std::unique_ptr<detail::GtkBacking> backing_;
};

// Makes the opaque colour (system colours resolved now) the source of later cairo drawing.
void SetSourceColor(cairo_t* cr, TColor color);

// ----- TForm: the top-level window ----------------------------------------------------------

class TForm : public TControl {
 public:
  TForm();
  ~TForm() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // The client area's size; the window frame comes on top of it.
  void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }
  // A fixed dialog frame: not resizable, no minimise or maximise.
  void SetDialogFrame(bool fixed);

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult r) { modalResult_ = r; }

  // Shows the window (no effect when headless).
  void Show();
  // Asks the window to close: OnClose runs, then the window hides.
  void Close();
  bool CloseRequested() const { return closeRequested_; }
  TNotifyEvent OnClose;

  // The GTK window, or null when headless.
  GtkWindow* Window() const;

 protected:
  // Fills the client area with the form's Color.
  void Paint(cairo_t* cr) override;

 private:
  friend struct detail::GtkBacking;
  std::string caption_;
  TModalResult modalResult_ = 0;
  bool closeRequested_ = false;
  GtkWidget* window_ = nullptr;  // owned GtkWindow when windowing is active
};

// ----- THostedWidget: a plain GTK widget among the controls ---------------------------------

// Places a GTK widget (GtkLabel, GtkEntry, ...) on a parent control; bounds, visibility,
// enabled state, tab order and focus apply to the widget. Requires windowing.
class THostedWidget : public TControl {
 public:
  // Takes a reference on widget (sinking a floating one) and releases it when destroyed.
  THostedWidget(TControl* parent, GtkWidget* widget);
  ~THostedWidget() override;
  GtkWidget* Hosted() const { return Widget(); }
};

}  // namespace tavrin::controls
