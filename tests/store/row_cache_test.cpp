#include "store/row_cache.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin::store {
namespace {

TEST(RowCache, KeepsValuesNullsAndEmptyTextApart) {
  RowCache cache(3);
  cache.StartRow();
  cache.AddValue("first");
  cache.AddNull();
  cache.AddValue("");
  cache.StartRow();
  cache.AddNull();
  cache.AddValue("second");
  cache.AddValue(std::string("with\0nul", 8));

  ASSERT_EQ(cache.RowCount(), 2u);
  EXPECT_EQ(cache.Value(0, 0), "first");
  EXPECT_TRUE(cache.IsNull(0, 1));
  EXPECT_EQ(cache.Value(0, 1), "");
  EXPECT_FALSE(cache.IsNull(0, 2));
  EXPECT_EQ(cache.Value(0, 2), "");
  EXPECT_TRUE(cache.IsNull(1, 0));
  EXPECT_EQ(cache.Value(1, 1), "second");
  EXPECT_EQ(cache.Value(1, 2), std::string_view("with\0nul", 8));
}

TEST(RowCache, GrowsFarBeyondItsFirstBlockWithoutMovingValuesApart) {
  RowCache cache(2);
  const int rows = 200000;  // several remaps of the text and of both indexes
  for (int r = 0; r < rows; ++r) {
    cache.StartRow();
    cache.AddValue("row " + std::to_string(r));
    if (r % 3 == 0) {
      cache.AddNull();
    } else {
      cache.AddValue(std::string(static_cast<std::size_t>(r % 50), 'x'));
    }
  }
  ASSERT_EQ(cache.RowCount(), static_cast<std::size_t>(rows));
  for (int r : {0, 1, 2, 65535, 99999, rows - 1}) {
    EXPECT_EQ(cache.Value(r, 0), "row " + std::to_string(r));
    EXPECT_EQ(cache.IsNull(r, 1), r % 3 == 0);
    EXPECT_EQ(cache.Value(r, 1).size(), r % 3 == 0 ? 0u : static_cast<std::size_t>(r % 50));
  }
}

TEST(RowCache, ClearGivesEverythingBack) {
  RowCache cache(1);
  cache.StartRow();
  cache.AddValue("x");
  cache.Clear();
  EXPECT_EQ(cache.RowCount(), 0u);
  EXPECT_EQ(cache.MemoryUsed(), 0u);
}

TEST(MappedBuffer, MoveHandsThePagesOver) {
  detail::MappedBuffer a;
  a.Append("abc", 3);
  detail::MappedBuffer b = std::move(a);
  EXPECT_EQ(a.Size(), 0u);
  EXPECT_EQ(a.Data(), nullptr);
  ASSERT_EQ(b.Size(), 3u);
  EXPECT_EQ(std::string_view(b.Data(), 3), "abc");
  a = std::move(b);
  EXPECT_EQ(std::string_view(a.Data(), a.Size()), "abc");
}

TEST(MappedBuffer, AppendingNothingToAnEmptyBufferIsFine) {
  detail::MappedBuffer buffer;
  buffer.Append("", 0);
  EXPECT_EQ(buffer.Size(), 0u);
}

}  // namespace
}  // namespace tavrin::store
