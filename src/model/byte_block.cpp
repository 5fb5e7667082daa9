#include "model/byte_block.h"

#include <cstring>
#include <new>

#include "platform/status.h"

std::unique_ptr<unsigned char[]> NewBytes(size_t size) {
  return std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[size > 0 ? size : 1]);
}

int32_t ByteBlock::Assign(const void* bytes, uint32_t size) {
  if (size == 0) {
    Adopt(nullptr, 0);
    return 0;
  }
  std::unique_ptr<unsigned char[]> copy = NewBytes(size);
  if (!copy) return E_OUTOFMEMORY;
  memcpy(copy.get(), bytes, size);
  Adopt(std::move(copy), size);
  return 0;
}

void ByteBlock::Adopt(std::unique_ptr<unsigned char[]> bytes, uint32_t size) {
  if (size == 0) bytes.reset();
  bytes_ = std::move(bytes);
  size_ = size;
}
