#include "model/preset_record.h"

#include <cstring>

#include "model/owned.h"
#include "platform/text.h"

std::unique_ptr<PresetRecord> PresetRecord::Create(const char* presetName) {
  return MakeOwned<PresetRecord>(presetName);
}

std::unique_ptr<PresetRecord> PresetRecord::CopyOf(const PresetRecord& other) {
  std::unique_ptr<PresetRecord> copy = Create();
  if (copy && copy->CopyFrom(other) != 0) copy.reset();
  return copy;
}

void PresetRecord::SetName(const char* presetName) { Text_Copy(name, sizeof(name), presetName != nullptr ? presetName : ""); }

int32_t PresetRecord::CopyFrom(const PresetRecord& other) {
  if (&other == this) return 0;
  int32_t status = data.CopyFrom(other.data);
  if (status != 0) return status;
  memcpy(name, other.name, sizeof(name));
  return 0;
}
