#include "export/file_names.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(OutputFolderOfTest, KeepsEverythingUpToTheLastSlash) {
  EXPECT_EQ(OutputFolderOf("/home/u/out/default.txt"), "/home/u/out/");
  EXPECT_EQ(OutputFolderOf("/home/u/out/"), "/home/u/out/");
  EXPECT_EQ(OutputFolderOf("/default.txt"), "/");
  EXPECT_EQ(OutputFolderOf("a:b/c.txt"), "a:b/");  // ":" is no delimiter here
  EXPECT_EQ(OutputFolderOf("default.txt"), "/");
}

}  // namespace
}  // namespace tavrin::chat_export
