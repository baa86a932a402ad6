#include "export/file_names.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "../platform/scratch_folder.h"

namespace tavrin::chat_export {
namespace {

struct CleanCase {
  std::string text;
  std::string cleaned;
};

class FixFileNameTest : public testing::TestWithParam<CleanCase> {};

TEST_P(FixFileNameTest, ReplacesExactlyTheEightCharactersOneForOne) {
  const std::string cleaned = fixfilename(GetParam().text);
  EXPECT_EQ(cleaned, GetParam().cleaned);
  EXPECT_EQ(cleaned.size(), GetParam().text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixFileNameTest,
    testing::Values(CleanCase{"/\\$.*?-#", "________"},
                    CleanCase{"#alice/$bob;3f2a1c", "_alice__bob;3f2a1c"},
                    CleanCase{"19:abcdef0123@thread.skype", "19:abcdef0123@thread_skype"},
                    CleanCase{"..", "__"}, CleanCase{"../../etc/passwd", "______etc_passwd"},
                    CleanCase{":;<>|\"'!%&()=+", ":;<>|\"'!%&()=+"},
                    CleanCase{"Zoë–Ωmega", "Zoë–Ωmega"}, CleanCase{"", ""}));

TEST(ChatDatePartTest, TakesTheFirstTenCharactersCleaned) {
  EXPECT_EQ(ChatDatePart("2014-05-03 10:22:11"), "2014_05_03");
  EXPECT_EQ(ChatDatePart("2014-05"), "2014_05");
  EXPECT_EQ(ChatDatePart(""), "");
  // Counted in characters, not bytes.
  EXPECT_EQ(ChatDatePart("ééééééééééxx"), "éééééééééé");
}

TEST(ChatFileNameTest, JoinsFolderLetterDateAndCleanedChatName) {
  EXPECT_EQ(ChatFileName("/out/", "2014_05_03", "#alice/$bob;3f2a1c"),
            "/out/l2014_05_03_alice__bob;3f2a1c.txt");
}

std::string Repeated(std::string_view piece, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}

// "l" + "2014_05_03" + ".txt" leave 240 of 255 bytes for the chat name.
constexpr std::size_t kRoomAt255 = 240;
const std::string kCjk = "漢";   // three bytes
const std::string kEmoji = "😀";  // four bytes

struct FitCase {
  const char* label;
  std::string chatName;
  std::string suffix;
  std::size_t nameMax;
  std::string component;  // the expected last component
  friend void PrintTo(const FitCase& fit, std::ostream* out) { *out << fit.label; }
};

class ChatFileNameFitTest : public testing::TestWithParam<FitCase> {};

TEST_P(ChatFileNameFitTest, CutsTheChatNameOnACharacterBoundaryToFitTheLimit) {
  const FitCase& fit = GetParam();
  EXPECT_EQ(ChatFileName("/out/", "2014_05_03", fit.chatName, fit.suffix, fit.nameMax),
            "/out/" + fit.component);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChatFileNameFitTest,
    testing::Values(
        FitCase{"Short", "#alice/$bob;3f2a1c", "", 255, "l2014_05_03_alice__bob;3f2a1c.txt"},
        FitCase{"ExactlyAtTheLimit", std::string(kRoomAt255, 'e'), "", 255,
                "l2014_05_03" + std::string(kRoomAt255, 'e') + ".txt"},
        FitCase{"OneByteOver", std::string(kRoomAt255 + 1, 'e'), "", 255,
                "l2014_05_03" + std::string(kRoomAt255, 'e') + ".txt"},
        FitCase{"ThreeHundredAscii", std::string(300, 'n'), "", 255,
                "l2014_05_03" + std::string(kRoomAt255, 'n') + ".txt"},
        FitCase{"HundredCjk", Repeated(kCjk, 100), "", 255,
                "l2014_05_03" + Repeated(kCjk, 80) + ".txt"},
        // 1 + 79 * 3 = 238 bytes; the 80th character would end at byte 241.
        FitCase{"CjkNeverSplit", "a" + Repeated(kCjk, 100), "", 255,
                "l2014_05_03a" + Repeated(kCjk, 79) + ".txt"},
        FitCase{"FourByteNeverSplit", "ab" + Repeated(kEmoji, 70), "", 255,
                "l2014_05_03ab" + Repeated(kEmoji, 59) + ".txt"},
        FitCase{"CleanedAfterTheCut", "#a/" + std::string(300, '.'), "", 255,
                "l2014_05_03_a_" + std::string(kRoomAt255 - 3, '_') + ".txt"},
        FitCase{"NumberKeptWhole", std::string(300, 'n'), "_2", 255,
                "l2014_05_03" + std::string(kRoomAt255 - 2, 'n') + "_2.txt"},
        FitCase{"NumberOnAShortName", "a", "_12", 255, "l2014_05_03a_12.txt"},
        FitCase{"TheFolderLimitDecides", "abcdefghij", "", 20, "l2014_05_03abcde.txt"},
        // Nothing is left for the chat name; such a name fails at creation as any other.
        FitCase{"LimitBelowTheFixedPart", "abc", "", 10, "l2014_05_03.txt"}),
    [](const testing::TestParamInfo<FitCase>& info) { return info.param.label; });

TEST(NameMaxOfTest, IsTheLongestNameTheFolderTakes) {
  const testing_support::ScratchFolder scratch("tavrin-name-max");
  const std::string folder = scratch.Path().string();
  const std::size_t nameMax = platform::PosixFileSystem().NameMaxOf(folder);
  const auto create = [&](std::size_t length) {
    const int fd = ::open((folder + "/" + std::string(length, 'x')).c_str(),
                          O_CREAT | O_WRONLY | O_CLOEXEC, 0666);
    const int error = fd < 0 ? errno : 0;
    if (fd >= 0) ::close(fd);
    return error;
  };
  EXPECT_EQ(create(nameMax), 0);
  EXPECT_EQ(create(nameMax + 1), ENAMETOOLONG);
}

TEST(NameMaxOfTest, FallsBackToTheCommonLimitForAMissingFolder) {
  EXPECT_EQ(platform::PosixFileSystem().NameMaxOf("/nonexistent-tavrin-folder/below"),
            kCommonNameMax);
}

TEST(OutputFolderOfTest, KeepsEverythingUpToTheLastSlash) {
  EXPECT_EQ(OutputFolderOf("/home/u/out/default.txt"), "/home/u/out/");
  EXPECT_EQ(OutputFolderOf("/home/u/out/"), "/home/u/out/");
  EXPECT_EQ(OutputFolderOf("/default.txt"), "/");
  EXPECT_EQ(OutputFolderOf("a:b/c.txt"), "a:b/");  // ":" is no delimiter here
  EXPECT_EQ(OutputFolderOf("default.txt"), "/");
}

}  // namespace
}  // namespace tavrin::chat_export
