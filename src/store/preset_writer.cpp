#include "store/preset_writer.h"

#include <cstdio>

#include "platform/registry.h"
#include "store/store_layout.h"
#include "store/store_names.h"

namespace {

int32_t RefuseEntry(const PlugInEntry& entry, SystemWrite* write) {
  if (entry.IsEditor()) {
    return FailWith(write->failure, E_FAIL, "the effect name \"%s\" cannot name a key of the store", entry.name);
  }
  return FailWith(write->failure, E_FAIL, "the class key \"%s\" cannot name a key of the store", entry.classKey);
}

int32_t WritePreset(const StoreKey& store, const PlugInEntry& entry, const PresetRecord& preset, SystemWrite* write) {
  char itemPath[kStorePathSize];
  if (FormEntryKeyPath(entry, itemPath, sizeof(itemPath)) != 0) return RefuseEntry(entry, write);
  const char* keyName = entry.IsEditor() ? entry.name : entry.classKey;
  ScopedRegKey key;
  int32_t status = CreateItemKey(store, keyName, &key, write);
  if (status != 0) return status;
  const SystemIndex::ValueFile* known = write->index != nullptr ? write->index->FindValueFile(entry, preset.name) : nullptr;
  ItemValue item{&store,
                 itemPath,
                 keyName,
                 preset.name,
                 preset.name,
                 kPresetFileExtension,
                 preset.data.Bytes(),
                 preset.data.Size(),
                 entry.IsEditor(),
                 known != nullptr ? known->file.c_str() : nullptr,
                 known != nullptr && known->read};
  PreparedValue prepared;
  status = PrepareItemValue(key.Get(), item, write, &prepared);
  if (status == 0) status = SetItemValue(key.Get(), item, &prepared, write);
  return status;
}

}  // namespace

int32_t FormEntryKeyPath(const PlugInEntry& entry, char* path, size_t size) {
  bool editor = entry.IsEditor();
  bool writable = editor ? IsWritableEditorName(entry.name) : IsWritableClassKey(entry.classKey);
  if (!writable) return E_FAIL;
  int length = editor ? snprintf(path, size, "%s\\%s", kEditorPresetsKey, entry.name)
                      : snprintf(path, size, "%s\\%s", kDirectShowPresetsKey, entry.classKey);
  return length >= 0 && static_cast<size_t>(length) < size ? 0 : E_FAIL;
}

int32_t WriteDirectShowPreset(const PlugInEntry& entry, const PresetRecord& preset, SystemWrite* write) {
  SystemWrite none;
  return WritePreset(kDirectShowStore, entry, preset, write != nullptr ? write : &none);
}

int32_t WriteEditorPreset(const PlugInEntry& entry, const PresetRecord& preset, SystemWrite* write) {
  SystemWrite none;
  return WritePreset(kEditorStore, entry, preset, write != nullptr ? write : &none);
}

int32_t WriteSystemPreset(const PlugInEntry& entry, const PresetRecord& preset, SystemWrite* write) {
  return entry.IsEditor() ? WriteEditorPreset(entry, preset, write) : WriteDirectShowPreset(entry, preset, write);
}

int32_t DeleteSystemPreset(const PlugInEntry& entry, const PresetRecord& preset, SystemWrite* write) {
  SystemWrite none;
  if (write == nullptr) write = &none;
  char path[kStorePathSize];
  if (FormEntryKeyPath(entry, path, sizeof(path)) != 0) return RefuseEntry(entry, write);
  char keyName[kStorePathSize];
  NameUserKey(path, keyName, sizeof(keyName));
  ScopedRegKey key;
  int32_t status = Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), path, RegAccess::All, key.Out());
  if (status == kErrorFileNotFound) return 0;  // already gone
  if (status != 0) return FailWith(write->failure, StatusFromError(status), "the key %s could not be opened", keyName);
  char current[kStorePathSize];
  ReadValueFile(key.Get(), preset.name, current, sizeof(current));
  status = Reg_DeleteValue(key.Get(), preset.name);
  if (status == kErrorFileNotFound) return 0;
  if (status != 0) {
    return FailWith(write->failure, StatusFromError(status), "the value \"%s\" of %s could not be deleted", preset.name,
                    keyName);
  }
  const SystemIndex::ValueFile* known = write->index != nullptr ? write->index->FindValueFile(entry, preset.name) : nullptr;
  if (current[0] != '\0') {
    DeleteItemFile(entry.IsEditor() ? kEditorStore : kDirectShowStore, entry.IsEditor() ? entry.name : entry.classKey,
                   current,
                   IsKnownRead(current, known != nullptr ? known->file.c_str() : nullptr, known != nullptr && known->read),
                   write);
  }
  return 0;
}
