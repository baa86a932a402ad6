#pragma once
// The whole result of an open query, held compactly: the text of every value of every row back
// to back in one arena, one offset per row and one length per value. A million messages cost
// their text plus 8 bytes per row and 4 per value; no value has a heap string of its own.
//
// The arena and the index grow in place through the kernel's page remapping, so growing never
// holds an old and a new copy of the result at once.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tavrin::store {

namespace detail {

// A growable byte buffer on anonymous memory pages. Growth remaps pages instead of copying them.
class MappedBuffer {
 public:
  MappedBuffer() = default;
  ~MappedBuffer();
  MappedBuffer(MappedBuffer&& other) noexcept;
  MappedBuffer& operator=(MappedBuffer&& other) noexcept;
  MappedBuffer(const MappedBuffer&) = delete;
  MappedBuffer& operator=(const MappedBuffer&) = delete;

  const char* Data() const { return data_; }
  std::size_t Size() const { return size_; }
  std::size_t Capacity() const { return capacity_; }

  // Appends `count` bytes. Throws std::bad_alloc when the memory cannot be had.
  void Append(const void* bytes, std::size_t count) {
    if (capacity_ - size_ < count) Grow(size_ + count);
    if (count != 0) std::memcpy(data_ + size_, bytes, count);
    size_ += count;
  }

  void Clear() noexcept;  // gives the pages back

 private:
  void Grow(std::size_t minimumCapacity);

  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// A growable array of a trivially copyable type on a MappedBuffer.
template <typename T>
class MappedArray {
 public:
  void PushBack(const T& value) { bytes_.Append(&value, sizeof(T)); }
  std::size_t Size() const { return bytes_.Size() / sizeof(T); }
  const T& operator[](std::size_t i) const { return reinterpret_cast<const T*>(bytes_.Data())[i]; }
  void Clear() noexcept { bytes_.Clear(); }
  std::size_t Capacity() const { return bytes_.Capacity(); }

 private:
  MappedBuffer bytes_;
};

}  // namespace detail

class RowCache {
 public:
  explicit RowCache(std::size_t columnCount = 0) : columnCount_(columnCount) {}

  std::size_t ColumnCount() const { return columnCount_; }
  std::size_t RowCount() const { return rowStarts_.Size(); }

  // Rows are written value by value: StartRow, then exactly ColumnCount() AddValue/AddNull.
  void StartRow() { rowStarts_.PushBack(text_.Size()); }
  void AddValue(std::string_view text);  // throws std::length_error beyond 4 GiB - 2 per value
  void AddNull() { lengths_.PushBack(kNullLength); }

  bool IsNull(std::size_t row, std::size_t column) const {
    return lengths_[row * columnCount_ + column] == kNullLength;
  }

  // The value's text; empty for NULL. Valid as long as the cache.
  std::string_view Value(std::size_t row, std::size_t column) const {
    const std::uint32_t* lengths = &lengths_[row * columnCount_];
    std::uint64_t offset = rowStarts_[row];
    for (std::size_t c = 0; c < column; ++c) {
      if (lengths[c] != kNullLength) offset += lengths[c];
    }
    if (lengths[column] == kNullLength) return {};
    return {text_.Data() + offset, lengths[column]};
  }

  // Address space reserved by the growing buffers. Pages never written cost no memory, so the
  // resident size is close to the text plus the two indexes.
  std::size_t MemoryUsed() const {
    return text_.Capacity() + rowStarts_.Capacity() + lengths_.Capacity();
  }

  void Clear() noexcept;

 private:
  static constexpr std::uint32_t kNullLength = UINT32_MAX;

  std::size_t columnCount_;
  detail::MappedBuffer text_;
  detail::MappedArray<std::uint64_t> rowStarts_;
  detail::MappedArray<std::uint32_t> lengths_;
};

}  // namespace tavrin::store
