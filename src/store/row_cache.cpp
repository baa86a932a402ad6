#include "store/row_cache.h"

#include <sys/mman.h>
#include <unistd.h>

#include <new>
#include <stdexcept>
#include <utility>

namespace tavrin::store {

namespace detail {

namespace {

constexpr std::size_t kMinimumCapacity = 64 * 1024;

std::size_t PageRounded(std::size_t bytes) {
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

}  // namespace

MappedBuffer::~MappedBuffer() { Clear(); }

MappedBuffer::MappedBuffer(MappedBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

MappedBuffer& MappedBuffer::operator=(MappedBuffer&& other) noexcept {
  if (this != &other) {
    Clear();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

void MappedBuffer::Clear() noexcept {
  if (data_ != nullptr) munmap(data_, capacity_);
  data_ = nullptr;
  size_ = 0;
  capacity_ = 0;
}

// Doubling keeps the number of remaps logarithmic; pages never touched cost no memory.
void MappedBuffer::Grow(std::size_t minimumCapacity) {
  if (minimumCapacity < size_) throw std::bad_alloc();  // the size overflowed
  std::size_t capacity = capacity_ < kMinimumCapacity ? kMinimumCapacity : capacity_;
  while (capacity < minimumCapacity) {
    if (capacity > SIZE_MAX / 2) throw std::bad_alloc();
    capacity *= 2;
  }
  capacity = PageRounded(capacity);
  void* memory = data_ == nullptr
                     ? mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                            -1, 0)
                     : mremap(data_, capacity_, capacity, MREMAP_MAYMOVE);
  if (memory == MAP_FAILED) throw std::bad_alloc();
  data_ = static_cast<char*>(memory);
  capacity_ = capacity;
}

}  // namespace detail

void RowCache::AddValue(std::string_view text) {
  if (text.size() >= kNullLength) throw std::length_error("value too long for the row cache");
  text_.Append(text.data(), text.size());
  lengths_.PushBack(static_cast<std::uint32_t>(text.size()));
}

void RowCache::Clear() noexcept {
  text_.Clear();
  rowStarts_.Clear();
  lengths_.Clear();
}

}  // namespace tavrin::store
