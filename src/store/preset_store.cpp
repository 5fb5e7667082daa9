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
PlugInEntry* AddEntry(Stores& stores, StoreId store, const PlugInEntry& entry) {
  PlugInCollection* plugIns = GetPlugInCollection(stores, store);
  if (plugIns == nullptr) return nullptr;
  std::unique_ptr<PlugInEntry> created = PlugInEntry::CopyIdentity(entry);
  if (!created) return nullptr;
  if (!entry.IsEditor() && plugIns->FindPlugInByName(entry.name) != nullptr) {
    char name[kNameSize];
    plugIns->MakeNotInstalledName(name, sizeof(name));
    created->SetName(name);
  }
  PlugInEntry* added = created.get();
  return plugIns->Append(std::move(created)) == 0 ? added : nullptr;
}

}  // namespace

PlugInEntry* FindPlugInInStore(const Stores& stores, StoreId store, const PlugInEntry& entry) {
  const PlugInCollection* plugIns = stores.Of(store).plugIns.get();
  return plugIns != nullptr ? plugIns->FindSamePlugIn(entry) : nullptr;
}

PlugInEntry* FindPlugInByNameInStore(const Stores& stores, StoreId store, const char* name) {
  const PlugInCollection* plugIns = stores.Of(store).plugIns.get();
  return plugIns != nullptr ? plugIns->FindPlugInByName(name) : nullptr;
}

int32_t PutPreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, StoreId store) {
  PlugInEntry* target = FindPlugInInStore(stores, store, entry);
  if (target == nullptr) target = AddEntry(stores, store, entry);
  if (target == nullptr) return E_OUTOFMEMORY;

  PresetRecord* found = target->FindPreset(preset.name);
  int32_t status = store == StoreId::System ? WriteSystemPreset(entry, preset) : 0;
  if (StatusFailed(status)) return status;
  // The record keeps its place; its name differs at most in letter case.
  if (found != nullptr) return found->CopyFrom(preset);
  int32_t appended = target->AppendPreset(PresetRecord::CopyOf(preset));
  return appended != 0 ? appended : status;
}

int32_t RemovePreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, StoreId store) {
  int32_t status = store == StoreId::System ? DeleteSystemPreset(entry, preset) : 0;
  PlugInCollection* plugIns = stores.Of(store).plugIns.get();
  if (plugIns == nullptr) return status;
  PlugInEntry* target = plugIns->FindSamePlugIn(entry);
  if (target == nullptr) return status;
  PresetRecord* found = target->FindPreset(preset.name);
  if (found == nullptr) return status;
  target->RemovePreset(found);
  if (target->GetPresetCount() == 0) plugIns->Remove(target);
  return status;
}
