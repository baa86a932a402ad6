// Servicing the window's message loop from inside a long-running handler.
//
// The export calls ProcessMessages() before every row and every folder entry: millions of
// times in a large export. Asking the main context whether anything is pending costs a poll()
// system call each time, which would make the export through the window markedly slower than
// the headless one. So the pump looks at the clock first (a vDSO read, no system call) and
// only polls once the interval has passed since the last servicing: the window still repaints,
// moves and receives the close request within that interval, and a row costs almost nothing.
#pragma once

#include <glib.h>

#include <cstdint>

namespace tavrin::app {

class TMessagePump {
 public:
  // interval: how long events may wait at most before a servicing, in microseconds. 0 makes
  // every call poll the main context.
  explicit TMessagePump(std::int64_t intervalMicroseconds = kDefaultIntervalMicroseconds);

  // Handles every pending event of the default main context once the interval has passed,
  // then returns. Returns at once otherwise.
  void ProcessMessages();

  // Handles every pending event now, whatever the clock says.
  void ProcessAllPending();

  // Number of times events were actually looked for (for measurement).
  std::uint64_t Servicings() const { return servicings_; }

  static constexpr std::int64_t kDefaultIntervalMicroseconds = 2000;

 private:
  std::int64_t interval_;
  std::int64_t next_ = 0;
  std::uint64_t servicings_ = 0;
};

}  // namespace tavrin::app
