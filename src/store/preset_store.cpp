#include "store/preset_store.h"

#include "store/preset_writer.h"

namespace {

int32_t WriteSystemPreset(const PlugInEntry& entry, const PresetRecord& preset) {
  return entry.IsEditor() ? WriteEditorPreset(entry, preset) : WriteDirectShowPreset(entry, preset);
}

// A new entry for `entry` at the end of the store's collection. A plug-in
// whose name another entry already shows takes the first free Not Installed
// name, so the two stay apart. An editor effect keeps its name: that name
// is the key its presets live under.
PlugInEntry* AddEntry(Stores& stores, uint32_t store, const PlugInEntry& entry) {
  PlugInCollection* plugIns = GetPlugInCollection(stores, store);
  if (plugIns == nullptr) return nullptr;
  PlugInEntry* created = PlugInEntry::CopyIdentity(entry);
  if (created == nullptr) return nullptr;
  if (!entry.IsEditor() && plugIns->FindPlugInEntryByName(entry.name) != nullptr) {
    char name[kNameSize];
    plugIns->MakeNotInstalledName(name, sizeof(name));
    created->SetName(name);
  }
  if (plugIns->Append(created) != 0) {
    DestroyModelObject(created);
    return nullptr;
  }
  return created;
}

}  // namespace

PlugInEntry* FindPlugInInStore(Stores& stores, uint32_t store, const PlugInEntry& entry) {
  const PlugInCollection* plugIns = stores.plugIns[StoreSlot(store)];
  if (plugIns == nullptr) return nullptr;
  return plugIns->FindSamePlugInEntry(entry);
}

PlugInEntry* FindPlugInByNameInStore(Stores& stores, uint32_t store, const char* name) {
  const PlugInCollection* plugIns = stores.plugIns[StoreSlot(store)];
  if (plugIns == nullptr) return nullptr;
  return plugIns->FindPlugInEntryByName(name);
}

int32_t PutPreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, uint32_t store) {
  PlugInEntry* target = FindPlugInInStore(stores, store, entry);
  if (target == nullptr) target = AddEntry(stores, store, entry);
  if (target == nullptr) return E_OUTOFMEMORY;

  PresetRecord* found = target->FindPresetRecord(preset.name);
  int32_t status = IsSystemStore(store) ? WriteSystemPreset(entry, preset) : 0;
  if (StatusFailed(status)) return status;
  // The record keeps its place; its name differs at most in letter case.
  if (found != nullptr) return found->CopyFrom(preset);
  PresetRecord* copy = PresetRecord::Create();
  int32_t copied = copy != nullptr ? copy->CopyFrom(preset) : E_OUTOFMEMORY;
  if (copied == 0) copied = target->AppendPreset(copy);
  if (copied != 0) {
    DestroyModelObject(copy);
    return copied;
  }
  return status;
}

int32_t RemovePreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, uint32_t store) {
  int32_t status = IsSystemStore(store) ? DeleteSystemPreset(entry, preset) : 0;
  PlugInCollection* plugIns = stores.plugIns[StoreSlot(store)];
  if (plugIns == nullptr) return status;
  PlugInEntry* target = plugIns->FindSamePlugInEntry(entry);
  if (target == nullptr) return status;
  int32_t found = target->FindPreset(preset.name);
  if (found < 0) return status;
  target->RemovePreset(found);
  if (target->GetPresetCount() == 0) plugIns->RemoveAt(VtList_IndexOf(plugIns->entries, target));
  return status;
}
