// Failures that end the handling of a window event.
//
// A paint or input handler of a control may fail (an export inside a click handler, say).
// Such a failure must not unwind through GTK's C frames: every GTK callback of the control
// layer catches it at its boundary and hands it to the event failure handler, and GTK's message
// loop then goes on. The application installs its top-level failure handler here; until it
// does, the failure's message goes to standard error.
//
// Threading: the user-interface thread only.
#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace tavrin::controls {

using TEventFailureHandler = std::function<void(std::exception_ptr failure)>;

// Installs the handler every caught event failure goes to; an empty one restores the default
// (the message on standard error).
void SetEventFailureHandler(TEventFailureHandler handler);

// Hands a failure to the installed handler. Never throws: a handler that fails itself is
// reported on standard error.
void ReportEventFailure(std::exception_ptr failure) noexcept;

// The message of a failure: what() of a standard exception, otherwise "Unknown failure". The
// text lives as long as the failure is held.
const char* FailureMessage(const std::exception_ptr& failure) noexcept;

// Runs handler(); a failure that leaves it goes to failed(std::exception_ptr). Returns false
// when handler() failed. This is the one place where event failures are caught.
template <typename Handler, typename OnFailure>
bool CatchEventFailure(Handler&& handler, OnFailure&& failed) noexcept {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (...) {
    std::forward<OnFailure>(failed)(std::current_exception());
    return false;
  }
}

// Runs handler(); a failure that leaves it goes to the installed event failure handler.
template <typename Handler>
bool GuardEvent(Handler&& handler) noexcept {
  return CatchEventFailure(std::forward<Handler>(handler), ReportEventFailure);
}

}  // namespace tavrin::controls
