#include "widgets/controls/control.h"

#include <algorithm>

#include "widgets/controls/control_gtk_p.h"

namespace tavrin::controls {

namespace {

bool windowingActive = false;

bool IsTabKey(TKeyCode key) {
  return key == GDK_KEY_Tab || key == GDK_KEY_ISO_Left_Tab || key == GDK_KEY_KP_Tab;
}

bool IsArrowKey(TKeyCode key) {
  switch (key) {
    case GDK_KEY_Left: case GDK_KEY_Right: case GDK_KEY_Up: case GDK_KEY_Down:
    case GDK_KEY_KP_Left: case GDK_KEY_KP_Right: case GDK_KEY_KP_Up: case GDK_KEY_KP_Down:
      return true;
    default:
      return false;
  }
}

bool ArrowGoesForward(TKeyCode key) {
  return key == GDK_KEY_Right || key == GDK_KEY_Down || key == GDK_KEY_KP_Right ||
         key == GDK_KEY_KP_Down;
}

bool IsWithin(const TControl* control, const TControl* subtree) {
  for (const TControl* c = control; c != nullptr; c = c->Parent()) {
    if (c == subtree) return true;
  }
  return false;
}

}  // namespace

bool InitWindowing(int* argc, char*** argv) {
  if (!windowingActive) windowingActive = gtk_init_check(argc, argv);
  return windowingActive;
}

bool WindowingActive() { return windowingActive; }

// ----- construction and the tree ------------------------------------------------------------

TControl::TControl(TControl* parent) : TControl(parent, nullptr) {}

TControl::TControl(TControl* parent, std::unique_ptr<detail::GtkBacking> backing)
    : backing_(std::move(backing)) {
  if (!backing_ && windowingActive) backing_ = detail::GtkBacking::ForControl(*this);
  if (parent != nullptr) SetParent(parent);
}

TControl::~TControl() {
  if (backing_) backing_->Disown();
  while (!children_.empty()) children_.back()->SetParent(nullptr);
  SetParent(nullptr);
  backing_.reset();
}

void TControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  if (parent_ != nullptr) {
    parent_->Root()->ForgetFocusWithin(this);
    InvalidateHeadlessArea();
    parent_->RemoveChild(this);
  }
  parent_ = parent;
  if (backing_) backing_->AttachTo(parent_ != nullptr ? parent_->backing_.get() : nullptr);
  if (parent_ == nullptr) return;
  parent_->AddChild(this);
  dirty_ = true;
  if (parentFont_) TakeParentFont();
}

void TControl::AddChild(TControl* child) { children_.push_back(child); }

void TControl::RemoveChild(TControl* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

TControl* TControl::Root() {
  TControl* c = this;
  while (c->parent_ != nullptr) c = c->parent_;
  return c;
}

TForm* TControl::ParentForm() { return dynamic_cast<TForm*>(Root()); }

// ----- bounds and state ---------------------------------------------------------------------

void TControl::SetBounds(int left, int top, int width, int height) {
  const ControlRect old = bounds_;
  const ControlRect now{left, top, std::max(0, width), std::max(0, height)};
  if (now == old) return;
  InvalidateHeadlessArea();
  bounds_ = now;
  dirty_ = true;
  if (backing_) backing_->BoundsChanged();
  if (now.Width != old.Width || now.Height != old.Height) Resize();
  if (now.Left != old.Left || now.Top != old.Top) Moved();
}

ControlRect TControl::RectInRoot() const {
  ControlRect r = ClientRect();
  for (const TControl* c = this; c->parent_ != nullptr; c = c->parent_) {
    r.Left += c->bounds_.Left;
    r.Top += c->bounds_.Top;
  }
  return r;
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  InvalidateHeadlessArea();
  visible_ = v;
  dirty_ = true;
  if (!v) Root()->ForgetFocusWithin(this);
  if (backing_) backing_->VisibleChanged();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (!v) Root()->ForgetFocusWithin(this);
  if (backing_) backing_->EnabledChanged();
  EnabledChanged();
}

void TControl::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Invalidate();
}

void TControl::SetCursor(TCursor c) {
  cursor_ = c;
  if (backing_) backing_->CursorChanged();
}

// ----- font ---------------------------------------------------------------------------------

void TControl::SetFont(const TFont& font) {
  parentFont_ = false;
  if (font == font_) return;
  font_ = font;
  FontChanged();
  NotifyChildrenFontChanged();
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v) TakeParentFont();
}

void TControl::TakeParentFont() {
  if (parent_ == nullptr) return;
  font_ = parent_->font_;
  FontChanged();
  NotifyChildrenFontChanged();
}

void TControl::NotifyChildrenFontChanged() {
  for (TControl* child : children_) {
    if (child->parentFont_) child->TakeParentFont();
  }
}

// ----- focus --------------------------------------------------------------------------------

void TControl::SetTabStop(bool v) { tabStop_ = v; }

bool TControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_ || !c->enabled_) return false;
  }
  return !backing_ || backing_->WidgetCanFocus();
}

bool TControl::Focused() const {
  if (backing_) return backing_->IsFocus();
  const TControl* root = this;
  while (root->parent_ != nullptr) root = root->parent_;
  return root->focused_ == this;
}

void TControl::SetFocus() {
  if (!CanFocus()) return;
  if (backing_) {
    backing_->GrabFocus();
    return;
  }
  Root()->SetFocusedControl(this);
}

void TControl::SetFocusedControl(TControl* control) {
  if (focused_ == control) return;
  TControl* old = focused_;
  focused_ = control;
  if (old != nullptr) old->FocusLeft();
  if (control != nullptr) control->FocusEntered();
}

void TControl::ForgetFocusWithin(TControl* subtree) {
  if (focused_ != nullptr && IsWithin(focused_, subtree)) SetFocusedControl(nullptr);
}

void TControl::FocusEntered() { DoEnter(); }
void TControl::FocusLeft() { DoExit(); }

// The order Tab walks: each child (by TabOrder, ties in z-order) followed by its own children.
void TControl::AppendTabOrderList(std::vector<TControl*>& list) {
  std::vector<TControl*> ordered = children_;
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const TControl* a, const TControl* b) { return a->tabOrder_ < b->tabOrder_; });
  for (TControl* child : ordered) {
    list.push_back(child);
    child->AppendTabOrderList(list);
  }
}

TControl* TControl::FindNextControl(TControl* current, bool forward) {
  std::vector<TControl*> list;
  AppendTabOrderList(list);
  if (list.empty()) return nullptr;
  const auto n = static_cast<std::ptrdiff_t>(list.size());
  std::ptrdiff_t start = std::find(list.begin(), list.end(), current) - list.begin();
  if (start == n) start = forward ? -1 : n;
  for (std::ptrdiff_t step = 1; step <= n; ++step) {
    std::ptrdiff_t i = forward ? start + step : start - step;
    i = ((i % n) + n) % n;
    TControl* candidate = list[static_cast<std::size_t>(i)];
    if (candidate != current && candidate->tabStop_ && candidate->CanFocus()) return candidate;
  }
  return nullptr;
}

bool TControl::MoveFocus(bool forward) {
  TControl* current = backing_ ? backing_->FocusedControl() : focused_;
  TControl* next = FindNextControl(current, forward);
  if (next == nullptr) return false;
  next->SetFocus();
  return true;
}

// ----- painting -----------------------------------------------------------------------------

void TControl::Invalidate() {
  ++invalidations_;
  dirty_ = true;
  if (backing_) backing_->Invalidate();
}

void TControl::Update() {
  if (backing_) {
    backing_->Update();
    return;
  }
  Root()->UpdateHeadless();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::PaintTo(cairo_t* cr) { PaintTree(cr, nullptr, 0, 0); }

void TControl::PaintTree(cairo_t* cr, const cairo_region_t* region, int rootX, int rootY) {
  if (!visible_ || bounds_.Width <= 0 || bounds_.Height <= 0) return;
  const cairo_rectangle_int_t area{rootX, rootY, bounds_.Width, bounds_.Height};
  if (region != nullptr && cairo_region_contains_rectangle(region, &area) == CAIRO_REGION_OVERLAP_OUT)
    return;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, bounds_.Width, bounds_.Height);
  cairo_clip(cr);
  dirty_ = false;
  Paint(cr);
  for (TControl* child : children_) {
    cairo_save(cr);
    cairo_translate(cr, child->bounds_.Left, child->bounds_.Top);
    child->PaintTree(cr, region, rootX + child->bounds_.Left, rootY + child->bounds_.Top);
    cairo_restore(cr);
  }
  cairo_restore(cr);
}

void TControl::CollectDirty(cairo_region_t* region, int rootX, int rootY) {
  if (dirty_ && visible_) {
    const cairo_rectangle_int_t area{rootX, rootY, bounds_.Width, bounds_.Height};
    cairo_region_union_rectangle(region, &area);
  }
  dirty_ = false;
  for (TControl* child : children_) {
    child->CollectDirty(region, rootX + child->bounds_.Left, rootY + child->bounds_.Top);
  }
}

// The headless screen stands for the window: the root is painted at its origin, so a child's
// area shows the parent first and the child over it, exactly as the GTK drawing order does.
void TControl::UpdateHeadless() {
  cairo_region_t* region = cairo_region_create();
  CollectDirty(region, 0, 0);
  if (!cairo_region_is_empty(region)) {
    cairo_t* cr = cairo_create(HeadlessScreen()->Native());
    gdk_cairo_region(cr, region);
    cairo_clip(cr);
    PaintTree(cr, region, 0, 0);
    cairo_destroy(cr);
  }
  cairo_region_destroy(region);
}

void TControl::InvalidateHeadlessArea() {
  if (backing_ || parent_ == nullptr) return;
  parent_->dirty_ = true;  // what the control covered must be painted again by its parent
}

Surface* TControl::HeadlessScreen() {
  if (backing_) return nullptr;
  TControl* root = Root();
  const int w = std::max(1, root->bounds_.Width), h = std::max(1, root->bounds_.Height);
  if (!root->headlessScreen_ || root->headlessScreen_->Width() != w ||
      root->headlessScreen_->Height() != h) {
    root->headlessScreen_ = std::make_unique<Surface>(w, h);
    root->dirty_ = true;
  }
  return root->headlessScreen_.get();
}

GtkWidget* TControl::Widget() const { return backing_ ? backing_->widget : nullptr; }

// ----- input --------------------------------------------------------------------------------

void TControl::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (enabled_) MouseDown(button, shift, x, y);
}

void TControl::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (enabled_) MouseUp(button, shift, x, y);
}

void TControl::HandleMouseMove(TShiftState shift, int x, int y) {
  if (enabled_) MouseMove(shift, x, y);
}

void TControl::HandleDoubleClick(TShiftState shift, int x, int y) {
  if (enabled_) MouseDoubleClick(shift | TShiftState::ssDouble, x, y);
}

void TControl::HandleMouseEnter() {
  if (mouseInside_) return;
  mouseInside_ = true;
  MouseEnter();
}

void TControl::HandleMouseLeave() {
  if (!mouseInside_) return;
  mouseInside_ = false;
  MouseLeave();
}

bool TControl::HandleKeyDown(TKeyCode key, TShiftState shift, char32_t character) {
  const unsigned wants = DialogCode();
  const bool tab = IsTabKey(key) && (wants & dlgcWantTab) == 0;
  const bool arrow = IsArrowKey(key) && (wants & dlgcWantArrows) == 0;
  if (tab || arrow) {
    // The window moves the focus; GTK does it for a backed control once we decline the key.
    const bool forward = tab ? !shift.Has(TShiftState::ssShift) : ArrowGoesForward(key);
    if (!backing_) Root()->MoveFocus(forward);
    return false;
  }
  TKeyCode k = key;
  KeyDown(k, shift);
  if (character != 0) HandleKeyPress(character, shift);
  return true;
}

void TControl::HandleKeyPress(char32_t character, TShiftState shift) {
  // With Alt held a character is a menu/accelerator key only, never typed text.
  if (shift.Has(TShiftState::ssAlt)) {
    Root()->BroadcastDialogChar(character);
    return;
  }
  if ((DialogCode() & dlgcWantChars) == 0 && Root()->BroadcastDialogChar(character)) return;
  char32_t k = character;
  KeyPress(k);
}

void TControl::HandleKeyUp(TKeyCode key, TShiftState shift) {
  TKeyCode k = key;
  KeyUp(k, shift);
}

bool TControl::BroadcastDialogChar(char32_t character) {
  if (DialogChar(character)) return true;
  // A copy: a handler may reparent or destroy controls.
  const std::vector<TControl*> children = children_;
  for (TControl* child : children) {
    if (child->BroadcastDialogChar(character)) return true;
  }
  return false;
}

// ----- default handlers ("standard handling") -----------------------------------------------

void TControl::Paint(cairo_t*) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TControl::MouseDoubleClick(TShiftState, int, int) { DblClick(); }

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(*this);
}

void TControl::KeyDown(TKeyCode& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
}

void TControl::KeyPress(char32_t& key) {
  if (OnKeyPress) OnKeyPress(*this, key);
}

void TControl::KeyUp(TKeyCode& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(*this, key, shift);
}

void TControl::DoEnter() {
  if (OnEnter) OnEnter(*this);
}

void TControl::DoExit() {
  if (OnExit) OnExit(*this);
}

void TControl::Click() {
  if (OnClick) OnClick(*this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(*this);
}

void TControl::Resize() {
  if (OnResize) OnResize(*this);
}

// ----- TForm --------------------------------------------------------------------------------

TForm::TForm()
    : TControl(nullptr, windowingActive ? detail::GtkBacking::ForForm(*this) : nullptr) {
  if (Backing() != nullptr) window_ = Backing()->window;
}

TForm::~TForm() = default;

void TForm::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (window_ != nullptr) gtk_window_set_title(GTK_WINDOW(window_), caption_.c_str());
}

void TForm::SetDialogFrame(bool fixed) {
  if (window_ == nullptr) return;
  gtk_window_set_resizable(GTK_WINDOW(window_), !fixed);
  gtk_window_set_type_hint(GTK_WINDOW(window_),
                           fixed ? GDK_WINDOW_TYPE_HINT_DIALOG : GDK_WINDOW_TYPE_HINT_NORMAL);
}

void TForm::Show() {
  if (window_ != nullptr) gtk_widget_show(window_);
}

void TForm::Close() {
  closeRequested_ = true;
  if (OnClose) OnClose(*this);
  if (window_ != nullptr) gtk_widget_hide(window_);
}

GtkWindow* TForm::Window() const { return window_ != nullptr ? GTK_WINDOW(window_) : nullptr; }

void TForm::Paint(cairo_t* cr) {
  SetSourceColor(cr, Color());
  cairo_paint(cr);
}

void SetSourceColor(cairo_t* cr, TColor color) {
  const ARGB c = ColorToARGB(color);
  cairo_set_source_rgb(cr, GetRed(c) / 255.0, GetGreen(c) / 255.0, GetBlue(c) / 255.0);
}

// ----- THostedWidget ------------------------------------------------------------------------

THostedWidget::THostedWidget(TControl* parent, GtkWidget* widget)
    : TControl(nullptr, widget != nullptr && windowingActive
                            ? detail::GtkBacking::ForHosted(*this, widget)
                            : nullptr) {
  SetTabStop(widget != nullptr && gtk_widget_get_can_focus(widget));
  if (parent != nullptr) SetParent(parent);
}

THostedWidget::~THostedWidget() = default;

}  // namespace tavrin::controls
