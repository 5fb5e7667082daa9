#include "model/preset_record.h"

#include <cstring>

#include "model/byte_block.h"
#include "platform/status.h"
#include "platform/text.h"

PresetRecord::PresetRecord(const char* presetName) : dataSize(0), data(nullptr) { SetName(presetName); }

PresetRecord::~PresetRecord() { free(data); }

PresetRecord* PresetRecord::Create(const char* presetName) { return NewModelObject<PresetRecord>(presetName); }

void PresetRecord::SetName(const char* presetName) { Text_Copy(name, sizeof(name), presetName != nullptr ? presetName : ""); }

int32_t PresetRecord::SetData(const void* bytes, uint32_t size) {
  unsigned char* block = nullptr;
  int32_t status = ByteBlock_Copy(bytes, size, &block);
  if (status == 0) AdoptData(block, size);
  return status;
}

void PresetRecord::AdoptData(unsigned char* block, uint32_t size) { ByteBlock_Adopt(&data, &dataSize, block, size); }

int32_t PresetRecord::CopyFrom(const PresetRecord& other) {
  if (&other == this) return 0;
  int32_t status = SetData(other.data, other.dataSize);
  if (status != 0) return status;
  memcpy(name, other.name, sizeof(name));
  return 0;
}
