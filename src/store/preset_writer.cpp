#include "store/preset_writer.h"

#include <cstdio>

#include "platform/registry.h"
#include "store/store_files.h"
#include "store/store_layout.h"
#include "store/store_names.h"

namespace {

// "<store key>\<entry's key>": the editor's key and the effect's name, or
// the DirectShow key and the class key. E_FAIL for a name that must not
// name a key.
int32_t FormEntryKeyPath(const PlugInEntry& entry, bool editor, char* path, size_t size) {
  bool writable = editor ? IsWritableEditorName(entry.name) : IsWritableClassKey(entry.classKey);
  if (!writable) return E_FAIL;
  int length = editor ? snprintf(path, size, "%s\\%s", kEditorPresetsKey, entry.name)
                      : snprintf(path, size, "%s\\%s", kDirectShowPresetsKey, entry.classKey);
  return length >= 0 && static_cast<size_t>(length) < size ? 0 : E_FAIL;
}

}  // namespace

int32_t WriteDirectShowPreset(const PlugInEntry& entry, const PresetRecord& preset) {
  if (!IsWritableClassKey(entry.classKey)) return E_FAIL;
  ScopedRegKey store, plugIn;
  int32_t status = CreateItemKey(kDirectShowPresetsKey, kPresetsFolder, entry.classKey, &store, &plugIn);
  if (status != 0) return status;
  return WriteItemValue(store.Get(), plugIn.Get(), entry.classKey, preset.name, preset.name, kPresetFileExtension,
                        preset.data.Bytes(), preset.data.Size());
}

int32_t WriteEditorPreset(const PlugInEntry& entry, const PresetRecord& preset) {
  char path[kStorePathSize];
  int32_t status = FormEntryKeyPath(entry, true, path, sizeof(path));
  if (status != 0) return status;
  ScopedRegKey key;
  status = Reg_CreateKey(Reg_Root(RegRoot::CurrentUser), path, RegAccess::All, key.Out());
  if (status != 0) return status;
  return Reg_SetValue(key.Get(), preset.name, kRegBinary, preset.data.Bytes(), preset.data.Size());
}

int32_t DeleteSystemPreset(const PlugInEntry& entry, const PresetRecord& preset) {
  char path[kStorePathSize];
  int32_t status = FormEntryKeyPath(entry, entry.IsEditor(), path, sizeof(path));
  if (status != 0) return status;
  ScopedRegKey key;
  status = Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), path, RegAccess::All, key.Out());
  if (status != 0) return status;
  DeleteValueFile(key.Get(), preset.name);
  return Reg_DeleteValue(key.Get(), preset.name);
}
