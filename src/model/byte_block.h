// The opaque byte blocks that records own: preset data and chain streams.
#pragma once

#include <cstdint>

// A fresh copy of `size` bytes in `*out` (null for 0 bytes); E_OUTOFMEMORY
// when there is no room.
int32_t ByteBlock_Copy(const void* bytes, uint32_t size, unsigned char** out);

// Frees the block that `*data` holds and takes `block` of `size` bytes in
// its place (a block of 0 bytes is freed and none kept).
void ByteBlock_Adopt(unsigned char** data, uint32_t* dataSize, unsigned char* block, uint32_t size);
