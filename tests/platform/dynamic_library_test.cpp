#include "platform/dynamic_library.h"

#include <gtest/gtest.h>

namespace tavrin::platform {
namespace {

// The C library is loaded in every process, so loading it by its file name must work.
constexpr const char* kPresentLibrary = "libc.so.6";

TEST(DynamicLibrary, LoadsByBareFileNameAndFindsSymbols) {
  DynamicLibrary library = DynamicLibrary::Load(kPresentLibrary);
  ASSERT_TRUE(library.IsLoaded()) << library.Error();
  EXPECT_EQ(library.FileName(), kPresentLibrary);
  using StrlenFunction = std::size_t (*)(const char*);
  auto length = library.SymbolAs<StrlenFunction>("strlen");
  ASSERT_NE(length, nullptr);
  EXPECT_EQ(length("four"), 4u);
  EXPECT_EQ(library.Symbol("no_such_symbol_in_libc"), nullptr);
}

TEST(DynamicLibrary, MissingLibraryHoldsNothingAndSaysWhy) {
  DynamicLibrary library = DynamicLibrary::Load("libtavrin-missing.so.9");
  EXPECT_FALSE(library.IsLoaded());
  EXPECT_NE(library.Error().find("libtavrin-missing.so.9"), std::string::npos);
  EXPECT_EQ(library.Symbol("strlen"), nullptr);
}

TEST(DynamicLibrary, MovingHandsTheLibraryOver) {
  DynamicLibrary first = DynamicLibrary::Load(kPresentLibrary);
  DynamicLibrary second = std::move(first);
  EXPECT_FALSE(first.IsLoaded());
  EXPECT_TRUE(second.IsLoaded());
  EXPECT_NE(second.Symbol("strlen"), nullptr);
  first = std::move(second);
  EXPECT_TRUE(first.IsLoaded());
  EXPECT_FALSE(second.IsLoaded());
}

TEST(DynamicLibrary, DefaultHoldsNothing) {
  DynamicLibrary library;
  EXPECT_FALSE(library.IsLoaded());
  EXPECT_EQ(library.Symbol("strlen"), nullptr);
}

}  // namespace
}  // namespace tavrin::platform
