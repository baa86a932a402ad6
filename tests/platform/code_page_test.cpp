#include "platform/code_page.h"

#include <gtest/gtest.h>
#include <clocale>
#include <string>

namespace tavrin::platform {
namespace {

constexpr const char* kFffd = "\xEF\xBF\xBD";

std::string Fffd(int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += kFffd;
  return s;
}

// Restores the locale the test started in.
class LocaleGuard {
 public:
  explicit LocaleGuard(const char* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
    locale_ = std::setlocale(LC_ALL, name);
  }
  ~LocaleGuard() { std::setlocale(LC_ALL, saved_.c_str()); }
  bool Active() const { return locale_ != nullptr; }

 private:
  std::string saved_;
  const char* locale_;
};

struct MalformedCase {
  const char* label;
  std::string input;
  std::string decoded;
};

class MalformedUtf8 : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedUtf8, EveryBadByteBecomesOneReplacementCharacter) {
  std::string out = "x";
  AppendValidUtf8(GetParam().input, out);
  EXPECT_EQ(out, "x" + GetParam().decoded);
  EXPECT_EQ(MakeCodePage("UTF-8")->RoundTrip(GetParam().input), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedUtf8,
    testing::Values(
        MalformedCase{"empty", "", ""},
        MalformedCase{"ascii", "plain text", "plain text"},
        MalformedCase{"wellFormedMix", "\xC3\xA9\xD0\x96\xE6\x97\xA5\xF0\x9F\x98\x80",
                      "\xC3\xA9\xD0\x96\xE6\x97\xA5\xF0\x9F\x98\x80"},
        MalformedCase{"strayContinuation", "a\x80" "b", "a" + Fffd(1) + "b"},
        MalformedCase{"invalidLead", "\xFF\xFE", Fffd(2)},
        MalformedCase{"truncatedAtEnd", "ab\xE6\x97", "ab" + Fffd(2)},
        MalformedCase{"truncatedBeforeAscii", "\xF0\x9F\x98z", Fffd(3) + "z"},
        MalformedCase{"overlongSlash", "\xC0\xAF", Fffd(2)},
        MalformedCase{"overlongThreeBytes", "\xE0\x80\xAF", Fffd(3)},
        MalformedCase{"surrogate", "\xED\xA0\x80", Fffd(3)},
        MalformedCase{"aboveUnicode", "\xF4\x90\x80\x80", Fffd(4)},
        MalformedCase{"longAsciiRunThenBad", std::string(40, 'a') + "\xC3", std::string(40, 'a') + Fffd(1)}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return info.param.label; });

TEST(Utf8CodePage, KeepsEveryCharacter) {
  auto page = MakeCodePage("UTF-8");
  EXPECT_TRUE(page->IsUtf8());
  const std::string text = "caf\xC3\xA9 \xD0\x9F\xD1\x80\xD0\xB8 \xE4\xB8\xAD \xF0\x9F\x98\x80";
  EXPECT_EQ(page->Narrow(text), text);
  EXPECT_EQ(page->Widen(text), text);
  EXPECT_EQ(page->RoundTrip(text), text);
}

TEST(Utf8CodePage, NameSpellingsAreRecognised) {
  EXPECT_TRUE(MakeCodePage("utf8")->IsUtf8());
  EXPECT_TRUE(MakeCodePage("UTF_8")->IsUtf8());
  EXPECT_FALSE(MakeCodePage("ISO-8859-1")->IsUtf8());
}

TEST(LocaleCodePage, UnderUtf8LocaleNothingIsLost) {
  LocaleGuard locale("C.UTF-8");
  ASSERT_TRUE(locale.Active());
  auto page = MakeLocaleCodePage();
  EXPECT_TRUE(page->IsUtf8());
  const std::string text = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xF0\x9F\x98\x80";
  EXPECT_EQ(page->RoundTrip(text), text);
}

TEST(LocaleCodePage, UnderCLocaleNonAsciiBecomesQuestionMarks) {
  LocaleGuard locale("C");
  auto page = MakeLocaleCodePage();
  EXPECT_FALSE(page->IsUtf8());
  EXPECT_EQ(page->Name(), "ANSI_X3.4-1968");
  // An emoji, CJK, Arabic and a malformed byte have no ASCII best fit.
  EXPECT_EQ(page->Narrow("\xF0\x9F\x98\x80 \xE4\xB8\xAD\xE6\x96\x87 \xD8\xB3 \xFF!"),
            "? ?? ? ?!");
  EXPECT_EQ(page->RoundTrip("\xF0\x9F\x98\x80"), "?");
  EXPECT_EQ(page->RoundTrip("plain ascii"), "plain ascii");
}

TEST(IconvCodePage, SingleByteSetKeepsItsOwnCharacters) {
  auto latin1 = MakeCodePage("ISO-8859-1");
  EXPECT_EQ(latin1->Narrow("caf\xC3\xA9"), "caf\xE9");
  EXPECT_EQ(latin1->Widen("caf\xE9"), "caf\xC3\xA9");
  EXPECT_EQ(latin1->RoundTrip("\xF0\x9F\x98\x80 caf\xC3\xA9"), "? caf\xC3\xA9");

  auto cyrillic = MakeCodePage("ISO-8859-5");
  const std::string privet = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
  EXPECT_EQ(cyrillic->Narrow(privet).size(), 6u);
  EXPECT_EQ(cyrillic->RoundTrip(privet), privet);
}

TEST(IconvCodePage, CharacterWithABestFitBecomesIt) {
  LocaleGuard locale("C");
  auto ascii = MakeCodePage("ANSI_X3.4-1968");
  // Guillemets and Cyrillic letters have ASCII stand-ins in the C locale's transliteration.
  EXPECT_EQ(ascii->Narrow("\xC2\xAB" "a" "\xC2\xBB"), "<<a>>");
  EXPECT_EQ(ascii->Narrow("\xD0\x9F\xD1\x80\xD0\xB8"), "Pri");
}

TEST(IconvCodePage, BytesTheSetDoesNotDefineWidenToReplacementCharacter) {
  auto ascii = MakeCodePage("ANSI_X3.4-1968");
  EXPECT_EQ(ascii->Widen("a\x80z\xFF"), "a" + Fffd(1) + "z" + Fffd(1));
}

TEST(IconvCodePage, StatefulSetIsFlushedAtTheEndOfEveryText) {
  auto japanese = MakeCodePage("ISO-2022-JP");
  const std::string nihon = "\xE6\x97\xA5\xE6\x9C\xAC";
  const std::string narrowed = japanese->Narrow(nihon);
  EXPECT_EQ(narrowed.substr(narrowed.size() - 3), "\x1B(B");  // back to ASCII
  EXPECT_EQ(japanese->Widen(narrowed), nihon);
  EXPECT_EQ(japanese->RoundTrip("x" + nihon + "y"), "x" + nihon + "y");
}

TEST(IconvCodePage, LongTextGrowsTheOutput) {
  auto latin1 = MakeCodePage("ISO-8859-1");
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "\xC3\xA9\xE2\x82\xAC";  // e-acute, euro sign
  const std::string round = latin1->RoundTrip(text);
  EXPECT_EQ(round.substr(0, 2), "\xC3\xA9");
  EXPECT_GT(round.size(), 5000u * 2);
}

TEST(CodePageFactory, UnknownCharsetIsRefused) {
  EXPECT_THROW(MakeCodePage("NO-SUCH-CHARSET-42"), std::runtime_error);
}

TEST(CodePage, AppendingKeepsWhatTheBufferHeld) {
  for (const char* name : {"ISO-8859-1", "UTF-8"}) {
    auto page = MakeCodePage(name);
    std::string out = "keep:";
    page->AppendRoundTrip("\xC3\xA9\xFF", out);
    page->AppendNarrow("\xC3\xA9", out);
    EXPECT_EQ(out, "keep:" + page->RoundTrip("\xC3\xA9\xFF") + page->Narrow("\xC3\xA9")) << name;
  }
}

}  // namespace
}  // namespace tavrin::platform
