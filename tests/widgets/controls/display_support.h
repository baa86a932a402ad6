// Helpers for tests that run controls in real GTK windows (label "display").
#pragma once

#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "widgets/controls/control.h"
#include "widgets/drawing/gp_text.h"
#include "widgets/drawing/surface.h"

namespace tavrin::controls::testing {

// Handles every pending event, after the X server has answered everything sent so far.
inline void Pump() {
  gdk_display_sync(gdk_display_get_default());
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
}

// Runs the main loop until cond holds or 5 s have passed, then lets pending work finish.
template <typename Cond>
bool PumpUntil(Cond cond) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!cond() && std::chrono::steady_clock::now() < deadline)
    g_main_context_iteration(nullptr, FALSE);
  Pump();
  return cond();
}

// A fixture whose tests fail (not skip) without a display.
class DisplayTest : public ::testing::Test {
 protected:
  // The text is in the windows' font, as the program and the gallery show it.
  static void SetUpTestSuite() {
    MakeWindowFontAvailable();
    windowing_ = InitWindowing(nullptr, nullptr);
  }
  void SetUp() override {
    ASSERT_TRUE(windowing_) << "no display: run under the test command (xvfb-run)";
  }
  static inline bool windowing_ = false;
};

// A window of the main window's client size and fixed dialog frame, for tests that put a
// widget where the main window has it. Not shown yet.
inline std::unique_ptr<TForm> MainWindowSizedForm(const std::string& caption) {
  auto form = std::make_unique<TForm>();
  form->SetClientSize(465, 111);
  form->SetDialogFrame(true);
  form->SetCaption(caption);
  return form;
}

inline GdkWindow* FormWindow(const TForm& form) {
  return gtk_widget_get_window(GTK_WIDGET(form.Window()));
}

// An area of the form's client area as the X server shows it right now, without raising the
// window or handling any events (so it can run inside a control's own event handling).
inline Surface WindowArea(const TForm& form, int left, int top, int width, int height) {
  Surface shot(width, height);
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(FormWindow(form), left, top, width, height);
  if (pixbuf == nullptr) return shot;
  cairo_t* cr = cairo_create(shot.Native());
  gdk_cairo_set_source_pixbuf(cr, pixbuf, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  g_object_unref(pixbuf);
  return shot;
}

// The form's client area as the X server shows it, raised above other windows first.
inline Surface Screenshot(TForm& form) {
  gdk_window_raise(FormWindow(form));
  Pump();
  return WindowArea(form, 0, 0, form.Width(), form.Height());
}

inline Surface Crop(const Surface& s, int left, int top, int width, int height) {
  Surface out(width, height);
  cairo_t* cr = cairo_create(out.Native());
  cairo_set_source_surface(cr, s.Native(), -left, -top);
  cairo_paint(cr);
  cairo_destroy(cr);
  return out;
}

// Writes <name>-actual.png, -expected.png and -diff.png into <build>/test-artifacts.
inline void WriteArtifacts(const std::string& name, const Surface& actual,
                           const Surface& expected) {
  const std::filesystem::path dir = std::filesystem::path(TAVRIN_BINARY_DIR) / "test-artifacts";
  std::filesystem::create_directories(dir);
  actual.WritePng((dir / (name + "-actual.png")).string());
  expected.WritePng((dir / (name + "-expected.png")).string());
  DifferenceImage(actual, expected).WritePng((dir / (name + "-diff.png")).string());
}

}  // namespace tavrin::controls::testing
