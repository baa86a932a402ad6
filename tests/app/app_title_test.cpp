#include "app/app_title.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tavrin::app {
namespace {

struct TitleCase {
  const char* programFile;
  const char* title;
  friend void PrintTo(const TitleCase& c, std::ostream* out) { *out << '"' << c.programFile << '"'; }
};

class ApplicationTitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitleTest, MadeFromTheFileNameUpToItsFirstDot) {
  EXPECT_EQ(ApplicationTitle(GetParam().programFile), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ApplicationTitleTest,
    testing::Values(TitleCase{"/opt/tools/Export.Tool.EXE", "Export"},
                    TitleCase{"/usr/bin/MYAPP.exe", "Myapp"}, TitleCase{"MYAPP", "Myapp"},
                    TitleCase{"/home/u/build/bin/tavrin-export", "tavrin-export"},
                    // Only the file name counts, not dots in its folders.
                    TitleCase{"/srv/v1.2/ExportTool", "Exporttool"},
                    TitleCase{"/srv/app/.hidden", ""}, TitleCase{"", ""},
                    // A lower-case first letter keeps its case too.
                    TitleCase{"/x/eXPORT", "export"},
                    // Characters, not bytes: a two-byte first letter stays whole and the
                    // rest is lowered by Unicode's rules.
                    TitleCase{"/x/ÉCOLE.bin", "École"}, TitleCase{"/x/ÄÖÜ", "Äöü"},
                    // Each character is lowered on its own, as a single character: a final
                    // capital sigma becomes the plain small sigma, and a dotted capital I the
                    // plain small i, not i followed by a combining dot.
                    TitleCase{"/x/ΟΔΟΣ", "Οδοσ"}, TitleCase{"/x/AİB", "Aib"},
                    // Bytes that are no UTF-8 stay as they are.
                    TitleCase{"/x/AB\xff\xc3" "C", "Ab\xff\xc3" "c"}));

TEST(ProgramFileNameTest, IsTheRunningProgramsFullName) {
  const std::string name = ProgramFileName("ignored");
  ASSERT_FALSE(name.empty());
  EXPECT_EQ(name.front(), '/');
  EXPECT_NE(name.find("app_title_test"), std::string::npos) << name;
}

}  // namespace
}  // namespace tavrin::app
