#include "store/cached_keys.h"

#include <new>

#include "platform/clock.h"
#include "platform/file.h"
#include "platform/text.h"
#include "store/store_layout.h"

namespace {

bool Reserve(ValueScratch* scratch, uint32_t nameSize, uint32_t dataSize) {
  try {
    if (nameSize > scratch->name.size()) scratch->name.resize(nameSize);
    if (dataSize > scratch->data.size()) scratch->data.resize(dataSize);
  } catch (const std::bad_alloc&) {
    return false;
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
  uint32_t nameSize = static_cast<uint32_t>(scratch->name.size());
  *dataSize = static_cast<uint32_t>(scratch->data.size()) - 1;
  return Reg_EnumValue(key, index, scratch->name.data(), &nameSize, type, scratch->data.data(), dataSize);
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

// The full path a REG_SZ value names, kept though nothing is read from it.
void KeepFileName(uint32_t type, unsigned char* data, uint32_t size, std::vector<std::string>* files) {
  if (type != kRegSz) return;
  data[size] = '\0';
  const char* path = reinterpret_cast<const char*>(data);
  if (File_IsFullPath(path)) files->push_back(path);
}

void ReadValues(RegKey key, StorePart part, RegKeyInfo info, ValueScratch* scratch, PlugInKey* plugIn) {
  plugIn->presets.reserve(info.valueCount);
  for (uint32_t index = 0; index < info.valueCount; ++index) {
    uint32_t type = 0, dataSize = 0;
    int32_t status = EnumValue(key, index, scratch, &type, &dataSize);
    if (status == kErrorMoreData && Reg_QueryInfo(key, &info) == 0 && ReserveFor(scratch, info)) {
      // The value grew since the key was counted.
      status = EnumValue(key, index, scratch, &type, &dataSize);
    }
    if (status == kErrorMoreData) {
      plugIn->readTime = 0;
      continue;
    }
    if (status != 0) break;
    if (type != kRegBinary && type != kRegSz) continue;
    if (IsSkippedValue(part, scratch->name.data())) {
      KeepFileName(type, scratch->data.data(), dataSize, &plugIn->otherFiles);
      continue;
    }
    CachedPreset preset;
    Text_Copy(preset.name, sizeof(preset.name), scratch->name.data());
    PresetBytesFromValue(type, scratch->data.data(), dataSize, &preset.bytes);
    // A file that cannot be read now is kept, to be tried again; bytes of
    // the registry itself stay as they are until the key changes.
    if (preset.bytes.status == 0 || !preset.bytes.path.empty()) {
      plugIn->presets.push_back(std::move(preset));
    } else if (dataSize > 0) {
      plugIn->readTime = 0;  // memory was short
    }
  }
}

// The file a key's Stream names, for a key that holds no chain.
void ReadStreamFileName(RegKey key, PresetBytes* stream) {
  char path[kStorePathSize];
  uint32_t type = 0;
  if (Reg_QueryText(key, kChainStreamValue, path, sizeof(path), &type) != 0 || type != kRegSz ||
      !File_IsFullPath(path)) {
    return;
  }
  stream->path = path;
  stream->status = kErrorInvalidData;
}

}  // namespace

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
  try {
    if (!ReserveFor(scratch, info)) throw std::bad_alloc();
    ReadValues(sub.Get(), part, info, scratch, key);
  } catch (const std::bad_alloc&) {
    key->readTime = 0;
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
  bool named = Reg_QueryText(sub.Get(), kChainNameValue, key->chainName, sizeof(key->chainName), &nameType) == 0 &&
               nameType == kRegSz;
  if (!named) key->chainName[0] = '\0';
  key->isChain = ReadWord(sub.Get(), kChainFlagsValue, &key->flags) &&
                 ReadWord(sub.Get(), kChainTypeValue, &key->type) && named &&
                 Reg_QueryValue(sub.Get(), kChainStreamValue, &streamType, nullptr, &streamSize) == 0;
  try {
    if (!key->isChain) {
      ReadStreamFileName(sub.Get(), &key->stream);
      return;
    }
    ReadPresetBytes(sub.Get(), kChainStreamValue, &key->stream);
  } catch (const std::bad_alloc&) {
    key->readTime = 0;
    return;
  }
  if (key->stream.status == E_OUTOFMEMORY && key->stream.path.empty() && streamSize > 0) key->readTime = 0;
}

void RefreshCachedFiles(PlugInKey* key) {
  for (CachedPreset& preset : key->presets) {
    if (PresetFileMayHaveChanged(preset.bytes)) ReadPresetFileAgain(&preset.bytes);
  }
}

void RefreshCachedFiles(ChainKey* key) {
  if (key->isChain && PresetFileMayHaveChanged(key->stream)) ReadPresetFileAgain(&key->stream);
}
