#include "store/preset_value.h"

#include <cstdlib>
#include <cstring>

#include "platform/clock.h"
#include "platform/file.h"

namespace {

constexpr uint64_t kSettleTicks = 3ull * 10000000ull;  // three seconds

void DropData(PresetBytes* bytes) {
  free(bytes->data);
  bytes->data = nullptr;
  bytes->size = 0;
}

int32_t ReadAll(FileHandle file, unsigned char** data, uint32_t* size) {
  uint64_t fileSize = 0;
  if (File_GetSize(file, &fileSize) != 0) return E_RIFF_READ;
  // An empty file gives no block, like an empty value.
  if (fileSize == 0 || fileSize > UINT32_MAX) return E_OUTOFMEMORY;
  unsigned char* block = static_cast<unsigned char*>(malloc(static_cast<size_t>(fileSize)));
  if (block == nullptr) return E_OUTOFMEMORY;
  uint32_t total = 0;
  while (total < fileSize) {
    uint32_t done = 0;
    if (File_Read(file, block + total, static_cast<uint32_t>(fileSize) - total, &done) != 0 || done == 0) {
      free(block);
      return E_RIFF_READ;
    }
    total += done;
  }
  *data = block;
  *size = total;
  return 0;
}

int32_t ReadFromFile(PresetBytes* bytes) {
  DropData(bytes);
  // Only a full path names one file: a relative one would depend on the
  // folder the program happens to run in.
  if (!File_IsFullPath(bytes->path)) return E_FILE_NOT_FOUND;
  FileInfo info = {};
  bytes->stamp = {};
  bytes->stamp.readTime = Clock_Now();
  if (File_GetInfo(bytes->path, &info) == 0) {
    bytes->stamp.size = info.size;
    bytes->stamp.lastWriteTime = info.lastWriteTime;
  }
  ScopedFile file;
  int32_t status = File_Open(bytes->path, kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential,
                             file.Out());
  if (status != 0) {
    // A file that another program holds open without sharing exists; it
    // only cannot be read now.
    return status == StatusFromError(kErrorSharingViolation) ? E_RIFF_READ : E_FILE_NOT_FOUND;
  }
  return ReadAll(file.Get(), &bytes->data, &bytes->size);
}

int32_t TakePath(const char* text, PresetBytes* bytes) {
  size_t length = strlen(text);
  bytes->path = static_cast<char*>(malloc(length + 1));
  if (bytes->path == nullptr) return E_OUTOFMEMORY;
  memcpy(bytes->path, text, length + 1);
  return 0;
}

}  // namespace

void PresetBytes_Free(PresetBytes* bytes) {
  DropData(bytes);
  free(bytes->path);
  bytes->path = nullptr;
}

int32_t ReadPresetFileAgain(PresetBytes* bytes) {
  bytes->status = ReadFromFile(bytes);
  return bytes->status;
}

int32_t PresetBytesFromValue(uint32_t type, unsigned char* data, uint32_t size, PresetBytes* bytes) {
  PresetBytes_Free(bytes);
  if (type == kRegBinary) {
    bytes->status = E_OUTOFMEMORY;
    if (size == 0) return bytes->status;
    bytes->data = static_cast<unsigned char*>(malloc(size));
    if (bytes->data == nullptr) return bytes->status;
    memcpy(bytes->data, data, size);
    bytes->size = size;
    bytes->status = 0;
    return 0;
  }
  if (type != kRegSz) {
    bytes->status = kErrorInvalidData;
    return bytes->status;
  }
  data[size] = '\0';
  bytes->status = TakePath(reinterpret_cast<const char*>(data), bytes);
  if (bytes->status == 0) bytes->status = ReadFromFile(bytes);
  return bytes->status;
}

int32_t ReadPresetBytes(RegKey key, const char* name, PresetBytes* bytes) {
  PresetBytes_Free(bytes);
  uint32_t type = 0, size = 0;
  bytes->status = Reg_QueryValue(key, name, &type, nullptr, &size);
  if (bytes->status != 0) return bytes->status;
  if (type != kRegBinary && type != kRegSz) {
    bytes->status = kErrorInvalidData;
    return bytes->status;
  }
  // One byte more than the value, for the NUL a REG_SZ may lack.
  unsigned char* value = static_cast<unsigned char*>(calloc(size + 1u, 1));
  if (value == nullptr) {
    bytes->status = E_OUTOFMEMORY;
    return bytes->status;
  }
  uint32_t got = size;
  bytes->status = Reg_QueryValue(key, name, &type, value, &got);
  if (bytes->status == 0) PresetBytesFromValue(type, value, got, bytes);
  free(value);
  return bytes->status;
}

bool WrittenLongBeforeRead(uint64_t lastWriteTime, uint64_t readTime) {
  return lastWriteTime + kSettleTicks < readTime;
}

bool PresetFileMayHaveChanged(const PresetBytes& bytes) {
  if (bytes.path == nullptr) return false;
  if (bytes.status != 0) return true;
  FileInfo info = {};
  if (File_GetInfo(bytes.path, &info) != 0) return true;
  return info.size != bytes.stamp.size || info.lastWriteTime != bytes.stamp.lastWriteTime ||
         !WrittenLongBeforeRead(bytes.stamp.lastWriteTime, bytes.stamp.readTime);
}
