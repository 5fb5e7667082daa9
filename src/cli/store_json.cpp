#include "cli/store_json.h"

#include <cstring>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"
#include "package/package_layout.h"
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

const char* const kDocumentNames[] = {"plugins", "chains", "unreadable"};
enum { kDocumentPlugIns, kDocumentChains, kDocumentUnreadable };
const ObjectKeys kDocumentKeys = {"the document", kDocumentNames, 3, 1u << kDocumentUnreadable};

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
  if (!ok || !HasAllKeys(reader, kPresetKeys, seen)) return false;
  if (preset->data.Empty()) return Json_Fail(reader, "preset \"%s\" has no data", preset->name);
  return true;
}

// What an import into the system store would refuse, checked once the
// entry is whole.
bool CheckPresetNames(JsonReader* reader, const PlugInEntry& entry) {
  for (const std::unique_ptr<PresetRecord>& preset : entry.Presets()) {
    const char* problem = PresetNameProblem(entry, preset->name);
    if (problem != nullptr) {
      return Json_Fail(reader, "plug-in \"%s\", preset \"%s\": %s", entry.name, preset->name, problem);
    }
  }
  return true;
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
  if (!Package_IsSafePlugIn(*entry)) {
    if (entry->classKey[0] == '\0') {
      return Json_Fail(reader, "plug-in \"%s\" has no class key and is not an editor entry (flags bit 0)", entry->name);
    }
    return Json_Fail(reader, "plug-in \"%s\": class key \"%s\" cannot name a key", entry->name, entry->classKey);
  }
  const char* problem = PlugInNameProblem(*entry);
  if (problem != nullptr) return Json_Fail(reader, "plug-in \"%s\": %s", entry->name, problem);
  if (!CheckPresetNames(reader, *entry)) return false;
  if (entry->GetPresetCount() == 0) {
    return Json_Fail(reader, "plug-in \"%s\" has no presets; a package holds only plug-ins with presets", entry->name);
  }
  return true;
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
  if (!Package_IsSafeChainKey(chain->keyName) || ChainKeyProblem(chain->keyName) != nullptr) {
    return Json_Fail(reader, "chain \"%s\": key name \"%s\" cannot name a key", chain->name, chain->keyName);
  }
  if (chain->stream.Empty()) return Json_Fail(reader, "chain \"%s\" has no stream", chain->name);
  return true;
}

// The items the system store could not read, listed beside what it holds:
// only texts, and nothing to make a record of.
bool SkipUnreadable(JsonReader* reader) {
  return Json_ReadObject(reader, [&](const char*) { return Json_ReadString(reader, nullptr, 0, "a text"); });
}

}  // namespace

bool ReadStoreJson(JsonReader* reader, PlugInCollection* plugIns, ChainCollection* chains) {
  uint32_t seen = 0;
  bool ok = Json_ReadObject(reader, [&](const char* key) {
    switch (TakeKey(reader, kDocumentKeys, &seen, key)) {
      case kDocumentPlugIns: return Json_ReadArray(reader, [&] { return ReadPlugIn(reader, plugIns); });
      case kDocumentChains: return Json_ReadArray(reader, [&] { return ReadChain(reader, chains); });
      case kDocumentUnreadable: return Json_ReadArray(reader, [&] { return SkipUnreadable(reader); });
      default: return false;
    }
  });
  return ok && HasAllKeys(reader, kDocumentKeys, seen) && Json_End(reader);
}
