// tavrin-export-cli: the export without a window. See HelpText for what it does.
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "cli/cli_options.h"
#include "cli/headless_host.h"
#include "cli/terminate_request.h"
#include "export/chat_export.h"
#include "export/failure_text.h"
#include "platform/code_page.h"
#include "platform/default_root.h"
#include "platform/directory_lister.h"
#include "platform/file_writer.h"
#include "store/read_only_query.h"
#include "store/sql_connection.h"

namespace {

using namespace tavrin;

// The output folder as the window's dialog would give it: a full path.
std::string Absolute(const std::string& path) {
  std::error_code failed;
  const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
  return failed ? path : absolute.string();
}

void PrintSummary(const chat_export::TExportSummary& summary, double seconds) {
  std::fprintf(
      stderr, "%s%zu databases, %zu messages read, %zu lines written to %zu chat files in %.1f s\n",
      summary.terminated ? "Stopped by Ctrl-C: " : "", summary.databases, summary.rows,
      summary.lines, summary.chatFiles, seconds);
}

int Export(cli::HeadlessHost& host, bool showProgress) {
  const platform::CodePage& codePage = platform::HostCodePage();
  store::TSQLConnection connection;
  connection.SetCodePage(codePage);
  store::TReadOnlyQuery zq("zq");
  zq.SetConnection(&connection);
  platform::PosixDirectoryLister lister;
  platform::PosixFileSystem files;

  const auto started = std::chrono::steady_clock::now();
  const chat_export::TExportSummary summary =
      chat_export::doTavrinExport({host, connection, zq, codePage, lister, files});
  host.EndProgress();
  if (summary.databases == 0) return cli::kExitNoDatabase;
  if (showProgress) {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    PrintSummary(summary, elapsed.count());
  }
  return summary.terminated ? cli::kExitInterrupted : cli::kExitSuccess;
}

// The headless stand-in for the window's top-level failure handler.
int RunExport(const cli::CliOptions& options) {
  const bool showProgress = !options.quiet && isatty(STDERR_FILENO) == 1;
  cli::HeadlessHost host({options.root ? *options.root : platform::DefaultDatabaseRoot(),
                          Absolute(options.out), showProgress},
                         cli::TerminateRequest(), stderr);
  try {
    return Export(host, showProgress);
  } catch (const std::exception& failure) {
    host.EndProgress();
    std::fprintf(stderr, "%s\n", chat_export::FailureBoxText(failure.what()).c_str());
    return cli::kExitFailure;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const std::string programName = "tavrin-export-cli";
  const cli::CliOptions options = cli::ParseCommandLine({argv + 1, argv + argc});
  switch (options.action) {
    case cli::CliAction::ShowHelp:
      std::fputs(cli::HelpText(programName).c_str(), stdout);
      return cli::kExitSuccess;
    case cli::CliAction::BadUsage:
      std::fprintf(stderr, "%s: %s\nUsage: %s [--root DIR] --out DIR [--quiet] [--help]\n",
                   programName.c_str(), options.error.c_str(), programName.c_str());
      return cli::kExitBadUsage;
    case cli::CliAction::Export:
      break;
  }
  cli::InstallTerminateRequest();
  return RunExport(options);
}
