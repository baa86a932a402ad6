// The export's host without a window: the output folder comes from the command line, dialogs
// become lines on standard error, and the terminate request is a flag set by Ctrl-C.
#pragma once

#include <csignal>
#include <cstdio>
#include <string>

#include "export/export_host.h"

namespace tavrin::cli {

struct HeadlessSettings {
  std::string databaseRoot;
  std::string outputFolder;   // absolute
  bool showProgress = false;  // a terminal, and not --quiet
};

class HeadlessHost final : public chat_export::TExportHost {
 public:
  // `terminateRequest` is set asynchronously (by a signal handler) and only read here.
  HeadlessHost(HeadlessSettings settings, const volatile std::sig_atomic_t& terminateRequest,
               std::FILE* messages);

  std::string DatabaseRoot() override { return settings_.databaseRoot; }
  void SetExportButtonEnabled(bool) override {}
  void SetFolderBoxEnabled(bool) override {}
  void SetFolderBoxColor(std::int32_t) override {}
  // The output folder's "default.txt": the export only ever takes the folder part.
  std::optional<std::string> ChooseOutputFile() override;
  void ShowErrorDialog(const std::string& text) override;
  void ShowMessageDialog(const std::string& text) override;
  void ProcessMessages() override;
  bool Terminated() override { return terminateRequest_ != 0; }

  void OnDatabasesFound(std::size_t count) override;
  void OnDatabaseOpened(std::size_t index, const std::string& path, std::size_t rowCount) override;
  void OnChatFileCreated(const std::string& fullPath) override;

  // Removes the progress line, so that what follows starts on a clean line.
  void EndProgress();

 private:
  void ShowLine(const std::string& text);
  void DrawProgress();

  HeadlessSettings settings_;
  const volatile std::sig_atomic_t& terminateRequest_;
  std::FILE* messages_;
  bool progressShown_ = false;
  std::size_t databaseCount_ = 0;
  std::size_t databaseIndex_ = 0;
  std::string databasePath_;
  std::size_t rowsDone_ = 0;
  std::size_t rowCount_ = 0;
  std::size_t chatFiles_ = 0;
  bool inRowLoop_ = false;
};

}  // namespace tavrin::cli
