#include "app/message_pump.h"

namespace tavrin::app {

namespace {

// An event source that keeps itself pending (an animation, a busy idle handler) must not keep
// the export from its next row for ever.
constexpr int kMaxDispatchesPerServicing = 1000;

}  // namespace

TMessagePump::TMessagePump(std::int64_t intervalMicroseconds) : interval_(intervalMicroseconds) {}

void TMessagePump::ProcessMessages() {
  if (interval_ > 0) {
    const std::int64_t now = g_get_monotonic_time();
    if (now < next_) return;
    next_ = now + interval_;
  }
  ProcessAllPending();
}

void TMessagePump::ProcessAllPending() {
  ++servicings_;
  GMainContext* context = g_main_context_default();
  // One non-blocking iteration per round: it polls once and reports whether it dispatched
  // anything, so asking g_main_context_pending() first would only double the polls.
  for (int i = 0; i < kMaxDispatchesPerServicing; ++i) {
    if (!g_main_context_iteration(context, FALSE)) break;
  }
}

}  // namespace tavrin::app
