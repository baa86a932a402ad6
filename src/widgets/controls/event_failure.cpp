#include "widgets/controls/event_failure.h"

#include <cstdio>

namespace tavrin::controls {

namespace {

void PrintFailure(std::exception_ptr failure) {
  std::fprintf(stderr, "tavrin: %s\n", FailureMessage(failure));
}

TEventFailureHandler& InstalledHandler() {
  static TEventFailureHandler handler = PrintFailure;
  return handler;
}

}  // namespace

void SetEventFailureHandler(TEventFailureHandler handler) {
  InstalledHandler() = handler ? std::move(handler) : TEventFailureHandler(PrintFailure);
}

void ReportEventFailure(std::exception_ptr failure) noexcept {
  try {
    InstalledHandler()(failure);
  } catch (...) {
    // The handler itself failed: standard error is what is left, and the loop must go on.
    PrintFailure(failure);
  }
}

const char* FailureMessage(const std::exception_ptr& failure) noexcept {
  constexpr const char* kUnknown = "Unknown failure";
  if (!failure) return kUnknown;
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return kUnknown;
  }
}

}  // namespace tavrin::controls
