#include "app/application.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "export/failure_text.h"

// The resource bundle compiled into the program (generated source, registered by hand so a
// static link cannot drop it).
extern "C" void tavrin_app_register_resource(void);

namespace tavrin::app {

namespace {

constexpr const char* kIconResource = "/tavrin/app/app_icon.png";

}  // namespace

TApplication::TApplication(std::string title, TDialogs& dialogs)
    : title_(std::move(title)), dialogs_(dialogs) {
  controls::SetEventFailureHandler([this](std::exception_ptr failure) { HandleException(failure); });
}

TApplication::~TApplication() {
  controls::SetEventFailureHandler({});
}

void TApplication::HandleException(std::exception_ptr failure) noexcept {
  try {
    dialogs_.ShowFailureBox(mainWindow_, title_, chat_export::FailureBoxText(controls::FailureMessage(failure)));
  } catch (...) {
    // Showing the box itself failed (out of memory, say): nothing is left to tell the user
    // with, and the loop must go on.
  }
}

void TApplication::Run() {
  if (terminated_) return;
  loop_ = g_main_loop_new(nullptr, FALSE);
  g_main_loop_run(loop_);
  g_main_loop_unref(loop_);
  loop_ = nullptr;
}

void TApplication::Terminate() {
  terminated_ = true;
  // Quitting only marks the loop: it ends once the dispatch that is running now returns, so
  // an export servicing the loop from inside its click handler finishes first.
  if (loop_) g_main_loop_quit(loop_);
}

void InstallApplicationIcon() {
  static const bool registered = (tavrin_app_register_resource(), true);
  (void)registered;
  GError* error = nullptr;
  GdkPixbuf* icon = gdk_pixbuf_new_from_resource(kIconResource, &error);
  if (!icon) {
    // A program without its icon still works; the platform's generic icon shows instead.
    g_clear_error(&error);
    return;
  }
  gtk_window_set_default_icon(icon);
  g_object_unref(icon);
}

}  // namespace tavrin::app
