#include "export/failure_text.h"

#include <gtest/gtest.h>

namespace tavrin::chat_export {
namespace {

TEST(FailureBoxTextTest, AppendsAPeriodOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(FailureBoxText("File access denied"), "File access denied.");
  EXPECT_EQ(FailureBoxText("I/O error 28"), "I/O error 28.");
  EXPECT_EQ(FailureBoxText("SQL Error: database is locked"), "SQL Error: database is locked.");
  EXPECT_EQ(FailureBoxText("Invalid file name - /out/l2014_05_03a.txt"),
            "Invalid file name - /out/l2014_05_03a.txt.");
  EXPECT_EQ(FailureBoxText(""), "");
  EXPECT_EQ(FailureBoxText("done."), "done.");
  EXPECT_EQ(FailureBoxText("what!"), "what!");   // '!' is below '.'
  EXPECT_EQ(FailureBoxText("a-"), "a-");         // '-' is below '.'
  EXPECT_EQ(FailureBoxText("path/"), "path/.");  // '/' is above '.'
  EXPECT_EQ(FailureBoxText("Grüße"), "Grüße.");  // non-ASCII is above '.'
}

}  // namespace
}  // namespace tavrin::chat_export
