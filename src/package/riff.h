// RIFF chunks on an open file, one chunk header, list header or bounded
// piece of data at a time. The primitives keep no state: the only state is
// the file's position and the remaining counters that callers pass in.
//
// Sizes are little-endian u32 and count the data after the size field. A
// skipped chunk's size is rounded up to even (the pad-byte rule). A
// remaining counter is the number of bytes still available in the region
// being walked (a list's contents, a form's contents); search and count
// operations take it by pointer (null: unbounded) and never let it wrap.
#pragma once

#include <cstdint>

#include "platform/file.h"
#include "platform/status.h"

// A four-character code as stored: its characters in reading order.
using RiffId = uint32_t;

constexpr RiffId RiffFourCC(const char (&code)[5]) {
  return static_cast<uint32_t>(static_cast<unsigned char>(code[0])) |
         static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(code[3])) << 24;
}

constexpr RiffId kRiffIdRiff = RiffFourCC("RIFF");
constexpr RiffId kRiffIdList = RiffFourCC("LIST");

// Little-endian u32 fields, as every size and count is stored.
inline uint32_t riff_GetU32(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}
inline void riff_PutU32(unsigned char* bytes, uint32_t value) {
  bytes[0] = static_cast<unsigned char>(value);
  bytes[1] = static_cast<unsigned char>(value >> 8);
  bytes[2] = static_cast<unsigned char>(value >> 16);
  bytes[3] = static_cast<unsigned char>(value >> 24);
}

// The bytes a chunk of `size` takes with its pad byte. 64-bit, so that the
// largest size cannot wrap.
constexpr int64_t riff_RoundedSize(uint32_t size) { return (static_cast<int64_t>(size) + 1) & ~int64_t{1}; }

// Takes `bytes` from a region's counter; false (counter untouched) when the
// region holds fewer.
inline bool riff_ConsumeRegion(int32_t* remaining, int64_t bytes) {
  if (bytes < 0 || bytes > *remaining) return false;
  *remaining -= static_cast<int32_t>(bytes);
  return true;
}

void riff_SaveLocation(FileHandle file, uint64_t* position);
void riff_RestoreLocation(FileHandle file, uint64_t position);

// Seeks forward by the rounded size and gives it.
int64_t riff_SkipChunk(FileHandle file, uint32_t size);

// Reads 4 identifier bytes and 4 size bytes; E_RIFF_READ when short.
int32_t riff_ReadChunkHeader(FileHandle file, RiffId* id, uint32_t* size);

// Reads the form header at the current position: E_RIFF_NOT_RIFF when the
// first chunk is not "RIFF" (or no header can be read), E_RIFF_READ when the
// form type is short. `size` (optional) gets the bytes after the form type.
int32_t riff_ReadFileID(FileHandle file, uint32_t* size, RiffId* formType);

// Reads min(wanted, chunkSize) bytes into `buffer` (the rest of it keeps what
// the caller put there), then seeks over the part of `wanted` that the chunk
// lacked, and over one more byte when the chunk's size is odd.
int32_t riff_ReadDataBounded(FileHandle file, void* buffer, uint32_t wanted, uint32_t chunkSize);

// Finds the next chunk `id`, skipping others; the file is left at its data
// and `remaining` no longer counts its header. E_RIFF_END_OF_REGION when the
// region runs out (a chunk that runs past the region's end counts as the
// end), E_RIFF_READ when a header cannot be read.
int32_t riff_FindChunkHeader(FileHandle file, RiffId id, uint32_t* size, int32_t* remaining);

// Finds the next "LIST" of `listType`; the file is left after the type and
// `contentsSize` gets the bytes after it.
int32_t riff_FindListChunk(FileHandle file, RiffId listType, uint32_t* contentsSize, int32_t* remaining);

// Counts the chunks of a region, whatever their identifiers, and leaves the
// file where it was. `remaining` is used up by the walk.
int32_t riff_GetNumListEntries(FileHandle file, int32_t* count, int32_t* remaining);

// Puts a chunk header (identifier and size) into 8 bytes of memory, for
// writers that gather several headers into one write.
void riff_PutChunkHeader(unsigned char* bytes, RiffId id, uint32_t size);

// E_RIFF_WRITE when a write fails.
int32_t riff_WriteChunkHeader(FileHandle file, RiffId id, uint32_t size);
int32_t riff_WriteListHeader(FileHandle file, RiffId listType, uint32_t size);
int32_t riff_WriteFileID(FileHandle file, RiffId formType, uint32_t size);
// Writes exactly `size` bytes.
int32_t riff_WriteData(FileHandle file, const void* data, uint32_t size);

// The largest size a list or form may reach: positions are 32-bit and files of
// 2 GiB or more are not supported.
constexpr uint64_t kRiffMaxSize = 0x7FFFFFFFu;

// The size fix-up: a list or form is written with size 0, its contents are
// written and counted, then the size field is filled in.
struct RiffSizedWrite {
  uint64_t typeEnd;  // position right after the type; the size field lies 8 bytes before
  uint64_t size;     // the type's 4 bytes plus every length added
};

// Writes a "LIST" header (or the "RIFF" header) with size 0 and starts counting.
int32_t riff_BeginList(FileHandle file, RiffId listType, RiffSizedWrite* sized);
int32_t riff_BeginForm(FileHandle file, RiffId formType, RiffSizedWrite* sized);
// Counts a nested chunk or list (its size field plus 8). E_RIFF_WRITE when
// the total would pass kRiffMaxSize.
int32_t riff_AddToSize(RiffSizedWrite* sized, uint64_t length);
// Writes the size field and returns to the end; `length` (optional) gets the
// size plus 8 for the enclosing writer.
int32_t riff_EndSized(FileHandle file, const RiffSizedWrite& sized, uint64_t* length);
