#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin::cli {
namespace {

using Arguments = std::vector<std::string>;

TEST(ParseCommandLineTest, AcceptsBothSpellingsOfTheOptionsInAnyOrder) {
  for (const Arguments& arguments :
       {Arguments{"--root", "/r", "--out", "/o", "--quiet"},
        Arguments{"--out=/o", "-q", "--root=/r"},
        Arguments{"--quiet", "--out", "/o", "--root", "/r"},
        Arguments{"--root", "/x", "--out", "/o", "--root", "/r", "-q"}}) {
    const CliOptions options = ParseCommandLine(arguments);
    EXPECT_EQ(options.action, CliAction::Export);
    EXPECT_EQ(options.root, "/r");
    EXPECT_EQ(options.out, "/o");
    EXPECT_TRUE(options.quiet);
  }
}

TEST(ParseCommandLineTest, TheRootIsOptionalAndMayBeEmpty) {
  EXPECT_FALSE(ParseCommandLine({"--out", "/o"}).root.has_value());
  EXPECT_EQ(ParseCommandLine({"--out", "/o", "--root", ""}).root, "");
  EXPECT_FALSE(ParseCommandLine({"--out", "/o"}).quiet);
}

TEST(ParseCommandLineTest, HelpWinsOverEverythingElse) {
  EXPECT_EQ(ParseCommandLine({"--help"}).action, CliAction::ShowHelp);
  EXPECT_EQ(ParseCommandLine({"--bogus", "-h"}).action, CliAction::ShowHelp);
}

TEST(ParseCommandLineTest, RejectsWhatItDoesNotKnow) {
  struct Case {
    Arguments arguments;
    std::string error;
  };
  const Case cases[] = {
      {{}, "the output folder is missing (--out DIR)"},
      {{"--root", "/r"}, "the output folder is missing (--out DIR)"},
      {{"--out", ""}, "the output folder is missing (--out DIR)"},
      {{"--out="}, "the output folder is missing (--out DIR)"},
      {{"--out"}, "option --out needs a folder"},
      {{"--out", "/o", "--root"}, "option --root needs a folder"},
      {{"--out", "/o", "--verbose"}, "unknown option --verbose"},
      {{"--out", "/o", "-x"}, "unknown option -x"},
      {{"--out", "/o", "stray"}, "unexpected argument stray"},
      {{"--outfile", "/o"}, "unknown option --outfile"},
  };
  for (const Case& c : cases) {
    const CliOptions options = ParseCommandLine(c.arguments);
    EXPECT_EQ(options.action, CliAction::BadUsage);
    EXPECT_EQ(options.error, c.error);
  }
}

TEST(HelpTextTest, NamesEveryOptionAndExitStatus) {
  const std::string help = HelpText("tavrin-export-cli");
  EXPECT_EQ(help.rfind("Usage: tavrin-export-cli [--root DIR] --out DIR [--quiet] [--help]\n", 0),
            0u);
  for (const char* word : {"--root DIR", "--out DIR", "--quiet", "--help", "Ctrl-C",
                           "No log\nfiles found !", "  0 ", "  1 ", "  2 ", "  3 ", "  130 "})
    EXPECT_NE(help.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace tavrin::cli
