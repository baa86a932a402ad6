#include "app/message_pump.h"

#include <gtest/gtest.h>

namespace tavrin::app {
namespace {

// Counts its dispatches; one idle source stays pending until removed.
struct IdleCounter {
  int dispatched = 0;
  guint id = 0;
  explicit IdleCounter(bool repeat) { id = g_idle_add(repeat ? &Repeat : &Once, this); }
  ~IdleCounter() {
    if (id) g_source_remove(id);
  }
  static gboolean Once(gpointer self) {
    auto* counter = static_cast<IdleCounter*>(self);
    ++counter->dispatched;
    counter->id = 0;
    return G_SOURCE_REMOVE;
  }
  static gboolean Repeat(gpointer self) {
    ++static_cast<IdleCounter*>(self)->dispatched;
    return G_SOURCE_CONTINUE;
  }
};

TEST(MessagePumpTest, WithoutIntervalEveryCallHandlesWhatIsPending) {
  TMessagePump pump(0);
  IdleCounter first(false);
  pump.ProcessMessages();
  EXPECT_EQ(first.dispatched, 1);
  IdleCounter second(false);
  pump.ProcessMessages();
  EXPECT_EQ(second.dispatched, 1);
  EXPECT_EQ(pump.Servicings(), 2u);
}

TEST(MessagePumpTest, WithinTheIntervalACallLeavesEventsWaiting) {
  TMessagePump pump(3'600'000'000);  // an hour: only the first call may service
  IdleCounter first(false);
  pump.ProcessMessages();
  ASSERT_EQ(first.dispatched, 1);
  IdleCounter second(false);
  pump.ProcessMessages();
  EXPECT_EQ(second.dispatched, 0);
  pump.ProcessAllPending();
  EXPECT_EQ(second.dispatched, 1);
  EXPECT_EQ(pump.Servicings(), 2u);
}

TEST(MessagePumpTest, AlwaysPendingSourceDoesNotHoldTheCallerForEver) {
  TMessagePump pump(0);
  IdleCounter busy(true);
  pump.ProcessMessages();  // must return
  EXPECT_GT(busy.dispatched, 0);
}

}  // namespace
}  // namespace tavrin::app
