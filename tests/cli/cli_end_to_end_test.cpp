// Runs the built tavrin-export-cli as a user would and looks at its exit status, its
// standard error and the files it wrote.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "../platform/scratch_folder.h"
#include "fixture/message_tree.h"
#include "fixture/sample_tree.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
namespace fixture = tavrin::fixture;
using Strings = std::vector<std::string>;

const std::string kCli = std::string(TAVRIN_BINARY_DIR) + "/bin/tavrin-export-cli";

struct Outcome {
  int exitStatus = -1;  // -1 when ended by a signal
  std::string out;
  std::string err;
};

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// The environment of this process with `changes` applied: "NAME=value" sets, "NAME" removes.
// Local times in chat files depend on the zone, so TZ is always UTC.
std::vector<std::string> Environment(const Strings& changes) {
  std::map<std::string, std::string> variables;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const auto equals = entry.find('=');
    if (equals != std::string::npos) variables[entry.substr(0, equals)] = entry.substr(equals + 1);
  }
  variables["TZ"] = "UTC";
  for (const std::string& change : changes) {
    const auto equals = change.find('=');
    if (equals == std::string::npos)
      variables.erase(change);
    else
      variables[change.substr(0, equals)] = change.substr(equals + 1);
  }
  std::vector<std::string> entries;
  for (const auto& [name, value] : variables) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

class CliTest : public testing::Test {
 protected:
  void SetUp() override { fs::create_directories(base_ / "out"); }

  // Runs the program in the scratch folder, its output going to files.
  Outcome Run(Strings arguments, const Strings& environment = {}) {
    arguments.insert(arguments.begin(), kCli);
    std::vector<std::string> env = Environment(environment);
    const std::string outPath = (base_ / "stdout").string();
    const std::string errPath = (base_ / "stderr").string();
    const pid_t child = fork();
    if (child == 0) {
      const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(base_.c_str()) != 0)
        _exit(127);
      execve(kCli.c_str(), Pointers(arguments).data(), Pointers(env).data());
      _exit(127);
    }
    Outcome outcome;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
      outcome.exitStatus = WEXITSTATUS(status);
    outcome.out = Content(outPath);
    outcome.err = Content(errPath);
    return outcome;
  }

  std::string At(const std::string& relative) const { return (base_ / relative).string(); }
  Strings OutFiles() const {
    Strings names;
    for (const auto& entry : fs::directory_iterator(base_ / "out"))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  void MakeSample() { fixture::makeSampleTree(base_ / "root"); }

  tavrin::testing_support::ScratchFolder scratch_{"tavrin-cli"};
  const fs::path base_ = scratch_.Path();
};

TEST_F(CliTest, ExportsTheSampleTreeQuietlyOffATerminal) {
  MakeSample();
  const Outcome outcome = Run({"--root", At("root"), "--out", At("out")});
  EXPECT_EQ(outcome.exitStatus, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, "");
  const Strings files = OutFiles();
  EXPECT_EQ(files.size(), 7u);
  // The same chat seen from two accounts: the second gets its own file.
  EXPECT_NE(std::find(files.begin(), files.end(),
                      "l2014_05_03_alice_liddell__bob_builder;3f2a1c0d9e8b7a65_2.txt"),
            files.end());
  for (const std::string& file : files) {
    const std::string content = Content(base_ / "out" / file);
    ASSERT_GE(content.size(), 24u) << file;
    EXPECT_EQ(content.front(), '[') << file;
    EXPECT_EQ(content.substr(content.size() - 2), "\r\n") << file;
  }
}

TEST_F(CliTest, ARelativeOutputFolderIsTakenFromTheWorkingFolder) {
  MakeSample();
  EXPECT_EQ(Run({"--root", "root", "--out", "out"}).exitStatus, 0);
  EXPECT_EQ(OutFiles().size(), 7u);
  // A failure names the full path, as the window's dialog would.
  const Outcome missing = Run({"--root", "root", "--out", "missing"});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.err.rfind(At("missing/l"), 0), 0u) << missing.err;
}

TEST_F(CliTest, NoDatabaseExitsWithThree) {
  const Outcome outcome = Run({"--root", At("nowhere"), "--out", At("out")});
  EXPECT_EQ(outcome.exitStatus, 3);
  EXPECT_EQ(outcome.err, "No log files found !\n");
}

TEST_F(CliTest, TheDefaultRootIsSkypeInTheConfigurationFolder) {
  fixture::makeSampleTree(base_ / "config" / "skype");
  const Outcome outcome = Run({"--out", At("out")}, {"XDG_CONFIG_HOME=" + At("config")});
  EXPECT_EQ(outcome.exitStatus, 0) << outcome.err;
  EXPECT_EQ(OutFiles().size(), 7u);
  const Outcome home = Run({"--out", At("out")}, {"XDG_CONFIG_HOME", "HOME=" + At("nohome")});
  EXPECT_EQ(home.exitStatus, 3);
}

TEST_F(CliTest, AMissingOutputFolderShowsThePathThenTheMessageWithItsPeriod) {
  MakeSample();
  const Outcome outcome = Run({"--root", At("root"), "--out", At("nowhere")});
  EXPECT_EQ(outcome.exitStatus, 1);
  // Whichever account the listing reports first, its first chat file fails the same way.
  const auto newline = outcome.err.find('\n');
  ASSERT_NE(newline, std::string::npos);
  const std::string shown = outcome.err.substr(0, newline);
  EXPECT_EQ(shown.rfind(At("nowhere/l"), 0), 0u);
  EXPECT_EQ(outcome.err, shown + "\nInvalid file name - " + shown + ".\n");
  EXPECT_FALSE(fs::exists(At("nowhere")));
}

TEST_F(CliTest, AFullDiskFailsWithItsErrorNumber) {
  fixture::makeSampleTree(base_ / "root");
  const Outcome first = Run({"--root", At("root"), "--out", At("out")});
  ASSERT_EQ(first.exitStatus, 0);
  // Every chat file name now leads to a full disk.
  for (const std::string& file : OutFiles()) {
    fs::remove(base_ / "out" / file);
    fs::create_symlink("/dev/full", base_ / "out" / file);
  }
  const Outcome outcome = Run({"--root", At("root"), "--out", At("out")});
  EXPECT_EQ(outcome.exitStatus, 1);
  EXPECT_EQ(outcome.err, "I/O error 28.\n");
}

TEST_F(CliTest, AFileThatIsNoDatabaseFailsTheRun) {
  fs::create_directories(base_ / "root" / "acct");
  std::ofstream(base_ / "root" / "acct" / "main.db") << std::string(2048, 'x');
  const Outcome outcome = Run({"--root", At("root"), "--out", At("out")});
  EXPECT_EQ(outcome.exitStatus, 1);
  EXPECT_EQ(outcome.err, "SQL Error: file is encrypted or is not a database.\n");
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(CliTest, BadUsageExitsWithTwoAndHelpWithZero) {
  for (const Strings& arguments :
       {Strings{}, Strings{"--out"}, Strings{"--out", At("out"), "x"}, Strings{"--frobnicate"}}) {
    const Outcome outcome = Run(arguments);
    EXPECT_EQ(outcome.exitStatus, 2);
    EXPECT_NE(outcome.err.find("Usage: tavrin-export-cli [--root DIR] --out DIR"),
              std::string::npos);
    EXPECT_TRUE(OutFiles().empty());
  }
  const Outcome help = Run({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_EQ(help.out.rfind("Usage: tavrin-export-cli", 0), 0u);
  EXPECT_EQ(help.err, "");
}

// On a terminal the program shows its progress; Ctrl-C stops it at the next row, the chat file
// it was writing is closed with complete lines, and the later databases write nothing.
TEST_F(CliTest, OnATerminalShowsProgressAndStopsCleanlyOnCtrlC) {
  fixture::GeneratorOptions options;
  options.messages = 240000;
  options.chats = 60;
  options.accounts = 3;
  fixture::makeMessageTree(base_ / "root", options);

  Strings arguments{kCli, "--root", At("root"), "--out", At("out")};
  std::vector<std::string> env = Environment({});
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    execve(kCli.c_str(), Pointers(arguments).data(), Pointers(env).data());
    _exit(127);
  }
  std::string shown;
  bool interrupted = false;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(terminal, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // EIO once the program has ended
    shown.append(buffer, static_cast<std::size_t>(got));
    if (!interrupted && shown.find("database 1 of 3: ") != std::string::npos) {
      kill(child, SIGINT);
      interrupted = true;
    }
  }
  close(terminal);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(interrupted) << shown;
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_NE(shown.find("3 databases found"), std::string::npos);
  EXPECT_NE(shown.find("Stopped by Ctrl-C: 3 databases"), std::string::npos) << shown;
  const Strings files = OutFiles();
  EXPECT_LE(files.size(), 20u);  // at most the first account's chats
  for (const std::string& file : files) {
    const std::string content = Content(base_ / "out" / file);
    EXPECT_EQ(content.substr(content.size() - 2), "\r\n") << file;
  }
}

}  // namespace
