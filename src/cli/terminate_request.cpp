#include "cli/terminate_request.h"

namespace tavrin::cli {

namespace {

volatile std::sig_atomic_t gTerminateRequest = 0;

extern "C" void OnTerminateSignal(int) {
  gTerminateRequest = 1;
}

}  // namespace

const volatile std::sig_atomic_t& TerminateRequest() {
  return gTerminateRequest;
}

void InstallTerminateRequest() {
  struct sigaction action {};
  action.sa_handler = OnTerminateSignal;
  // SA_RESTART: a read of SQLite or a write of a chat file goes on instead of failing with
  // EINTR; the request is looked at between rows.
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

}  // namespace tavrin::cli
