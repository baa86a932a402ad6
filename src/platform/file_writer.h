// Creating and writing the export's output files.
//
// A file is created anew (an existing file of the same name is truncated, a symbolic link is
// followed), written through a buffer and closed. Every failure is an EInOutError whose
// message is the export's user-facing text for the system error, chosen by meaning:
//
//   path not found (a missing folder on the way, ENOENT/ENOTDIR at create) -> "Invalid file name -
//   <path>" a file that vanished although its folder exists (ENOENT otherwise)    -> "The specified
//   file was not found" too many open files (EMFILE, ENFILE)                                  ->
//   "Too many open files" access denied (EACCES, EPERM, EROFS, EISDIR)                          ->
//   "File access denied" anything else, e.g. a full disk (ENOSPC) or a name too long           ->
//   "I/O error <errno>"
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrin::platform {

// A failed create, write or close, carrying the system error code it came from.
class EInOutError : public std::runtime_error {
 public:
  EInOutError(const std::string& message, int errorCode)
      : std::runtime_error(message), errorCode_(errorCode) {}
  int ErrorCode() const noexcept { return errorCode_; }

 private:
  int errorCode_;
};

enum class FileOperation { Create, Write, Close };

// The message for a failed operation on the file at fullPath with the given errno value.
std::string IoErrorMessage(int errorCode, FileOperation operation, const std::string& fullPath);

// An open output file. Write() may buffer; Close() writes out what is buffered and closes,
// reporting a failure of either. After a failure the file is closed and accepts nothing more.
// Destroying an open file closes it and ignores any failure.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual void Write(std::string_view bytes) = 0;
  virtual void Close() = 0;
};

// Which file a path leads to, whatever the path: two names of one file (a link, or names that
// differ only in letter case on a file system that ignores case) have the same identity.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
  friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// The file name length most file systems allow, in bytes.
inline constexpr std::size_t kCommonNameMax = 255;

// Creates output files; tests substitute one that fails on demand.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual std::unique_ptr<OutputFile> CreateFile(const std::string& fullPath) = 0;
  // The identity of the file the path leads to (links followed), or nothing when there is
  // none. A file system that cannot tell gives nothing, and names alone decide.
  virtual std::optional<FileIdentity> IdentityOf(const std::string& /*fullPath*/) const {
    return std::nullopt;
  }
  // The longest file name, in bytes, that the file system holding `folder` takes: what the
  // system reports for the folder, or kCommonNameMax when it cannot tell (a missing folder,
  // say; creating a file in it fails on its own then).
  virtual std::size_t NameMaxOf(const std::string& folder) const;
};

// The real file: one descriptor, opened O_CREAT|O_TRUNC|O_WRONLY|O_CLOEXEC with mode 0666
// (the umask applies).
class FileWriter final : public OutputFile {
 public:
  // Measured by writing 94 MiB of 96-byte lines into 3,000 files on tmpfs: a 128-byte buffer
  // took 0.24 s of system time, 4 KiB to 256 KiB all about 0.045 s. 64 KiB holds a typical chat
  // file whole, so most files take a single write; only one file is open at a time.
  static constexpr std::size_t kBufferSize = 64 * 1024;

  // Throws EInOutError when the file cannot be created.
  static std::unique_ptr<FileWriter> Create(const std::string& fullPath);

  ~FileWriter() override;
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  void Write(std::string_view bytes) override;
  void Close() override;

 private:
  FileWriter(int fd, std::string fullPath);
  void Flush();
  void WriteThrough(const char* data, std::size_t size);
  void CloseAfterFailure() noexcept;

  int fd_;
  std::string fullPath_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<OutputFile> CreateFile(const std::string& fullPath) override;
  std::optional<FileIdentity> IdentityOf(const std::string& fullPath) const override;
};

}  // namespace tavrin::platform
