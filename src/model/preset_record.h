// One stored preset: a name and its opaque bytes.
#pragma once

#include <cstdint>

#include "model/model_object.h"
#include "model/names.h"

struct PresetRecord final : ModelObject {
  char name[kNameSize];
  uint32_t dataSize;
  unsigned char* data;  // owned; null when dataSize is 0

  explicit PresetRecord(const char* presetName = "");
  ~PresetRecord() override;
  PresetRecord(const PresetRecord&) = delete;
  PresetRecord& operator=(const PresetRecord&) = delete;

  // Null when memory is short.
  static PresetRecord* Create(const char* presetName = "");

  // Takes the other's name, size and a fresh copy of its bytes. On
  // E_OUTOFMEMORY this record is left as it was.
  int32_t CopyFrom(const PresetRecord& other);

  // Replaces the bytes with a copy of `bytes` (none when size is 0).
  int32_t SetData(const void* bytes, uint32_t size);
  // Takes ownership of a malloc'ed block.
  void AdoptData(unsigned char* block, uint32_t size);
  // A preset that is in an entry's list is renamed through the entry.
  void SetName(const char* presetName);
};
