#include "store/preset_store.h"

#include "store/preset_writer.h"
#include "store/tracked_write.h"

namespace {

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

// Takes the preset of that name out of the entry, and the entry out of the
// store when it is left empty.
void RemoveFromEntry(Stores& stores, StoreId store, PlugInEntry* target, const char* name) {
  if (target == nullptr) return;
  PresetRecord* found = target->FindPreset(name);
  if (found != nullptr) target->RemovePreset(found);
  if (target->GetPresetCount() == 0) stores.Of(store).plugIns->Remove(target);
}

// Writes the preset into the registry and the preset files, and notes in
// the index what its value names now.
int32_t WriteToSystem(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, const StoreChange* change) {
  TrackedWrite write(stores, change);
  int32_t status = write.CheckBytes(preset.data.Empty(), "a preset without data");
  if (status == 0) status = write.Finish(WriteSystemPreset(entry, preset, write.Get()));
  if (status == 0) stores.systemIndex.SetValueFile(entry, preset.name, write.Get()->written, !preset.data.Empty());
  return status;
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

int32_t PutPreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, StoreId store,
                  const StoreChange* change) {
  PlugInEntry* target = FindPlugInInStore(stores, store, entry);
  if (store == StoreId::System && preset.data.Empty()) {
    // A value whose file could not be read comes back: the registry names
    // its file again, and the collections show no preset for it.
    int32_t status = WriteToSystem(stores, entry, preset, change);
    if (status == 0) RemoveFromEntry(stores, store, target, preset.name);
    return status;
  }
  bool added = target == nullptr;
  if (added) target = AddEntry(stores, store, entry);
  if (target == nullptr) return E_OUTOFMEMORY;

  if (store == StoreId::System) {
    int32_t status = WriteToSystem(stores, entry, preset, change);
    if (status != 0) {
      if (added) stores.system.plugIns->Remove(target);
      return status;
    }
  }
  // The record keeps its place; its name differs at most in letter case.
  PresetRecord* found = target->FindPreset(preset.name);
  if (found != nullptr) return found->CopyFrom(preset);
  return target->AppendPreset(PresetRecord::CopyOf(preset));
}

int32_t RemovePreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, StoreId store,
                     const StoreChange* change) {
  if (store == StoreId::System) {
    SystemWrite write;
    write.index = &stores.systemIndex;
    write.failure = change != nullptr ? change->failure : nullptr;
    int32_t status = DeleteSystemPreset(entry, preset, &write);
    if (status != 0) return status;
    stores.systemIndex.SetValueFile(entry, preset.name, nullptr, false);
  }
  if (stores.Of(store).plugIns != nullptr) {
    RemoveFromEntry(stores, store, stores.Of(store).plugIns->FindSamePlugIn(entry), preset.name);
  }
  return 0;
}
