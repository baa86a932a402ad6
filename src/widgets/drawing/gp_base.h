#pragma once
// Common base of the drawing wrappers: the sticky status record.
//
// Library calls never throw. Each operation returns its own status and the wrapper keeps the
// last one that was not Ok, so a caller can look once after a sequence of calls.

#include "widgets/drawing/gp_types.h"

namespace tavrin {

class TGdiplusBase {
 public:
  TGdiplusBase(const TGdiplusBase&) = delete;
  TGdiplusBase& operator=(const TGdiplusBase&) = delete;

  // The last status that was not Ok; resets the record to Ok.
  Status GetLastStatus() const {
    Status s = lastResult;
    lastResult = Ok;
    return s;
  }

 protected:
  TGdiplusBase() = default;
  TGdiplusBase(TGdiplusBase&&) noexcept = default;
  TGdiplusBase& operator=(TGdiplusBase&&) noexcept = default;
  ~TGdiplusBase() = default;

  Status SetStatus(Status s) const {
    if (s != Ok) lastResult = s;
    return s;
  }

  mutable Status lastResult = Ok;
};

}  // namespace tavrin
