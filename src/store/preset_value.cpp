#include "store/preset_value.h"

#include <cstring>
#include <new>

#include "platform/clock.h"
#include "platform/file.h"

namespace {

constexpr uint64_t kSettleTicks = 3ull * 10000000ull;  // three seconds

int32_t ReadAll(FileHandle file, ByteBlock* data) {
  uint64_t fileSize = 0;
  if (File_GetSize(file, &fileSize) != 0) return E_RIFF_READ;
  // An empty file gives no block, like an empty value.
  if (fileSize == 0 || fileSize > UINT32_MAX) return E_OUTOFMEMORY;
  uint32_t size = static_cast<uint32_t>(fileSize);
  std::unique_ptr<unsigned char[]> block = NewBytes(size);
  if (!block) return E_OUTOFMEMORY;
  uint32_t total = 0;
  while (total < size) {
    uint32_t done = 0;
    if (File_Read(file, block.get() + total, size - total, &done) != 0 || done == 0) return E_RIFF_READ;
    total += done;
  }
  data->Adopt(std::move(block), size);
  return 0;
}

int32_t ReadFromFile(PresetBytes* bytes) {
  bytes->data = ByteBlock();
  const char* path = bytes->path.c_str();
  // Only a full path names one file: a relative one would depend on the
  // folder the program happens to run in.
  if (!File_IsFullPath(path)) return E_FILE_NOT_FOUND;
  FileInfo info = {};
  bytes->stamp = {};
  bytes->stamp.readTime = Clock_Now();
  if (File_GetInfo(path, &info) == 0) {
    bytes->stamp.size = info.size;
    bytes->stamp.lastWriteTime = info.lastWriteTime;
  }
  ScopedFile file;
  int32_t status = File_Open(path, kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential, file.Out());
  if (status != 0) {
    // A file that another program holds open without sharing exists; it
    // only cannot be read now.
    return status == StatusFromError(kErrorSharingViolation) ? E_RIFF_READ : E_FILE_NOT_FOUND;
  }
  return ReadAll(file.Get(), &bytes->data);
}

}  // namespace

int32_t ReadPresetFileAgain(PresetBytes* bytes) {
  bytes->status = ReadFromFile(bytes);
  return bytes->status;
}

int32_t PresetBytesFromValue(uint32_t type, unsigned char* data, uint32_t size, PresetBytes* bytes) {
  *bytes = PresetBytes();
  if (type == kRegBinary) {
    bytes->status = size == 0 ? E_OUTOFMEMORY : bytes->data.Assign(data, size);
    return bytes->status;
  }
  if (type != kRegSz) {
    bytes->status = kErrorInvalidData;
    return bytes->status;
  }
  data[size] = '\0';
  try {
    bytes->path = reinterpret_cast<const char*>(data);
  } catch (const std::bad_alloc&) {
    bytes->status = E_OUTOFMEMORY;
    return bytes->status;
  }
  return ReadPresetFileAgain(bytes);
}

int32_t ReadPresetBytes(RegKey key, const char* name, PresetBytes* bytes) {
  *bytes = PresetBytes();
  uint32_t type = 0, size = 0;
  bytes->status = Reg_QueryValue(key, name, &type, nullptr, &size);
  if (bytes->status != 0) return bytes->status;
  if (type != kRegBinary && type != kRegSz) {
    bytes->status = kErrorInvalidData;
    return bytes->status;
  }
  // One byte more than the value, for the NUL a REG_SZ may lack.
  std::unique_ptr<unsigned char[]> value = NewBytes(size + 1u);
  if (!value) {
    bytes->status = E_OUTOFMEMORY;
    return bytes->status;
  }
  memset(value.get(), 0, size + 1u);
  uint32_t got = size;
  bytes->status = Reg_QueryValue(key, name, &type, value.get(), &got);
  if (bytes->status == 0) PresetBytesFromValue(type, value.get(), got, bytes);
  return bytes->status;
}

bool WrittenLongBeforeRead(uint64_t lastWriteTime, uint64_t readTime) {
  return lastWriteTime + kSettleTicks < readTime;
}

bool PresetFileMayHaveChanged(const PresetBytes& bytes) {
  if (bytes.path.empty()) return false;
  if (bytes.status != 0) return true;
  FileInfo info = {};
  if (File_GetInfo(bytes.path.c_str(), &info) != 0) return true;
  return info.size != bytes.stamp.size || info.lastWriteTime != bytes.stamp.lastWriteTime ||
         !WrittenLongBeforeRead(bytes.stamp.lastWriteTime, bytes.stamp.readTime);
}
