#include "cli/store_json.h"

#include <cstdio>
#include <cstring>

#include "model/chain_collection.h"
#include "model/key_names.h"
#include "model/plugin_collection.h"
#include "package/package_layout.h"
#include "platform/text.h"
#include "store/store_check.h"

namespace {

// The keys one kind of object may have; bit i of `optional` lets names[i]
// be missing.
struct ObjectKeys {
  const char* what;
  const char* const* names;
  int count;
  uint32_t optional;
};

const char* const kDocumentNames[] = {"plugins", "chains"};
enum { kDocumentPlugIns, kDocumentChains };
const ObjectKeys kDocumentKeys = {"the document", kDocumentNames, 2, 0};

const char* const kPlugInNames[] = {"name", "displayName", "classKey", "flags", "presets"};
enum { kPlugInName, kPlugInDisplayName, kPlugInClassKey, kPlugInFlags, kPlugInPresets };
const ObjectKeys kPlugInKeys = {"a plug-in", kPlugInNames, 5, 1u << kPlugInDisplayName};

const char* const kPresetNames[] = {"name", "size", "data"};
enum { kPresetName, kPresetSize, kPresetData };
const ObjectKeys kPresetKeys = {"a preset", kPresetNames, 3, 1u << kPresetSize};

const char* const kChainNames[] = {"name", "keyName", "flags", "type", "size", "stream"};
enum { kChainName, kChainKeyName, kChainFlags, kChainType, kChainSize, kChainStream };
const ObjectKeys kChainKeys = {"a chain", kChainNames, 6, 1u << kChainSize};

// The index of `key` among the object's keys, or -1 after failing on an
// unknown or repeated key.
int TakeKey(JsonReader* reader, const ObjectKeys& keys, uint32_t* seen, const char* key) {
  for (int i = 0; i < keys.count; ++i) {
    if (strcmp(keys.names[i], key) != 0) continue;
    if (*seen & (1u << i)) {
      Json_Fail(reader, "\"%s\" given twice in %s", key, keys.what);
      return -1;
    }
    *seen |= 1u << i;
    return i;
  }
  Json_Fail(reader, "unknown key \"%s\" in %s", key, keys.what);
  return -1;
}

bool HasAllKeys(JsonReader* reader, const ObjectKeys& keys, uint32_t seen) {
  for (int i = 0; i < keys.count; ++i) {
    if (!(seen & (1u << i)) && !(keys.optional & (1u << i))) {
      return Json_Fail(reader, "%s without \"%s\"", keys.what, keys.names[i]);
    }
  }
  return true;
}

// A value that is checked and dropped.
bool SkipNumber(JsonReader* reader) {
  uint32_t ignored = 0;
  return Json_ReadUint32(reader, &ignored);
}

bool ReadPreset(JsonReader* reader, PlugInEntry* entry) {
  std::unique_ptr<PresetRecord> created = PresetRecord::Create();
  PresetRecord* preset = created.get();
  if (entry->AppendPreset(std::move(created)) != 0) return Json_Fail(reader, "out of memory");
  uint32_t seen = 0;
  bool ok = Json_ReadObject(reader, [&](const char* key) {
    switch (TakeKey(reader, kPresetKeys, &seen, key)) {
      case kPresetName: return Json_ReadString(reader, preset->name, sizeof(preset->name), "a preset name");
      case kPresetSize: return SkipNumber(reader);
      case kPresetData: return Json_ReadHex(reader, &preset->data);
      default: return false;
    }
  });
  return ok && HasAllKeys(reader, kPresetKeys, seen);
}

// Such a name is shown by its start: the whole would bury the reason.
constexpr const char* kNameTooLong = "its name is longer than the 259 characters a package holds";
int ShownStart(const char* name) { return static_cast<int>(Text_CutLength(name, 64)); }

// The words of a refused record, for the reader's error.
bool FailWithProblem(JsonReader* reader, bool fine, const char* problem) {
  return fine || Json_Fail(reader, "%s", problem);
}

bool ReadPlugIn(JsonReader* reader, PlugInCollection* plugIns) {
  std::unique_ptr<PlugInEntry> created = PlugInEntry::Create();
  PlugInEntry* entry = created.get();
  if (plugIns->Append(std::move(created)) != 0) return Json_Fail(reader, "out of memory");
  uint32_t seen = 0;
  bool ok = Json_ReadObject(reader, [&](const char* key) {
    switch (TakeKey(reader, kPlugInKeys, &seen, key)) {
      case kPlugInName: return Json_ReadString(reader, entry->name, sizeof(entry->name), "a plug-in name");
      case kPlugInDisplayName: return Json_ReadString(reader, nullptr, 0, "a display name");
      case kPlugInClassKey: return Json_ReadString(reader, entry->classKey, sizeof(entry->classKey), "a class key");
      case kPlugInFlags: return Json_ReadUint32(reader, &entry->flags);
      case kPlugInPresets: return Json_ReadArray(reader, [&] { return ReadPreset(reader, entry); });
      default: return false;
    }
  });
  if (!ok || !HasAllKeys(reader, kPlugInKeys, seen)) return false;
  char problem[kProblemSize];
  return FailWithProblem(reader, IsPackagePlugIn(*entry, problem, sizeof(problem)), problem);
}

bool ReadChain(JsonReader* reader, ChainCollection* chains) {
  std::unique_ptr<ChainRecord> created = ChainRecord::Create();
  ChainRecord* chain = created.get();
  if (chains->Append(std::move(created)) != 0) return Json_Fail(reader, "out of memory");
  uint32_t seen = 0;
  bool ok = Json_ReadObject(reader, [&](const char* key) {
    switch (TakeKey(reader, kChainKeys, &seen, key)) {
      case kChainName: return Json_ReadString(reader, chain->name, sizeof(chain->name), "a chain name");
      case kChainKeyName: return Json_ReadString(reader, chain->keyName, sizeof(chain->keyName), "a chain key name");
      case kChainFlags: return Json_ReadUint32(reader, &chain->flags);
      case kChainType: return Json_ReadUint32(reader, &chain->type);
      case kChainSize: return SkipNumber(reader);
      case kChainStream: return Json_ReadHex(reader, &chain->stream);
      default: return false;
    }
  });
  if (!ok || !HasAllKeys(reader, kChainKeys, seen)) return false;
  char problem[kProblemSize];
  return FailWithProblem(reader, IsPackageChain(*chain, problem, sizeof(problem)), problem);
}

}  // namespace

bool IsPackagePlugIn(const PlugInEntry& entry, char* problem, size_t size) {
  if (!Package_IsSafePlugIn(entry)) {
    if (entry.classKey[0] == '\0') {
      snprintf(problem, size, "plug-in \"%s\" has no class key and is not an editor entry (flags bit 0)", entry.name);
    } else {
      snprintf(problem, size, "plug-in \"%s\": class key \"%s\" cannot name a key", entry.name, entry.classKey);
    }
    return false;
  }
  const char* why = PlugInNameProblem(entry);
  if (why != nullptr) {
    snprintf(problem, size, "plug-in \"%s\": %s", entry.name, why);
    return false;
  }
  if (!NameFitsUnits(entry.name, kNameChars)) {
    snprintf(problem, size, "plug-in \"%.*s...\": %s", ShownStart(entry.name), entry.name, kNameTooLong);
    return false;
  }
  for (const std::unique_ptr<PresetRecord>& preset : entry.Presets()) {
    if (!NameFitsUnits(preset->name, kNameChars)) {
      snprintf(problem, size, "preset \"%.*s...\": %s", ShownStart(preset->name), preset->name, kNameTooLong);
      return false;
    }
    if (preset->data.Empty()) {
      snprintf(problem, size, "preset \"%s\" has no data", preset->name);
      return false;
    }
    why = PresetNameProblem(entry, preset->name);
    if (why != nullptr) {
      snprintf(problem, size, "plug-in \"%s\", preset \"%s\": %s", entry.name, preset->name, why);
      return false;
    }
  }
  if (entry.GetPresetCount() == 0) {
    snprintf(problem, size, "plug-in \"%s\" has no presets; a package holds only plug-ins with presets", entry.name);
    return false;
  }
  return true;
}

bool IsPackageChain(const ChainRecord& chain, char* problem, size_t size) {
  if (!Package_IsSafeChainKey(chain.keyName) || ChainKeyProblem(chain.keyName) != nullptr) {
    snprintf(problem, size, "chain \"%s\": key name \"%s\" cannot name a key", chain.name, chain.keyName);
    return false;
  }
  if (!NameFitsUnits(chain.name, kNameChars)) {
    snprintf(problem, size, "chain \"%.*s...\": %s", ShownStart(chain.name), chain.name, kNameTooLong);
    return false;
  }
  if (chain.stream.Empty()) {
    snprintf(problem, size, "chain \"%s\" has no stream", chain.name);
    return false;
  }
  return true;
}

bool ReadStoreJson(JsonReader* reader, PlugInCollection* plugIns, ChainCollection* chains) {
  uint32_t seen = 0;
  bool ok = Json_ReadObject(reader, [&](const char* key) {
    switch (TakeKey(reader, kDocumentKeys, &seen, key)) {
      case kDocumentPlugIns: return Json_ReadArray(reader, [&] { return ReadPlugIn(reader, plugIns); });
      case kDocumentChains: return Json_ReadArray(reader, [&] { return ReadChain(reader, chains); });
      default: return false;
    }
  });
  return ok && HasAllKeys(reader, kDocumentKeys, seen) && Json_End(reader);
}
