// The event failure handler without a display: what reaches it, and the default on standard
// error.
#include "widgets/controls/event_failure.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tavrin::controls {
namespace {

class EventFailureTest : public ::testing::Test {
 protected:
  void TearDown() override { SetEventFailureHandler({}); }
};

TEST_F(EventFailureTest, AFailureLeavingAGuardedHandlerReachesTheInstalledHandler) {
  std::vector<std::string> messages;
  SetEventFailureHandler(
      [&](std::exception_ptr failure) { messages.emplace_back(FailureMessage(failure)); });
  EXPECT_FALSE(GuardEvent([] { throw std::runtime_error("Disk full"); }));
  EXPECT_FALSE(GuardEvent([] { throw 42; }));
  EXPECT_TRUE(GuardEvent([] {}));
  EXPECT_EQ(messages, (std::vector<std::string>{"Disk full", "Unknown failure"}));
}

TEST_F(EventFailureTest, WithoutAnInstalledHandlerTheMessageGoesToStandardError) {
  SetEventFailureHandler([](std::exception_ptr) { FAIL() << "replaced handler still called"; });
  SetEventFailureHandler({});  // back to the default
  ::testing::internal::CaptureStderr();
  GuardEvent([] { throw std::runtime_error("Disk full"); });
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tavrin: Disk full\n");
}

TEST_F(EventFailureTest, AHandlerThatFailsItselfFallsBackToStandardError) {
  SetEventFailureHandler([](std::exception_ptr) { throw std::bad_alloc(); });
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(GuardEvent([] { throw std::runtime_error("Disk full"); }));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tavrin: Disk full\n");
}

}  // namespace
}  // namespace tavrin::controls
