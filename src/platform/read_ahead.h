// A window of a file read ahead for a sequential reader, so that its many
// small reads and short seeks (a package is walked a chunk header at a time)
// cost one system call per window instead of one each. Both file seams keep
// one for files opened only for reading with the sequential hint.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/file.h"

// Reads up to `size` bytes at `offset` of the file, without relying on the
// file's own position; `*done` tells how many (0 at the end).
using PositionedRead = int32_t (*)(void* file, uint64_t offset, void* buffer, uint32_t size, uint32_t* done);

class ReadAhead {
 public:
  static constexpr uint32_t kWindow = 64 * 1024;

  // Null when memory is short (the file is then read directly).
  static std::unique_ptr<ReadAhead> Create();

  int32_t Read(PositionedRead read, void* file, void* buffer, uint32_t size, uint32_t* done);
  // Moves the reader without touching the file; `fileSize` counts only for
  // a seek from the end. A position before the start is refused without
  // moving, as Windows refuses it.
  int32_t Seek(int64_t distance, FileOrigin origin, uint64_t fileSize, uint64_t* position);

 private:
  std::unique_ptr<unsigned char[]> bytes_;
  uint64_t start_ = 0;    // file offset of bytes_[0]
  uint32_t length_ = 0;   // bytes of the window that hold the file's bytes
  uint64_t position_ = 0; // where the reader stands
};
