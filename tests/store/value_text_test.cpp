#include "store/value_text_p.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin::store::detail {
namespace {

using enum TSQLType;

class ValueTextTest : public testing::Test {
 protected:
  std::string Text(TSQLColumnKind kind, std::string_view text) {
    return std::string(ValueText(kind, text, *utf8_, scratch_));
  }
  std::unique_ptr<platform::CodePage> utf8_ = platform::MakeCodePage("UTF-8");
  std::unique_ptr<platform::CodePage> latin1_ = platform::MakeCodePage("ISO-8859-1");
  std::string scratch_;
};

TEST_F(ValueTextTest, StringColumnIsCutToItsSizeInUtf16Units) {
  EXPECT_EQ(Text({stString, 5, 0}, "abcdefgh"), "abcde");
  EXPECT_EQ(Text({stString, 5, 0}, "abc"), "abc");
  // Two-byte and three-byte characters count one unit each.
  EXPECT_EQ(Text({stString, 2, 0}, "\xC3\xA9\xE4\xB8\xAD\xC3\xA9"), "\xC3\xA9\xE4\xB8\xAD");
  // An emoji counts two units and is dropped whole rather than split.
  EXPECT_EQ(Text({stString, 3, 0}, "ab\xF0\x9F\x98\x80"), "ab");
  EXPECT_EQ(Text({stString, 4, 0}, "ab\xF0\x9F\x98\x80z"), "ab\xF0\x9F\x98\x80");
}

TEST_F(ValueTextTest, MemoColumnKeepsEverything) {
  const std::string body(10000, 'b');
  EXPECT_EQ(Text({stAsciiStream, 0, 0}, body), body);
}

TEST_F(ValueTextTest, TextPassesThroughTheCodePageOnce) {
  EXPECT_EQ(ValueText({stAsciiStream, 0, 0}, "caf\xC3\xA9 \xF0\x9F\x98\x80", *latin1_, scratch_),
            "caf\xC3\xA9 ?");
  EXPECT_EQ(ValueText({stString, 255, 0}, "\xE4\xB8\xAD", *latin1_, scratch_), "?");
  EXPECT_EQ(Text({stAsciiStream, 0, 0}, "a\xFF" "b"), "a\xEF\xBF\xBD" "b");
}

TEST_F(ValueTextTest, IntegerKindsReadTheirWidthOrZero) {
  EXPECT_EQ(Text({stInteger, 0, 0}, "42"), "42");
  EXPECT_EQ(Text({stInteger, 0, 0}, "-7"), "-7");
  EXPECT_EQ(Text({stInteger, 0, 0}, "+7"), "7");
  EXPECT_EQ(Text({stInteger, 0, 0}, "1.5"), "0");
  EXPECT_EQ(Text({stInteger, 0, 0}, "abc"), "0");
  EXPECT_EQ(Text({stInteger, 0, 0}, ""), "0");
  EXPECT_EQ(Text({stInteger, 0, 0}, "2147483648"), "0");
  EXPECT_EQ(Text({stLong, 0, 0}, "2147483648"), "2147483648");
  EXPECT_EQ(Text({stShort, 0, 0}, "40000"), "0");
  EXPECT_EQ(Text({stByte, 0, 0}, "127"), "127");
  EXPECT_EQ(Text({stByte, 0, 0}, "128"), "0");
}

TEST_F(ValueTextTest, BooleanReadsWordsAndNonZeroNumbers) {
  for (const char* yes : {"Y", "yes", "T", "true", "1", "-3"}) {
    EXPECT_EQ(Text({stBoolean, 0, 0}, yes), "True") << yes;
  }
  for (const char* no : {"N", "no", "false", "0", "", "maybe"}) {
    EXPECT_EQ(Text({stBoolean, 0, 0}, no), "False") << no;
  }
}

TEST_F(ValueTextTest, BinaryBytesReadAsCodePageText) {
  EXPECT_EQ(BinaryText(std::string_view("a\0b", 3), *utf8_, scratch_), std::string_view("a\0b", 3));
  EXPECT_EQ(BinaryText("\xE9", *latin1_, scratch_), "\xC3\xA9");
  EXPECT_EQ(BinaryText("\xE9", *utf8_, scratch_), "\xEF\xBF\xBD");
}

TEST(CutToUtf16Units, NeverSplitsACharacter) {
  EXPECT_EQ(CutToUtf16Units("", 0), "");
  EXPECT_EQ(CutToUtf16Units("abc", 0), "");
  EXPECT_EQ(CutToUtf16Units("\xC3\xA9\xC3\xA9", 1), "\xC3\xA9");
}

}  // namespace
}  // namespace tavrin::store::detail
