// Reading the bytes of a preset or of a chain's stream: a REG_BINARY value
// holds them itself; a REG_SZ value holds the full path of the preset file
// whose whole contents they are.
#pragma once

#include <cstdint>
#include <string>

#include "model/byte_block.h"
#include "platform/registry.h"

// True when an item last written at `lastWriteTime` was read at `readTime`
// long enough after that a later write must carry a later time: file
// systems and the registry keep times in steps (two seconds on FAT, a clock
// tick for keys).
bool WrittenLongBeforeRead(uint64_t lastWriteTime, uint64_t readTime);

// A preset file as it was when its bytes were read, to tell later whether
// they may be stale.
struct PresetFileStamp {
  uint64_t size;
  uint64_t lastWriteTime;
  uint64_t readTime;  // Clock_Now() just before the read
};

// The bytes of one value and where they came from.
struct PresetBytes {
  ByteBlock data;         // empty unless status is 0
  std::string path;       // the preset file; empty when the registry holds the bytes
  PresetFileStamp stamp = {};
  int32_t status = 0;     // of the last read
};

// The loaders' read of a value into `bytes`: status 0 with the bytes and,
// for a value naming a preset file, its path and stamp; or the registry's
// status, 13 for a type that holds no preset, E_OUTOFMEMORY for no bytes at
// all (an empty value or file) or a shortage, E_FILE_NOT_FOUND, or
// E_RIFF_READ for a file that could not be read.
int32_t ReadPresetBytes(RegKey key, const char* name, PresetBytes* bytes);

// The same from a value already enumerated with its type and data;
// `data` has room for one byte past `size` (a REG_SZ may lack its NUL).
int32_t PresetBytesFromValue(uint32_t type, unsigned char* data, uint32_t size, PresetBytes* bytes);

// Reads the file that `bytes->path` names again.
int32_t ReadPresetFileAgain(PresetBytes* bytes);

// True when bytes read from a file may no longer be what the file holds: the
// read failed, the file's size or last-write time differ, or it was written
// so shortly before the read that a later write could share its time.
bool PresetFileMayHaveChanged(const PresetBytes& bytes);
