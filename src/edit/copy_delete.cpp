#include "edit/copy_delete.h"

#include "edit/actions.h"
#include "store/preset_store.h"

namespace {

// Decides what to do with an item that exists in the destination, by the
// standing answer or by asking: Yes, No, Cancel for a single item, and the
// answers for all remaining items when the copy covers more than one.
// Gives true to overwrite; `result` is what the copy gives (E_CANCELLED on
// Cancel).
bool DecideOverwrite(EditContext& edit, const char* kind, const char* name, StoreId destination, int32_t* result) {
  *result = 0;
  History& history = edit.history;
  if (history.overwriteRule == OverwriteRule::OverwriteAll) return true;
  if (history.overwriteRule == OverwriteRule::SkipAll || edit.question == nullptr) return false;
  switch (edit.question->Ask(OverwriteItem{kind, name, destination, edit.overwriteCount >= 2})) {
    case OverwriteAnswer::Cancel:
      *result = E_CANCELLED;
      return false;
    case OverwriteAnswer::Yes:
      return true;
    case OverwriteAnswer::YesToAll:
      history.overwriteRule = OverwriteRule::OverwriteAll;
      return true;
    case OverwriteAnswer::NoToAll:
      history.overwriteRule = OverwriteRule::SkipAll;
      return false;
    case OverwriteAnswer::No:
      break;
  }
  return false;
}

// Adds an action to the pending group. An action that could not be built
// fails the copy or delete rather than leaving the item out unnoticed.
int32_t Record(EditContext& edit, std::unique_ptr<HistoryAction> action) {
  return AddAction(edit.history, std::move(action));
}

}  // namespace

int32_t CopyPreset(EditContext& edit, const PlugInEntry& source, const PresetRecord& preset, StoreId destination) {
  PlugInEntry* target = FindPlugInInStore(edit.stores, destination, source);
  const PresetRecord* existing = target != nullptr ? target->FindPreset(preset.name) : nullptr;
  if (existing == nullptr) {
    return Record(edit, NewCopyPresetAction(source, preset, destination));
  }
  char display[kNameSize];
  target->GetDisplayName(display, sizeof(display));
  int32_t result = 0;
  if (DecideOverwrite(edit, display, existing->name, destination, &result)) {
    result = Record(edit, NewOverwritePresetAction(source, preset, *existing, destination));
  }
  return result;
}

int32_t CopyEntryPresets(EditContext& edit, const PlugInEntry& source, StoreId destination) {
  for (const std::unique_ptr<PresetRecord>& preset : source.Presets()) {
    int32_t result = CopyPreset(edit, source, *preset, destination);
    if (result != 0) return result;
  }
  return 0;
}

int32_t CopyAllEntries(EditContext& edit, const PlugInCollection& source, StoreId destination) {
  for (const std::unique_ptr<PlugInEntry>& entry : source.Entries()) {
    int32_t result = CopyEntryPresets(edit, *entry, destination);
    if (result != 0) return result;
  }
  return 0;
}

int32_t CopyChain(EditContext& edit, const ChainRecord& chain, StoreId destination) {
  const ChainRecord* existing = FindChainInStore(edit.stores, destination, chain.name);
  if (existing == nullptr) {
    return Record(edit, NewCopyChainAction(chain, destination));
  }
  int32_t result = 0;
  if (DecideOverwrite(edit, kChainItemKind, existing->name, destination, &result)) {
    result = Record(edit, NewOverwriteChainAction(chain, *existing, destination));
  }
  return result;
}

int32_t CopyAllChains(EditContext& edit, const ChainCollection& source, StoreId destination) {
  for (const std::unique_ptr<ChainRecord>& chain : source.Chains()) {
    int32_t result = CopyChain(edit, *chain, destination);
    if (result != 0) return result;
  }
  return 0;
}

int32_t DeletePreset(EditContext& edit, const PlugInEntry& entry, const PresetRecord& preset, StoreId store) {
  return Record(edit, NewDeletePresetAction(entry, preset, store));
}

int32_t DeleteEntryPresets(EditContext& edit, const PlugInEntry& entry, StoreId store) {
  for (const std::unique_ptr<PresetRecord>& preset : entry.Presets()) {
    int32_t result = DeletePreset(edit, entry, *preset, store);
    if (result != 0) return result;
  }
  return 0;
}

int32_t DeleteAllEntries(EditContext& edit, const PlugInCollection& plugIns, StoreId store) {
  for (const std::unique_ptr<PlugInEntry>& entry : plugIns.Entries()) {
    int32_t result = DeleteEntryPresets(edit, *entry, store);
    if (result != 0) return result;
  }
  return 0;
}

int32_t DeleteChain(EditContext& edit, const ChainRecord& chain, StoreId store) {
  return Record(edit, NewDeleteChainAction(chain, store));
}

int32_t DeleteAllChains(EditContext& edit, const ChainCollection& chains, StoreId store) {
  for (const std::unique_ptr<ChainRecord>& chain : chains.Chains()) {
    int32_t result = DeleteChain(edit, *chain, store);
    if (result != 0) return result;
  }
  return 0;
}
