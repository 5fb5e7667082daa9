#include "package/riff.h"

namespace {

// Reads exactly `size` bytes; anything less is E_RIFF_READ.
int32_t ReadExactly(FileHandle file, void* buffer, uint32_t size) {
  uint32_t done = 0;
  if (File_Read(file, buffer, size, &done) != 0 || done != size) return E_RIFF_READ;
  return 0;
}

int32_t ReadId(FileHandle file, RiffId* id) {
  unsigned char bytes[4];
  int32_t status = ReadExactly(file, bytes, sizeof(bytes));
  if (status == 0) *id = riff_GetU32(bytes);
  return status;
}

void SeekForward(FileHandle file, int64_t distance) {
  if (distance != 0) File_Seek(file, distance, FileOrigin::Current, nullptr);
}

int32_t WriteHeaderAndType(FileHandle file, RiffId id, uint32_t size, RiffId type) {
  unsigned char bytes[12];
  riff_PutChunkHeader(bytes, id, size);
  riff_PutU32(bytes + 8, type);
  return riff_WriteData(file, bytes, sizeof(bytes));
}

// Called after the header with size 0 has been written.
void BeginSized(FileHandle file, RiffSizedWrite* sized) {
  riff_SaveLocation(file, &sized->typeEnd);
  sized->size = 4;
}

}  // namespace

void riff_SaveLocation(FileHandle file, uint64_t* position) {
  *position = 0;
  File_Seek(file, 0, FileOrigin::Current, position);
}

void riff_RestoreLocation(FileHandle file, uint64_t position) {
  File_Seek(file, static_cast<int64_t>(position), FileOrigin::Begin, nullptr);
}

int64_t riff_SkipChunk(FileHandle file, uint32_t size) {
  int64_t rounded = riff_RoundedSize(size);
  SeekForward(file, rounded);
  return rounded;
}

int32_t riff_ReadChunkHeader(FileHandle file, RiffId* id, uint32_t* size) {
  unsigned char bytes[8];
  int32_t status = ReadExactly(file, bytes, sizeof(bytes));
  if (status != 0) return status;
  *id = riff_GetU32(bytes);
  *size = riff_GetU32(bytes + 4);
  return 0;
}

int32_t riff_ReadFileID(FileHandle file, uint32_t* size, RiffId* formType) {
  RiffId id = 0;
  uint32_t formSize = 0;
  if (riff_ReadChunkHeader(file, &id, &formSize) != 0) id = 0;
  // Wraps for a form too small to hold its type; callers check the size
  // against what they support.
  if (size != nullptr) *size = formSize - 4;
  if (id != kRiffIdRiff) return E_RIFF_NOT_RIFF;
  RiffId type = 0;
  int32_t status = ReadId(file, &type);
  if (status != 0) return status;
  if (formType != nullptr) *formType = type;
  return 0;
}

int32_t riff_ReadDataBounded(FileHandle file, void* buffer, uint32_t wanted, uint32_t chunkSize) {
  uint32_t n = wanted < chunkSize ? wanted : chunkSize;
  int32_t status = ReadExactly(file, buffer, n);
  if (status != 0) return status;
  SeekForward(file, static_cast<int64_t>(wanted - n) + (chunkSize & 1));
  return 0;
}

int32_t riff_FindChunkHeader(FileHandle file, RiffId id, uint32_t* size, int32_t* remaining) {
  int32_t left = remaining != nullptr ? *remaining : 0;
  for (;;) {
    if (remaining != nullptr && left < 8) {
      *remaining = left;
      return E_RIFF_END_OF_REGION;
    }
    RiffId found = 0;
    uint32_t foundSize = 0;
    int32_t status = riff_ReadChunkHeader(file, &found, &foundSize);
    if (status != 0) return status;
    left -= 8;
    if (found == id) {
      if (size != nullptr) *size = foundSize;
      if (remaining != nullptr) *remaining = left;
      return 0;
    }
    if (remaining != nullptr && !riff_ConsumeRegion(&left, riff_RoundedSize(foundSize))) {
      // The chunk runs past the region: nothing more can be found in it.
      *remaining = 0;
      return E_RIFF_END_OF_REGION;
    }
    riff_SkipChunk(file, foundSize);
  }
}

int32_t riff_FindListChunk(FileHandle file, RiffId listType, uint32_t* contentsSize, int32_t* remaining) {
  for (;;) {
    uint32_t listSize = 0;
    int32_t status = riff_FindChunkHeader(file, kRiffIdList, &listSize, remaining);
    if (status != 0) return status;
    if (remaining != nullptr && !riff_ConsumeRegion(remaining, 4)) return E_RIFF_END_OF_REGION;
    RiffId type = 0;
    status = ReadId(file, &type);
    if (status != 0) return status;
    // A list too small for its type has no contents.
    int64_t rest = riff_RoundedSize(listSize) - 4;
    if (rest < 0) rest = 0;
    if (type == listType) {
      if (contentsSize != nullptr) *contentsSize = listSize >= 4 ? listSize - 4 : 0;
      return 0;
    }
    if (remaining != nullptr && !riff_ConsumeRegion(remaining, rest)) {
      *remaining = 0;
      return E_RIFF_END_OF_REGION;
    }
    SeekForward(file, rest);
  }
}

int32_t riff_GetNumListEntries(FileHandle file, int32_t* count, int32_t* remaining) {
  *count = 0;
  uint64_t start = 0;
  riff_SaveLocation(file, &start);
  while (*remaining >= 8) {
    RiffId id = 0;
    uint32_t size = 0;
    int32_t status = riff_ReadChunkHeader(file, &id, &size);
    if (status != 0) {
      riff_RestoreLocation(file, start);
      return status;
    }
    *remaining -= 8;
    ++*count;
    // A chunk that runs past the region is the region's last.
    if (!riff_ConsumeRegion(remaining, riff_RoundedSize(size))) *remaining = 0;
    riff_SkipChunk(file, size);
  }
  riff_RestoreLocation(file, start);
  return 0;
}

int32_t riff_WriteData(FileHandle file, const void* data, uint32_t size) {
  uint32_t done = 0;
  if (File_Write(file, data, size, &done) != 0 || done != size) return E_RIFF_WRITE;
  return 0;
}

void riff_PutChunkHeader(unsigned char* bytes, RiffId id, uint32_t size) {
  riff_PutU32(bytes, id);
  riff_PutU32(bytes + 4, size);
}

int32_t riff_WriteChunkHeader(FileHandle file, RiffId id, uint32_t size) {
  unsigned char bytes[8];
  riff_PutChunkHeader(bytes, id, size);
  return riff_WriteData(file, bytes, sizeof(bytes));
}

int32_t riff_WriteListHeader(FileHandle file, RiffId listType, uint32_t size) {
  return WriteHeaderAndType(file, kRiffIdList, size, listType);
}

int32_t riff_WriteFileID(FileHandle file, RiffId formType, uint32_t size) {
  return WriteHeaderAndType(file, kRiffIdRiff, size, formType);
}

int32_t riff_BeginList(FileHandle file, RiffId listType, RiffSizedWrite* sized) {
  int32_t status = riff_WriteListHeader(file, listType, 0);
  if (status == 0) BeginSized(file, sized);
  return status;
}

int32_t riff_BeginForm(FileHandle file, RiffId formType, RiffSizedWrite* sized) {
  int32_t status = riff_WriteFileID(file, formType, 0);
  if (status == 0) BeginSized(file, sized);
  return status;
}

int32_t riff_AddToSize(RiffSizedWrite* sized, uint64_t length) {
  if (length > kRiffMaxSize || sized->size + length > kRiffMaxSize) return E_RIFF_WRITE;
  sized->size += length;
  return 0;
}

int32_t riff_EndSized(FileHandle file, const RiffSizedWrite& sized, uint64_t* length) {
  uint64_t end = 0;
  riff_SaveLocation(file, &end);
  unsigned char bytes[4];
  riff_PutU32(bytes, static_cast<uint32_t>(sized.size));
  riff_RestoreLocation(file, sized.typeEnd - 8);
  int32_t status = riff_WriteData(file, bytes, sizeof(bytes));
  riff_RestoreLocation(file, end);
  if (status != 0) return status;
  if (length != nullptr) *length = sized.size + 8;
  return 0;
}
