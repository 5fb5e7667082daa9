// The opaque bytes that records own: preset data and chain streams.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// A block of `size` bytes, or null when memory is short.
std::unique_ptr<unsigned char[]> NewBytes(size_t size);

class ByteBlock {
 public:
  ByteBlock() = default;
  ByteBlock(ByteBlock&&) noexcept = default;
  ByteBlock& operator=(ByteBlock&&) noexcept = default;
  ByteBlock(const ByteBlock&) = delete;
  ByteBlock& operator=(const ByteBlock&) = delete;

  const unsigned char* Bytes() const { return bytes_.get(); }
  uint32_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }

  // Replaces the bytes with a copy of `size` bytes (none for 0). On
  // E_OUTOFMEMORY the old bytes stay.
  int32_t Assign(const void* bytes, uint32_t size);
  int32_t CopyFrom(const ByteBlock& other) { return Assign(other.Bytes(), other.Size()); }
  // Takes a block of `size` bytes in place of the old one.
  void Adopt(std::unique_ptr<unsigned char[]> bytes, uint32_t size);

 private:
  std::unique_ptr<unsigned char[]> bytes_;  // null when size_ is 0
  uint32_t size_ = 0;
};
