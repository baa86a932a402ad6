#include "platform/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tavrin::platform {

namespace {

bool IsExistingFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FolderPart(const std::string& fullPath) {
  const auto slash = fullPath.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return fullPath.substr(0, slash);
}

// ENOENT at creation means either a folder on the way is missing (the user chose a folder
// that does not exist) or the name itself leads nowhere although its folder is there (a
// dangling link into a missing folder); the two have different messages.
bool MissingFolderOnTheWay(int errorCode, const std::string& fullPath) {
  if (errorCode == ENOTDIR) return true;
  return errorCode == ENOENT && !IsExistingFolder(FolderPart(fullPath));
}

}  // namespace

std::string IoErrorMessage(int errorCode, FileOperation operation, const std::string& fullPath) {
  if (operation == FileOperation::Create && MissingFolderOnTheWay(errorCode, fullPath))
    return "Invalid file name - " + fullPath;
  switch (errorCode) {
    case ENOENT:
      return "The specified file was not found";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return "File access denied";
    default:
      return "I/O error " + std::to_string(errorCode);
  }
}

namespace {

[[noreturn]] void ThrowIoError(int errorCode, FileOperation operation, const std::string& path) {
  throw EInOutError(IoErrorMessage(errorCode, operation, path), errorCode);
}

}  // namespace

std::unique_ptr<FileWriter> FileWriter::Create(const std::string& fullPath) {
  int fd;
  do {
    fd = ::open(fullPath.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) ThrowIoError(errno, FileOperation::Create, fullPath);
  return std::unique_ptr<FileWriter>(new FileWriter(fd, fullPath));
}

FileWriter::FileWriter(int fd, std::string fullPath)
    : fd_(fd), fullPath_(std::move(fullPath)), buffer_(new char[kBufferSize]) {}

FileWriter::~FileWriter() {
  if (fd_ < 0) return;
  try {
    Close();
  } catch (const EInOutError&) {
    // Destruction is the clean-up path after another failure; that one is reported.
  }
}

void FileWriter::Write(std::string_view bytes) {
  if (fd_ < 0) ThrowIoError(EBADF, FileOperation::Write, fullPath_);
  if (bytes.size() <= kBufferSize - used_) {
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
    return;
  }
  Flush();
  if (bytes.size() >= kBufferSize) {
    WriteThrough(bytes.data(), bytes.size());
    return;
  }
  std::memcpy(buffer_.get(), bytes.data(), bytes.size());
  used_ = bytes.size();
}

void FileWriter::Close() {
  if (fd_ < 0) return;
  Flush();
  const int fd = fd_;
  fd_ = -1;
  // After close() fails the descriptor is gone all the same (Linux), so it is never retried.
  if (::close(fd) != 0 && errno != EINTR) ThrowIoError(errno, FileOperation::Close, fullPath_);
}

void FileWriter::Flush() {
  const std::size_t size = used_;
  used_ = 0;
  if (size > 0) WriteThrough(buffer_.get(), size);
}

void FileWriter::WriteThrough(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd_, data, size);
    if (written <= 0) {
      if (written < 0 && errno == EINTR) continue;
      // A write that takes nothing would otherwise spin here for ever.
      const int errorCode = written < 0 ? errno : EIO;
      CloseAfterFailure();
      ThrowIoError(errorCode, FileOperation::Write, fullPath_);
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

void FileWriter::CloseAfterFailure() noexcept {
  used_ = 0;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::size_t FileSystem::NameMaxOf(const std::string& folder) const {
  const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return nameMax > 0 ? static_cast<std::size_t>(nameMax) : kCommonNameMax;
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateFile(const std::string& fullPath) {
  return FileWriter::Create(fullPath);
}

std::optional<FileIdentity> PosixFileSystem::IdentityOf(const std::string& fullPath) const {
  struct stat info {};
  if (::stat(fullPath.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace tavrin::platform
