#include "platform/file_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "child_process.h"
#include "scratch_folder.h"

namespace tavrin::platform {
namespace {

namespace fs = std::filesystem;

class FileWriterTest : public testing::Test {
 protected:
  std::string At(const std::string& name) const { return (folder_ / name).string(); }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  // The message of the EInOutError that `action` throws, or "" when it throws none.
  template <typename Action>
  static std::string FailureOf(Action action) {
    try {
      action();
    } catch (const EInOutError& failure) {
      return failure.what();
    }
    return "";
  }

  tavrin::testing_support::ScratchFolder scratch_{"tavrin-writer"};
  const fs::path folder_ = scratch_.Path();
};

TEST_F(FileWriterTest, WritesEveryByteInOrderAcrossBufferBoundaries) {
  std::string expected;
  auto file = FileWriter::Create(At("out.txt"));
  for (int i = 0; expected.size() < 3 * FileWriter::kBufferSize; ++i) {
    const std::string piece = "line " + std::to_string(i) + "\r\n";
    file->Write(piece);
    expected += piece;
  }
  const std::string large(FileWriter::kBufferSize + 17, 'x');  // larger than the buffer
  file->Write(large);
  expected += large;
  file->Write("end");
  expected += "end";
  file->Close();
  EXPECT_EQ(Content(At("out.txt")), expected);
}

TEST_F(FileWriterTest, ReplacesAnExistingFile) {
  std::ofstream(At("out.txt")) << "an older and much longer content";
  auto file = FileWriter::Create(At("out.txt"));
  file->Write("new");
  file->Close();
  EXPECT_EQ(Content(At("out.txt")), "new");
}

TEST_F(FileWriterTest, DestroyingAnOpenFileWritesWhatIsBuffered) {
  FileWriter::Create(At("out.txt"))->Write("kept");
  EXPECT_EQ(Content(At("out.txt")), "kept");
}

TEST_F(FileWriterTest, CreatesWithMode0666LessTheUmask) {
  const mode_t saved = umask(027);
  FileWriter::Create(At("out.txt"))->Close();
  umask(saved);
  struct stat info {};
  ASSERT_EQ(stat(At("out.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(FileWriterTest, TheDescriptorIsNotInheritedByPrograms) {
  auto file = FileWriter::Create(At("out.txt"));
  // The newest descriptor of this process is the file's.
  const int probe = open("/dev/null", O_RDONLY);
  ASSERT_GE(probe, 1);
  EXPECT_TRUE(fcntl(probe - 1, F_GETFD) & FD_CLOEXEC);
  close(probe);
}

TEST_F(FileWriterTest, AMissingFolderIsAnInvalidFileName) {
  const std::string path = At("missing/out.txt");
  EXPECT_EQ(FailureOf([&] { FileWriter::Create(path); }), "Invalid file name - " + path);
  std::ofstream(At("plain")) << "a file, not a folder";
  const std::string underFile = At("plain/out.txt");
  EXPECT_EQ(FailureOf([&] { FileWriter::Create(underFile); }), "Invalid file name - " + underFile);
}

TEST_F(FileWriterTest, AFolderOfTheSameNameIsAccessDenied) {
  fs::create_directory(folder_ / "out.txt");
  EXPECT_EQ(FailureOf([&] { FileWriter::Create(At("out.txt")); }), "File access denied");
}

TEST_F(FileWriterTest, ALinkIntoAMissingFolderIsAFileNotFound) {
  fs::create_symlink(folder_ / "gone/target.txt", folder_ / "out.txt");
  EXPECT_EQ(FailureOf([&] { FileWriter::Create(At("out.txt")); }),
            "The specified file was not found");
}

TEST_F(FileWriterTest, AFolderThatMayNotBeWrittenIsAccessDenied) {
  fs::permissions(folder_, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  const std::string path = At("out.txt");
  const int status = testing_support::RunInChild(testing_support::ChildUser::Nobody, [&] {
    return FailureOf([&] { FileWriter::Create(path); }) == "File access denied" ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

TEST_F(FileWriterTest, TooManyOpenFiles) {
#if defined(__SANITIZE_ADDRESS__)
  // The undefined-behaviour checker needs a pipe to look at the failure object it is made,
  // which a process without a free descriptor cannot have; the normal build runs this case.
  GTEST_SKIP() << "needs a process without free descriptors";
#endif
  const std::string path = At("out.txt");
  const int status = testing_support::RunInChild(testing_support::ChildUser::Same, [&] {
    const rlimit none{0, 0};
    if (setrlimit(RLIMIT_NOFILE, &none) != 0) return 2;
    return FailureOf([&] { FileWriter::Create(path); }) == "Too many open files" ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

TEST_F(FileWriterTest, OverlongNamesFailSafely) {
  const std::string longComponent = At(std::string(NAME_MAX + 1, 'n'));
  EXPECT_EQ(FailureOf([&] { FileWriter::Create(longComponent); }),
            "I/O error " + std::to_string(ENAMETOOLONG));
  std::string longPath = folder_.string();
  while (longPath.size() <= PATH_MAX) longPath += "/" + std::string(200, 'p');
  EXPECT_EQ(FailureOf([&] { FileWriter::Create(longPath); }),
            "I/O error " + std::to_string(ENAMETOOLONG));
}

TEST_F(FileWriterTest, AFullDiskFailsAtTheWriteThatReachesIt) {
  fs::create_symlink("/dev/full", folder_ / "full.txt");
  auto small = FileWriter::Create(At("full.txt"));
  small->Write("buffered, not yet written");
  EXPECT_EQ(FailureOf([&] { small->Close(); }), "I/O error 28");

  auto large = FileWriter::Create(At("full.txt"));
  EXPECT_EQ(FailureOf([&] { large->Write(std::string(2 * FileWriter::kBufferSize, 'x')); }),
            "I/O error 28");
  // After the failure the file is closed and takes nothing more.
  EXPECT_NE(FailureOf([&] { large->Write("more"); }), "");
  EXPECT_EQ(FailureOf([&] { large->Close(); }), "");
}

TEST_F(FileWriterTest, TwoNamesOfOneFileHaveOneIdentity) {
  PosixFileSystem files;
  files.CreateFile(At("a.txt"))->Close();
  files.CreateFile(At("b.txt"))->Close();
  fs::create_symlink(folder_ / "a.txt", folder_ / "link.txt");
  ASSERT_TRUE(files.IdentityOf(At("a.txt")).has_value());
  EXPECT_EQ(files.IdentityOf(At("link.txt")), files.IdentityOf(At("a.txt")));
  EXPECT_NE(files.IdentityOf(At("b.txt")), files.IdentityOf(At("a.txt")));
  EXPECT_FALSE(files.IdentityOf(At("missing.txt")).has_value());
}

TEST_F(FileWriterTest, ErrorCodesMapByMeaning) {
  const std::string path = At("out.txt");  // its folder exists
  struct Case {
    int code;
    FileOperation operation;
    std::string message;
  };
  const Case cases[] = {
      {ENOENT, FileOperation::Create, "The specified file was not found"},
      {ENOENT, FileOperation::Write, "The specified file was not found"},
      {ENOTDIR, FileOperation::Create, "Invalid file name - " + path},
      {EMFILE, FileOperation::Create, "Too many open files"},
      {ENFILE, FileOperation::Create, "Too many open files"},
      {EACCES, FileOperation::Create, "File access denied"},
      {EPERM, FileOperation::Create, "File access denied"},
      {EROFS, FileOperation::Create, "File access denied"},
      {EISDIR, FileOperation::Create, "File access denied"},
      {ENOSPC, FileOperation::Write, "I/O error 28"},
      {EIO, FileOperation::Close, "I/O error 5"},
      {EDQUOT, FileOperation::Write, "I/O error " + std::to_string(EDQUOT)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IoErrorMessage(c.code, c.operation, path), c.message) << "errno " << c.code;
  EXPECT_EQ(IoErrorMessage(ENOENT, FileOperation::Create, At("missing/out.txt")),
            "Invalid file name - " + At("missing/out.txt"));
}

TEST_F(FileWriterTest, TheFailureCarriesTheErrorCode) {
  try {
    FileWriter::Create(At("missing/out.txt"));
    FAIL() << "no failure";
  } catch (const EInOutError& failure) {
    EXPECT_EQ(failure.ErrorCode(), ENOENT);
  }
}

}  // namespace
}  // namespace tavrin::platform
