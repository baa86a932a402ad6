// The GTK side of a control: the widget that stands for it in the window and the event
// translation into the control's input entry points. Only control.cpp uses this.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "widgets/controls/control.h"

namespace tavrin::controls::detail {

struct GtkBacking {
  // A control of our own: a container widget that paints through TControl::Paint.
  static std::unique_ptr<GtkBacking> ForControl(TControl& owner);
  // A form: a top-level GtkWindow whose client area is a control widget.
  static std::unique_ptr<GtkBacking> ForForm(TForm& owner);
  // A plain GTK widget standing among the controls.
  static std::unique_ptr<GtkBacking> ForHosted(TControl& owner, GtkWidget* widget);

  GtkBacking(TControl& owner, GtkWidget* widget, bool holdsChildren);
  virtual ~GtkBacking();
  GtkBacking(const GtkBacking&) = delete;
  GtkBacking& operator=(const GtkBacking&) = delete;

  // Puts the widget into the parent's container (null takes it out).
  void AttachTo(GtkBacking* parent);
  void BoundsChanged();
  void VisibleChanged();
  void EnabledChanged();
  void CursorChanged();
  void Invalidate();
  // Paints whatever is invalid in the widget's window now and flushes it to the display.
  void Update();
  void GrabFocus();
  bool IsFocus() const;
  bool WidgetCanFocus() const;
  // The control whose widget holds the keyboard focus in this widget's window, or null.
  TControl* FocusedControl() const;

  // Calls the control's protected paint through its friend access.
  static void PaintControl(TControl& control, cairo_t* cr);
  static void FocusEntered(TControl& control);
  static void FocusLeft(TControl& control);
  static bool MoveFocus(TControl& root, bool forward);
  static GtkBacking* Of(TControl& control) { return control.Backing(); }
  // Stops event delivery to the control (it is going away).
  void Disown();

  TControl* owner;   // null once the control is being destroyed
  GtkWidget* widget;  // our reference
  bool holdsChildren;
  GtkWidget* window = nullptr;  // forms: the top-level window (our reference)
  gulong focusInHandler = 0, focusOutHandler = 0;
};

// The control a widget stands for, or null.
TControl* ControlOfWidget(GtkWidget* widget);

}  // namespace tavrin::controls::detail
