#include "app/application.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "scripted_dialogs.h"

namespace tavrin::app {
namespace {

using test_support::DialogKind;
using test_support::ScriptedDialogs;

struct FailureCase {
  const char* message;
  const char* boxText;
  friend void PrintTo(const FailureCase& c, std::ostream* out) { *out << '"' << c.message << '"'; }
};

class TopLevelFailureHandlerTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(TopLevelFailureHandlerTest, ShowsTheMessageInTheStopBoxTitledWithTheApplication) {
  ScriptedDialogs dialogs;
  TApplication application("Tavrin-export", dialogs);
  Guarded(application, [] { throw std::runtime_error(GetParam().message); });
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, DialogKind::FailureBox);
  EXPECT_EQ(dialogs.shown[0].title, "Tavrin-export");
  EXPECT_EQ(dialogs.shown[0].text, GetParam().boxText);
}

INSTANTIATE_TEST_SUITE_P(Messages, TopLevelFailureHandlerTest,
                         testing::Values(FailureCase{"File access denied", "File access denied."},
                                         FailureCase{"Invalid file name - /o/l2014_05_03a.txt",
                                                     "Invalid file name - /o/l2014_05_03a.txt."},
                                         FailureCase{"I/O error 28", "I/O error 28."},
                                         FailureCase{"Already ends.", "Already ends."},
                                         FailureCase{"No log files found !",
                                                     "No log files found !"},
                                         FailureCase{"", ""}));

TEST(TopLevelFailureHandlerTest, AFailureOfAnUnknownKindStillReachesTheBox) {
  ScriptedDialogs dialogs;
  TApplication application("App", dialogs);
  Guarded(application, [] { throw 42; });
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, DialogKind::FailureBox);
  EXPECT_FALSE(dialogs.shown[0].text.empty());
}

TEST(TopLevelFailureHandlerTest, AHandlerThatSucceedsShowsNothing) {
  ScriptedDialogs dialogs;
  TApplication application("App", dialogs);
  bool ran = false;
  Guarded(application, [&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(TopLevelFailureHandlerTest, IsTheControlLayersEventFailureHandlerWhileTheApplicationLives) {
  ScriptedDialogs dialogs;
  {
    TApplication application("App", dialogs);
    controls::ReportEventFailure(std::make_exception_ptr(std::runtime_error("Paint failed")));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, DialogKind::FailureBox);
    EXPECT_EQ(dialogs.shown[0].title, "App");
    EXPECT_EQ(dialogs.shown[0].text, "Paint failed.");
  }
  ::testing::internal::CaptureStderr();
  controls::ReportEventFailure(std::make_exception_ptr(std::runtime_error("Paint failed")));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tavrin: Paint failed\n");
  EXPECT_EQ(dialogs.shown.size(), 1u);  // the box of a destroyed application is not used
}

TEST(TerminateRequestTest, ALoopAskedToEndBeforeItStartsDoesNotRun) {
  ScriptedDialogs dialogs;
  TApplication application("App", dialogs);
  EXPECT_FALSE(application.Terminated());
  application.Terminate();
  EXPECT_TRUE(application.Terminated());
  application.Run();  // returns at once
}

TEST(TerminateRequestTest, TheLoopEndsOnlyAfterTheHandlerThatAskedHasReturned) {
  ScriptedDialogs dialogs;
  TApplication application("App", dialogs);
  struct State {
    TApplication& application;
    bool handlerFinished = false;
  } state{application};
  g_idle_add_once(
      [](gpointer data) {
        auto* s = static_cast<State*>(data);
        s->application.Terminate();
        // Still inside the dispatch: the export's row loop would run on here.
        s->handlerFinished = true;
      },
      &state);
  application.Run();
  EXPECT_TRUE(state.handlerFinished);
}

}  // namespace
}  // namespace tavrin::app
