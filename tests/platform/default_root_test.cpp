#include "platform/default_root.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "child_process.h"

namespace tavrin::platform {
namespace {

using testing_support::ChildUser;
using testing_support::RunInChild;

TEST(DefaultDatabaseRootTest, AppendsSkypeBelowTheBaseFolder) {
  EXPECT_EQ(DatabaseRootBelow("/home/u/.config"), "/home/u/.config/skype/");
  EXPECT_EQ(DatabaseRootBelow("/home/u/.config/"), "/home/u/.config/skype/");
  EXPECT_EQ(DatabaseRootBelow(""), "/skype/");
}

// The configuration folder is looked up once per process, so each case runs in a child of its
// own with the environment it needs.
TEST(DefaultDatabaseRootTest, FollowsXdgConfigHome) {
  EXPECT_EQ(RunInChild(ChildUser::Same,
                       [] {
                         setenv("XDG_CONFIG_HOME", "/srv/cfg", 1);
                         return DefaultDatabaseRoot() == "/srv/cfg/skype/" ? 0 : 1;
                       }),
            0);
}

TEST(DefaultDatabaseRootTest, FallsBackToDotConfigInTheHomeFolder) {
  EXPECT_EQ(RunInChild(ChildUser::Same,
                       [] {
                         unsetenv("XDG_CONFIG_HOME");
                         setenv("HOME", "/home/someone", 1);
                         return DefaultDatabaseRoot() == "/home/someone/.config/skype/" ? 0 : 1;
                       }),
            0);
}

}  // namespace
}  // namespace tavrin::platform
