#include "edit/copy_delete.h"

#include "edit/actions.h"
#include "kernel/strings.h"
#include "resource.h"
#include "store/preset_store.h"

namespace {

constexpr const char* kChainKind = "Chain";

// The overwrite question: Yes, No, Cancel for a single item, and the
// answers for all remaining items when the copy covers more than one.
int32_t AskOverwrite(EditContext& edit, const char* kind, const char* name, uint32_t destination) {
  if (edit.onConflict != nullptr) edit.onConflict(edit.conflictContext, kind, name);
  uint32_t textId = IsSystemStore(destination) ? IDS_OVERWRITE_SYSTEM : IDS_OVERWRITE_PACKAGE;
  char format[512];
  VtLoadString(edit.strings, textId, format, sizeof(format));
  uint32_t buttons = edit.overwriteCount < 2 ? kVtMbYesNoCancel : kVtMbYesAllNoNoAllCancel;
  return VtMsgBox_Custom(edit.owner, buttons | kVtMbIconExclamation, nullptr, format, kind, name);
}

// Decides what to do with an item that exists in the destination, by the
// standing answer or by asking. Gives true to overwrite; `result` is what
// the copy gives (E_CANCELLED on Cancel).
bool DecideOverwrite(EditContext& edit, const char* kind, const char* name, uint32_t destination, int32_t* result) {
  *result = 0;
  History& history = *edit.history;
  if (history.overwriteAnswer == kOverwriteAll) return true;
  if (history.overwriteAnswer == kOverwriteNone) return false;
  switch (AskOverwrite(edit, kind, name, destination)) {
    case kVtIdCancel:
      *result = E_CANCELLED;
      return false;
    case kVtIdYes:
      return true;
    case kVtIdYesToAll:
      history.overwriteAnswer = kOverwriteAll;
      return true;
    case kVtIdNoToAll:
      history.overwriteAnswer = kOverwriteNone;
      return false;
    default:
      return false;
  }
}

// Adds an action to the pending group. An action that could not be built
// fails the copy or delete rather than leaving the item out unnoticed.
int32_t Record(EditContext& edit, HistoryAction* action) {
  if (action == nullptr || edit.history->pending == nullptr) {
    DestroyModelObject(action);
    return E_OUTOFMEMORY;
  }
  AddAction(*edit.history, action);
  return 0;
}

}  // namespace

int32_t CopyPreset(EditContext& edit, const PlugInEntry& source, const PresetRecord& preset, uint32_t destination) {
  PlugInEntry* target = FindPlugInInStore(*edit.stores, destination, source);
  const PresetRecord* existing = target != nullptr ? target->FindPresetRecord(preset.name) : nullptr;
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

int32_t CopyEntryPresets(EditContext& edit, const PlugInEntry& source, uint32_t destination) {
  for (int32_t i = 0; i < source.GetPresetCount(); ++i) {
    const PresetRecord* preset = source.GetPreset(i);
    if (preset == nullptr) continue;
    int32_t result = CopyPreset(edit, source, *preset, destination);
    if (result != 0) return result;
  }
  return 0;
}

int32_t CopyAllEntries(EditContext& edit, const PlugInCollection& source, uint32_t destination) {
  for (int32_t i = 0; i < source.GetCount(); ++i) {
    const PlugInEntry* entry = source.Get(i);
    if (entry == nullptr) continue;
    int32_t result = CopyEntryPresets(edit, *entry, destination);
    if (result != 0) return result;
  }
  return 0;
}

int32_t CopyChain(EditContext& edit, const ChainRecord& chain, uint32_t destination) {
  const ChainRecord* existing = FindChainInStore(*edit.stores, destination, chain.name);
  if (existing == nullptr) {
    return Record(edit, NewCopyChainAction(chain, destination));
  }
  int32_t result = 0;
  if (DecideOverwrite(edit, kChainKind, existing->name, destination, &result)) {
    result = Record(edit, NewOverwriteChainAction(chain, *existing, destination));
  }
  return result;
}

int32_t CopyAllChains(EditContext& edit, const ChainCollection& source, uint32_t destination) {
  for (int32_t i = 0; i < source.GetChainCount(); ++i) {
    const ChainRecord* chain = source.Get(i);
    if (chain == nullptr) continue;
    int32_t result = CopyChain(edit, *chain, destination);
    if (result != 0) return result;
  }
  return 0;
}

int32_t DeletePreset(EditContext& edit, const PlugInEntry& entry, const PresetRecord& preset, uint32_t store) {
  return Record(edit, NewDeletePresetAction(entry, preset, store));
}

int32_t DeleteEntryPresets(EditContext& edit, const PlugInEntry& entry, uint32_t store) {
  for (int32_t i = 0; i < entry.GetPresetCount(); ++i) {
    const PresetRecord* preset = entry.GetPreset(i);
    int32_t result = preset != nullptr ? DeletePreset(edit, entry, *preset, store) : 0;
    if (result != 0) return result;
  }
  return 0;
}

int32_t DeleteAllEntries(EditContext& edit, const PlugInCollection& plugIns, uint32_t store) {
  for (int32_t i = 0; i < plugIns.GetCount(); ++i) {
    const PlugInEntry* entry = plugIns.Get(i);
    int32_t result = entry != nullptr ? DeleteEntryPresets(edit, *entry, store) : 0;
    if (result != 0) return result;
  }
  return 0;
}

int32_t DeleteChain(EditContext& edit, const ChainRecord& chain, uint32_t store) {
  return Record(edit, NewDeleteChainAction(chain, store));
}

int32_t DeleteAllChains(EditContext& edit, const ChainCollection& chains, uint32_t store) {
  for (int32_t i = 0; i < chains.GetChainCount(); ++i) {
    const ChainRecord* chain = chains.Get(i);
    int32_t result = chain != nullptr ? DeleteChain(edit, *chain, store) : 0;
    if (result != 0) return result;
  }
  return 0;
}
