#include "model/byte_block.h"

#include <cstdlib>
#include <cstring>

#include "platform/status.h"

int32_t ByteBlock_Copy(const void* bytes, uint32_t size, unsigned char** out) {
  *out = nullptr;
  if (size == 0) return 0;
  *out = static_cast<unsigned char*>(malloc(size));
  if (*out == nullptr) return E_OUTOFMEMORY;
  memcpy(*out, bytes, size);
  return 0;
}

void ByteBlock_Adopt(unsigned char** data, uint32_t* dataSize, unsigned char* block, uint32_t size) {
  free(*data);
  if (size == 0) {
    free(block);
    block = nullptr;
  }
  *data = block;
  *dataSize = size;
}
