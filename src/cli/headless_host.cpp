#include "cli/headless_host.h"

namespace tavrin::cli {

namespace {

// Redrawing the progress line costs a write to the terminal; every few thousand rows keeps
// the count moving without slowing the export.
constexpr std::size_t kRowsPerProgressUpdate = 8192;

}  // namespace

HeadlessHost::HeadlessHost(HeadlessSettings settings,
                           const volatile std::sig_atomic_t& terminateRequest, std::FILE* messages)
    : settings_(std::move(settings)), terminateRequest_(terminateRequest), messages_(messages) {}

std::optional<std::string> HeadlessHost::ChooseOutputFile() {
  std::string file = settings_.outputFolder;
  if (file.empty() || file.back() != '/') file += '/';
  return file + "default.txt";
}

void HeadlessHost::ShowErrorDialog(const std::string& text) {
  ShowLine(text);
}

void HeadlessHost::ShowMessageDialog(const std::string& text) {
  ShowLine(text);
}

void HeadlessHost::ShowLine(const std::string& text) {
  EndProgress();
  std::fprintf(messages_, "%s\n", text.c_str());
  std::fflush(messages_);
}

void HeadlessHost::ProcessMessages() {
  // Called per folder entry during the search as well; rows are counted only once a database
  // is open.
  if (!inRowLoop_) return;
  ++rowsDone_;
  if (settings_.showProgress && rowsDone_ % kRowsPerProgressUpdate == 0) DrawProgress();
}

void HeadlessHost::OnDatabasesFound(std::size_t count) {
  databaseCount_ = count;
  if (settings_.showProgress) DrawProgress();
}

void HeadlessHost::OnDatabaseOpened(std::size_t index, const std::string& path,
                                    std::size_t rowCount) {
  inRowLoop_ = true;
  databaseIndex_ = index;
  databasePath_ = path;
  rowsDone_ = 0;
  rowCount_ = rowCount;
  if (settings_.showProgress) DrawProgress();
}

void HeadlessHost::OnChatFileCreated(const std::string&) {
  ++chatFiles_;
}

void HeadlessHost::DrawProgress() {
  // "\r" and erase-to-end-of-line redraw the one progress line in place.
  if (inRowLoop_) {
    std::fprintf(messages_, "\r\033[Kdatabase %zu of %zu: %s: %zu of %zu rows, %zu chat files",
                 databaseIndex_ + 1, databaseCount_, databasePath_.c_str(), rowsDone_, rowCount_,
                 chatFiles_);
  } else {
    std::fprintf(messages_, "\r\033[K%zu databases found", databaseCount_);
  }
  std::fflush(messages_);
  progressShown_ = true;
}

void HeadlessHost::EndProgress() {
  if (!progressShown_) return;
  std::fprintf(messages_, "\r\033[K");
  std::fflush(messages_);
  progressShown_ = false;
}

}  // namespace tavrin::cli
