#include "cli/headless_host.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../platform/child_process.h"
#include "cli/terminate_request.h"

namespace tavrin::cli {
namespace {

// Collects what the host writes.
class Capture {
 public:
  Capture() : file_(open_memstream(&data_, &size_)) {}
  ~Capture() {
    std::fclose(file_);
    std::free(data_);
  }
  std::FILE* File() const { return file_; }
  std::string Text() {
    std::fflush(file_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};

TEST(HeadlessHostTest, TheOutputFileLiesInTheOutputFolder) {
  volatile std::sig_atomic_t flag = 0;
  Capture messages;
  EXPECT_EQ(HeadlessHost({"/r", "/o", false}, flag, messages.File()).ChooseOutputFile(),
            "/o/default.txt");
  EXPECT_EQ(HeadlessHost({"/r", "/o/", false}, flag, messages.File()).ChooseOutputFile(),
            "/o/default.txt");
  EXPECT_EQ(HeadlessHost({"/r", "/o", false}, flag, messages.File()).DatabaseRoot(), "/r");
}

TEST(HeadlessHostTest, DialogsBecomeLinesAndNothingElseIsWrittenOffATerminal) {
  volatile std::sig_atomic_t flag = 0;
  Capture messages;
  HeadlessHost host({"/r", "/o", false}, flag, messages.File());
  host.OnDatabasesFound(2);
  host.OnDatabaseOpened(0, "/r/a/main.db", 100000);
  for (int i = 0; i < 100000; ++i) host.ProcessMessages();
  host.ShowMessageDialog("/o/l2014_05_03a.txt");
  host.ShowErrorDialog("No log files found !");
  host.EndProgress();
  EXPECT_EQ(messages.Text(), "/o/l2014_05_03a.txt\nNo log files found !\n");
}

TEST(HeadlessHostTest, ProgressRedrawsOneLineAndGivesWayToMessages) {
  volatile std::sig_atomic_t flag = 0;
  Capture messages;
  HeadlessHost host({"/r", "/o", true}, flag, messages.File());
  for (int i = 0; i < 5; ++i) host.ProcessMessages();  // the search: no rows yet
  host.OnDatabasesFound(2);
  host.OnDatabaseOpened(1, "/r/b/main.db", 9000);
  host.OnChatFileCreated("/o/x.txt");
  for (int i = 0; i < 8192; ++i) host.ProcessMessages();
  host.ShowMessageDialog("/o/y.txt");
  const std::string text = messages.Text();
  EXPECT_EQ(text,
            "\r\033[K2 databases found"
            "\r\033[Kdatabase 2 of 2: /r/b/main.db: 0 of 9000 rows, 0 chat files"
            "\r\033[Kdatabase 2 of 2: /r/b/main.db: 8192 of 9000 rows, 1 chat files"
            "\r\033[K/o/y.txt\n");
}

TEST(HeadlessHostTest, TheTerminateRequestFollowsTheFlag) {
  volatile std::sig_atomic_t flag = 0;
  Capture messages;
  HeadlessHost host({"/r", "/o", false}, flag, messages.File());
  EXPECT_FALSE(host.Terminated());
  flag = 1;
  EXPECT_TRUE(host.Terminated());
}

// In a child: the first SIGINT only raises the request; the second ends the process.
TEST(TerminateRequestTest, TheFirstInterruptAsksTheSecondEnds) {
  const int status = testing_support::RunInChildWaitStatus(testing_support::ChildUser::Same, [] {
    InstallTerminateRequest();
    if (TerminateRequest() != 0) return 1;
    std::raise(SIGINT);
    if (TerminateRequest() != 1) return 2;
    std::raise(SIGINT);  // the default action: the child ends here
    return 3;
  });
  ASSERT_TRUE(WIFSIGNALED(status)) << "exit status " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGINT);
}

}  // namespace
}  // namespace tavrin::cli
