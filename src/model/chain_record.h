// One stored effect chain: its name, registry key name, flags, type and
// opaque stream.
#pragma once

#include <cstdint>

#include "kernel/item_list.h"
#include "model/model_object.h"
#include "model/names.h"

struct ChainRecord final : ModelObject {
  char name[kNameSize];
  char keyName[kKeySize];
  uint32_t flags;
  uint32_t type;
  uint32_t streamSize;
  unsigned char* stream;  // owned; null when streamSize is 0
  VtList* plugInNames;    // owned heap list of NUL-terminated texts; nothing fills it yet

  ChainRecord();
  ~ChainRecord() override;
  ChainRecord(const ChainRecord&) = delete;
  ChainRecord& operator=(const ChainRecord&) = delete;

  static ChainRecord* Create();  // null when memory is short

  // Takes the other's texts, words, a fresh copy of its stream and of each of
  // its plug-in names. On E_OUTOFMEMORY this record is left as it was.
  int32_t CopyFrom(const ChainRecord& other);

  void SetName(const char* chainName);
  void SetKeyName(const char* chainKeyName);
  int32_t SetStream(const void* bytes, uint32_t size);
  // Takes ownership of a malloc'ed block.
  void AdoptStream(unsigned char* block, uint32_t size);

  int32_t AddPlugInName(const char* plugInName);
  int32_t GetPlugInNameCount() const { return VtList_Count(plugInNames); }
  const char* GetPlugInName(int32_t index) const { return VtList_At<const char>(plugInNames, index); }
};
