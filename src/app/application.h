// The application-wide pieces every window event relies on: the title, the icon, the
// top-level failure handler and the terminate request.
//
// States: running, then terminate requested (the main window was closed). The request is
// only a flag plus the end of the outer message loop: a handler that is servicing the loop
// itself (the export) sees Terminated() and finishes first; the loop ends when that handler
// has returned.
#pragma once

#include <gtk/gtk.h>

#include <exception>
#include <string>
#include <utility>

#include "app/dialogs.h"
#include "widgets/controls/event_failure.h"

namespace tavrin::app {

class TApplication {
 public:
  // title: the application title (see app_title.h). dialogs shows the failure box. The
  // application installs HandleException as the control layer's event failure handler, so a
  // failure in any control's paint or input handler ends at the failure box too; the default
  // handler is back once the application is gone.
  TApplication(std::string title, TDialogs& dialogs);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  const std::string& Title() const { return title_; }
  TDialogs& Dialogs() { return dialogs_; }

  // The window failure boxes belong to (the main window once it exists).
  void SetMainWindow(GtkWindow* window) { mainWindow_ = window; }

  // Top-level failure handler: shows the failure's message, with the final "." rule, in the
  // stop box captioned with the title. Never throws; the message loop goes on afterwards.
  void HandleException(std::exception_ptr failure) noexcept;

  // Runs the message loop until Terminate() has been called and the handler that was running
  // then has returned.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }

 private:
  std::string title_;
  TDialogs& dialogs_;
  GtkWindow* mainWindow_ = nullptr;
  GMainLoop* loop_ = nullptr;
  bool terminated_ = false;
};

// Sets the program's icon (compiled into the program) as every window's default icon.
void InstallApplicationIcon();

// Calls handler(); a failure that leaves it ends at the top-level failure handler. The
// program's own event handlers run through this where the failure must end at the handler
// (a click handler, so the button finishes its click); the control layer catches the same
// way at its GTK boundary.
template <typename Handler>
void Guarded(TApplication& application, Handler&& handler) noexcept {
  controls::CatchEventFailure(std::forward<Handler>(handler), [&](std::exception_ptr failure) {
    application.HandleException(failure);
  });
}

}  // namespace tavrin::app
