#include "store/store_check.h"

#include <cstring>

#include "model/key_names.h"
#include "platform/text.h"
#include "store/store_files.h"
#include "store/store_names.h"

namespace {

int32_t CheckFits(const char* location, const StoreFailure& locationFailure, const char* folderKeyName,
                  const char* itemName, const char* extension, StoreFailure* failure) {
  if (locationFailure.status != 0) return FailWith(failure, locationFailure.status, "%s", locationFailure.detail);
  char path[kStorePathSize];
  return FormItemPath(location, folderKeyName, itemName, extension, path, sizeof(path), failure);
}

}  // namespace

const char* PlugInNameProblem(const PlugInEntry& entry) {
  if (!entry.IsEditor()) {
    if (entry.classKey[0] == '\0') return "it has no class key";
    return IsWritableClassKey(entry.classKey) ? nullptr : "its class key cannot name a key of the store";
  }
  if (entry.name[0] == '\0') return "an effect of the editor needs a name";
  if (strchr(entry.name, '\\') != nullptr) return "an effect's name cannot hold \"\\\"";
  if (strlen(entry.name) >= kKeySize) return "an effect's name is longer than 39 characters";
  return IsWritableEditorName(entry.name) ? nullptr : "the editor keeps that name for itself";
}

const char* PresetNameProblem(const PlugInEntry& entry, const char* name) {
  // The store's unnamed value is its default value, which no copy writes.
  if (name[0] == '\0') return "a preset needs a name";
  if (Text_EqualNoCase(name, kDefaultValueName) || (!entry.IsEditor() && Text_EqualNoCase(name, kUntitledName))) {
    return "the store keeps that name for something that is no preset";
  }
  return nullptr;
}

const char* ChainKeyProblem(const char* keyName) {
  if (keyName[0] == '\0') return "it has no key name";
  return IsSafeKeyName(keyName) ? nullptr : "its key name cannot name a key of the store";
}

void ReadStoreLocations(StoreLocations* locations) {
  ReadDefLocation(kDirectShowStore, locations->presets, sizeof(locations->presets), &locations->presetsFailure);
  ReadDefLocation(kChainStore, locations->chains, sizeof(locations->chains), &locations->chainsFailure);
}

int32_t CheckPresetFits(const PlugInEntry& entry, const PresetRecord& preset, const StoreLocations& locations,
                        StoreFailure* failure) {
  if (entry.IsEditor() || preset.data.Size() < kFileThreshold) return 0;
  return CheckFits(locations.presets, locations.presetsFailure, entry.classKey, preset.name, kPresetFileExtension,
                   failure);
}

int32_t CheckChainFits(const ChainRecord& chain, const StoreLocations& locations, StoreFailure* failure) {
  if (chain.stream.Size() < kFileThreshold) return 0;
  return CheckFits(locations.chains, locations.chainsFailure, chain.keyName, chain.name, kChainFileExtension,
                   failure);
}
