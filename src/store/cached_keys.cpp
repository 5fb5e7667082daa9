#include "store/cached_keys.h"

#include <cstdlib>

#include "platform/clock.h"
#include "platform/text.h"
#include "store/store_layout.h"

namespace {

bool Reserve(ValueScratch* scratch, uint32_t nameSize, uint32_t dataSize) {
  if (nameSize > scratch->nameSize) {
    char* name = static_cast<char*>(realloc(scratch->name, nameSize));
    if (name == nullptr) return false;
    scratch->name = name;
    scratch->nameSize = nameSize;
  }
  if (dataSize > scratch->dataSize) {
    unsigned char* data = static_cast<unsigned char*>(realloc(scratch->data, dataSize));
    if (data == nullptr) return false;
    scratch->data = data;
    scratch->dataSize = dataSize;
  }
  return true;
}

// Room for the longest name and the largest value of the key, and one byte
// past the data for the NUL a REG_SZ may lack. The registry counts names in
// UTF-16 units and texts in UTF-16 bytes; in UTF-8 a unit takes up to three
// bytes, so names may triple and texts grow by half.
bool ReserveFor(ValueScratch* scratch, const RegKeyInfo& info) {
  return Reserve(scratch, info.maxValueNameLength * 3 + 1, info.maxValueSize + info.maxValueSize / 2 + 2);
}

// One value by index, its name, type and data in one call.
int32_t EnumValue(RegKey key, uint32_t index, ValueScratch* scratch, uint32_t* type, uint32_t* dataSize) {
  uint32_t nameSize = scratch->nameSize;
  *dataSize = scratch->dataSize - 1;
  return Reg_EnumValue(key, index, scratch->name, &nameSize, type, scratch->data, dataSize);
}

bool IsSkippedValue(StorePart part, const char* name) {
  if (Text_EqualNoCase(name, kDefaultValueName)) return true;
  return part != StorePart::Editor && Text_EqualNoCase(name, kUntitledName);
}

// A REG_DWORD of at most four bytes.
bool ReadWord(RegKey key, const char* name, uint32_t* value) {
  uint32_t type = 0, word = 0, size = sizeof(word);
  if (Reg_QueryValue(key, name, &type, &word, &size) != 0 || type != kRegDword) return false;
  *value = word;
  return true;
}

}  // namespace

void FreeValueScratch(ValueScratch* scratch) {
  free(scratch->name);
  free(scratch->data);
  *scratch = {};
}

bool IsSkippedKey(StorePart part, const char* name) {
  switch (part) {
    case StorePart::DirectShow: return Text_EqualNoCase(name, kChainsSubkey);
    case StorePart::Editor: return Text_EqualNoCase(name, kUntitledName) || Text_EqualNoCase(name, kEditorChainerKey);
    case StorePart::Chains: break;
  }
  return false;
}

void ReadCachedKey(RegKey parent, const char* name, uint64_t lastWriteTime, StorePart part, ValueScratch* scratch,
                   PlugInKey* key) {
  Text_Copy(key->name, sizeof(key->name), name);
  key->lastWriteTime = lastWriteTime;
  key->readTime = Clock_Now();
  ScopedRegKey sub;
  RegKeyInfo info;
  if (Reg_OpenKey(parent, name, RegAccess::Read, sub.Out()) != 0 || Reg_QueryInfo(sub.Get(), &info) != 0) {
    key->readTime = 0;
    return;
  }
  // Taken under the same handle as the values, so a write after it shows
  // as a later time.
  key->lastWriteTime = info.lastWriteTime;
  key->hasValues = info.valueCount > 0;
  if (!key->hasValues) return;
  uint32_t capacity = info.valueCount;
  key->presets = static_cast<CachedPreset*>(calloc(capacity, sizeof(CachedPreset)));
  if (key->presets == nullptr || !ReserveFor(scratch, info)) {
    key->readTime = 0;
    return;
  }
  for (uint32_t index = 0; index < capacity; ++index) {
    uint32_t type = 0, dataSize = 0;
    int32_t status = EnumValue(sub.Get(), index, scratch, &type, &dataSize);
    if (status == kErrorMoreData && Reg_QueryInfo(sub.Get(), &info) == 0 && ReserveFor(scratch, info)) {
      // The value grew since the key was counted.
      status = EnumValue(sub.Get(), index, scratch, &type, &dataSize);
    }
    if (status == kErrorMoreData) {
      key->readTime = 0;
      continue;
    }
    if (status != 0) break;
    if (IsSkippedValue(part, scratch->name) || (type != kRegBinary && type != kRegSz)) continue;
    CachedPreset& preset = key->presets[key->presetCount];
    Text_Copy(preset.name, sizeof(preset.name), scratch->name);
    PresetBytesFromValue(type, scratch->data, dataSize, &preset.bytes);
    // A file that cannot be read now is kept, to be tried again; bytes of
    // the registry itself stay as they are until the key changes.
    if (preset.bytes.status == 0 || preset.bytes.path != nullptr) {
      ++key->presetCount;
    } else {
      if (dataSize > 0) key->readTime = 0;  // memory was short
      PresetBytes_Free(&preset.bytes);
    }
  }
}

void ReadCachedKey(RegKey parent, const char* name, uint64_t lastWriteTime, StorePart, ValueScratch*,
                   ChainKey* key) {
  Text_Copy(key->name, sizeof(key->name), name);
  key->lastWriteTime = lastWriteTime;
  key->readTime = Clock_Now();
  ScopedRegKey sub;
  if (Reg_OpenKey(parent, name, RegAccess::Read, sub.Out()) != 0) {
    key->readTime = 0;
    return;
  }
  uint32_t nameType = 0, streamType = 0, streamSize = 0;
  key->isChain = ReadWord(sub.Get(), kChainFlagsValue, &key->flags) &&
                 ReadWord(sub.Get(), kChainTypeValue, &key->type) &&
                 Reg_QueryText(sub.Get(), kChainNameValue, key->chainName, sizeof(key->chainName), &nameType) == 0 &&
                 nameType == kRegSz &&
                 Reg_QueryValue(sub.Get(), kChainStreamValue, &streamType, nullptr, &streamSize) == 0;
  if (!key->isChain) return;
  ReadPresetBytes(sub.Get(), kChainStreamValue, &key->stream);
  if (key->stream.status == E_OUTOFMEMORY && key->stream.path == nullptr && streamSize > 0) key->readTime = 0;
}

void RefreshCachedFiles(PlugInKey* key) {
  for (uint32_t i = 0; i < key->presetCount; ++i) {
    PresetBytes& bytes = key->presets[i].bytes;
    if (PresetFileMayHaveChanged(bytes)) ReadPresetFileAgain(&bytes);
  }
}

void RefreshCachedFiles(ChainKey* key) {
  if (key->isChain && PresetFileMayHaveChanged(key->stream)) ReadPresetFileAgain(&key->stream);
}

void FreeCachedKey(PlugInKey* key) {
  for (uint32_t i = 0; i < key->presetCount; ++i) PresetBytes_Free(&key->presets[i].bytes);
  free(key->presets);
  *key = {};
}

void FreeCachedKey(ChainKey* key) {
  PresetBytes_Free(&key->stream);
  *key = {};
}
