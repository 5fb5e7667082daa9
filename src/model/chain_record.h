// One stored effect chain: its name, registry key name, flags, type and
// opaque stream.
#pragma once

#include <cstdint>
#include <memory>

#include "model/byte_block.h"
#include "model/names.h"

struct ChainRecord {
  char name[kNameSize] = {};
  char keyName[kKeySize] = {};
  uint32_t flags = 0;
  uint32_t type = 0;
  ByteBlock stream;

  static std::unique_ptr<ChainRecord> Create();  // null when memory is short
  // A new record as a copy of the other; null when memory is short.
  static std::unique_ptr<ChainRecord> CopyOf(const ChainRecord& other);

  // Takes the other's texts, words and a fresh copy of its stream. On
  // E_OUTOFMEMORY this record is left as it was.
  int32_t CopyFrom(const ChainRecord& other);

  void SetName(const char* chainName);
  void SetKeyName(const char* chainKeyName);
};
