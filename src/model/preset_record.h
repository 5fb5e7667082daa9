// One stored preset: a name and its opaque bytes.
#pragma once

#include <cstdint>
#include <memory>

#include "model/byte_block.h"
#include "model/names.h"

struct PresetRecord {
  char name[kNameSize] = {};
  ByteBlock data;

  explicit PresetRecord(const char* presetName = "") { SetName(presetName); }

  // Null when memory is short.
  static std::unique_ptr<PresetRecord> Create(const char* presetName = "");
  // A new record with the other's name and a copy of its bytes; null when
  // memory is short.
  static std::unique_ptr<PresetRecord> CopyOf(const PresetRecord& other);

  // Takes the other's name and a fresh copy of its bytes. On E_OUTOFMEMORY
  // this record is left as it was.
  int32_t CopyFrom(const PresetRecord& other);
  // A preset that is in an entry's list is renamed through the entry.
  void SetName(const char* presetName);
};
